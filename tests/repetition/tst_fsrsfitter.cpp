// Fitting the memory model to a learner's reviews, on histories simulated from known weights:
// the fit must recover most of what the true weights predict better than the defaults, never
// do worse than the defaults on a learner the defaults describe, and stay sane on bad rows.
#include "repetition/fsrsfitter.h"
#include "support/simulatedreviews.h"

#include <QTest>
#include <cmath>

namespace {

using namespace SimulatedReviews;

struct Split
{
    std::vector<Card> training;
    std::vector<Card> heldOut;
};

Split split(const std::vector<Card> &cards)
{
    const auto cut = cards.begin() + qsizetype(cards.size()) * 4 / 5;
    return {std::vector<Card>(cards.begin(), cut), std::vector<Card>(cut, cards.end())};
}

bool withinBounds(const Weights &w)
{
    for (std::size_t i = 0; i < w.size(); ++i)
        if (!std::isfinite(w[i]) || w[i] < FsrsFitter::LowerBounds[i] || w[i] > FsrsFitter::UpperBounds[i])
            return false;
    return true;
}

} // namespace

class TestFsrsFitter : public QObject
{
    Q_OBJECT

private slots:
    void recoversMostOfTheTrueWeightsAdvantage();
    void aLearnerLikeTheDefaultsFitsNoWorse();
    void gradientMatchesDifferences();
    void tooFewReviewsKeepTheStart();
    void badRowsAreLeftOut();
    void cancelKeepsTheStart();
};

void TestFsrsFitter::recoversMostOfTheTrueWeightsAdvantage()
{
    const Split cards = split(simulate(trueWeights(), 1500, 7));
    const FsrsFitter::Result fit = FsrsFitter::fit(cards.training, FsrsModel::DefaultWeights);
    QVERIFY(fit.fitted);
    QVERIFY(withinBounds(fit.weights));
    const double defaults = FsrsFitter::logLoss(cards.heldOut, FsrsModel::DefaultWeights);
    const double truth = FsrsFitter::logLoss(cards.heldOut, trueWeights());
    const double fitted = FsrsFitter::logLoss(cards.heldOut, fit.weights);
    qInfo("held-out log loss: defaults %.5f, fitted %.5f, true %.5f", defaults, fitted, truth);
    QVERIFY2(defaults - truth > 0.01, "the simulated learner must differ from the defaults");
    QVERIFY(defaults - fitted >= 0.5 * (defaults - truth));
}

void TestFsrsFitter::aLearnerLikeTheDefaultsFitsNoWorse()
{
    const Split cards = split(simulate(FsrsModel::DefaultWeights, 1500, 11));
    const FsrsFitter::Result fit = FsrsFitter::fit(cards.training, FsrsModel::DefaultWeights);
    QVERIFY(withinBounds(fit.weights));
    const double defaults = FsrsFitter::logLoss(cards.heldOut, FsrsModel::DefaultWeights);
    const double fitted = FsrsFitter::logLoss(cards.heldOut, fit.weights);
    qInfo("held-out log loss: defaults %.5f, fitted %.5f", defaults, fitted);
    QVERIFY(fitted <= defaults);
}

void TestFsrsFitter::gradientMatchesDifferences()
{
    const std::vector<Card> cards = simulate(trueWeights(), 40, 3);
    const Weights at = trueWeights();
    const Weights gradient = FsrsFitter::gradient(cards, at);
    for (std::size_t i = 0; i < at.size(); ++i) {
        const double step = 1e-6 * std::max(1.0, std::abs(at[i]));
        Weights up = at, down = at;
        up[i] += step;
        down[i] -= step;
        const double difference =
            (FsrsFitter::logLoss(cards, up) - FsrsFitter::logLoss(cards, down)) / (2 * step);
        QVERIFY2(std::abs(gradient[i] - difference) <= 1e-4 * std::max(1.0, std::abs(difference)),
                 qPrintable(QStringLiteral("w%1: %2 against %3").arg(i).arg(gradient[i]).arg(difference)));
    }
}

void TestFsrsFitter::tooFewReviewsKeepTheStart()
{
    // 57 cards of 8 reviews predict 399 recalls (the first review of a card predicts none).
    const std::vector<Card> cards = simulate(trueWeights(), 57, 5);
    QCOMPARE(FsrsFitter::predictedReviews(cards), FsrsFitter::MinimumReviews - 1);
    const FsrsFitter::Result fit = FsrsFitter::fit(cards, FsrsModel::DefaultWeights);
    QVERIFY(!fit.fitted);
    QVERIFY(fit.weights == FsrsModel::DefaultWeights);
    std::vector<Card> more = cards;
    more.push_back({{0, 3}, {2, 3}});
    QCOMPARE(FsrsFitter::predictedReviews(more), FsrsFitter::MinimumReviews);
}

void TestFsrsFitter::badRowsAreLeftOut()
{
    const std::vector<Card> clean = simulate(trueWeights(), 300, 9);
    std::vector<Card> dirty = clean;
    const double notANumber = std::numeric_limits<double>::quiet_NaN();
    const double infinite = std::numeric_limits<double>::infinity();
    int i = 0;
    for (Card &card : dirty) {
        const FsrsFitter::Review bad[] = {{2, 0}, {2, 5}, {-3, 3}, {notANumber, 3}, {infinite, 1}, {5, -7}};
        card.insert(card.begin() + 1 + i % 6, bad[i % 6]);
        ++i;
    }
    QCOMPARE(FsrsFitter::predictedReviews(dirty), FsrsFitter::predictedReviews(clean));
    QCOMPARE(FsrsFitter::logLoss(dirty, FsrsModel::DefaultWeights),
             FsrsFitter::logLoss(clean, FsrsModel::DefaultWeights));
    // Start weights from a damaged store: out of bounds or not a number.
    Weights start = FsrsModel::DefaultWeights;
    start[0] = -5;
    start[9] = notANumber;
    start[20] = 40;
    const FsrsFitter::Result fit = FsrsFitter::fit(dirty, start);
    QVERIFY(withinBounds(fit.weights));
    QVERIFY(std::isfinite(fit.fittedLoss));
}

void TestFsrsFitter::cancelKeepsTheStart()
{
    const std::vector<Card> cards = simulate(trueWeights(), 300, 13);
    int calls = 0;
    const FsrsFitter::Result fit =
        FsrsFitter::fit(cards, FsrsModel::DefaultWeights, [&](int done, int total) {
            ++calls;
            return done < 3 && total > 3;
        });
    QCOMPARE(calls, 3);
    QVERIFY(fit.cancelled);
    QVERIFY(!fit.fitted);
    QVERIFY(fit.weights == FsrsModel::DefaultWeights);
}

QTEST_GUILESS_MAIN(TestFsrsFitter)
#include "tst_fsrsfitter.moc"

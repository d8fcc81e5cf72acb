// The weights fitted to a unit, kept in its file, and the review states recomputed from the
// history with them: the defaults give back exactly what the tests wrote, other weights what
// the model computes with them, and states the history does not explain are left alone.
#include "platform/table/sqlitedatabase.h"
#include "repetition/fsrsfitter.h"
#include "repetition/reviewclock.h"
#include "repetition/reviewreplay.h"
#include "repetition/reviewstore.h"
#include "repetition/testreviews.h"
#include "repetition/unitweights.h"
#include "support/scriptedmessageservice.h"
#include "support/testfolder.h"
#include "vocfile/lumotable.h"

#include <QTest>

namespace {
using Rating = FsrsModel::Rating;
const QDateTime Monday(QDate(2026, 3, 2), QTime(9, 0), Qt::UTC);

FsrsModel::Weights otherWeights()
{
    FsrsModel::Weights w = FsrsModel::DefaultWeights;
    w[0] = 0.9;
    w[2] = 5.5;
    w[8] = 1.2;
    w[20] = 0.5;
    return w;
}
} // namespace

class TestReviewReplay : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void weightsKeptAndChecked_data();
    void weightsKeptAndChecked();
    void testsScheduleWithTheUnitsWeights();
    void replayRecomputesFromTheHistory();

private:
    SqliteDatabase &db() { return *m_table->connection(); }
    // Entry 1: Good on Monday, Again three days later, Good a week after that; entry 2: Easy.
    void reviewAWeekOrTwo(const FsrsModel::Weights &weights);
    std::unique_ptr<TestFolder> m_folder;
    ScriptedMessageService m_messages;
    std::unique_ptr<TLumoTable> m_table;
};

void TestReviewReplay::init()
{
    m_folder = std::make_unique<TestFolder>();
    m_table = std::make_unique<TLumoTable>(m_messages);
    m_table->setVocabularyFile(m_folder->filePath(QStringLiteral("unit.db")));
    m_table->open();
    for (int i = 0; i < 3; ++i)
        m_table->appendRecord({QVariant(), QStringLiteral("N%1").arg(i), QStringLiteral("f%1").arg(i), 1});
}

void TestReviewReplay::cleanup()
{
    m_table.reset();
    m_folder.reset();
}

void TestReviewReplay::reviewAWeekOrTwo(const FsrsModel::Weights &weights)
{
    if (weights != FsrsModel::DefaultWeights)
        UnitWeights(db()).save(weights);
    QDateTime now = Monday;
    TestReviews reviews;
    reviews.setClock([&now] { return now; });
    const std::pair<int, QList<std::pair<qint64, Rating>>> days[] = {
        {0, {{1, Rating::Good}, {2, Rating::Easy}}}, {3, {{1, Rating::Again}}}, {10, {{1, Rating::Good}}}};
    for (const auto &[day, graded] : days) {
        now = Monday.addDays(day);
        reviews.begin(m_table.get(), 0);
        for (const auto &[entry, rating] : graded)
            reviews.record(entry, rating);
    }
}

void TestReviewReplay::weightsKeptAndChecked_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<bool>("fitted");
    QTest::newRow("whole set") << QString() << true;
    QTest::newRow("one missing") << "DELETE FROM review_weights WHERE position = 7" << false;
    QTest::newRow("not a number") << "UPDATE review_weights SET weight = 'many' WHERE position = 3" << false;
    QTest::newRow("out of place") << "UPDATE review_weights SET position = 40 WHERE position = 20" << false;
    QTest::newRow("beyond its bound") << "UPDATE review_weights SET weight = 99 WHERE position = 20" << true;
}

void TestReviewReplay::weightsKeptAndChecked()
{
    QFETCH(QString, damage);
    QFETCH(bool, fitted);
    UnitWeights weights(db());
    QVERIFY(!weights.fitted());
    QVERIFY(weights.weights() == FsrsModel::DefaultWeights);
    weights.save(otherWeights());
    if (!damage.isEmpty())
        db().exec(damage);
    QCOMPARE(weights.fitted(), fitted);
    FsrsModel::Weights expected = fitted ? otherWeights() : FsrsModel::DefaultWeights;
    if (QTest::currentDataTag() == QLatin1String("beyond its bound"))
        expected[20] = FsrsFitter::UpperBounds[20];
    QVERIFY(weights.weights() == expected);
    weights.reset();
    QVERIFY(!weights.fitted());
    QVERIFY(weights.weights() == FsrsModel::DefaultWeights);
}

void TestReviewReplay::testsScheduleWithTheUnitsWeights()
{
    reviewAWeekOrTwo(otherWeights());
    const std::optional<ReviewState> easy = ReviewStore(db()).state(2, 0);
    QVERIFY(easy.has_value());
    QCOMPARE(easy->memory.stability, FsrsModel::first(Rating::Easy, otherWeights()).stability);
    QCOMPARE(easy->due,
             ReviewTime::daysLater(Monday, FsrsModel::intervalDays(easy->memory.stability, otherWeights())));
}

void TestReviewReplay::replayRecomputesFromTheHistory()
{
    reviewAWeekOrTwo(FsrsModel::DefaultWeights);
    ReviewStore store(db());
    const ReviewState asReviewed = *store.state(1, 0);
    // The defaults give back what the tests wrote.
    QCOMPARE(ReviewReplay::apply(db(), FsrsModel::DefaultWeights), 2);
    const ReviewState replayed = *store.state(1, 0);
    QCOMPARE(replayed.memory.stability, asReviewed.memory.stability);
    QCOMPARE(replayed.memory.difficulty, asReviewed.memory.difficulty);
    QCOMPARE(replayed.due, asReviewed.due);

    // Other weights: the model's own chain of reviews with them; counts and moments stay.
    const FsrsModel::Weights w = otherWeights();
    FsrsModel::Memory memory = FsrsModel::first(Rating::Good, w);
    memory = FsrsModel::next(memory, 3, Rating::Again, w);
    memory = FsrsModel::next(memory, 7, Rating::Good, w);
    QCOMPARE(ReviewReplay::apply(db(), w), 2);
    const ReviewState other = *store.state(1, 0);
    QCOMPARE(other.memory.stability, memory.stability);
    QCOMPARE(other.memory.difficulty, memory.difficulty);
    QCOMPARE(other.due,
             ReviewTime::daysLater(Monday.addDays(10), FsrsModel::intervalDays(memory.stability, w)));
    QCOMPARE(other.reviews, asReviewed.reviews);
    QCOMPARE(other.lapses, asReviewed.lapses);
    QCOMPARE(other.lastReview, asReviewed.lastReview);

    // A state reviewed since by a program that kept no history is left as it is.
    ReviewState later = *store.state(2, 0);
    later.lastReview += 86400;
    later.memory.stability = 42;
    store.save(later);
    QCOMPARE(ReviewReplay::apply(db(), FsrsModel::DefaultWeights), 1);
    QCOMPARE(store.state(2, 0)->memory.stability, 42.0);
}

QTEST_GUILESS_MAIN(TestReviewReplay)
#include "tst_reviewreplay.moc"

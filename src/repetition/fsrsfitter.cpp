#include "repetition/fsrsfitter.h"

#include "repetition/dualnumber.h"
#include "repetition/fsrsformulas.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <random>

namespace {

constexpr std::size_t WeightCount = 21;
using Dual = DualNumber<WeightCount>;

// As the published optimizer: Adam at 0.04 with the rate annealed to zero on a cosine,
// batches of about 512 reviews, each card's first 64 reviews.
constexpr double LearningRate = 0.04;
constexpr double Beta1 = 0.9;
constexpr double Beta2 = 0.999;
constexpr double Epsilon = 1e-8;
constexpr int BatchReviews = 512;
constexpr int Epochs = 5;
constexpr std::size_t LongestHistory = 64;
constexpr int Folds = 5;
// Keeps the log of a prediction finite when the model is all but sure.
constexpr double Certainty = 1e-6;

bool usable(const FsrsFitter::Review &review)
{
    return review.grade >= 1 && review.grade <= 4 && std::isfinite(review.elapsedDays) &&
           review.elapsedDays >= 0;
}

// The summed log loss of a card's predicted reviews and how many there were.
template <typename T>
T cardLoss(const FsrsFitter::Card &card, const typename FsrsFormulas<T>::Weights &weights, int &predicted,
           std::vector<double> *each = nullptr)
{
    const FsrsFormulas<T> model(weights);
    typename FsrsFormulas<T>::Memory memory;
    bool started = false;
    T loss(0.0);
    std::size_t seen = 0;
    for (const FsrsFitter::Review &review : card) {
        if (!usable(review))
            continue;
        if (++seen > LongestHistory)
            break;
        if (!started) {
            memory = model.first(review.grade);
            started = true;
            continue;
        }
        if (review.elapsedDays >= 1.0) {
            T recall = model.retrievability(review.elapsedDays, memory.stability);
            if (valueOf(recall) < Certainty)
                recall = T(Certainty);
            else if (valueOf(recall) > 1.0 - Certainty)
                recall = T(1.0 - Certainty);
            const T term = -(review.grade > 1 ? log(recall) : log(T(1.0) - recall));
            loss = loss + term;
            if (each)
                each->push_back(valueOf(term));
            ++predicted;
        }
        memory = model.next(memory, review.elapsedDays, review.grade);
    }
    return loss;
}

// The gradient of the mean log loss over the given cards; false when there is nothing to
// predict or the model cannot grade them (a gradient that is not a number).
bool meanGradient(const std::vector<const FsrsFitter::Card *> &cards, const FsrsFitter::Weights &weights,
                  FsrsFitter::Weights &gradient)
{
    std::array<Dual, WeightCount> w;
    for (std::size_t i = 0; i < WeightCount; ++i)
        w[i] = Dual::variable(weights[i], i);
    Dual loss(0.0);
    int predicted = 0;
    for (const FsrsFitter::Card *card : cards)
        loss = loss + cardLoss<Dual>(*card, w, predicted);
    if (predicted == 0)
        return false;
    for (std::size_t i = 0; i < WeightCount; ++i) {
        gradient[i] = loss.d[i] / predicted;
        if (!std::isfinite(gradient[i]))
            return false;
    }
    return true;
}

double meanLoss(const std::vector<const FsrsFitter::Card *> &cards, const FsrsFitter::Weights &weights)
{
    double loss = 0;
    int predicted = 0;
    for (const FsrsFitter::Card *card : cards)
        loss += cardLoss<double>(*card, weights, predicted);
    return predicted > 0 ? loss / predicted : 0.0;
}

std::vector<const FsrsFitter::Card *> allOf(const std::vector<FsrsFitter::Card> &cards)
{
    std::vector<const FsrsFitter::Card *> all;
    all.reserve(cards.size());
    for (const FsrsFitter::Card &card : cards)
        all.push_back(&card);
    return all;
}

// The cards that predict any review, in a fixed shuffled order, so that the same history
// always fits to the same weights.
std::vector<const FsrsFitter::Card *> shuffled(const std::vector<FsrsFitter::Card> &cards)
{
    std::vector<const FsrsFitter::Card *> order;
    for (const FsrsFitter::Card &card : cards)
        if (FsrsFitter::predictedReviews({card}) > 0)
            order.push_back(&card);
    std::mt19937 random(20261208);
    std::shuffle(order.begin(), order.end(), random);
    return order;
}

// The cards cut into batches of about BatchReviews predicted reviews.
std::vector<std::vector<const FsrsFitter::Card *>>
batchesOf(const std::vector<const FsrsFitter::Card *> &cards)
{
    std::vector<std::vector<const FsrsFitter::Card *>> result(1);
    int inBatch = 0;
    for (const FsrsFitter::Card *card : cards) {
        result.back().push_back(card);
        inBatch += FsrsFitter::predictedReviews({*card});
        if (inBatch >= BatchReviews) {
            result.emplace_back();
            inBatch = 0;
        }
    }
    if (result.back().empty())
        result.pop_back();
    return result;
}

// The per-review gains in log loss of `fitted` over `start` on the cards.
void appendGains(const std::vector<const FsrsFitter::Card *> &cards, const FsrsFitter::Weights &fitted,
                 const FsrsFitter::Weights &start, std::vector<double> &gains)
{
    std::vector<double> before, after;
    int predicted = 0;
    for (const FsrsFitter::Card *card : cards) {
        cardLoss<double>(*card, start, predicted, &before);
        cardLoss<double>(*card, fitted, predicted, &after);
    }
    for (std::size_t i = 0; i < before.size(); ++i)
        gains.push_back(before[i] - after[i]);
}

// Whether the mean gain is more than twice its standard error, so that chance alone seldom
// replaces weights that were right already.
bool clearlyBetter(const std::vector<double> &gains)
{
    const std::size_t n = gains.size();
    if (n < 2)
        return false;
    double sum = 0, squares = 0;
    for (const double gain : gains) {
        sum += gain;
        squares += gain * gain;
    }
    const double mean = sum / n;
    const double variance = std::max(0.0, (squares - n * mean * mean) / (n - 1));
    return std::isfinite(mean) && mean > 0 && mean > 2.0 * std::sqrt(variance / n);
}

class Adam
{
public:
    explicit Adam(int totalSteps) : m_totalSteps(totalSteps) {}

    void step(FsrsFitter::Weights &weights, const std::array<double, WeightCount> &gradient)
    {
        ++m_step;
        const double rate = LearningRate * 0.5 * (1.0 + std::cos(M_PI * (m_step - 1) / m_totalSteps));
        for (std::size_t i = 0; i < WeightCount; ++i) {
            m_first[i] = Beta1 * m_first[i] + (1 - Beta1) * gradient[i];
            m_second[i] = Beta2 * m_second[i] + (1 - Beta2) * gradient[i] * gradient[i];
            const double first = m_first[i] / (1 - std::pow(Beta1, m_step));
            const double second = m_second[i] / (1 - std::pow(Beta2, m_step));
            weights[i] -= rate * first / (std::sqrt(second) + Epsilon);
        }
        weights = FsrsFitter::clamped(weights);
    }

private:
    int m_totalSteps;
    int m_step = 0;
    std::array<double, WeightCount> m_first{};
    std::array<double, WeightCount> m_second{};
};

// Counts the steps of every descent of one fit for the progress report, and remembers a cancel.
class Steps
{
public:
    Steps(const FsrsFitter::Progress &progress, int total) : m_progress(progress), m_total(total) {}
    // False once cancelled.
    bool next() { return !m_progress || m_progress(++m_done, m_total); }

private:
    const FsrsFitter::Progress &m_progress;
    int m_total;
    int m_done = 0;
};

// Gradient steps from `weights` through the batches, Epochs times; false when cancelled.
bool descend(const std::vector<std::vector<const FsrsFitter::Card *>> &batches, FsrsFitter::Weights &weights,
             Steps &steps)
{
    Adam adam(int(batches.size()) * Epochs);
    for (int epoch = 0; epoch < Epochs; ++epoch) {
        for (const std::vector<const FsrsFitter::Card *> &batch : batches) {
            FsrsFitter::Weights gradient{};
            if (meanGradient(batch, weights, gradient)) // a batch the model cannot grade moves nothing
                adam.step(weights, gradient);
            if (!steps.next())
                return false;
        }
    }
    return true;
}

} // namespace

const FsrsFitter::Weights FsrsFitter::LowerBounds = {0.001, 0.001, 0.001, 0.001, 1.0,   0.001, 0.001,
                                                     0.001, 0.0,   0.0,   0.001, 0.001, 0.001, 0.001,
                                                     0.0,   0.0,   1.0,   0.0,   0.0,   0.0,   0.1};
const FsrsFitter::Weights FsrsFitter::UpperBounds = {100.0, 100.0, 100.0, 100.0, 10.0, 4.0,  4.0,
                                                     0.75,  4.5,   0.8,   3.5,   5.0,  0.25, 0.9,
                                                     4.0,   1.0,   6.0,   2.0,   2.0,  0.8,  0.8};

FsrsFitter::Weights FsrsFitter::clamped(const Weights &weights)
{
    Weights result;
    for (std::size_t i = 0; i < WeightCount; ++i) {
        const double w = std::isfinite(weights[i]) ? weights[i] : FsrsModel::DefaultWeights[i];
        result[i] = std::clamp(w, LowerBounds[i], UpperBounds[i]);
    }
    return result;
}

int FsrsFitter::predictedReviews(const std::vector<Card> &cards)
{
    int predicted = 0;
    for (const Card &card : cards) {
        bool started = false;
        std::size_t seen = 0;
        for (const Review &review : card) {
            if (!usable(review))
                continue;
            if (++seen > LongestHistory)
                break;
            if (started && review.elapsedDays >= 1.0)
                ++predicted;
            started = true;
        }
    }
    return predicted;
}

FsrsFitter::Weights FsrsFitter::gradient(const std::vector<Card> &cards, const Weights &weights)
{
    Weights result{};
    if (!meanGradient(allOf(cards), weights, result))
        result.fill(0.0);
    return result;
}

double FsrsFitter::logLoss(const std::vector<Card> &cards, const Weights &weights)
{
    return meanLoss(allOf(cards), weights);
}

FsrsFitter::Result FsrsFitter::fit(const std::vector<Card> &cards, const Weights &start,
                                   const Progress &progress)
{
    Result result;
    result.weights = clamped(start);
    result.reviews = predictedReviews(cards);
    result.startLoss = logLoss(cards, result.weights);
    result.fittedLoss = result.startLoss;
    if (result.reviews < MinimumReviews)
        return result;

    // Fitted on four fifths of the cards and judged on the fifth held back, five times over;
    // only when that shows a clear gain are the weights fitted on all cards taken.
    const std::vector<const Card *> order = shuffled(cards);
    std::vector<std::vector<std::vector<const Card *>>> trainings(Folds);
    std::vector<std::vector<const Card *>> heldBack(Folds);
    for (int fold = 0; fold < Folds; ++fold) {
        std::vector<const Card *> training;
        for (std::size_t i = 0; i < order.size(); ++i)
            (int(i % Folds) == fold ? heldBack[fold] : training).push_back(order[i]);
        trainings[fold] = batchesOf(training);
    }
    const std::vector<std::vector<const Card *>> all = batchesOf(order);
    int total = int(all.size()) * Epochs;
    for (const auto &training : trainings)
        total += int(training.size()) * Epochs;
    Steps steps(progress, total);
    std::vector<double> gains;
    for (int fold = 0; fold < Folds; ++fold) {
        Weights weights = result.weights;
        if (!descend(trainings[fold], weights, steps)) {
            result.cancelled = true;
            return result;
        }
        appendGains(heldBack[fold], weights, result.weights, gains);
    }
    if (!clearlyBetter(gains))
        return result;
    Weights weights = result.weights;
    if (!descend(all, weights, steps)) {
        result.cancelled = true;
        return result;
    }
    result.weights = weights;
    result.fittedLoss = logLoss(cards, weights);
    result.fitted = true;
    return result;
}

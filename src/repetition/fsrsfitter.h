#pragma once

#include "repetition/fsrsmodel.h"

#include <functional>
#include <vector>

// Fits the memory model's weights to a learner's own reviews: the weights that predict best
// whether he recalled each entry side (the lowest log loss of the recall predictions), found
// by gradient steps (Adam) from the weights in use, each step kept within the published
// bounds of every weight. Fitted five times, each time with another fifth of the cards held
// back, it must predict the held-back reviews clearly better than the weights it started
// from; only then are the weights fitted on all cards taken.
class FsrsFitter
{
public:
    using Weights = FsrsModel::Weights;

    // One review of a card (an entry side): its grade 1-4 and the days since the card's
    // review before it (ignored for the first).
    struct Review
    {
        double elapsedDays = 0;
        int grade = 0;
    };
    using Card = std::vector<Review>;

    struct Result
    {
        Weights weights{};
        bool fitted = false; // false: too few reviews, cancelled, or no better than the start
        bool cancelled = false;
        int reviews = 0;       // the reviews whose recall was predicted
        double startLoss = 0;  // mean log loss with the weights fitting started from
        double fittedLoss = 0; // and with the weights returned
    };

    // Below this many predicted reviews the history says too little to fit.
    static constexpr int MinimumReviews = 400;
    static const Weights LowerBounds;
    static const Weights UpperBounds;

    // Called after each step with the steps done and all steps; returning false cancels.
    using Progress = std::function<bool(int done, int total)>;

    static Result fit(const std::vector<Card> &cards, const Weights &start, const Progress &progress = {});

    // The mean log loss of predicting every review after a card's first that comes a day or
    // more after the one before; reviews with a grade outside 1-4 or an interval that is
    // negative or not a number are left out, as they are from fitting.
    static double logLoss(const std::vector<Card> &cards, const Weights &weights);
    // The gradient of logLoss() by each weight.
    static Weights gradient(const std::vector<Card> &cards, const Weights &weights);
    static int predictedReviews(const std::vector<Card> &cards);
    // Within the bounds, and the defaults' value for a weight that is not a number.
    static Weights clamped(const Weights &weights);
};

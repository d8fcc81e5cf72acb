#pragma once

#include "repetition/fsrsformulas.h"

#include <array>

// The memory model behind the due words: the sixth generation of the free spaced repetition
// scheduler with its published default weights. An entry side has a stability (days until
// the chance of recall falls to 90 %) and a difficulty (1 to 10); each review moves both, and
// the next review is due when the chance of recall reaches the desired retention.
//
// A typed test gives only "Again" (a miss) or "Good"; a learner grading himself may also
// say "Hard" or "Easy".
class FsrsModel
{
public:
    enum class Rating { Again = 1, Hard = 2, Good = 3, Easy = 4 };

    struct Memory
    {
        double stability = 0;
        double difficulty = 0;
    };

    using Weights = std::array<double, 21>;
    static constexpr Weights DefaultWeights = {0.212,  1.2931, 2.3065, 8.2956, 6.4133, 0.8334, 3.0194,
                                               0.001,  1.8722, 0.1666, 0.796,  1.4835, 0.0614, 0.2629,
                                               1.6483, 0.6014, 1.8729, 0.5425, 0.0912, 0.0658, 0.1542};
    static constexpr double DesiredRetention = 0.9;
    static constexpr int MaximumIntervalDays = 365;
    static constexpr double MinimumStability = FsrsFormulas<double>::MinimumStability;
    static constexpr double MaximumStability = FsrsFormulas<double>::MaximumStability;

    // Each takes the weights fitted to a learner, or the defaults.

    // The chance of recall after elapsedDays with this stability; 1 when no time passed.
    static double retrievability(double elapsedDays, double stability, const Weights &w = DefaultWeights);
    // Whole days until the chance of recall falls to the desired retention: at least one,
    // at most the maximum interval.
    static int intervalDays(double stability, const Weights &w = DefaultWeights);

    // The memory after the first review of an entry side.
    static Memory first(Rating rating, const Weights &w = DefaultWeights);
    // The memory after a later review, elapsedDays after the one before (0: the same day).
    static Memory next(const Memory &memory, double elapsedDays, Rating rating,
                       const Weights &w = DefaultWeights);

    // Whether a stored memory can be carried on from: finite, positive stability and a finite
    // difficulty.
    static bool usable(const Memory &memory);
};

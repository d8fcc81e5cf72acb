#pragma once

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

    static constexpr std::array<double, 21> DefaultWeights = {
        0.212,  1.2931, 2.3065, 8.2956, 6.4133, 0.8334, 3.0194, 0.001,  1.8722, 0.1666, 0.796,
        1.4835, 0.0614, 0.2629, 1.6483, 0.6014, 1.8729, 0.5425, 0.0912, 0.0658, 0.1542};
    static constexpr double DesiredRetention = 0.9;
    static constexpr int MaximumIntervalDays = 365;
    static constexpr double MinimumStability = 0.001;
    static constexpr double MaximumStability = 36500;

    // The chance of recall after elapsedDays with this stability; 1 when no time passed.
    static double retrievability(double elapsedDays, double stability);
    // Whole days until the chance of recall falls to the desired retention: at least one,
    // at most the maximum interval.
    static int intervalDays(double stability);

    // The memory after the first review of an entry side.
    static Memory first(Rating rating);
    // The memory after a later review, elapsedDays after the one before (0: the same day).
    static Memory next(const Memory &memory, double elapsedDays, Rating rating);

    // Whether a stored memory can be carried on from: finite, positive stability and a finite
    // difficulty.
    static bool usable(const Memory &memory);

private:
    static double weight(int i) { return DefaultWeights[std::size_t(i)]; }
    static double decay();
    static double factor();
    static double initialDifficulty(double grade);
    static double nextDifficulty(double difficulty, Rating rating);
    static double stabilityAfterRecall(const Memory &memory, double recall, Rating rating);
    static double stabilityAfterLapse(const Memory &memory, double recall);
    static double stabilitySameDay(double stability, Rating rating);
    static double clampStability(double stability);
    static double clampDifficulty(double difficulty);
};

#pragma once

#include <array>
#include <cmath>
#include <math.h> // exp, log and pow of double in the global namespace, beside those found by ADL

inline double valueOf(double a)
{
    return a;
}

// The formulas of the memory model for any number type T: double for scheduling, a number
// that carries derivatives for fitting the weights. One copy of the formulas serves both.
template <typename T> class FsrsFormulas
{
public:
    using Weights = std::array<T, 21>;
    struct Memory
    {
        T stability = 0;
        T difficulty = 0;
    };
    static constexpr double MinimumStability = 0.001;
    static constexpr double MaximumStability = 36500;

    explicit FsrsFormulas(const Weights &weights) : w(weights) {}

    T decay() const { return -w[20]; }
    // Chosen so that the chance of recall is exactly 90 % after "stability" days.
    T factor() const { return pow(T(0.9), T(1.0) / decay()) - T(1.0); }

    T retrievability(double elapsedDays, const T &stability) const
    {
        const double t = elapsedDays > 0 ? elapsedDays : 0.0;
        return pow(T(1.0) + factor() * T(t) / clampStability(stability), decay());
    }

    // Days until the chance of recall falls to retention, unrounded.
    T daysUntil(const T &stability, double retention) const
    {
        return clampStability(stability) / factor() * (pow(T(retention), T(1.0) / decay()) - T(1.0));
    }

    Memory first(int grade) const
    {
        return Memory{clampStability(w[grade - 1]), clampDifficulty(initialDifficulty(grade))};
    }

    // elapsedDays below one is a review on the same day.
    Memory next(const Memory &memory, double elapsedDays, int grade) const
    {
        const Memory old{clampStability(memory.stability), clampDifficulty(memory.difficulty)};
        T stability;
        if (elapsedDays < 1.0) {
            stability = stabilitySameDay(old.stability, grade);
        } else {
            const T recall = retrievability(elapsedDays, old.stability);
            stability =
                grade == 1 ? stabilityAfterLapse(old, recall) : stabilityAfterRecall(old, recall, grade);
        }
        return Memory{clampStability(stability), nextDifficulty(old.difficulty, grade)};
    }

    static T clampStability(const T &stability)
    {
        using std::isfinite;
        if (!isfinite(stability))
            return T(valueOf(stability) > 0 ? MaximumStability : MinimumStability);
        return clamped(stability, MinimumStability, MaximumStability);
    }

    static T clampDifficulty(const T &difficulty)
    {
        using std::isfinite;
        if (!isfinite(difficulty))
            return T(5.0);
        return clamped(difficulty, 1.0, 10.0);
    }

private:
    const Weights &w;

    // A bound reached holds the value still: no derivative passes through it.
    static T clamped(const T &x, double low, double high)
    {
        if (valueOf(x) < low)
            return T(low);
        if (valueOf(x) > high)
            return T(high);
        return x;
    }
    static const T &smaller(const T &a, const T &b) { return valueOf(b) < valueOf(a) ? b : a; }
    static const T &larger(const T &a, const T &b) { return valueOf(b) > valueOf(a) ? b : a; }

    T initialDifficulty(int grade) const { return w[4] - exp(w[5] * T(grade - 1.0)) + T(1.0); }

    T nextDifficulty(const T &difficulty, int grade) const
    {
        const T delta = -w[6] * T(grade - 3.0);
        // The closer to the top, the smaller the step up.
        const T damped = difficulty + delta * (T(10.0) - difficulty) / T(9.0);
        // Drawn a little towards the difficulty of an entry first rated "Easy".
        const T reverted = w[7] * initialDifficulty(4) + (T(1.0) - w[7]) * damped;
        return clampDifficulty(reverted);
    }

    T stabilityAfterRecall(const Memory &memory, const T &recall, int grade) const
    {
        // A hard recall grows the memory less, an easy one more.
        const T gradeFactor = grade == 2 ? w[15] : grade == 4 ? w[16] : T(1.0);
        const T growth = exp(w[8]) * (T(11.0) - memory.difficulty) * pow(memory.stability, -w[9]) *
                         (exp(w[10] * (T(1.0) - recall)) - T(1.0)) * gradeFactor;
        return memory.stability * (growth + T(1.0));
    }

    T stabilityAfterLapse(const Memory &memory, const T &recall) const
    {
        const T after = w[11] * pow(memory.difficulty, -w[12]) *
                        (pow(memory.stability + T(1.0), w[13]) - T(1.0)) * exp(w[14] * (T(1.0) - recall));
        // A lapse never leaves a memory stronger than a same-day miss would.
        return smaller(after, memory.stability / exp(w[17] * w[18]));
    }

    T stabilitySameDay(const T &stability, int grade) const
    {
        T increase = exp(w[17] * (T(grade - 3.0) + w[18])) * pow(stability, -w[19]);
        if (grade >= 3)
            increase = larger(increase, T(1.0)); // a sure answer never weakens a memory
        return stability * increase;
    }
};

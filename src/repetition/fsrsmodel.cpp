#include "repetition/fsrsmodel.h"

#include <algorithm>
#include <cmath>

double FsrsModel::decay()
{
    return -weight(20);
}

double FsrsModel::factor()
{
    // Chosen so that the chance of recall is exactly 90 % after "stability" days.
    return std::pow(0.9, 1.0 / decay()) - 1.0;
}

double FsrsModel::retrievability(double elapsedDays, double stability)
{
    const double t = std::max(elapsedDays, 0.0);
    return std::pow(1.0 + factor() * t / clampStability(stability), decay());
}

int FsrsModel::intervalDays(double stability)
{
    const double days =
        clampStability(stability) / factor() * (std::pow(DesiredRetention, 1.0 / decay()) - 1.0);
    return int(std::clamp(std::round(days), 1.0, double(MaximumIntervalDays)));
}

double FsrsModel::initialDifficulty(double grade)
{
    return weight(4) - std::exp(weight(5) * (grade - 1.0)) + 1.0;
}

FsrsModel::Memory FsrsModel::first(Rating rating)
{
    const int grade = int(rating);
    return Memory{clampStability(weight(grade - 1)), clampDifficulty(initialDifficulty(grade))};
}

FsrsModel::Memory FsrsModel::next(const Memory &memory, double elapsedDays, Rating rating)
{
    if (!usable(memory))
        return first(rating);
    const Memory old{clampStability(memory.stability), clampDifficulty(memory.difficulty)};
    double stability = 0;
    if (elapsedDays < 1.0) {
        stability = stabilitySameDay(old.stability, rating);
    } else {
        const double recall = retrievability(elapsedDays, old.stability);
        stability = rating == Rating::Again ? stabilityAfterLapse(old, recall)
                                            : stabilityAfterRecall(old, recall, rating);
    }
    return Memory{clampStability(stability), nextDifficulty(old.difficulty, rating)};
}

double FsrsModel::nextDifficulty(double difficulty, Rating rating)
{
    const double delta = -weight(6) * (double(rating) - 3.0);
    // The closer to the top, the smaller the step up.
    const double damped = difficulty + delta * (10.0 - difficulty) / 9.0;
    // Drawn a little towards the difficulty of an entry first rated "Easy".
    const double reverted = weight(7) * initialDifficulty(4) + (1.0 - weight(7)) * damped;
    return clampDifficulty(reverted);
}

double FsrsModel::stabilityAfterRecall(const Memory &memory, double recall, Rating rating)
{
    // A hard recall grows the memory less, an easy one more.
    const double gradeFactor = rating == Rating::Hard   ? weight(15)
                               : rating == Rating::Easy ? weight(16)
                                                        : 1.0;
    const double growth = std::exp(weight(8)) * (11.0 - memory.difficulty) *
                          std::pow(memory.stability, -weight(9)) *
                          (std::exp(weight(10) * (1.0 - recall)) - 1.0) * gradeFactor;
    return memory.stability * (growth + 1.0);
}

double FsrsModel::stabilityAfterLapse(const Memory &memory, double recall)
{
    const double after = weight(11) * std::pow(memory.difficulty, -weight(12)) *
                         (std::pow(memory.stability + 1.0, weight(13)) - 1.0) *
                         std::exp(weight(14) * (1.0 - recall));
    // A lapse never leaves a memory stronger than a same-day miss would.
    return std::min(after, memory.stability / std::exp(weight(17) * weight(18)));
}

double FsrsModel::stabilitySameDay(double stability, Rating rating)
{
    const double grade = double(rating);
    double increase = std::exp(weight(17) * (grade - 3.0 + weight(18))) * std::pow(stability, -weight(19));
    if (rating >= Rating::Good)
        increase = std::max(increase, 1.0); // a sure answer never weakens a memory
    return stability * increase;
}

bool FsrsModel::usable(const Memory &memory)
{
    return std::isfinite(memory.stability) && memory.stability > 0 && std::isfinite(memory.difficulty);
}

double FsrsModel::clampStability(double stability)
{
    if (!std::isfinite(stability))
        return stability > 0 ? MaximumStability : MinimumStability;
    return std::clamp(stability, MinimumStability, MaximumStability);
}

double FsrsModel::clampDifficulty(double difficulty)
{
    if (!std::isfinite(difficulty))
        return 5.0;
    return std::clamp(difficulty, 1.0, 10.0);
}

#pragma once

#include "repetition/reviewstate.h"

#include <QDateTime>
#include <optional>

// One review of an entry side applied to its state: the memory moves by the model and the
// next review is set where the chance of recall reaches the desired retention.
class ReviewScheduler
{
public:
    static constexpr qint64 SecondsPerDay = 86400;

    // previous is the stored state, if any. A clock set back, or a state written on a machine
    // whose clock ran ahead, counts as a review on the same day; a damaged memory starts afresh.
    // weights: the unit's fitted weights, or the defaults.
    static ReviewState review(const std::optional<ReviewState> &previous, qint64 entry, int direction,
                              FsrsModel::Rating rating, const QDateTime &now,
                              const FsrsModel::Weights &weights = FsrsModel::DefaultWeights);
    // The calendar days since the previous review that review() carries the memory on from;
    // none when it starts afresh (no state, never reviewed, a damaged memory).
    static std::optional<qint64> elapsedDays(const std::optional<ReviewState> &previous,
                                             const QDateTime &now);
};

#include "repetition/reviewscheduler.h"

#include "repetition/reviewclock.h"

#include <algorithm>

ReviewState ReviewScheduler::review(const std::optional<ReviewState> &previous, qint64 entry, int direction,
                                    FsrsModel::Rating rating, const QDateTime &now,
                                    const FsrsModel::Weights &weights)
{
    const qint64 moment = now.toSecsSinceEpoch();
    ReviewState state;
    state.entry = entry;
    state.direction = direction;
    state.firstReview = moment;
    const std::optional<qint64> days = elapsedDays(previous, now);
    const bool carriedOn = days.has_value();
    if (carriedOn) {
        state.memory = FsrsModel::next(previous->memory, double(*days), rating, weights);
    } else {
        state.memory = FsrsModel::first(rating, weights);
    }
    if (previous) {
        state.firstReview = previous->firstReview > 0 ? std::min(previous->firstReview, moment) : moment;
        state.reviews = std::max(previous->reviews, 0);
        state.lapses = std::max(previous->lapses, 0);
    }
    state.reviews += 1;
    if (rating == FsrsModel::Rating::Again && carriedOn)
        state.lapses += 1;
    state.lastReview = moment;
    state.due = ReviewTime::daysLater(now, FsrsModel::intervalDays(state.memory.stability, weights));
    return state;
}

std::optional<qint64> ReviewScheduler::elapsedDays(const std::optional<ReviewState> &previous,
                                                   const QDateTime &now)
{
    if (!previous || previous->reviews <= 0 || !FsrsModel::usable(previous->memory))
        return std::nullopt;
    return std::max<qint64>(ReviewTime::dayOf(previous->lastReview, now).daysTo(now.date()), 0);
}

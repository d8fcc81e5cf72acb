#include "repetition/reviewscheduler.h"

#include "repetition/reviewclock.h"

#include <algorithm>

ReviewState ReviewScheduler::review(const std::optional<ReviewState> &previous, qint64 entry, int direction,
                                    FsrsModel::Rating rating, const QDateTime &now)
{
    const qint64 moment = now.toSecsSinceEpoch();
    ReviewState state;
    state.entry = entry;
    state.direction = direction;
    state.firstReview = moment;
    const bool carriedOn = previous && previous->reviews > 0 && FsrsModel::usable(previous->memory);
    if (carriedOn) {
        const qint64 days = ReviewTime::dayOf(previous->lastReview, now).daysTo(now.date());
        state.memory = FsrsModel::next(previous->memory, double(std::max<qint64>(days, 0)), rating);
    } else {
        state.memory = FsrsModel::first(rating);
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
    state.due = ReviewTime::daysLater(now, FsrsModel::intervalDays(state.memory.stability));
    return state;
}

#include "repetition/duewords.h"

#include "repetition/reviewclock.h"
#include "repetition/reviewscheduler.h"

#include "platform/sqlitetable.h"

ReviewStore::DueCounts DueWords::counts(const SqliteTable &table, const QDateTime &now)
{
    if (!table.connection())
        return {};
    const qint64 latest =
        now.toSecsSinceEpoch() + FsrsModel::MaximumIntervalDays * ReviewScheduler::SecondsPerDay;
    return ReviewStore(*table.connection())
        .dueCounts(ReviewTime::startOfDay(now, 1), ReviewTime::startOfDay(now, 8), latest);
}

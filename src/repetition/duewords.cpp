#include "repetition/duewords.h"

#include "repetition/reviewclock.h"
#include "repetition/reviewscheduler.h"

#include "platform/table/sqlitetable.h"

ReviewStore::DueCounts DueWords::counts(const SqliteTable &table, const QDateTime &now)
{
    if (!table.connection())
        return {};
    const qint64 latest = ReviewTime::daysLater(now, FsrsModel::MaximumIntervalDays);
    return ReviewStore(*table.connection())
        .dueCounts(ReviewTime::endOfToday(now), ReviewTime::startOfDay(now, 8), latest);
}

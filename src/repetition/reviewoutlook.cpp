#include "repetition/reviewoutlook.h"

#include "platform/table/sqlitedatabase.h"
#include "platform/table/sqlitetable.h"
#include "platform/table/tableschema.h"
#include "repetition/reviewclock.h"
#include "repetition/reviewhistory.h"
#include "repetition/reviewstore.h"

#include <algorithm>

std::optional<double> ReviewOutlook::Retention::share() const
{
    if (reviews <= 0)
        return std::nullopt;
    return double(recalled) / reviews;
}

QList<int> ReviewOutlook::duePerDay(SqliteDatabase &db, const QDateTime &now, int days)
{
    QList<int> counts(std::max(days, 0), 0);
    // ends.at(d): the first moment after day d.
    QList<qint64> ends;
    for (int day = 1; day <= days; ++day)
        ends.append(ReviewTime::startOfDay(now, day));
    const qint64 latest = ReviewTime::daysLater(now, FsrsModel::MaximumIntervalDays);
    const ReviewStore store(db);
    for (const int direction : {0, 1}) {
        // The start of today only matters for counting new words, which this does not.
        for (const ReviewStore::DueRow &row : store.dueStates(direction, latest, 0).rows) {
            const auto day = std::upper_bound(ends.cbegin(), ends.cend(), row.due) - ends.cbegin();
            if (day < days)
                ++counts[day];
        }
    }
    return counts;
}

ReviewOutlook::Retention ReviewOutlook::retention(const SqliteDatabase &db, const QDateTime &now, int days)
{
    Retention result;
    if (!db.hasTable(QLatin1String(ReviewHistory::LogTable)) || days <= 0)
        return result;
    // Text where a number belongs sorts after every number in SQLite, so the types are asked
    // for; a grade such as 2.5 is no grade.
    SqliteStatement query(
        db, QStringLiteral("SELECT count(*), total(grade <> 1) FROM %1 AS r WHERE grade IN (1, 2, 3, 4) "
                           "AND typeof(elapsed_days) IN ('integer', 'real') AND elapsed_days >= 1 "
                           "AND typeof(reviewed_at) = 'integer' AND reviewed_at BETWEEN ? AND ? "
                           "AND EXISTS (SELECT 1 FROM %2 AS v WHERE v.rowid = r.entry)")
                .arg(TableSchema::quoted(QLatin1String(ReviewHistory::LogTable)),
                     TableSchema::quoted(QLatin1String(TableSchema::DataTable))));
    query.bindInt(1, ReviewTime::startOfDay(now, 1 - days));
    query.bindInt(2, now.toSecsSinceEpoch());
    if (query.step()) {
        result.reviews = int(query.int64(0));
        result.recalled = int(query.int64(1));
    }
    query.reset();
    return result;
}

ReviewOutlook::Outlook ReviewOutlook::of(const SqliteTable &table, const QDateTime &now)
{
    Outlook outlook;
    SqliteDatabase *db = table.connection();
    if (!db)
        return outlook;
    outlook.duePerDay = duePerDay(*db, now);
    outlook.retention = retention(*db, now);
    return outlook;
}

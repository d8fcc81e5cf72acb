#include "repetition/testreviews.h"

#include "repetition/duequeue.h"
#include "repetition/reviewscheduler.h"
#include "repetition/reviewstore.h"

#include "platform/sqlitetable.h"

#include <algorithm>

void TestReviews::begin(SqliteTable *table, int direction)
{
    m_table = table;
    m_direction = direction;
    m_reviewed.clear();
}

void TestReviews::record(qint64 entry, FsrsModel::Rating rating)
{
    if (!m_table || !m_table->connection() || m_reviewed.contains(entry))
        return;
    m_reviewed.insert(entry);
    ReviewStore store(*m_table->connection());
    store.ensureTable();
    store.save(ReviewScheduler::review(store.state(entry, m_direction), entry, m_direction, rating, now()));
}

QList<qint64> TestReviews::dueQueue(const QList<qint64> &eligible, int newPerDay) const
{
    if (!m_table || !m_table->connection())
        return {};
    const QDateTime moment = now();
    const ReviewStore store(*m_table->connection());
    const qint64 latest =
        moment.toSecsSinceEpoch() + FsrsModel::MaximumIntervalDays * ReviewScheduler::SecondsPerDay;
    const ReviewStore::DueStates states =
        store.dueStates(m_direction, latest, ReviewTime::startOfDay(moment, 0));
    return DueQueue::build(eligible, states.rows, ReviewTime::startOfDay(moment, 1),
                           std::max(0, newPerDay - states.introducedToday));
}

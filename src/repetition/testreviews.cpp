#include "repetition/testreviews.h"

#include "repetition/duequeue.h"
#include "repetition/reviewhistory.h"
#include "repetition/reviewscheduler.h"
#include "repetition/reviewstore.h"
#include "repetition/unitweights.h"

#include "platform/table/sqlitedatabase.h"
#include "platform/table/sqlitetable.h"

#include <algorithm>
#include <cmath>

void TestReviews::begin(SqliteTable *table, int direction)
{
    m_table = table;
    m_direction = direction;
    m_reviewed.clear();
    m_failed = false;
    m_weightsRead = false;
}

ReviewHistory::Row TestReviews::historyRow(const std::optional<ReviewState> &previous, qint64 entry,
                                           FsrsModel::Rating rating, const QDateTime &moment) const
{
    ReviewHistory::Row row;
    row.entry = entry;
    row.direction = m_direction;
    row.reviewedAt = moment.toSecsSinceEpoch();
    row.grade = int(rating);
    const std::optional<qint64> days = ReviewScheduler::elapsedDays(previous, moment);
    row.elapsedDays = days ? double(*days) : std::nan("");
    if (days)
        row.before = previous->memory;
    return row;
}

void TestReviews::record(qint64 entry, FsrsModel::Rating rating)
{
    if (!m_table || !m_table->connection() || m_reviewed.contains(entry) || m_failed)
        return;
    m_reviewed.insert(entry);
    SqliteDatabase &db = *m_table->connection();
    // A savepoint nests inside a transaction the caller holds, and stands alone without one.
    db.execCached(QStringLiteral("SAVEPOINT review_write"));
    try {
        ReviewStore store(db);
        ReviewHistory history(db);
        // Made or found once per opening of the file: the connection remembers them.
        store.ensureTable();
        history.ensureTable();
        if (!m_weightsRead) {
            m_weights = UnitWeights(db).weights();
            m_weightsRead = true;
        }
        const QDateTime moment = now();
        const std::optional<ReviewState> previous = store.knownState(entry, m_direction);
        store.save(ReviewScheduler::review(previous, entry, m_direction, rating, moment, m_weights));
        history.append(historyRow(previous, entry, rating, moment));
        db.execCached(QStringLiteral("RELEASE review_write"));
    } catch (...) {
        m_failed = true;
        try {
            db.exec(QStringLiteral("ROLLBACK TO review_write"));
            db.exec(QStringLiteral("RELEASE review_write"));
        } catch (...) {
            // The error that stopped the write is the one to report.
        }
        throw;
    }
}

QList<qint64> TestReviews::dueQueue(const QList<qint64> &eligible, int newPerDay) const
{
    if (!m_table || !m_table->connection())
        return {};
    const QDateTime moment = now();
    const ReviewStore store(*m_table->connection());
    const qint64 latest = ReviewTime::daysLater(moment, FsrsModel::MaximumIntervalDays);
    const ReviewStore::DueStates states =
        store.dueStates(m_direction, latest, ReviewTime::startOfDay(moment, 0));
    return DueQueue::build(eligible, states.rows, ReviewTime::endOfToday(moment),
                           std::max(0, newPerDay - states.introducedToday));
}

#pragma once

#include "repetition/fsrsmodel.h"
#include "repetition/reviewclock.h"
#include "repetition/reviewhistory.h"
#include "repetition/reviewstate.h"

#include <QList>
#include <QPointer>
#include <QSet>

class SqliteTable;

// The reviews of one test: each entry gets one, the first time it is missed or when it
// leaves the queue unmissed, in the direction the test asks. Also builds the queue of the due
// words for that direction.
class TestReviews
{
public:
    void setClock(ReviewClock clock) { m_clock = std::move(clock); }
    QDateTime now() const { return m_clock(); }

    // A new test over the table's file, asking direction 0 (native side) or 1 (foreign side).
    void begin(SqliteTable *table, int direction);
    bool reviewed(qint64 entry) const { return m_reviewed.contains(entry); }
    // Writes the entry's review (its state and a row of the history) inside whatever
    // transaction the table holds, all of it or nothing, leaving the rest of that transaction
    // alone. An entry is reviewed once per test; after a failure no review is tried again in
    // this test. Throws TableError.
    void record(qint64 entry, FsrsModel::Rating rating);

    // The due entries among eligible (keys in table order), then today's new ones.
    QList<qint64> dueQueue(const QList<qint64> &eligible, int newPerDay) const;

private:
    ReviewHistory::Row historyRow(const std::optional<ReviewState> &previous, qint64 entry,
                                  FsrsModel::Rating rating, const QDateTime &moment) const;

    QPointer<SqliteTable> m_table;
    int m_direction = 0;
    QSet<qint64> m_reviewed;
    bool m_failed = false;
    bool m_weightsRead = false;
    FsrsModel::Weights m_weights = FsrsModel::DefaultWeights; // the unit's, read once per test
    ReviewClock m_clock = ReviewTime::systemClock();
};

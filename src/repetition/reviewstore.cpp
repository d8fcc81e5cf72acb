#include "repetition/reviewstore.h"

#include "platform/sqlitedatabase.h"
#include "platform/tableschema.h"

namespace {
QString table()
{
    return TableSchema::quoted(QLatin1String(ReviewStore::StateTable));
}

// The moment a state is due as the schedule may trust it: damaged rows (NULL for a NaN, text,
// a stability that cannot be carried on from) count as due long ago; none later than ?1.
QString effectiveDue()
{
    return QStringLiteral(
        "CASE WHEN typeof(due) IN ('integer', 'real') AND typeof(stability) IN ('integer', 'real') "
        "AND stability > 0 AND stability < 1e308 AND typeof(difficulty) IN ('integer', 'real') "
        "AND abs(difficulty) < 1e308 THEN min(CAST(due AS INTEGER), ?1) ELSE 0 END");
}
} // namespace

bool ReviewStore::hasTable() const
{
    SqliteStatement query(m_db,
                          QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?"));
    query.bindText(1, QLatin1String(StateTable));
    const bool found = query.step();
    query.reset();
    return found;
}

void ReviewStore::ensureTable()
{
    // A savepoint nests inside a transaction the caller holds, and stands alone without one.
    m_db.exec(QStringLiteral("SAVEPOINT review_schema"));
    try {
        m_db.exec(
            QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (entry INTEGER NOT NULL, direction INTEGER NOT "
                           "NULL, stability REAL, difficulty REAL, first_review INTEGER, last_review "
                           "INTEGER, due INTEGER, reviews INTEGER, lapses INTEGER, "
                           "PRIMARY KEY (entry, direction))")
                .arg(table()));
        // Counts are never reused, so a state removed with its entry can never be missed.
        m_db.exec(QStringLiteral("CREATE TRIGGER IF NOT EXISTS review_state_forget AFTER DELETE ON %1 "
                                 "BEGIN DELETE FROM %2 WHERE entry = old.rowid; END")
                      .arg(TableSchema::quoted(QLatin1String(TableSchema::DataTable)), table()));
        m_db.exec(QStringLiteral("RELEASE review_schema"));
    } catch (...) {
        try {
            m_db.exec(QStringLiteral("ROLLBACK TO review_schema"));
            m_db.exec(QStringLiteral("RELEASE review_schema"));
        } catch (...) {
        }
        throw;
    }
}

std::optional<ReviewState> ReviewStore::state(qint64 entry, int direction) const
{
    if (!hasTable())
        return std::nullopt;
    SqliteStatement query(m_db,
                          QStringLiteral("SELECT stability, difficulty, first_review, last_review, due, "
                                         "reviews, lapses FROM %1 WHERE entry = ? AND direction = ?")
                              .arg(table()));
    query.bindInt(1, entry);
    query.bindInt(2, direction);
    if (!query.step())
        return std::nullopt;
    ReviewState state;
    state.entry = entry;
    state.direction = direction;
    // NULL (how a NaN comes back) reads as a memory that cannot be carried on from.
    state.memory.stability = query.isNull(0) ? 0.0 : query.real(0);
    state.memory.difficulty = query.isNull(1) ? 0.0 : query.real(1);
    state.firstReview = query.int64(2);
    state.lastReview = query.int64(3);
    state.due = query.int64(4);
    state.reviews = int(query.int64(5));
    state.lapses = int(query.int64(6));
    query.reset();
    return state;
}

void ReviewStore::save(const ReviewState &state)
{
    SqliteStatement upsert(
        m_db,
        QStringLiteral("INSERT INTO %1 (entry, direction, stability, difficulty, first_review, last_review, "
                       "due, reviews, lapses) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?) "
                       "ON CONFLICT (entry, direction) DO UPDATE SET stability = excluded.stability, "
                       "difficulty = excluded.difficulty, first_review = excluded.first_review, "
                       "last_review = excluded.last_review, due = excluded.due, "
                       "reviews = excluded.reviews, lapses = excluded.lapses")
            .arg(table()));
    upsert.bindInt(1, state.entry);
    upsert.bindInt(2, state.direction);
    upsert.bindReal(3, state.memory.stability);
    upsert.bindReal(4, state.memory.difficulty);
    upsert.bindInt(5, state.firstReview);
    upsert.bindInt(6, state.lastReview);
    upsert.bindInt(7, state.due);
    upsert.bindInt(8, state.reviews);
    upsert.bindInt(9, state.lapses);
    upsert.step();
}

QList<ReviewStore::DueRow> ReviewStore::dueRows(int direction, qint64 latest) const
{
    QList<DueRow> rows;
    if (!hasTable())
        return rows;
    SqliteStatement query(
        m_db, QStringLiteral("SELECT entry, %1 FROM %2 WHERE direction = ?2").arg(effectiveDue(), table()));
    query.bindInt(1, latest);
    query.bindInt(2, direction);
    while (query.step())
        rows.append(DueRow{query.int64(0), query.int64(1)});
    return rows;
}

int ReviewStore::introducedSince(int direction, qint64 since) const
{
    if (!hasTable())
        return 0;
    SqliteStatement query(
        m_db,
        QStringLiteral("SELECT count(*) FROM %1 WHERE direction = ? AND first_review >= ?").arg(table()));
    query.bindInt(1, direction);
    query.bindInt(2, since);
    const int count = query.step() ? int(query.int64(0)) : 0;
    query.reset();
    return count;
}

ReviewStore::DueCounts ReviewStore::dueCounts(qint64 endOfToday, qint64 endOfWeek, qint64 latest) const
{
    DueCounts counts;
    if (!hasTable())
        return counts;
    SqliteStatement query(m_db, QStringLiteral("SELECT count(DISTINCT CASE WHEN d < ?2 THEN entry END), "
                                               "count(DISTINCT CASE WHEN d < ?3 THEN entry END) "
                                               "FROM (SELECT entry, %1 AS d FROM %2)")
                                    .arg(effectiveDue(), table()));
    query.bindInt(1, latest);
    query.bindInt(2, endOfToday);
    query.bindInt(3, endOfWeek);
    if (query.step()) {
        counts.today = int(query.int64(0));
        counts.nextWeek = int(query.int64(1));
    }
    query.reset();
    return counts;
}

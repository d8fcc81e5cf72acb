#include "repetition/reviewstore.h"

#include "platform/table/sqlitedatabase.h"
#include "platform/table/tableschema.h"
#include "repetition/reviewclock.h"
#include "vocfile/entrysidetables.h"

#include <QSet>
#include <algorithm>
#include <limits>

namespace {
QString table()
{
    return TableSchema::quoted(QLatin1String(ReviewStore::StateTable));
}

// A column that may hold NULL (how SQLite keeps a NaN) as a number; NULL reads as NaN.
double realOrNaN(const SqliteStatement &row, int column)
{
    return row.isNull(column) ? std::numeric_limits<double>::quiet_NaN() : row.real(column);
}

// Calls visit(entry, due, first review) for each state of the direction (-1: both) in the
// order of their entries, with the due moment made trustworthy: a damaged state (no usable
// memory, no due moment, text in the due column) is long overdue, and none is due after latest.
template <class Visit> void readDue(const SqliteDatabase &db, int direction, qint64 latest, Visit visit)
{
    // A state whose entry is gone (deleted by a program that left its states behind) is no
    // word to review.
    const QString ofDirection =
        direction < 0 ? QString() : QStringLiteral(" AND direction = %1").arg(direction);
    SqliteStatement query(
        db, QStringLiteral("SELECT entry, due, stability, difficulty, first_review FROM %1 AS s WHERE "
                           "EXISTS (SELECT 1 FROM %2 AS v WHERE v.rowid = s.entry)%3 ORDER BY entry")
                .arg(table(), TableSchema::quoted(QLatin1String(TableSchema::DataTable)), ofDirection));
    while (query.step()) {
        const FsrsModel::Memory memory{realOrNaN(query, 2), realOrNaN(query, 3)};
        const qint64 due =
            FsrsModel::usable(memory) && !query.isNull(1) ? std::min(query.int64(1), latest) : 0;
        visit(query.int64(0), due, query.int64(4));
    }
}
} // namespace

bool ReviewStore::hasTable() const
{
    return m_db.hasTable(QLatin1String(StateTable));
}

void ReviewStore::ensureTable()
{
    // Made or found once per opening of the file, not at every review.
    if (m_db.knowsSchema(QLatin1String(StateTable)))
        return;
    // A savepoint nests inside a transaction the caller holds, and stands alone without one.
    m_db.exec(QStringLiteral("SAVEPOINT review_schema"));
    try {
        m_db.exec(
            QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (entry INTEGER NOT NULL, direction INTEGER NOT "
                           "NULL, stability REAL, difficulty REAL, first_review INTEGER, last_review "
                           "INTEGER, due INTEGER, reviews INTEGER, lapses INTEGER, "
                           "PRIMARY KEY (entry, direction)) WITHOUT ROWID")
                .arg(table()));
        // Counts are never reused, so a state removed with its entry can never be missed.
        // Older programs delete entries without forget() and rely on the trigger.
        m_db.exec(QStringLiteral("CREATE TRIGGER IF NOT EXISTS review_state_forget AFTER DELETE ON %1 "
                                 "BEGIN DELETE FROM %2 WHERE entry = old.rowid; END")
                      .arg(TableSchema::quoted(QLatin1String(TableSchema::DataTable)), table()));
        m_db.exec(QStringLiteral("RELEASE review_schema"));
        m_db.learnSchema(QLatin1String(StateTable));
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
    return knownState(entry, direction);
}

std::optional<ReviewState> ReviewStore::knownState(qint64 entry, int direction) const
{
    static const QString sql = QStringLiteral("SELECT stability, difficulty, first_review, last_review, due, "
                                              "reviews, lapses FROM %1 WHERE entry = ? AND direction = ?")
                                   .arg(table());
    SqliteStatement &query = m_db.cached(sql);
    query.bindInt(1, entry);
    query.bindInt(2, direction);
    if (!query.step())
        return std::nullopt;
    ReviewState state;
    state.entry = entry;
    state.direction = direction;
    state.memory.stability = realOrNaN(query, 0);
    state.memory.difficulty = realOrNaN(query, 1);
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
    static const QString sql =
        QStringLiteral("INSERT INTO %1 (entry, direction, stability, difficulty, first_review, last_review, "
                       "due, reviews, lapses) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?) "
                       "ON CONFLICT (entry, direction) DO UPDATE SET stability = excluded.stability, "
                       "difficulty = excluded.difficulty, first_review = excluded.first_review, "
                       "last_review = excluded.last_review, due = excluded.due, "
                       "reviews = excluded.reviews, lapses = excluded.lapses")
            .arg(table());
    SqliteStatement &upsert = m_db.cached(sql);
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
    upsert.reset();
}

void ReviewStore::forget(qint64 entry)
{
    EntrySideTables::forgetEntry(m_db, entry);
}

ReviewStore::DueStates ReviewStore::dueStates(int direction, qint64 latest, qint64 startOfToday) const
{
    DueStates states;
    if (!hasTable())
        return states;
    readDue(m_db, direction, latest, [&](qint64 entry, qint64 due, qint64 firstReview) {
        states.rows.append(DueRow{entry, due});
        if (firstReview >= startOfToday)
            ++states.introducedToday;
    });
    return states;
}

ReviewStore::DueCounts ReviewStore::dueCounts(qint64 endOfToday, qint64 endOfWeek, qint64 latest) const
{
    QSet<qint64> today;
    QSet<qint64> week;
    if (!hasTable())
        return {};
    readDue(m_db, -1, latest, [&](qint64 entry, qint64 due, qint64) {
        if (ReviewTime::dueBefore(due, endOfToday))
            today.insert(entry);
        if (ReviewTime::dueBefore(due, endOfWeek))
            week.insert(entry);
    });
    return DueCounts{int(today.size()), int(week.size())};
}

QList<QVariantList> ReviewStore::storedStates(qint64 entry) const
{
    return storedStates(entry, entry).value(entry);
}

QHash<qint64, QList<QVariantList>> ReviewStore::storedStates(qint64 first, qint64 last) const
{
    QHash<qint64, QList<QVariantList>> states;
    if (!hasTable())
        return states;
    SqliteStatement query(m_db, QStringLiteral("SELECT * FROM %1 WHERE entry BETWEEN ? AND ? ORDER BY entry, "
                                               "direction")
                                    .arg(table()));
    query.bindInt(1, first);
    query.bindInt(2, last);
    while (query.step()) {
        QVariantList row;
        for (int column = 0; column < query.columnCount(); ++column)
            row.append(query.value(column));
        states[query.int64(0)].append(row);
    }
    return states;
}

void ReviewStore::putStoredStates(qint64 entry, const QList<QVariantList> &rows)
{
    if (!hasTable()) {
        if (rows.isEmpty())
            return;
        ensureTable();
    }
    forget(entry);
    for (const QVariantList &row : rows) {
        QStringList parameters;
        for (int column = 1; column <= row.size(); ++column)
            parameters.append(QStringLiteral("?%1").arg(column));
        SqliteStatement insert(
            m_db,
            QStringLiteral("INSERT INTO %1 VALUES (%2)").arg(table(), parameters.join(QLatin1String(", "))));
        for (int column = 0; column < row.size(); ++column)
            insert.bind(column + 1, row.at(column));
        insert.step();
    }
}

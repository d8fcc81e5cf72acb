#pragma once

#include "repetition/reviewstate.h"
#include "vocfile/entrysidetables.h"

#include <QHash>
#include <QList>
#include <QVariant>
#include <optional>

class SqliteDatabase;

// The review states of a unit, kept in a table of their own beside the vocabulary table in
// the unit's ".db" file, so that copying, moving, renaming and packing the unit carry them.
// The table is made when the first review is written; a unit without it has never been
// reviewed. Deleting an entry deletes its states with it: the unit's table calls forget(), and
// a trigger does it for older programs, which do not.
// Columns a later version adds are left alone. Failures throw TableError.
class ReviewStore
{
public:
    static constexpr const char *StateTable = EntrySideTables::StateTable;

    // An entry side with the moment it is due, for building a due queue.
    struct DueRow
    {
        qint64 entry = 0;
        qint64 due = 0;
    };

    // The due moments of one direction and how many of its states were first reviewed
    // today, read in one pass.
    struct DueStates
    {
        QList<DueRow> rows;
        int introducedToday = 0;
    };

    struct DueCounts
    {
        int today = 0;    // due by the end of today, overdue ones included
        int nextWeek = 0; // due by the end of the seventh day from today, today's included
    };

    explicit ReviewStore(SqliteDatabase &db) : m_db(db) {}

    bool hasTable() const;
    // Makes the table and its clean-up on deletion when they are missing; all or nothing.
    // Looks once per opening of the file.
    void ensureTable();

    std::optional<ReviewState> state(qint64 entry, int direction) const;
    // The same once ensureTable() has made or found the table.
    std::optional<ReviewState> knownState(qint64 entry, int direction) const;
    void save(const ReviewState &state);
    // Removes the states of an entry, in both directions.
    void forget(qint64 entry);
    // An entry's states as the table holds them, every column, to be put back unchanged
    // (columns a later version added included).
    QList<QVariantList> storedStates(qint64 entry) const;
    // The same for the entries first to last, read in one pass; entries without states are
    // left out.
    QHash<qint64, QList<QVariantList>> storedStates(qint64 first, qint64 last) const;
    // Replaces the entry's states by rows read with storedStates().
    void putStoredStates(qint64 entry, const QList<QVariantList> &rows);

    // Every state of one direction with the moment it is due. A damaged state (no usable
    // memory, no due moment) is due at once; none is due later than latest, so a date far
    // in the future cannot hide an entry for longer than the longest interval. States first
    // reviewed at or after startOfToday are counted.
    // The rows come in the order of their entries.
    DueStates dueStates(int direction, qint64 latest, qint64 startOfToday) const;
    // Entries with a side due before the two ends, either direction counted once.
    DueCounts dueCounts(qint64 endOfToday, qint64 endOfWeek, qint64 latest) const;

private:
    SqliteDatabase &m_db;
};

#pragma once

#include "repetition/fsrsfitter.h"
#include "repetition/fsrsmodel.h"
#include "vocfile/entrysidetables.h"

#include <QList>
#include <QString>

class SqliteDatabase;

// Every review of a unit's entries, appended to a table of its own in the unit's ".db" beside
// the review states, so that the memory model can be fitted to the learner and his retention
// measured. A deleted entry keeps its rows until the unit is packed (an undone delete finds
// them again); packing removes them explicitly. The vocabulary table is never touched.
// Failures throw TableError.
class ReviewHistory
{
public:
    static constexpr const char *LogTable = EntrySideTables::HistoryTable;

    struct Row
    {
        qint64 entry = 0;
        int direction = 0;
        qint64 reviewedAt = 0; // seconds since the epoch, UTC
        int grade = 0;         // 1 Again, 2 Hard, 3 Good, 4 Easy
        // Days since the review before of the same entry and direction, and the memory
        // before this review; not numbers for a first review.
        double elapsedDays = 0;
        FsrsModel::Memory before;
        bool first() const;
    };

    // A history made ready for fitting: one card per entry and direction, and the rows that
    // could not be used (a time in the future, a grade outside 1-4, a negative interval).
    struct Cards
    {
        std::vector<FsrsFitter::Card> cards;
        int skipped = 0;
    };

    explicit ReviewHistory(SqliteDatabase &db) : m_db(db) {}

    bool hasTable() const;
    // Makes the table when it is missing; all or nothing.
    void ensureTable();
    void append(const Row &row);
    // In the order of entry, direction and time.
    QList<Row> rows() const;
    int count() const;
    Cards cards(qint64 now) const;
    // Removes the rows of entries that are gone; returns how many.
    int forgetOrphans();
    // The rows as the revlog CSV that FSRS tools read: card_id (entry * 2 + direction),
    // review_time (milliseconds since the epoch), review_rating, review_state (0 new,
    // 2 review, 3 relearning after an Again) and review_duration (0: not measured). A row
    // whose grade is not 1-4 is left out, since no such tool knows it; written counts the rows.
    QByteArray csv(int *written = nullptr) const;

private:
    SqliteDatabase &m_db;
};

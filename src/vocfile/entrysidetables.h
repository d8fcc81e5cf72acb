#pragma once

#include <QtGlobal>

class SqliteDatabase;

// The tables beside a unit's words that hold rows per entry: the review states and the review
// history. What they hold belongs to the repetition; their lifetime belongs to the unit, so a
// table that deletes entries keeps them in step without knowing what they mean.
namespace EntrySideTables {
inline constexpr const char *StateTable = "review_state";
inline constexpr const char *HistoryTable = "review_log";

// A deleted entry's states go with it at once.
void forgetEntry(SqliteDatabase &db, qint64 entry);
// The history of entries that no longer exist; the number of rows removed.
int forgetOrphans(SqliteDatabase &db);
} // namespace EntrySideTables

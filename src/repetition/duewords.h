#pragma once

#include "repetition/reviewstore.h"

#include <QDateTime>

class SqliteTable;

// How many words of the open unit are due, for showing beside the test count: due today
// (overdue ones included) and due within the next seven days (today's included). An entry
// due in both directions counts once; a closed table or a unit never reviewed counts none.
// Throws TableError when the file cannot be read.
namespace DueWords {
ReviewStore::DueCounts counts(const SqliteTable &table, const QDateTime &now);
}

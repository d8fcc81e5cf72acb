#pragma once

#include "platform/table/sqlitedatabase.h"
#include "platform/table/tableschema.h"

#include <functional>
#include <memory>

// A table file as a whole: creating one, opening one of ours (and only ours) with its lock,
// and compacting one.
class TableFile
{
public:
    // Builds the file under a temporary name and renames it into place, so a failure never
    // leaves half a table and an existing file is never overwritten. Throws TableError.
    static void create(const QString &path, const TableSchema &schema);
    // Moves a finished table from a scratch file beside it to path, never over a table that
    // is there or appears meanwhile ("already exists"); the scratch file is gone either way.
    // Throws TableError.
    static void place(const QString &scratchPath, const QString &path);

    // Opens the file, taking the lock at once when exclusive is set, and reads its schema.
    // Throws TableError naming the file; a file that is not ours is left untouched.
    static std::unique_ptr<SqliteDatabase> open(const QString &path, bool exclusive, TableSchema &schema);

    // VACUUM of a closed table file, after beforeCompacting (if any) in a transaction of its
    // own on the checked file; false on any failure.
    static bool compact(const QString &path,
                        const std::function<void(SqliteDatabase &)> &beforeCompacting = {});
};

#pragma once

#include "platform/sqlitedatabase.h"
#include "platform/tablecollation.h"

#include <QFile>
#include <QString>
#include <sqlite3.h>

// A plain SQLite connection set up as the table component sets up its own (flags, collation,
// locking, page cache), so that a benchmark compares like with like.
inline sqlite3 *openLikeTheTable(const QString &path, int flags)
{
    sqlite3 *db = nullptr;
    sqlite3_open_v2(QFile::encodeName(path).constData(), &db, flags | SQLITE_OPEN_NOMUTEX, nullptr);
    TableCollation::install(db);
    sqlite3_exec(db, "PRAGMA locking_mode=EXCLUSIVE", nullptr, nullptr, nullptr);
    const QByteArray cache =
        QByteArrayLiteral("PRAGMA cache_size=-") + QByteArray::number(SqliteDatabase::TablePageCacheKiB);
    sqlite3_exec(db, cache.constData(), nullptr, nullptr, nullptr);
    return db;
}

#pragma once

#include "platform/table/sqlitedatabase.h"
#include "platform/table/tablecollation.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QString>
#include <sqlite3.h>
#include <utility>

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

// Takes back what every connection of the program sets against a file's own SQL (defensive
// mode, untrusted schema, no triggers or views, the length limit, the step guard), so that a
// benchmark can weigh them on the program's own connection.
inline void withoutDefences(sqlite3 *db)
{
    for (const auto &[option, value] : {std::pair{SQLITE_DBCONFIG_DEFENSIVE, 0},
                                        {SQLITE_DBCONFIG_TRUSTED_SCHEMA, 1},
                                        {SQLITE_DBCONFIG_ENABLE_TRIGGER, 1},
                                        {SQLITE_DBCONFIG_ENABLE_VIEW, 1}})
        sqlite3_db_config(db, option, value, nullptr);
    sqlite3_limit(db, SQLITE_LIMIT_LENGTH, 1000000000);
    sqlite3_progress_handler(db, 0, nullptr, nullptr);
}

// Inserts count word pairs (pair(i) gives the native and the foreign text as UTF-8) into the
// vocabulary table of path with plain SQLite in one transaction; the nanoseconds it took.
template <typename PairOf> qint64 insertPlainPairs(const QString &path, int count, int type, PairOf pair)
{
    sqlite3 *db = openLikeTheTable(path, SQLITE_OPEN_READWRITE);
    QElapsedTimer timer;
    timer.start();
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt *insert = nullptr;
    sqlite3_prepare_v2(
        db, "INSERT INTO vocabulary (NativeLanguage, ForeignLanguage, Type, Mistakes) VALUES (?, ?, ?, 0)",
        -1, &insert, nullptr);
    for (int i = 0; i < count; ++i) {
        const auto [native, foreign] = pair(i);
        sqlite3_bind_text(insert, 1, native.constData(), int(native.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 2, foreign.constData(), int(foreign.size()), SQLITE_TRANSIENT);
        sqlite3_bind_int(insert, 3, type);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    const qint64 elapsed = timer.nsecsElapsed();
    sqlite3_close(db);
    return elapsed;
}

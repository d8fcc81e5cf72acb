#pragma once

#include "platform/sqlitetable.h"

#include <QByteArray>
#include <QString>
#include <QVariant>

struct sqlite3;
struct sqlite3_stmt;

// One connection to a table file. Errors come out as TableError texts naming the file.
class SqliteDatabase
{
public:
    // The case-insensitive collation of secondary indexes and of ordering; Unicode-aware
    // and independent of the locale, so an index written today sorts the same tomorrow.
    static constexpr const char *NoCaseCollation = "LUMO_NOCASE";

    explicit SqliteDatabase(QString path);
    ~SqliteDatabase();
    SqliteDatabase(const SqliteDatabase &) = delete;
    SqliteDatabase &operator=(const SqliteDatabase &) = delete;

    // Opens an existing file (or creates one when create is set). With exclusive set, the
    // file is locked at once for as long as the connection lives.
    void open(bool create, bool exclusive);
    void close();
    bool isOpen() const { return m_db != nullptr; }
    sqlite3 *handle() const { return m_db; }
    const QString &path() const { return m_path; }

    void exec(const QString &sql);
    bool inTransaction() const;
    qint64 lastInsertRowId() const;
    // The last failure was another connection holding the file.
    bool lastErrorWasBusy() const;

    // An error about this file with SQLite's own explanation appended.
    TableError error(const QString &what) const;

private:
    QString m_path;
    sqlite3 *m_db = nullptr;
};

// A prepared statement of one connection.
class SqliteStatement
{
public:
    SqliteStatement(const SqliteDatabase &db, const QString &sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement &) = delete;
    SqliteStatement &operator=(const SqliteStatement &) = delete;

    void reset();
    void bind(int index, const QVariant &value); // 1-based; a null QVariant binds NULL
    void bindKey(int index, qint64 key);
    void bindNull(int index);
    // True while a row is available; false when done. Throws on errors.
    bool step();

    bool isNull(int column) const;
    qint64 int64(int column) const;
    QString text(int column) const;
    QByteArray blob(int column) const;

private:
    const SqliteDatabase &m_db;
    sqlite3_stmt *m_stmt = nullptr;
};

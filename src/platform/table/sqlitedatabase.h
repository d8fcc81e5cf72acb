#pragma once

#include "platform/table/tablecollation.h"
#include "platform/table/tabletypes.h"

#include <QByteArray>
#include <QSet>
#include <QString>
#include <QVariant>
#include <map>
#include <memory>

struct sqlite3;
struct sqlite3_stmt;
class SqliteStatement;

// A failure SQLite reported, with its result code, so that a store with error numbers of its
// own (the settings hive) can translate it.
class SqliteError : public TableError
{
public:
    SqliteError(const QString &message, int code) : TableError(message), m_code(code) {}
    int code() const { return m_code; }               // the extended result code
    int primaryCode() const { return m_code & 0xff; } // SQLITE_BUSY, SQLITE_FULL, ...

private:
    int m_code;
};

// One connection to a SQLite file: a table file or the settings hive. Failures are raised as
// SqliteError texts naming the file.
class SqliteDatabase
{
public:
    // The case-insensitive collation of secondary indexes and of ordering.
    static constexpr const char *NoCaseCollation = TableCollation::Name;
    // Walking a unit in word order visits table pages out of file order; a page cache that
    // holds a large unit whole keeps that from re-reading the file.
    static constexpr int TablePageCacheKiB = 16384;

    // The largest value one field may hold: a loaded sound of about six minutes in CD quality.
    // The recorder's own sounds stay far below (30 seconds at 8,000 bytes a second).
    static constexpr qint64 MaxValueBytes = qint64(64) << 20;
    // The most one statement may build, a whole row included: two sounds of the largest size
    // and room for the texts beside them. A file's own default asking for more is refused.
    static constexpr int MaxRowBytes = int(2 * MaxValueBytes + (qint64(1) << 20));
    // Virtual-machine steps between two looks at a running statement, and the most one call
    // that runs a statement may take before it is stopped as a runaway. The largest real work
    // stays 20 times below: on a unit of 1,000,000 entries packing takes about 11 million
    // steps and an integrity check about 14 million; a walk, an import or a test takes a few
    // hundred steps per call. A runaway ends after some seconds.
    static constexpr int StepsPerLook = 100000;
    static constexpr qint64 MaxStatementSteps = 300000000;

    struct Options
    {
        bool create = false;                          // make the file when it is missing
        bool exclusive = false;                       // lock the file for as long as the connection lives
        int pageCacheKiB = 0;                         // 0 keeps SQLite's default
        int busyTimeoutMs = 0;                        // how long to wait for another connection's lock
        qint64 maxStatementSteps = MaxStatementSteps; // lower only where a runaway is wanted
    };
    // How a table file is opened.
    static Options tableOptions(bool exclusive)
    {
        return {false, exclusive, TablePageCacheKiB, 0, MaxStatementSteps};
    }

    explicit SqliteDatabase(QString path);
    ~SqliteDatabase();
    SqliteDatabase(const SqliteDatabase &) = delete;
    SqliteDatabase &operator=(const SqliteDatabase &) = delete;

    void open(const Options &options);
    void close();
    bool isOpen() const { return m_db != nullptr; }
    sqlite3 *handle() const { return m_db; }
    const QString &path() const { return m_path; }

    void exec(const QString &sql);
    // A statement run again and again (a review's reads and writes), prepared at its first
    // use and kept until the connection closes, so a file opened anew never meets a statement
    // of the one before. It comes reset with no bindings; leave it reset, holding no read open.
    SqliteStatement &cached(const QString &sql);
    // Runs a cached statement that gives no rows.
    void execCached(const QString &sql);
    // Parts of the schema this connection made or found (tables of its own beside the data
    // table), so that each is looked for once per opening. A rollback may take them back, so
    // they are forgotten then, as when the connection closes.
    bool knowsSchema(const QString &part) const { return m_knownSchema.contains(part); }
    void learnSchema(const QString &part) { m_knownSchema.insert(part); }
    bool inTransaction() const;
    qint64 lastInsertRowId() const;
    // Rows the last INSERT, UPDATE or DELETE changed.
    int changes() const;
    // Whether the file holds a table of this name.
    bool hasTable(const QString &name) const;
    // The last failure was another connection holding the file.
    bool lastErrorWasBusy() const;

    // An error about this file with SQLite's own explanation appended; code is the result
    // code of the failed call.
    SqliteError error(const QString &what, int code) const;

    // Counts the steps of a statement from here on; called before each call that runs one.
    void startStatement() const
    {
        m_looks = 0;
        m_stopped = false;
    }

private:
    // Sets what keeps a file's own SQL from running; throws SqliteError when SQLite refuses.
    void protect(qint64 maxStatementSteps);
    static int lookAtStatement(void *database);
    static void rolledBack(void *database);

    QString m_path;
    sqlite3 *m_db = nullptr;
    qint64 m_maxLooks = 0;
    mutable qint64 m_looks = 0;     // progress calls since the running statement started
    mutable bool m_stopped = false; // the last statement was stopped as a runaway
    std::map<QString, std::unique_ptr<SqliteStatement>> m_cached;
    QSet<QString> m_knownSchema;
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
    void clearBindings(); // lets go of bound copies, such as a sound's bytes
    // Parameters are 1-based. A null QVariant binds NULL.
    void bind(int index, const QVariant &value);
    void bindInt(int index, qint64 value);
    void bindReal(int index, double value);
    void bindText(int index, const QString &text);     // a null QString binds empty text
    void bindBlob(int index, const QByteArray &bytes); // no bytes bind an empty blob, not NULL
    void bindNull(int index);
    // True while a row is available; false when done. Throws SqliteError on errors, after
    // resetting the statement.
    bool step();

    bool isNull(int column) const;
    qint64 int64(int column) const;
    double real(int column) const;
    QString text(int column) const;
    // The text of a column into text; false, leaving text alone, when the column is NULL.
    bool optionalText(int column, QString &text) const;
    QByteArray blob(int column) const;
    // A column as it is stored: null, integer, real, text or bytes.
    QVariant value(int column) const;
    int columnCount() const;

private:
    const SqliteDatabase &m_db;
    sqlite3_stmt *m_stmt = nullptr;
};

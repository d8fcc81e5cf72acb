#include "platform/table/sqlitedatabase.h"

#include "platform/caseblindtext.h"

#include <QFile>
#include <algorithm>
#include <sqlite3.h>
#include <utility>

SqliteDatabase::SqliteDatabase(QString path) : m_path(std::move(path)) {}

SqliteDatabase::~SqliteDatabase()
{
    close();
}

void SqliteDatabase::open(const Options &options)
{
    close();
    const int flags = SQLITE_OPEN_READWRITE | (options.create ? SQLITE_OPEN_CREATE : 0) | SQLITE_OPEN_NOMUTEX;
    const int rc = sqlite3_open_v2(QFile::encodeName(m_path).constData(), &m_db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const SqliteError failure = error(QStringLiteral("Could not open the table "), rc);
        close();
        throw failure;
    }
    try {
        sqlite3_extended_result_codes(m_db, 1);
        sqlite3_rollback_hook(m_db, &SqliteDatabase::rolledBack, this);
        protect(options.maxStatementSteps);
        for (const int installed : {TableCollation::install(m_db), CaseBlindText::install(m_db)})
            if (installed != SQLITE_OK)
                throw error(QStringLiteral("Could not open the table "), installed);
        if (options.busyTimeoutMs > 0)
            sqlite3_busy_timeout(m_db, options.busyTimeoutMs);
        if (options.exclusive)
            exec(QStringLiteral("PRAGMA locking_mode=EXCLUSIVE"));
        if (options.pageCacheKiB > 0)
            exec(QStringLiteral("PRAGMA cache_size=-%1").arg(options.pageCacheKiB));
    } catch (...) {
        close();
        throw;
    }
}

void SqliteDatabase::protect(qint64 maxStatementSteps)
{
    // A file from elsewhere may carry triggers, views, defaults and functions in its schema:
    // none of its own SQL runs, and the schema cannot be written around SQLite.
    constexpr std::pair<int, int> settings[] = {{SQLITE_DBCONFIG_DEFENSIVE, 1},
                                                {SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0},
                                                {SQLITE_DBCONFIG_ENABLE_TRIGGER, 0},
                                                {SQLITE_DBCONFIG_ENABLE_VIEW, 0}};
    for (const auto &[option, wanted] : settings) {
        int now = -1;
        const int rc = sqlite3_db_config(m_db, option, wanted, &now);
        if (rc != SQLITE_OK || now != wanted)
            throw error(QStringLiteral("Could not open the table safely "),
                        rc == SQLITE_OK ? SQLITE_MISUSE : rc);
    }
    sqlite3_limit(m_db, SQLITE_LIMIT_LENGTH, MaxRowBytes);
    if (sqlite3_limit(m_db, SQLITE_LIMIT_LENGTH, -1) != MaxRowBytes)
        throw error(QStringLiteral("Could not open the table safely "), SQLITE_MISUSE);
    m_maxLooks = std::max<qint64>(maxStatementSteps / StepsPerLook, 1);
    sqlite3_progress_handler(m_db, StepsPerLook, &SqliteDatabase::lookAtStatement, this);
}

int SqliteDatabase::lookAtStatement(void *database)
{
    const auto *db = static_cast<const SqliteDatabase *>(database);
    db->m_stopped = ++db->m_looks > db->m_maxLooks;
    return db->m_stopped ? 1 : 0;
}

void SqliteDatabase::rolledBack(void *database)
{
    static_cast<SqliteDatabase *>(database)->m_knownSchema.clear();
}

void SqliteDatabase::close()
{
    m_cached.clear(); // finalized while the connection is still there
    m_knownSchema.clear();
    if (m_db) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
}

void SqliteDatabase::exec(const QString &sql)
{
    startStatement();
    // ROLLBACK TO calls no hook, yet may take back a table made after its savepoint.
    if (sql.startsWith(QLatin1String("ROLLBACK")))
        m_knownSchema.clear();
    const int rc = sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        throw error(QStringLiteral("Error in the table "), rc);
}

SqliteStatement &SqliteDatabase::cached(const QString &sql)
{
    auto found = m_cached.find(sql);
    if (found == m_cached.end())
        found = m_cached.emplace(sql, std::make_unique<SqliteStatement>(*this, sql)).first;
    SqliteStatement &statement = *found->second;
    statement.reset();
    statement.clearBindings();
    return statement;
}

void SqliteDatabase::execCached(const QString &sql)
{
    SqliteStatement &statement = cached(sql);
    statement.step();
    statement.reset();
}

bool SqliteDatabase::inTransaction() const
{
    return m_db && !sqlite3_get_autocommit(m_db);
}

bool SqliteDatabase::hasTable(const QString &name) const
{
    SqliteStatement query(*this,
                          QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?"));
    query.bindText(1, name);
    const bool found = query.step();
    query.reset();
    return found;
}

int SqliteDatabase::changes() const
{
    return sqlite3_changes(m_db);
}

qint64 SqliteDatabase::lastInsertRowId() const
{
    return sqlite3_last_insert_rowid(m_db);
}

bool SqliteDatabase::lastErrorWasBusy() const
{
    const int code = m_db ? (sqlite3_extended_errcode(m_db) & 0xff) : SQLITE_OK;
    return code == SQLITE_BUSY || code == SQLITE_LOCKED;
}

SqliteError SqliteDatabase::error(const QString &what, int code) const
{
    if ((code & 0xff) == SQLITE_INTERRUPT && m_stopped)
        return SqliteError(QStringLiteral("The work on the file ") + m_path +
                               QStringLiteral(" was stopped because it did not end."),
                           code);
    // A connection that failed to open still explains why; one never made cannot.
    QString detail = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString::fromUtf8(sqlite3_errstr(code));
    // "disk I/O error" alone hides a full disk or a file grown past its limit.
    const int primary = code & 0xff;
    int systemError = m_db ? sqlite3_system_errno(m_db) : 0;
    // Later calls of the failed statement may have reset errno; the file keeps its own.
    if (m_db && systemError == 0)
        sqlite3_file_control(m_db, "main", SQLITE_FCNTL_LAST_ERRNO, &systemError);
    if (systemError != 0 && (primary == SQLITE_IOERR || primary == SQLITE_FULL || primary == SQLITE_CANTOPEN))
        detail += QStringLiteral(" (") + qt_error_string(systemError) + u')';
    return SqliteError(what + m_path + QStringLiteral(": ") + detail, code);
}

SqliteStatement::SqliteStatement(const SqliteDatabase &db, const QString &sql) : m_db(db)
{
    const QByteArray text = sql.toUtf8();
    const int rc = sqlite3_prepare_v3(db.handle(), text.constData(), int(text.size()),
                                      SQLITE_PREPARE_PERSISTENT, &m_stmt, nullptr);
    if (rc != SQLITE_OK)
        throw db.error(QStringLiteral("Error in the table "), rc);
}

SqliteStatement::~SqliteStatement()
{
    sqlite3_finalize(m_stmt);
}

void SqliteStatement::reset()
{
    sqlite3_reset(m_stmt);
}

void SqliteStatement::clearBindings()
{
    sqlite3_clear_bindings(m_stmt);
}

void SqliteStatement::bind(int index, const QVariant &value)
{
    if (value.isNull()) {
        sqlite3_bind_null(m_stmt, index);
        return;
    }
    switch (value.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort: bindInt(index, value.toLongLong()); break;
    case QMetaType::Float:
    case QMetaType::Double: bindReal(index, value.toDouble()); break;
    case QMetaType::QByteArray: bindBlob(index, value.toByteArray()); break;
    default: bindText(index, value.toString());
    }
}

void SqliteStatement::bindInt(int index, qint64 value)
{
    sqlite3_bind_int64(m_stmt, index, value);
}

void SqliteStatement::bindReal(int index, double value)
{
    sqlite3_bind_double(m_stmt, index, value);
}

void SqliteStatement::bindText(int index, const QString &text)
{
    // SQLite copies the text, so the converted bytes may go when this returns. A null
    // pointer would bind NULL, hence "" for no characters.
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text64(m_stmt, index, utf8.isNull() ? "" : utf8.constData(), sqlite3_uint64(utf8.size()),
                        SQLITE_TRANSIENT, SQLITE_UTF8);
}

void SqliteStatement::bindBlob(int index, const QByteArray &bytes)
{
    if (bytes.isEmpty())
        sqlite3_bind_zeroblob(m_stmt, index, 0);
    else
        sqlite3_bind_blob64(m_stmt, index, bytes.constData(), sqlite3_uint64(bytes.size()), SQLITE_TRANSIENT);
}

void SqliteStatement::bindNull(int index)
{
    sqlite3_bind_null(m_stmt, index);
}

bool SqliteStatement::step()
{
    m_db.startStatement();
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    const SqliteError failure = m_db.error(QStringLiteral("Error in the table "), rc);
    sqlite3_reset(m_stmt);
    throw failure;
}

bool SqliteStatement::isNull(int column) const
{
    return sqlite3_column_type(m_stmt, column) == SQLITE_NULL;
}

qint64 SqliteStatement::int64(int column) const
{
    return sqlite3_column_int64(m_stmt, column);
}

double SqliteStatement::real(int column) const
{
    return sqlite3_column_double(m_stmt, column);
}

QString SqliteStatement::text(int column) const
{
    const auto *data = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column));
    return QString::fromUtf8(data, sqlite3_column_bytes(m_stmt, column));
}

bool SqliteStatement::optionalText(int column, QString &text) const
{
    // One call where isNull() and text() would make two: a NULL column has no text.
    const auto *data = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column));
    if (!data)
        return false;
    text = QString::fromUtf8(data, sqlite3_column_bytes(m_stmt, column));
    return true;
}

QByteArray SqliteStatement::blob(int column) const
{
    const auto *data = static_cast<const char *>(sqlite3_column_blob(m_stmt, column));
    return QByteArray(data, sqlite3_column_bytes(m_stmt, column));
}

QVariant SqliteStatement::value(int column) const
{
    switch (sqlite3_column_type(m_stmt, column)) {
    case SQLITE_NULL: return QVariant();
    case SQLITE_INTEGER: return QVariant(int64(column));
    case SQLITE_FLOAT: return QVariant(real(column));
    case SQLITE_TEXT: return QVariant(text(column));
    default: return QVariant(blob(column));
    }
}

int SqliteStatement::columnCount() const
{
    return sqlite3_column_count(m_stmt);
}

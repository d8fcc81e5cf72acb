#include "platform/sqlitedatabase.h"

#include <QFile>
#include <QStringView>
#include <sqlite3.h>

namespace {

constexpr int PageCacheKiB = 16384;

int compareNoCase(void *, int lengthA, const void *a, int lengthB, const void *b)
{
    const QStringView left(static_cast<const char16_t *>(a), lengthA / 2);
    const QStringView right(static_cast<const char16_t *>(b), lengthB / 2);
    const int result = left.compare(right, Qt::CaseInsensitive);
    return result < 0 ? -1 : (result > 0 ? 1 : 0);
}

} // namespace

SqliteDatabase::SqliteDatabase(QString path) : m_path(std::move(path)) {}

SqliteDatabase::~SqliteDatabase()
{
    close();
}

void SqliteDatabase::open(bool create, bool exclusive)
{
    close();
    const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0) | SQLITE_OPEN_NOMUTEX;
    const int rc = sqlite3_open_v2(QFile::encodeName(m_path).constData(), &m_db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const TableError failure = error(QStringLiteral("Could not open the table "));
        close();
        throw failure;
    }
    sqlite3_extended_result_codes(m_db, 1);
    sqlite3_create_collation(m_db, NoCaseCollation, SQLITE_UTF16_ALIGNED, nullptr, compareNoCase);
    if (exclusive)
        exec(QStringLiteral("PRAGMA locking_mode=EXCLUSIVE"));
    // Walking a unit in word order visits table pages out of file order; a page cache that
    // holds a large unit whole keeps that from re-reading the file (the size is in KiB).
    exec(QStringLiteral("PRAGMA cache_size=-%1").arg(PageCacheKiB));
}

void SqliteDatabase::close()
{
    if (m_db) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
}

void SqliteDatabase::exec(const QString &sql)
{
    char *message = nullptr;
    const int rc = sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &message);
    sqlite3_free(message);
    if (rc != SQLITE_OK)
        throw error(QStringLiteral("Error in the table "));
}

bool SqliteDatabase::inTransaction() const
{
    return m_db && !sqlite3_get_autocommit(m_db);
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

TableError SqliteDatabase::error(const QString &what) const
{
    QString detail = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QStringLiteral("out of memory");
    return TableError(what + m_path + QStringLiteral(": ") + detail);
}

SqliteStatement::SqliteStatement(const SqliteDatabase &db, const QString &sql) : m_db(db)
{
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v3(db.handle(), text.constData(), int(text.size()), SQLITE_PREPARE_PERSISTENT,
                           &m_stmt, nullptr) != SQLITE_OK)
        throw db.error(QStringLiteral("Error in the table "));
}

SqliteStatement::~SqliteStatement()
{
    sqlite3_finalize(m_stmt);
}

void SqliteStatement::reset()
{
    sqlite3_reset(m_stmt);
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
    case QMetaType::UShort: sqlite3_bind_int64(m_stmt, index, value.toLongLong()); break;
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        sqlite3_bind_blob64(m_stmt, index, bytes.constData(), sqlite3_uint64(bytes.size()), SQLITE_TRANSIENT);
        break;
    }
    default: {
        const QByteArray text = value.toString().toUtf8();
        sqlite3_bind_text64(m_stmt, index, text.constData(), sqlite3_uint64(text.size()), SQLITE_TRANSIENT,
                            SQLITE_UTF8);
    }
    }
}

void SqliteStatement::bindKey(int index, qint64 key)
{
    sqlite3_bind_int64(m_stmt, index, key);
}

void SqliteStatement::bindNull(int index)
{
    sqlite3_bind_null(m_stmt, index);
}

bool SqliteStatement::step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    const TableError failure = m_db.error(QStringLiteral("Error in the table "));
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

QString SqliteStatement::text(int column) const
{
    const auto *data = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column));
    return QString::fromUtf8(data, sqlite3_column_bytes(m_stmt, column));
}

QByteArray SqliteStatement::blob(int column) const
{
    const auto *data = static_cast<const char *>(sqlite3_column_blob(m_stmt, column));
    return QByteArray(data, sqlite3_column_bytes(m_stmt, column));
}

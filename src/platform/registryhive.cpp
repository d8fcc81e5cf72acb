#include "platform/registryhive.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>
#include <sqlite3.h>

namespace {

// Marks a database as one of our registries, so a foreign SQLite file is never written into.
constexpr int ApplicationId = 0x4C756D52;
// Long enough to wait out another running program's write, short enough not to hang.
constexpr int BusyTimeoutMs = 5000;

const char *const CreateSchema = R"(
CREATE TABLE keys(id INTEGER PRIMARY KEY, hive INTEGER NOT NULL, path TEXT NOT NULL,
                  folded TEXT NOT NULL, UNIQUE(hive, folded));
CREATE TABLE vals(key INTEGER NOT NULL REFERENCES keys(id), name TEXT NOT NULL,
                  folded TEXT NOT NULL, type INTEGER NOT NULL, data BLOB NOT NULL,
                  PRIMARY KEY(key, folded)) WITHOUT ROWID;
INSERT INTO keys(hive, path, folded) VALUES (0, '', ''), (1, '', ''), (2, '', ''), (3, '', ''),
                                            (4, '', ''), (5, '', '');
PRAGMA application_id = 1282764114;
)";
static_assert(ApplicationId == 1282764114);

class Statement
{
public:
    Statement(sqlite3 *db, const char *sql) { m_rc = sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr); }
    ~Statement() { sqlite3_finalize(m_stmt); }
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    int prepared() const { return m_rc; }
    void bind(int index, qint64 value) { sqlite3_bind_int64(m_stmt, index, value); }
    void bind(int index, const QString &text)
    {
        const QByteArray utf8 = text.toUtf8();
        sqlite3_bind_text(m_stmt, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    }
    void bindBlob(int index, const QByteArray &bytes)
    {
        // A null pointer would bind SQL NULL; a value of no bytes is still a value.
        if (bytes.isEmpty())
            sqlite3_bind_zeroblob(m_stmt, index, 0);
        else
            sqlite3_bind_blob(m_stmt, index, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
    }
    int step() { return m_rc == SQLITE_OK ? sqlite3_step(m_stmt) : m_rc; }
    void reset() { sqlite3_reset(m_stmt); }
    qint64 integer(int column) const { return sqlite3_column_int64(m_stmt, column); }
    QByteArray blob(int column) const
    {
        const auto *bytes = static_cast<const char *>(sqlite3_column_blob(m_stmt, column));
        return QByteArray(bytes, sqlite3_column_bytes(m_stmt, column));
    }
    QString text(int column) const
    {
        const auto *chars = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column));
        return QString::fromUtf8(chars, sqlite3_column_bytes(m_stmt, column));
    }

private:
    sqlite3_stmt *m_stmt = nullptr;
    int m_rc = SQLITE_OK;
};

quint32 systemError(int rc)
{
    switch (rc & 0xff) {
    case SQLITE_OK:
    case SQLITE_ROW:
    case SQLITE_DONE: return 0;
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH: return RegistryHive::ErrorAccessDenied;
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return RegistryHive::ErrorBusy;
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT: return RegistryHive::ErrorBadDb;
    case SQLITE_CANTOPEN: return RegistryHive::ErrorCantOpen;
    case SQLITE_FULL: return RegistryHive::ErrorDiskFull;
    default: return RegistryHive::ErrorIoFailed;
    }
}

quint32 execute(sqlite3 *db, const char *sql)
{
    return systemError(sqlite3_exec(db, sql, nullptr, nullptr, nullptr));
}

// Runs work inside one write transaction, rolling back when it fails.
template <typename Work> quint32 inTransaction(sqlite3 *db, Work work)
{
    if (const quint32 code = execute(db, "BEGIN IMMEDIATE"))
        return code;
    quint32 code = work();
    if (code == 0)
        code = execute(db, "COMMIT");
    if (code != 0)
        execute(db, "ROLLBACK");
    return code;
}

// A statement that reads one integer, or an error number.
quint32 readInteger(sqlite3 *db, const char *sql, qint64 &value)
{
    Statement query(db, sql);
    const int rc = query.step();
    if (rc != SQLITE_ROW)
        return rc == SQLITE_DONE ? RegistryHive::ErrorBadDb : systemError(rc);
    value = query.integer(0);
    return 0;
}

// Our tables with every column we use; a missing table or column means a foreign file.
quint32 checkColumns(sqlite3 *db)
{
    for (const char *sql : {"SELECT id, hive, path, folded FROM keys LIMIT 0",
                            "SELECT key, name, folded, type, data FROM vals LIMIT 0"}) {
        const int rc = Statement(db, sql).prepared();
        if (rc == SQLITE_ERROR)
            return RegistryHive::ErrorBadDb;
        if (rc != SQLITE_OK)
            return systemError(rc);
    }
    return 0;
}

// Creates the tables in a new file; accepts a file that already is a registry of ours.
quint32 ensureSchema(sqlite3 *db)
{
    qint64 id = 0;
    if (const quint32 code = readInteger(db, "PRAGMA application_id", id))
        return code;
    if (id == 0) {
        const quint32 code = inTransaction(db, [db]() -> quint32 {
            // Another program may have created it while we waited for the lock.
            qint64 idNow = 0;
            qint64 tables = 0;
            if (const quint32 c = readInteger(db, "PRAGMA application_id", idNow))
                return c;
            if (idNow == ApplicationId)
                return 0;
            if (const quint32 c = readInteger(db, "SELECT count(*) FROM sqlite_master", tables))
                return c;
            if (idNow != 0 || tables != 0)
                return RegistryHive::ErrorBadDb;
            return execute(db, CreateSchema);
        });
        if (code != 0)
            return code;
    } else if (id != ApplicationId) {
        return RegistryHive::ErrorBadDb;
    }
    return checkColumns(db);
}

quint32 quickCheck(sqlite3 *db)
{
    Statement check(db, "PRAGMA quick_check");
    const int rc = check.step();
    if (rc != SQLITE_ROW)
        return rc == SQLITE_DONE ? RegistryHive::ErrorBadDb : systemError(rc);
    return check.text(0) == QLatin1String("ok") ? 0 : RegistryHive::ErrorBadDb;
}

// The key path without empty parts, and its case-blind form.
QString normalisedPath(const QString &keyPath)
{
    return keyPath.split(u'\\', Qt::SkipEmptyParts).join(u'\\');
}

bool validHive(int hive)
{
    return hive >= 0 && hive < RegistryHive::HiveCount;
}

QString asideName(const QString &path)
{
    const QString base = path + QStringLiteral(".corrupt-") +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss"));
    QString name = base;
    for (int n = 2; QFileInfo::exists(name); ++n)
        name = base + u'-' + QString::number(n);
    return name;
}

} // namespace

QString RegistryHive::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Halvet/registry.sqlite");
}

RegistryHive::RegistryHive(QString path) : m_path(std::move(path)) {}

RegistryHive::~RegistryHive()
{
    m_openKeys.clear();
    disconnect();
}

quint32 RegistryHive::connect()
{
    if (m_db)
        return 0;
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    sqlite3 *db = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(m_path).constData(), &db,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    quint32 code = systemError(rc);
    if (code == 0) {
        sqlite3_busy_timeout(db, BusyTimeoutMs);
        code = ensureSchema(db);
    }
    if (code != 0) {
        sqlite3_close_v2(db);
        return code;
    }
    m_db = db;
    return 0;
}

quint32 RegistryHive::release(quint32 code)
{
    if (m_openKeys.isEmpty())
        disconnect();
    return code;
}

void RegistryHive::disconnect()
{
    if (m_db)
        sqlite3_close_v2(m_db);
    m_db = nullptr;
}

quint32 RegistryHive::findKey(int hive, const QString &foldedPath, KeyHandle &key)
{
    Statement find(m_db, "SELECT id FROM keys WHERE hive = ?1 AND folded = ?2");
    find.bind(1, hive);
    find.bind(2, foldedPath);
    const int rc = find.step();
    if (rc == SQLITE_ROW) {
        key = find.integer(0);
        return 0;
    }
    return rc == SQLITE_DONE ? ErrorFileNotFound : systemError(rc);
}

quint32 RegistryHive::openKey(int hive, const QString &keyPath, KeyHandle &key)
{
    if (!validHive(hive))
        return ErrorInvalidHandle;
    if (const quint32 code = connect())
        return code;
    const quint32 code = findKey(hive, normalisedPath(keyPath).toCaseFolded(), key);
    if (code == 0)
        m_openKeys.append(key);
    return release(code);
}

quint32 RegistryHive::createKey(int hive, const QString &keyPath, KeyHandle &key)
{
    if (!validHive(hive))
        return ErrorInvalidHandle;
    if (const quint32 code = connect())
        return code;
    const QString path = normalisedPath(keyPath);
    quint32 code = findKey(hive, path.toCaseFolded(), key);
    if (code == ErrorFileNotFound) {
        if (hive == DynDataHive)
            return release(ErrorAccessDenied);
        code = inTransaction(m_db, [&]() -> quint32 {
            // Parents first, as the registry has them; existing ones keep their spelling.
            Statement insert(m_db, "INSERT OR IGNORE INTO keys(hive, path, folded) VALUES (?1, ?2, ?3)");
            const QStringList parts = path.split(u'\\');
            for (qsizetype n = 1; n <= parts.size(); ++n) {
                const QString prefix = parts.first(n).join(u'\\');
                insert.bind(1, hive);
                insert.bind(2, prefix);
                insert.bind(3, prefix.toCaseFolded());
                const int rc = insert.step();
                if (rc != SQLITE_DONE)
                    return systemError(rc);
                insert.reset();
            }
            return 0;
        });
        if (code == 0)
            code = findKey(hive, path.toCaseFolded(), key);
    }
    if (code == 0)
        m_openKeys.append(key);
    return release(code);
}

quint32 RegistryHive::closeKey(KeyHandle key)
{
    if (!m_openKeys.removeOne(key))
        return ErrorInvalidHandle;
    return release(0);
}

bool RegistryHive::keyExists(int hive, const QString &keyPath)
{
    KeyHandle key = 0;
    if (openKey(hive, keyPath, key) != 0)
        return false;
    closeKey(key);
    return true;
}

namespace {
// Looks a value of an open key up with a query whose first column is the type; the rest
// of the row is handed to take.
template <typename Take>
quint32 lookUpValue(sqlite3 *db, RegistryHive::KeyHandle key, const QString &name, const char *sql, int &type,
                    Take take)
{
    Statement query(db, sql);
    query.bind(1, key);
    query.bind(2, name.toCaseFolded());
    const int rc = query.step();
    if (rc != SQLITE_ROW)
        return rc == SQLITE_DONE ? RegistryHive::ErrorFileNotFound : systemError(rc);
    type = int(query.integer(0));
    take(query);
    return 0;
}
} // namespace

quint32 RegistryHive::queryValue(KeyHandle key, const QString &name, int &type, qint64 &size)
{
    if (!isOpen(key))
        return ErrorInvalidHandle;
    return lookUpValue(m_db, key, name, "SELECT type, length(data) FROM vals WHERE key = ?1 AND folded = ?2",
                       type, [&size](const Statement &row) { size = row.integer(1); });
}

quint32 RegistryHive::readValue(KeyHandle key, const QString &name, int &type, QByteArray &data)
{
    if (!isOpen(key))
        return ErrorInvalidHandle;
    return lookUpValue(m_db, key, name, "SELECT type, data FROM vals WHERE key = ?1 AND folded = ?2", type,
                       [&data](const Statement &row) { data = row.blob(1); });
}

quint32 RegistryHive::writeValue(KeyHandle key, const QString &name, int type, const QByteArray &data)
{
    if (!isOpen(key))
        return ErrorInvalidHandle;
    // One statement is one transaction; the name keeps its first spelling.
    Statement upsert(m_db,
                     "INSERT INTO vals(key, name, folded, type, data) VALUES (?1, ?2, ?3, ?4, ?5) "
                     "ON CONFLICT(key, folded) DO UPDATE SET type = excluded.type, data = excluded.data");
    upsert.bind(1, key);
    upsert.bind(2, name);
    upsert.bind(3, name.toCaseFolded());
    upsert.bind(4, type);
    upsert.bindBlob(5, data);
    const int rc = upsert.step();
    return rc == SQLITE_DONE ? 0 : systemError(rc);
}

RegistryHive::Recovery RegistryHive::recoverIfCorrupt()
{
    Recovery result;
    if (!m_openKeys.isEmpty() || !QFileInfo::exists(m_path))
        return result;
    quint32 code = connect();
    if (code == 0)
        code = quickCheck(m_db);
    disconnect();
    if (code != ErrorBadDb)
        return result;

    result.corrupt = true;
    const QString aside = asideName(m_path);
    if (!QFile::rename(m_path, aside))
        return result;
    result.movedTo = aside;
    // A journal left beside the damaged file would be played back into the fresh one.
    for (const char *suffix : {"-journal", "-wal", "-shm"}) {
        const QString companion = m_path + QLatin1String(suffix);
        if (QFileInfo::exists(companion) && !QFile::rename(companion, aside + QLatin1String(suffix)))
            QFile::remove(companion);
    }
    result.replaced = connect() == 0;
    disconnect();
    return result;
}

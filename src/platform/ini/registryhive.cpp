#include "platform/ini/registryhive.h"

#include "platform/table/schemaobjects.h"
#include "platform/table/sqlitedatabase.h"

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

// A failure of the hive's own, not of SQLite: it already has its error number.
struct Refusal
{
    quint32 code;
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

// Undoes what a failed write left, when SQLite has not already done so.
void rollbackQuietly(SqliteDatabase &db, const char *sql)
{
    try {
        if (db.inTransaction())
            db.exec(QLatin1String(sql));
    } catch (const SqliteError &) {
    }
}

// A statement that reads one integer.
qint64 readInteger(const SqliteDatabase &db, const QString &sql)
{
    SqliteStatement query(db, sql);
    if (!query.step())
        throw Refusal{RegistryHive::ErrorBadDb};
    return query.int64(0);
}

// Our tables with every column we use; a missing table or column means a foreign file, and
// so does SQL of the file's own (triggers, views, virtual tables, indexes that run code),
// which a registry copied from elsewhere could carry.
void checkColumns(const SqliteDatabase &db)
{
    try {
        for (const char *sql : {"SELECT id, hive, path, folded FROM keys LIMIT 0",
                                "SELECT key, name, folded, type, data FROM vals LIMIT 0"})
            SqliteStatement(db, QLatin1String(sql));
        if (!SchemaObjects::foreignCode(db, SchemaObjects::read(db)).isEmpty())
            throw Refusal{RegistryHive::ErrorBadDb};
    } catch (const SqliteError &error) {
        if (error.primaryCode() == SQLITE_ERROR)
            throw Refusal{RegistryHive::ErrorBadDb};
        throw;
    }
}

// Creates the tables in a new file; accepts a file that already is a registry of ours.
void ensureSchema(SqliteDatabase &db)
{
    const qint64 id = readInteger(db, QStringLiteral("PRAGMA application_id"));
    if (id == 0) {
        db.exec(QStringLiteral("BEGIN IMMEDIATE"));
        try {
            // Another program may have created it while we waited for the lock.
            const qint64 idNow = readInteger(db, QStringLiteral("PRAGMA application_id"));
            if (idNow != ApplicationId) {
                if (idNow != 0 || readInteger(db, QStringLiteral("SELECT count(*) FROM sqlite_master")) != 0)
                    throw Refusal{RegistryHive::ErrorBadDb};
                db.exec(QLatin1String(CreateSchema));
            }
            db.exec(QStringLiteral("COMMIT"));
        } catch (...) {
            rollbackQuietly(db, "ROLLBACK");
            throw;
        }
    } else if (id != ApplicationId) {
        throw Refusal{RegistryHive::ErrorBadDb};
    }
    checkColumns(db);
}

void quickCheck(const SqliteDatabase &db)
{
    SqliteStatement check(db, QStringLiteral("PRAGMA quick_check"));
    if (!check.step() || check.text(0) != QLatin1String("ok"))
        throw Refusal{RegistryHive::ErrorBadDb};
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
    // A transaction still held keeps what was written, as a commit would.
    if (m_transactionDepth > 0) {
        m_transactionDepth = 1;
        commitTransaction();
    }
    m_openKeys.clear();
    disconnect();
}

template <typename Work> quint32 RegistryHive::guarded(Work work)
{
    try {
        work();
        return 0;
    } catch (const SqliteError &error) {
        return systemError(error.code());
    } catch (const Refusal &refusal) {
        return refusal.code;
    }
}

void RegistryHive::connect()
{
    if (m_db)
        return;
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    auto db = std::make_unique<SqliteDatabase>(m_path);
    SqliteDatabase::Options options;
    options.create = true;
    options.busyTimeoutMs = BusyTimeoutMs;
    db->open(options);
    ensureSchema(*db);
    m_db = std::move(db);
}

quint32 RegistryHive::release(quint32 code)
{
    if (m_openKeys.isEmpty() && m_transactionDepth == 0)
        disconnect();
    return code;
}

void RegistryHive::disconnect()
{
    m_statements.clear();
    m_db.reset();
}

SqliteStatement &RegistryHive::prepared(const char *sql)
{
    std::unique_ptr<SqliteStatement> &statement = m_statements[sql];
    if (!statement)
        statement = std::make_unique<SqliteStatement>(*m_db, QLatin1String(sql));
    statement->reset();
    return *statement;
}

template <typename Work> void RegistryHive::writeAtomically(Work work)
{
    if (m_db->inTransaction()) {
        // Inside a held transaction a failure must not undo the writes before it.
        m_db->exec(QStringLiteral("SAVEPOINT one_write"));
        try {
            work();
        } catch (...) {
            rollbackQuietly(*m_db, "ROLLBACK TO one_write");
            rollbackQuietly(*m_db, "RELEASE one_write");
            throw;
        }
        m_db->exec(QStringLiteral("RELEASE one_write"));
        return;
    }
    // Taking the write lock at once keeps two programs from each waiting for the other.
    m_db->exec(QStringLiteral("BEGIN IMMEDIATE"));
    try {
        work();
        m_db->exec(QStringLiteral("COMMIT"));
    } catch (...) {
        rollbackQuietly(*m_db, "ROLLBACK");
        throw;
    }
}

quint32 RegistryHive::beginTransaction()
{
    if (m_transactionDepth > 0) {
        ++m_transactionDepth;
        return 0;
    }
    const quint32 code = guarded([this] {
        connect();
        m_db->exec(QStringLiteral("BEGIN IMMEDIATE"));
    });
    if (code == 0)
        m_transactionDepth = 1;
    return release(code);
}

quint32 RegistryHive::commitTransaction()
{
    if (m_transactionDepth == 0)
        return ErrorInvalidHandle;
    if (--m_transactionDepth > 0)
        return 0;
    // A failure that made SQLite give the whole transaction up leaves nothing to commit;
    // that failure was reported by the write it stopped.
    const quint32 code = guarded([this] {
        if (m_db && m_db->inTransaction())
            m_db->exec(QStringLiteral("COMMIT"));
    });
    if (code != 0 && m_db)
        rollbackQuietly(*m_db, "ROLLBACK");
    return release(code);
}

quint32 RegistryHive::findKey(int hive, const QString &foldedPath, KeyHandle &key)
{
    quint32 code = ErrorFileNotFound;
    const quint32 failure = guarded([&] {
        SqliteStatement &find = prepared("SELECT id FROM keys WHERE hive = ?1 AND folded = ?2");
        find.bindInt(1, hive);
        find.bindText(2, foldedPath);
        if (find.step()) {
            key = find.int64(0);
            code = 0;
        }
        find.reset();
    });
    return failure ? failure : code;
}

quint32 RegistryHive::openKey(int hive, const QString &keyPath, KeyHandle &key)
{
    if (!validHive(hive))
        return ErrorInvalidHandle;
    if (const quint32 code = guarded([this] { connect(); }))
        return release(code);
    const quint32 code = findKey(hive, normalisedPath(keyPath).toCaseFolded(), key);
    if (code == 0)
        m_openKeys.append(key);
    return release(code);
}

quint32 RegistryHive::createKey(int hive, const QString &keyPath, KeyHandle &key)
{
    if (!validHive(hive))
        return ErrorInvalidHandle;
    if (const quint32 code = guarded([this] { connect(); }))
        return release(code);
    const QString path = normalisedPath(keyPath);
    quint32 code = findKey(hive, path.toCaseFolded(), key);
    if (code == ErrorFileNotFound) {
        if (hive == DynDataHive)
            return release(ErrorAccessDenied);
        code = guarded([&] {
            writeAtomically([&] {
                // Parents first, as the registry has them; existing ones keep their spelling.
                SqliteStatement &insert =
                    prepared("INSERT OR IGNORE INTO keys(hive, path, folded) VALUES (?1, ?2, ?3)");
                const QStringList parts = path.split(u'\\');
                for (qsizetype n = 1; n <= parts.size(); ++n) {
                    const QString prefix = parts.first(n).join(u'\\');
                    insert.bindInt(1, hive);
                    insert.bindText(2, prefix);
                    insert.bindText(3, prefix.toCaseFolded());
                    insert.step();
                    insert.reset();
                }
            });
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
void lookUpValue(SqliteStatement &query, RegistryHive::KeyHandle key, const QString &name, int &type,
                 Take take)
{
    query.bindInt(1, key);
    query.bindText(2, name.toCaseFolded());
    const bool found = query.step();
    if (found) {
        type = int(query.int64(0));
        take(query);
    }
    // A statement kept for later must not hold its read open.
    query.reset();
    if (!found)
        throw Refusal{RegistryHive::ErrorFileNotFound};
}
} // namespace

quint32 RegistryHive::queryValue(KeyHandle key, const QString &name, int &type, qint64 &size)
{
    if (!isOpen(key))
        return ErrorInvalidHandle;
    return guarded([&] {
        lookUpValue(prepared("SELECT type, length(data) FROM vals WHERE key = ?1 AND folded = ?2"), key, name,
                    type, [&size](const SqliteStatement &row) { size = row.int64(1); });
    });
}

quint32 RegistryHive::readValue(KeyHandle key, const QString &name, int &type, QByteArray &data)
{
    if (!isOpen(key))
        return ErrorInvalidHandle;
    return guarded([&] {
        lookUpValue(prepared("SELECT type, data FROM vals WHERE key = ?1 AND folded = ?2"), key, name, type,
                    [&data](const SqliteStatement &row) { data = row.blob(1); });
    });
}

quint32 RegistryHive::writeValue(KeyHandle key, const QString &name, int type, const QByteArray &data)
{
    if (!isOpen(key))
        return ErrorInvalidHandle;
    // One statement is atomic on its own, also inside a held transaction; the name keeps its
    // first spelling.
    return guarded([&] {
        SqliteStatement &upsert =
            prepared("INSERT INTO vals(key, name, folded, type, data) VALUES (?1, ?2, ?3, ?4, ?5) "
                     "ON CONFLICT(key, folded) DO UPDATE SET type = excluded.type, data = excluded.data");
        upsert.bindInt(1, key);
        upsert.bindText(2, name);
        upsert.bindText(3, name.toCaseFolded());
        upsert.bindInt(4, type);
        upsert.bindBlob(5, data);
        upsert.step();
        upsert.reset();
        upsert.clearBindings();
    });
}

RegistryHive::Recovery RegistryHive::recoverIfCorrupt()
{
    Recovery result;
    if (!m_openKeys.isEmpty() || m_transactionDepth > 0 || !QFileInfo::exists(m_path))
        return result;
    const quint32 code = guarded([this] {
        connect();
        quickCheck(*m_db);
    });
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
    result.replaced = guarded([this] { connect(); }) == 0;
    disconnect();
    return result;
}

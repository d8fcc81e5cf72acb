#include "platform/tablefile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <sqlite3.h>

#include <cerrno>
#include <csignal>

namespace {
// Read and write for the owner, read for others, as the process's umask allows.
constexpr QFileDevice::Permissions ScratchPermissions =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;

// A scratch file younger than this may belong to a process on another machine sharing the
// folder, whose process id means nothing here.
constexpr qint64 AbandonedAfterSeconds = 600;

bool processIsGone(qint64 pid)
{
    return pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

// "<name>.new-<pid>-<random>" with its journal, left by a process that was killed while it
// built a table. Never a user's data: the file only becomes a table by its final rename.
void removeAbandonedScratchFiles(const QString &path)
{
    const QFileInfo table(path);
    const QString prefix = table.fileName() + QStringLiteral(".new-");
    const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-AbandonedAfterSeconds);
    const QFileInfoList found =
        QDir(table.path()).entryInfoList({prefix + QLatin1Char('*')}, QDir::Files | QDir::Hidden);
    for (const QFileInfo &scratch : found) {
        bool isNumber = false;
        const qint64 pid = scratch.fileName().mid(prefix.size()).section(u'-', 0, 0).toLongLong(&isNumber);
        if (isNumber && processIsGone(pid) && scratch.lastModified().toUTC() < before)
            QFile::remove(scratch.filePath());
    }
}
} // namespace

void TableFile::create(const QString &path, const TableSchema &schema)
{
    if (QFileInfo::exists(path))
        throw TableError(QStringLiteral("The table ") + path + QStringLiteral(" already exists."));
    const QStringList statements = schema.createStatements(path);
    removeAbandonedScratchFiles(path);
    // A fresh empty file is an empty database to SQLite; it gets the usual permissions. The
    // process id keeps the name apart from a scratch file a crashed process left behind, even
    // in a forked process that shares its parent's random state.
    const QString scratchPath =
        path + QStringLiteral(".new-%1-%2")
                   .arg(QCoreApplication::applicationPid())
                   .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
    QFile scratch(scratchPath);
    if (!scratch.open(QIODevice::WriteOnly | QIODevice::NewOnly, ScratchPermissions))
        throw TableError(QStringLiteral("Could not create the table ") + path + QStringLiteral(": ") +
                         scratch.errorString());
    scratch.close();
    try {
        SqliteDatabase db(scratchPath);
        db.open(SqliteDatabase::tableOptions(true));
        db.exec(QStringLiteral("PRAGMA application_id=%1").arg(TableSchema::ApplicationId));
        db.exec(QStringLiteral("BEGIN"));
        for (const QString &sql : statements)
            db.exec(sql);
        db.exec(QStringLiteral("COMMIT"));
    } catch (...) {
        QFile::remove(scratchPath);
        throw;
    }
    // QFile::rename never replaces an existing file.
    if (!scratch.rename(path)) {
        const QString reason = scratch.errorString();
        QFile::remove(scratchPath);
        throw TableError(QStringLiteral("Could not create the table ") + path + QStringLiteral(": ") +
                         reason);
    }
}

std::unique_ptr<SqliteDatabase> TableFile::open(const QString &path, bool exclusive, TableSchema &schema)
{
    TableSchema::verifyFile(path);
    auto db = std::make_unique<SqliteDatabase>(path);
    try {
        db->open(SqliteDatabase::tableOptions(exclusive));
        // Takes the lock now rather than at the first write, so a second user fails here.
        db->exec(exclusive ? QStringLiteral("BEGIN EXCLUSIVE") : QStringLiteral("BEGIN"));
        schema = TableSchema::read(*db);
        db->exec(QStringLiteral("COMMIT"));
    } catch (const SqliteError &error) {
        // Found out while the connection was set up, which leaves no connection to ask.
        if (error.primaryCode() == SQLITE_BUSY || error.primaryCode() == SQLITE_LOCKED)
            throw TableError(QStringLiteral("The table ") + path +
                             QStringLiteral(" is in use by another program."));
        throw;
    }
    return db;
}

bool TableFile::compact(const QString &path)
{
    try {
        TableSchema schema;
        const auto db = open(path, true, schema);
        db->exec(QStringLiteral("VACUUM"));
        return true;
    } catch (...) {
        return false;
    }
}

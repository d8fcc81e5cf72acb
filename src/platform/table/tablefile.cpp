#include "platform/table/tablefile.h"

#include "platform/newfile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include <sqlite3.h>

#include <cerrno>
#include <csignal>

namespace {
// Read and write for the owner, read for others, as the process's umask allows.
constexpr QFileDevice::Permissions ScratchPermissions =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;

// A unit's descriptor, beside its table. The unit's files are known one layer up (UnitFiles),
// out of reach here; only a unit named like a scratch file needs it, to be left alone.
const QString UnitDescriptorExtension = QStringLiteral(".lif");

// A scratch file younger than this may belong to a process on another machine sharing the
// folder, whose process id means nothing here.
constexpr qint64 AbandonedAfterSeconds = 600;

bool processIsGone(qint64 pid)
{
    return pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

// Whether a scratch file's process is gone and the file old enough to be abandoned.
bool isAbandoned(const QFileInfo &scratch, const QString &pid, const QDateTime &before)
{
    bool isNumber = false;
    const qint64 number = pid.toLongLong(&isNumber);
    return isNumber && processIsGone(number) && scratch.lastModified().toUTC() < before;
}

// Scratch files with their journals left by a process that was killed while it built a
// table: ".lumo-new-<pid>-<random>.db" (".tmp" for a new descriptor), or
// "<name>.db.new-<pid>-<random>" as older versions named them. Never a user's data: such a
// file only becomes a table by its final rename. A unit whose name merely looks like a
// scratch file is known by its descriptor and left alone.
void removeAbandonedScratchFiles(const QString &path)
{
    const QFileInfo table(path);
    const QDir folder(table.path());
    const QRegularExpression current(QStringLiteral("^(%1(\\d+)-[0-9a-f]{8})\\.(?:db(?:-journal)?|tmp)$")
                                         .arg(QRegularExpression::escape(NewFile::scratchPrefix())));
    const QRegularExpression older(QStringLiteral("^%1\\.new-(\\d+)-[0-9a-f]{8}(?:-journal)?$")
                                       .arg(QRegularExpression::escape(table.fileName())));
    const QStringList names = folder.entryList(QDir::Files | QDir::Hidden);
    QSet<QString> lowerNames;
    for (const QString &name : names)
        lowerNames.insert(name.toLower());
    const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-AbandonedAfterSeconds);
    for (const QString &name : names) {
        QRegularExpressionMatch match = current.match(name);
        QString pid = match.captured(2);
        if (match.hasMatch() && lowerNames.contains(match.captured(1).toLower() + UnitDescriptorExtension))
            continue;
        if (!match.hasMatch()) {
            match = older.match(name);
            pid = match.captured(1);
        }
        const QFileInfo scratch(folder.filePath(name));
        if (match.hasMatch() && isAbandoned(scratch, pid, before))
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
    // A fresh empty file is an empty database to SQLite; it gets the usual permissions. Its
    // name is short whatever the table's name, so that it and its journal always fit.
    const QString scratchPath =
        NewFile::scratchPath(QFileInfo(path).absolutePath() + u'/', QStringLiteral(".db"));
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
    } catch (const TableError &error) {
        QFile::remove(scratchPath);
        // The scratch file's name means nothing to the user; the table's does.
        throw TableError(QString(error.message()).replace(scratchPath, path));
    } catch (...) {
        QFile::remove(scratchPath);
        throw;
    }
    place(scratchPath, path);
}

void TableFile::place(const QString &scratchPath, const QString &path)
{
    // Never over a table that another process placed meanwhile.
    QString reason;
    switch (NewFile::place(scratchPath, path, &reason)) {
    case NewFile::Result::Placed: return;
    case NewFile::Result::Exists:
        throw TableError(QStringLiteral("The table ") + path + QStringLiteral(" already exists."));
    case NewFile::Result::Failed:
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

bool TableFile::compact(const QString &path, const std::function<void(SqliteDatabase &)> &beforeCompacting)
{
    try {
        TableSchema schema;
        const auto db = open(path, true, schema);
        if (beforeCompacting) {
            db->exec(QStringLiteral("BEGIN IMMEDIATE"));
            try {
                beforeCompacting(*db);
                db->exec(QStringLiteral("COMMIT"));
            } catch (...) {
                db->exec(QStringLiteral("ROLLBACK"));
                throw;
            }
        }
        db->exec(QStringLiteral("VACUUM"));
        return true;
    } catch (...) {
        return false;
    }
}

#include "platform/tablefile.h"

#include <QFileInfo>
#include <QTemporaryFile>

void TableFile::create(const QString &path, const TableSchema &schema)
{
    if (QFileInfo::exists(path))
        throw TableError(QStringLiteral("The table ") + path + QStringLiteral(" already exists."));
    const QStringList statements = schema.createStatements(path);
    QTemporaryFile scratch(QFileInfo(path).absolutePath() + QStringLiteral("/.lumotable-XXXXXX"));
    if (!scratch.open())
        throw TableError(QStringLiteral("Could not create the table ") + path + QStringLiteral(": ") +
                         scratch.errorString());
    scratch.close();
    {
        SqliteDatabase db(scratch.fileName());
        db.open(true, true);
        db.exec(QStringLiteral("PRAGMA application_id=%1").arg(TableSchema::ApplicationId));
        db.exec(QStringLiteral("BEGIN"));
        for (const QString &sql : statements)
            db.exec(sql);
        db.exec(QStringLiteral("COMMIT"));
    }
    // QFile::rename never replaces an existing file.
    if (!scratch.rename(path))
        throw TableError(QStringLiteral("Could not create the table ") + path + QStringLiteral(": ") +
                         scratch.errorString());
    scratch.setAutoRemove(false); // it now names the table itself
}

std::unique_ptr<SqliteDatabase> TableFile::open(const QString &path, bool exclusive, TableSchema &schema)
{
    TableSchema::verifyFile(path);
    auto db = std::make_unique<SqliteDatabase>(path);
    db->open(false, exclusive);
    try {
        // Takes the lock now rather than at the first write, so a second user fails here.
        db->exec(exclusive ? QStringLiteral("BEGIN EXCLUSIVE") : QStringLiteral("BEGIN"));
        schema = TableSchema::read(*db);
        db->exec(QStringLiteral("COMMIT"));
    } catch (const TableError &) {
        if (db->lastErrorWasBusy())
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

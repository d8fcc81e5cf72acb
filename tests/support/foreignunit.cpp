#include "support/foreignunit.h"

#include "platform/table/tableschema.h"
#include "platform/table/tabletypes.h"
#include "vocfile/unitdescriptor.h"

#include <sqlite3.h>

QString MakeForeignUnit(const QString &folder, const QString &name, const QStringList &statements)
{
    const QString table = folder + name + QStringLiteral(".db");
    sqlite3 *db = nullptr;
    const int opened = sqlite3_open(table.toUtf8().constData(), &db);
    const auto run = [&](const QString &sql) {
        if (opened != SQLITE_OK ||
            sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
            throw TableError(sql + QStringLiteral(": ") + QString::fromUtf8(sqlite3_errmsg(db)));
    };
    try {
        run(QStringLiteral("PRAGMA application_id=%1").arg(TableSchema::ApplicationId));
        for (const QString &sql : statements)
            run(sql);
    } catch (...) {
        sqlite3_close(db);
        throw;
    }
    sqlite3_close(db);
    const QString descriptor = folder + name + QStringLiteral(".lif");
    UnitDescriptor(descriptor).write(6, 1, QStringLiteral("made elsewhere"), QStringLiteral("Arial"));
    return descriptor;
}

QString ForeignTable(const QStringList &columns)
{
    return QStringLiteral("CREATE TABLE vocabulary (%1)").arg(columns.join(QStringLiteral(", ")));
}

QStringList VocabularyColumns()
{
    return {QStringLiteral("Count INTEGER PRIMARY KEY AUTOINCREMENT"),
            QStringLiteral("NativeLanguage VARCHAR(255)"),
            QStringLiteral("ForeignLanguage VARCHAR(255)"),
            QStringLiteral("Type SMALLINT"),
            QStringLiteral("NativeSound BLOB"),
            QStringLiteral("ForeignSound BLOB"),
            QStringLiteral("Mistakes INTEGER")};
}

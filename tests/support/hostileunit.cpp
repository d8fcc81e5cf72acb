#include "support/hostileunit.h"

#include "platform/table/tablecollation.h"
#include "platform/table/tablefile.h"
#include "vocfile/lumotable.h"

#include <QFile>
#include <cstring>
#include <sqlite3.h>

namespace HostileUnit {

namespace {
int byteOrder(void *, int leftLength, const void *left, int rightLength, const void *right)
{
    const int common = std::memcmp(left, right, size_t(std::min(leftLength, rightLength)));
    return common != 0 ? common : leftLength - rightLength;
}

// The kept entry, every column named so that no default of a file's own fills it.
QString keptEntry()
{
    return QStringLiteral("INSERT INTO vocabulary (NativeLanguage, ForeignLanguage, NativeSound, Mistakes) "
                          "VALUES ('%1', '%2', NULL, 0)")
        .arg(QLatin1String(KeptNative), QLatin1String(KeptForeign));
}

// Replaces the data table by another of the same name, keeping the kept entry out of it.
QStringList replacedTable(const QString &create)
{
    return {QStringLiteral("DROP TABLE vocabulary"), create};
}
} // namespace

QString make(const QString &path, const QStringList &sql)
{
    TableFile::create(path, TableSchema{TLumoTable::schemaFields(), TLumoTable::schemaIndexes()});
    sqlite3 *db = nullptr;
    if (sqlite3_open(QFile::encodeName(path).constData(), &db) != SQLITE_OK) {
        sqlite3_close(db);
        return QStringLiteral("cannot open ") + path;
    }
    TableCollation::install(db);
    sqlite3_create_collation(db, UnknownCollation, SQLITE_UTF8, nullptr, byteOrder);
    QString complaint;
    for (const QString &statement : QStringList{keptEntry()} + sql) {
        char *message = nullptr;
        if (sqlite3_exec(db, statement.toUtf8().constData(), nullptr, nullptr, &message) != SQLITE_OK) {
            complaint = statement + QStringLiteral(": ") + QString::fromUtf8(message);
            sqlite3_free(message);
            break;
        }
    }
    sqlite3_close(db);
    return complaint;
}

Recipe deletingTrigger()
{
    return {QStringLiteral("trigger that deletes"),
            {QStringLiteral("CREATE TRIGGER wipe AFTER INSERT ON vocabulary BEGIN "
                            "DELETE FROM vocabulary WHERE rowid <> new.rowid; END")}};
}

Recipe growingTrigger()
{
    return {QStringLiteral("trigger inserting zeroblob"),
            {QStringLiteral(
                "CREATE TRIGGER grow AFTER INSERT ON vocabulary BEGIN "
                "UPDATE vocabulary SET ForeignSound = zeroblob(300000000) WHERE rowid = new.rowid; END")}};
}

Recipe growingDefault()
{
    return {
        QStringLiteral("zeroblob default"),
        replacedTable(QStringLiteral(
            "CREATE TABLE vocabulary (Count INTEGER PRIMARY KEY AUTOINCREMENT, NativeLanguage VARCHAR(255), "
            "ForeignLanguage VARCHAR(255), Type SMALLINT, NativeSound BLOB DEFAULT (zeroblob(200000000)), "
            "ForeignSound BLOB, Mistakes INTEGER)")) +
            QStringList{keptEntry()}};
}

Recipe endlessView()
{
    return {QStringLiteral("endless view named vocabulary"),
            replacedTable(QStringLiteral(
                "CREATE VIEW vocabulary AS WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n) "
                "SELECT i AS Count, 'w' || i AS NativeLanguage, 'w' AS ForeignLanguage, 0 AS Type, "
                "NULL AS NativeSound, NULL AS ForeignSound, 0 AS Mistakes FROM n"))};
}

QList<Recipe> refusedAtOpen()
{
    const QString table = QStringLiteral("vocabulary");
    return {
        deletingTrigger(),
        growingTrigger(),
        endlessView(),
        {QStringLiteral("trigger on another table"),
         {QStringLiteral("CREATE TABLE notes (n)"),
          QStringLiteral("CREATE TRIGGER note AFTER INSERT ON notes BEGIN DELETE FROM vocabulary; END")}},
        {QStringLiteral("own trigger's name, other text"),
         {QStringLiteral("CREATE TRIGGER review_state_forget AFTER DELETE ON \"vocabulary\" BEGIN "
                         "DELETE FROM vocabulary; END")}},
        {QStringLiteral("another view"),
         {QStringLiteral("CREATE VIEW words AS SELECT NativeLanguage FROM vocabulary")}},
        {QStringLiteral("vocabulary as a virtual table"),
         replacedTable(
             QStringLiteral("CREATE VIRTUAL TABLE vocabulary USING fts5(NativeLanguage, ForeignLanguage)"))},
        {QStringLiteral("another virtual table"),
         {QStringLiteral("CREATE VIRTUAL TABLE places USING rtree(id, x0, x1)")}},
        {QStringLiteral("virtual table of an unknown module"),
         {QStringLiteral("PRAGMA writable_schema = ON"),
          QStringLiteral("INSERT INTO sqlite_master (type, name, tbl_name, rootpage, sql) VALUES ('table', "
                         "'ghost', 'ghost', 0, 'CREATE VIRTUAL TABLE ghost USING no_such_module(a)')")}},
        {QStringLiteral("vocabulary without row ids"),
         replacedTable(QStringLiteral(
             "CREATE TABLE vocabulary (Count INTEGER PRIMARY KEY, NativeLanguage VARCHAR(255), "
             "ForeignLanguage VARCHAR(255), Type SMALLINT, NativeSound BLOB, ForeignSound BLOB, Mistakes "
             "INTEGER) "
             "WITHOUT ROWID"))},
        {QStringLiteral("index on an expression"),
         {QStringLiteral("CREATE INDEX longest ON %1 (length(NativeLanguage) * 2)").arg(table)}},
        {QStringLiteral("partial index"),
         {QStringLiteral("CREATE INDEX some ON %1 (ForeignLanguage) WHERE Mistakes > 0").arg(table)}},
        {QStringLiteral("index in an unknown collation"),
         {QStringLiteral("CREATE INDEX odd ON %1 (NativeLanguage COLLATE %2)")
              .arg(table, QLatin1String(UnknownCollation))}},
        growingDefault(),
        {QStringLiteral("extra column with an expression default"),
         {QStringLiteral("PRAGMA writable_schema = ON"),
          QStringLiteral("UPDATE sqlite_master SET sql = substr(sql, 1, length(sql) - 1) || "
                         "', Picture BLOB DEFAULT (zeroblob(60000000)))' WHERE name = 'vocabulary'")}},
        {QStringLiteral("generated column"),
         {QStringLiteral("ALTER TABLE vocabulary ADD COLUMN Shout TEXT AS (upper(NativeLanguage)) VIRTUAL")}},
        {QStringLiteral("expression index on another table"),
         {QStringLiteral("CREATE TABLE notes (n)"), QStringLiteral("CREATE INDEX noted ON notes (n + 1)")}},
    };
}

} // namespace HostileUnit

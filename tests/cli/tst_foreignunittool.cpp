// The command-line companion on units whose table another program made: a table that lacks a
// field is refused with the engine's error, fields are read by their names wherever they
// stand, and an import leaves none of the table's column defaults in the words it writes.

#include "platform/table/sqlitedatabase.h"
#include "support/foreignunit.h"
#include "support/testfolder.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

namespace {
struct Outcome
{
    int code = -1;
    QByteArray out;
    QByteArray err;
};

// The built program, as a script runs it.
Outcome runTool(const QStringList &arguments)
{
    QProcess tool;
    tool.start(QCoreApplication::applicationDirPath() + QStringLiteral("/../program/lumo-tool"), arguments);
    if (!tool.waitForFinished() || tool.exitStatus() != QProcess::NormalExit)
        return {};
    return {tool.exitCode(), tool.readAllStandardOutput(), tool.readAllStandardError()};
}

QByteArray digest(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly)
               ? QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256)
               : QByteArray();
}

// Every row of the unit's table, its columns joined by "|" in the order named; NULL as "-".
QStringList rows(const QString &table, const QString &columns)
{
    SqliteDatabase db(table);
    db.open(SqliteDatabase::tableOptions(true));
    SqliteStatement select(db, QStringLiteral("SELECT %1 FROM vocabulary ORDER BY rowid").arg(columns));
    QStringList result;
    const int count = int(columns.count(u',')) + 1;
    while (select.step()) {
        QStringList values;
        for (int i = 0; i < count; ++i)
            values.append(select.isNull(i) ? QStringLiteral("-") : select.text(i));
        result.append(values.join(u'|'));
    }
    return result;
}

QStringList withInserts(QStringList statements, const QString &columns, const QStringList &values)
{
    for (const QString &row : values)
        statements.append(QStringLiteral("INSERT INTO vocabulary (%1) VALUES (%2)").arg(columns, row));
    return statements;
}
} // namespace

class TestForeignUnitTool : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestFolder> folder;

private slots:
    void init() { folder = std::make_unique<TestFolder>(); }
    void cleanup() { folder.reset(); }

    void aTableLackingAFieldIsRefused_data()
    {
        QTest::addColumn<QStringList>("columns");
        QTest::addColumn<QString>("exportLacks");
        QTest::addColumn<QString>("checkLacks");
        QTest::newRow("two columns") << QStringList{"Id INTEGER PRIMARY KEY", "Word TEXT"} << "NativeLanguage"
                                     << "NativeSound";
        QStringList noType = VocabularyColumns();
        noType.removeAt(3);
        QTest::newRow("no word type") << noType << "Type"
                                      << "";
        QStringList noMistakes = VocabularyColumns();
        noMistakes.removeLast();
        QTest::newRow("no mistakes") << noMistakes << ""
                                     << "Mistakes";
    }
    void aTableLackingAFieldIsRefused()
    {
        QFETCH(QStringList, columns);
        QFETCH(QString, exportLacks);
        QFETCH(QString, checkLacks);
        const QString words = columns.size() == 2 ? QStringLiteral("Word") : QStringLiteral("NativeLanguage");
        const QString unit =
            MakeForeignUnit(folder->path(), QStringLiteral("other"),
                            withInserts({ForeignTable(columns)}, words, {"'Hund'", "'Katze'", "'Vogel'"}));
        const QString table = folder->filePath(QStringLiteral("other.db"));
        const QByteArray before = digest(table);
        const QString list = folder->filePath(QStringLiteral("other.csv"));
        const auto refused = [&](const QStringList &arguments, const QString &field) {
            const Outcome outcome = runTool(arguments);
            if (field.isEmpty()) {
                QVERIFY2(outcome.code == 0, outcome.err.constData());
                return;
            }
            QCOMPARE(outcome.code, 1);
            QVERIFY(outcome.out.isEmpty());
            QCOMPARE(QString::fromUtf8(outcome.err),
                     QStringLiteral("lumo-tool: Field '%1' not found in the table %2\n").arg(field, table));
        };
        refused({QStringLiteral("export"), unit, QStringLiteral("--to"), list}, exportLacks);
        QCOMPARE(QFileInfo::exists(list), exportLacks.isEmpty());
        refused({QStringLiteral("check"), unit}, checkLacks);
        QCOMPARE(digest(table), before);
    }

    // The fields stand in another order and the records are keyed by a column of another
    // name: each word still comes from its own field.
    void fieldsAreReadByTheirNames()
    {
        const QString columns =
            QStringLiteral("Mistakes INTEGER, ForeignLanguage VARCHAR(255), Type SMALLINT, "
                           "Id INTEGER PRIMARY KEY, NativeSound BLOB, "
                           "NativeLanguage VARCHAR(255), ForeignSound BLOB");
        const QString unit = MakeForeignUnit(
            folder->path(), QStringLiteral("shuffled"),
            withInserts({QStringLiteral("CREATE TABLE vocabulary (%1)").arg(columns)},
                        QStringLiteral("NativeLanguage, ForeignLanguage, Type, Mistakes, NativeSound"),
                        {"'Hund', 'dog', 1, 2, x'00'", "'laufen', 'run', 2, 0, NULL"}));
        const QString list = folder->filePath(QStringLiteral("shuffled.csv"));
        const Outcome exported = runTool({QStringLiteral("export"), unit, QStringLiteral("--to"), list});
        QVERIFY2(exported.code == 0, exported.err.constData());
        QCOMPARE(exported.out, QByteArray("Exported: 2\n"));
        const QString copy = folder->filePath(QStringLiteral("copy.lif"));
        const Outcome imported = runTool({QStringLiteral("import"), list, QStringLiteral("--to"), copy});
        QVERIFY2(imported.code == 0, imported.err.constData());
        QCOMPARE(rows(folder->filePath(QStringLiteral("copy.db")),
                      QStringLiteral("NativeLanguage, ForeignLanguage, Type")),
                 QStringList({"Hund|dog|1", "laufen|run|2"}));
        const Outcome checked = runTool({QStringLiteral("check"), unit});
        QVERIFY2(checked.code == 0, checked.err.constData());
        QVERIFY2(checked.out.contains("Sounds:           1\n") &&
                     checked.out.contains("Mistakes:         2\n"),
                 checked.out.constData());
        // Words imported into the shuffled table land in their own fields too.
        const Outcome back = runTool({QStringLiteral("import"), list, QStringLiteral("--to"), unit});
        QVERIFY2(back.code == 0, back.err.constData());
        QCOMPARE(rows(folder->filePath(QStringLiteral("shuffled.db")),
                      QStringLiteral("NativeLanguage, ForeignLanguage, Type, Mistakes, length(NativeSound)")),
                 QStringList({"Hund|dog|1|2|1", "laufen|run|2|0|-", "Hund|dog|1|0|-", "laufen|run|2|0|-"}));
    }

    // Every field of a new word is written, an empty one as null: no default of the table
    // fills it, not even a sound. (A default that computes, such as a zeroblob of many bytes,
    // has the file refused when it opens.)
    void importWritesNoColumnDefault()
    {
        const QString unit = MakeForeignUnit(
            folder->path(), QStringLiteral("defaults"),
            {ForeignTable({"Count INTEGER PRIMARY KEY AUTOINCREMENT",
                           "NativeLanguage VARCHAR(255) DEFAULT 'planted'",
                           "ForeignLanguage VARCHAR(255) DEFAULT 'planted'", "Type SMALLINT DEFAULT 9",
                           "NativeSound BLOB DEFAULT x'52494646'", "ForeignSound BLOB DEFAULT x'52494646'",
                           "Mistakes INTEGER DEFAULT 99", "Note TEXT"})});
        const QString list =
            folder->writeText(QStringLiteral("words.csv"), QStringLiteral("Hund;dog\nKatze;\n"));
        const Outcome imported = runTool({QStringLiteral("import"), list, QStringLiteral("--to"), unit});
        QVERIFY2(imported.code == 0, imported.err.constData());
        QCOMPARE(rows(folder->filePath(QStringLiteral("defaults.db")),
                      QStringLiteral("NativeLanguage, ForeignLanguage, Type, length(NativeSound), "
                                     "length(ForeignSound), Mistakes, Note")),
                 QStringList({"Hund|dog|0|-|-|0|-", "Katze|-|0|-|-|0|-"}));
    }
};

QTEST_GUILESS_MAIN(TestForeignUnitTool)
#include "tst_foreignunittool.moc"

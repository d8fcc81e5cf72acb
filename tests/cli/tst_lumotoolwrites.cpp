// The built lumo-tool where its writes meet a full disk, a long unit name, a hostile file
// name or a second program.

#include "exchange/wordexporter.h"
#include "exchange/wordimporter.h"
#include "support/filesizelimit.h"
#include "support/testfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

#include <memory>

namespace {
struct Run
{
    int code = -1;
    QString out;
    QString err;
};

QString toolProgram()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/../program/lumo-tool");
}

Run runTool(const QStringList &arguments, qint64 fileSizeLimit = 0)
{
    QProcess tool;
    if (fileSizeLimit > 0)
        FileSizeLimit::apply(tool, fileSizeLimit);
    tool.start(toolProgram(), arguments);
    Run run;
    if (!tool.waitForFinished(120000) || tool.exitStatus() != QProcess::NormalExit)
        return run;
    run.code = tool.exitCode();
    run.out = QString::fromUtf8(tool.readAllStandardOutput());
    run.err = QString::fromUtf8(tool.readAllStandardError());
    return run;
}

WordTable numberedWords(int count)
{
    WordTable table;
    table.columnCount = 2;
    for (int i = 0; i < count; ++i)
        table.rows.append(
            {i + 1, {QStringLiteral("native word %1").arg(i), QStringLiteral("foreign %1").arg(i)}, -1});
    return table;
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
}

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

QStringList nativeWords(const QString &descriptor)
{
    QStringList words;
    for (const WordPair &pair : WordExporter::readUnit(descriptor).pairs)
        words.append(pair.native);
    return words;
}
} // namespace

class TestLumoToolWrites : public QObject
{
    Q_OBJECT

private slots:
    void exportOnAFullDiskFailsAndKeepsTheOldFile_data();
    void exportOnAFullDiskFailsAndKeepsTheOldFile();
    void importOnAFullDiskNamesTheCause_data();
    void importOnAFullDiskNamesTheCause();
    void twoToolsImportIntoOneNewUnit();
    void longUnitNamesGetATableOrAClearRefusal_data();
    void longUnitNamesGetATableOrAClearRefusal();
    void convertRefusesNamesTheUnitDialogRefuses_data();
    void convertRefusesNamesTheUnitDialogRefuses();
};

void TestLumoToolWrites::exportOnAFullDiskFailsAndKeepsTheOldFile_data()
{
    QTest::addColumn<QString>("list");
    QTest::newRow("CSV") << "words.csv";
    QTest::newRow("TSV") << "words.tsv";
    QTest::newRow("KVTML") << "words.kvtml";
}

void TestLumoToolWrites::exportOnAFullDiskFailsAndKeepsTheOldFile()
{
    QFETCH(QString, list);
    TestFolder folder;
    const QString unit = folder.filePath(QStringLiteral("big.lif"));
    WordImporter::importInto(unit, numberedWords(20000), ImportChoice());
    const QString target = folder.writeFile(list, "the list exported last week\r\n");
    const QStringList before = filesIn(folder.path());

    const Run run = runTool({QStringLiteral("export"), unit, QStringLiteral("--to"), target}, 64 * 1024);
    QCOMPARE(run.code, 1);
    QVERIFY2(!run.out.contains(QStringLiteral("Exported")), qPrintable(run.out));
    QVERIFY2(run.err.contains(target) && run.err.contains(QStringLiteral("File too large")),
             qPrintable(run.err));
    QCOMPARE(contents(target), QByteArray("the list exported last week\r\n"));
    QCOMPARE(filesIn(folder.path()), before);
}

void TestLumoToolWrites::importOnAFullDiskNamesTheCause_data()
{
    QTest::addColumn<bool>("unitExists");
    QTest::newRow("into a unit") << true;
    QTest::newRow("into a new unit") << false;
}

// The error that stopped the import is the one reported: not the failed rollback after it,
// and not the scratch file a new table is built in.
void TestLumoToolWrites::importOnAFullDiskNamesTheCause()
{
    QFETCH(bool, unitExists);
    TestFolder folder;
    const QString unit = folder.filePath(QStringLiteral("unit.lif"));
    const QString table = folder.filePath(QStringLiteral("unit.db"));
    if (unitExists)
        WordImporter::importInto(unit, numberedWords(50), ImportChoice());
    const QStringList before = unitExists ? nativeWords(unit) : QStringList();
    QString csv;
    for (int i = 0; i < 20000; ++i)
        csv += QStringLiteral("a rather long native word number %1,and its foreign side %1\r\n").arg(i);
    const QString list = folder.writeFile(QStringLiteral("list.csv"), csv.toUtf8());
    const QStringList files = filesIn(folder.path());

    // The list itself is read, not written; the table may grow a little only.
    const qint64 limit = (unitExists ? QFileInfo(table).size() : 0) + 32 * 1024 + 100;
    const Run run = runTool({QStringLiteral("import"), list, QStringLiteral("--to"), unit}, limit);
    QCOMPARE(run.code, 1);
    QVERIFY2(run.err.startsWith(QStringLiteral("lumo-tool: Error in the table ") + table + u':'),
             qPrintable(run.err));
    QVERIFY2(!run.err.contains(QStringLiteral("rollback")), qPrintable(run.err));
    // The system's own reason, not only SQLite's "disk I/O error".
    QVERIFY2(run.err.contains(QStringLiteral("File too large")), qPrintable(run.err));
    QCOMPARE(filesIn(folder.path()), files);
    if (unitExists)
        QCOMPARE(nativeWords(unit), before);
}

// Two lumo-tool imports started at once into a unit that does not exist yet: one that says
// it imported left its words in the unit; the other says the table exists already.
void TestLumoToolWrites::twoToolsImportIntoOneNewUnit()
{
    for (int round = 0; round < 30; ++round) {
        TestFolder folder;
        const QString unit = folder.filePath(QStringLiteral("r.lif"));
        const QStringList tags{QStringLiteral("a"), QStringLiteral("b")};
        QList<std::shared_ptr<QProcess>> tools;
        for (const QString &tag : tags) {
            const QString list = folder.writeFile(
                tag + QStringLiteral(".csv"),
                (tag + "-one," + tag + "-uno\r\n" + tag + "-two," + tag + "-dos\r\n").toUtf8());
            tools.append(std::make_shared<QProcess>());
            tools.last()->start(toolProgram(),
                                {QStringLiteral("import"), list, QStringLiteral("--to"), unit});
        }
        for (const auto &tool : tools)
            QVERIFY(tool->waitForFinished(60000));
        const QStringList words = QFileInfo::exists(unit) ? nativeWords(unit) : QStringList();
        for (qsizetype i = 0; i < tags.size(); ++i) {
            const QString err = QString::fromUtf8(tools.at(i)->readAllStandardError());
            if (tools.at(i)->exitCode() == 0) {
                QVERIFY2(words.contains(tags.at(i) + "-one") && words.contains(tags.at(i) + "-two"),
                         qPrintable(QStringLiteral("round %1: %2 imported, the unit holds: %3")
                                        .arg(round)
                                        .arg(tags.at(i), words.join(u' '))));
            } else {
                QVERIFY2(err.startsWith(QStringLiteral("lumo-tool: The table ")) &&
                             err.endsWith(QStringLiteral(" already exists.\n")),
                         qPrintable(err));
            }
        }
    }
}

void TestLumoToolWrites::longUnitNamesGetATableOrAClearRefusal_data()
{
    QTest::addColumn<int>("characters");
    QTest::addColumn<bool>("fits");
    // Three bytes each in UTF-8: 225 and 240 bytes, whose table journal (".db-journal") still
    // fits the 255 bytes of a file name, and 246 bytes, whose journal would not.
    QTest::newRow("75 CJK characters") << 75 << true;
    QTest::newRow("80 CJK characters") << 80 << true;
    QTest::newRow("82 CJK characters") << 82 << false;
}

void TestLumoToolWrites::longUnitNamesGetATableOrAClearRefusal()
{
    QFETCH(int, characters);
    QFETCH(bool, fits);
    TestFolder folder;
    const QString list = folder.writeFile(QStringLiteral("list.csv"), "Hund,dog\r\nKatze,cat\r\n");
    const QString units = folder.filePath(QStringLiteral("units"));
    QVERIFY(QDir().mkpath(units));
    const QString unit = units + u'/' + QString(characters, QChar(0x8A9E)) + QStringLiteral(".lif");

    const Run run = runTool({QStringLiteral("import"), list, QStringLiteral("--to"), unit});
    if (fits) {
        QCOMPARE(run.code, 0);
        QCOMPARE(run.out, QStringLiteral("Imported: 2\nEncoding: UTF-8\n"));
        QCOMPARE(nativeWords(unit), QStringList({"Hund", "Katze"}));
    } else {
        QCOMPARE(run.code, 1);
        QCOMPARE(run.err,
                 QStringLiteral("lumo-tool: The name of the unit is too long for this folder. Please "
                                "choose a shorter name. ") +
                     unit + u'\n');
        QVERIFY(filesIn(units).isEmpty());
    }
}

void TestLumoToolWrites::convertRefusesNamesTheUnitDialogRefuses_data()
{
    QTest::addColumn<QString>("oldName");
    QTest::newRow("line feed") << "two\nlines.vok";
    QTest::newRow("only an extension") << ".vok";
    QTest::newRow("carriage return") << "two\rlines.vok";
}

void TestLumoToolWrites::convertRefusesNamesTheUnitDialogRefuses()
{
    QFETCH(QString, oldName);
    TestFolder folder;
    const QString old = folder.writeFile(oldName, "german\r\na\r\nb\r\nHaus\r\nhouse\r\n");
    const QString target = folder.filePath(QStringLiteral("units/"));
    QVERIFY(QDir().mkpath(target));
    const Run run = runTool({QStringLiteral("convert"), old, QStringLiteral("--to"), target});
    QCOMPARE(run.code, 1);
    QCOMPARE(run.err, QStringLiteral("lumo-tool: The name of this old unit cannot be the name of a unit: ") +
                          old + u'\n');
    QVERIFY(filesIn(target).isEmpty());
}

QTEST_GUILESS_MAIN(TestLumoToolWrites)
#include "tst_lumotoolwrites.moc"

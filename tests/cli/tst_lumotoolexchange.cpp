#include "cli/lumotoolfixture.h"
#include "support/readonlyfolder.h"
#include "support/withoutroot.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

// The command-line companion with word lists and old units: export, import and conversion,
// in process and as the program a script runs.
class TestLumoToolExchange : public QObject, protected LumoToolFixture
{
    Q_OBJECT

private slots:
    void init() { setUpFixture(); }
    void cleanup() { tearDownFixture(); }

    // Export then import gives the same pairs back, for each kind of word list.
    void exportThenImportKeepsThePairs_data()
    {
        QTest::addColumn<QString>("list");
        QTest::newRow("csv") << "animals.csv";
        QTest::newRow("tsv") << "animals.tsv";
        QTest::newRow("kvtml") << "animals.kvtml";
    }
    void exportThenImportKeepsThePairs()
    {
        QFETCH(QString, list);
        const QString unit = makeUnit(QStringLiteral("animals"));
        const Outcome exported =
            runTool({QStringLiteral("export"), unit, QStringLiteral("--to"), folder->filePath(list)});
        QCOMPARE(exported.code, 0);
        QCOMPARE(exported.out, QStringLiteral("Exported: 3\n"));
        const QString copy = folder->filePath(QStringLiteral("copy.lif"));
        const Outcome imported =
            runTool({QStringLiteral("import"), folder->filePath(list), QStringLiteral("--to"), copy});
        QVERIFY2(imported.code == 0, qPrintable(imported.err));
        QVERIFY(imported.out.startsWith(QStringLiteral("Imported: 3\n")));
        QCOMPARE(tablePairs(folder->filePath(QStringLiteral("copy.db"))),
                 Pairs({{"Hund", "dog"}, {"Katze", "cat"}, {"Vogel", "bird"}}));
        QVERIFY(imported.err.isEmpty()); // no progress line into a pipe
    }

    // A header row is guessed from its language names unless the command line says.
    void headerRowByGuessOrOption_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<Pairs>("pairs");
        QTest::addColumn<int>("native");
        QTest::addColumn<int>("foreign");
        const QString named = QStringLiteral("German;English\nHund;dog\n");
        const QString words = QStringLiteral("Katze;cat\nHund;dog\n");
        QTest::newRow("guessed") << named << QStringList() << Pairs({{"dog", "Hund"}}) << 6 << 2;
        QTest::newRow("--no-header") << named << QStringList{"--no-header"}
                                     << Pairs({{"English", "German"}, {"dog", "Hund"}}) << 0 << 0;
        QTest::newRow("--header") << words << QStringList{"--header"} << Pairs({{"dog", "Hund"}}) << 0 << 0;
        QTest::newRow("no header guessed")
            << words << QStringList() << Pairs({{"cat", "Katze"}, {"dog", "Hund"}}) << 0 << 0;
    }
    void headerRowByGuessOrOption()
    {
        QFETCH(QString, list);
        QFETCH(QStringList, options);
        QFETCH(Pairs, pairs);
        QFETCH(int, native);
        QFETCH(int, foreign);
        const QString file = folder->writeText(QStringLiteral("list.csv"), list);
        const QString unit = folder->filePath(QStringLiteral("new.lif"));
        const Outcome outcome =
            runTool(QStringList{QStringLiteral("import"), file} + options + QStringList{"--to", unit});
        QVERIFY2(outcome.code == 0, qPrintable(outcome.err));
        QCOMPARE(tablePairs(folder->filePath(QStringLiteral("new.db"))), pairs);
        QCOMPARE(UnitDescriptor(unit).firstLanguage(), native);
        QCOMPARE(UnitDescriptor(unit).secondLanguage(), foreign);
    }

    // The same list twice adds its pairs twice, unless the pairs already there are left out.
    void pairsAlreadyInTheUnitAreCountedAndMaySkip()
    {
        const QString unit = makeUnit(QStringLiteral("animals"));
        const QString file =
            folder->writeText(QStringLiteral("more.csv"), QStringLiteral("dog;Hund\nfish;Fisch\n"));
        const Outcome skipping = runTool({"import", file, "--skip-existing", "--to", unit});
        QVERIFY2(skipping.code == 0, qPrintable(skipping.err));
        QCOMPARE(skipping.out,
                 QStringLiteral("Imported: 1\nAlready in the unit: 1 (left out)\nEncoding: UTF-8\n"));
        const Outcome again = runTool({"import", file, "--skip-existing", "--to", unit});
        QCOMPARE(again.out,
                 QStringLiteral("Imported: 0\nAlready in the unit: 2 (left out)\nEncoding: UTF-8\n"));
        const Outcome adding = runTool({"import", file, "--to", unit});
        QVERIFY(adding.out.startsWith(QStringLiteral("Imported: 2\nAlready in the unit: 2 (added again")));
        QCOMPARE(tablePairs(folder->filePath(QStringLiteral("animals.db"))), Pairs({{"Hund", "dog"},
                                                                                    {"Katze", "cat"},
                                                                                    {"Vogel", "bird"},
                                                                                    {"Fisch", "fish"},
                                                                                    {"Hund", "dog"},
                                                                                    {"Fisch", "fish"}}));
    }

    // Which encoding a list was read in, and the bytes that were no text in it.
    void importSaysTheEncoding_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("said");
        QTest::addColumn<Pairs>("pairs");
        QTest::newRow("utf-8") << QByteArray("Stra\xC3\x9F"
                                             "e;street\n")
                               << "Encoding: UTF-8\n"
                               << Pairs({{"street", "Straße"}});
        QTest::newRow("windows-1252") << QByteArray("Stra\xDF"
                                                    "e;street\n")
                                      << "Encoding: Windows-1252\n"
                                      << Pairs({{"street", "Straße"}});
        QTest::newRow("utf-8 with a stray byte")
            << QByteArray("Stra\xC3\x9F"
                          "e;street\nM\xFCller;miller\nt\xC3\xA9;tea\n")
            << "Encoding: UTF-8\nReplaced: 1 (bytes that are not UTF-8, read as U+FFFD)\n"
            << Pairs({{"street", "Straße"}, {"miller", "M\uFFFDller"}, {"tea", "té"}});
    }
    void importSaysTheEncoding()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, said);
        QFETCH(Pairs, pairs);
        const QString file = folder->writeFile(QStringLiteral("list.csv"), bytes);
        const Outcome outcome =
            runTool({"import", file, "--to", folder->filePath(QStringLiteral("new.lif"))});
        QVERIFY2(outcome.code == 0, qPrintable(outcome.err));
        QVERIFY2(outcome.out.endsWith(said), qPrintable(outcome.out));
        QCOMPARE(tablePairs(folder->filePath(QStringLiteral("new.db"))), pairs);
    }

    void badWordListsImportNothing()
    {
        const QString list = folder->writeFile(QStringLiteral("broken.csv"), "a,b\n\"never closed,c\n");
        const QString unit = folder->filePath(QStringLiteral("new.lif"));
        const Outcome outcome = runTool({QStringLiteral("import"), list, QStringLiteral("--to"), unit});
        QCOMPARE(outcome.code, 1);
        QVERIFY2(outcome.err.contains(QStringLiteral("broken.csv")), qPrintable(outcome.err));
        QVERIFY(!QFile::exists(unit));
        QVERIFY(!QFile::exists(folder->filePath(QStringLiteral("new.db"))));
        // Exporting a unit that is not there makes nothing.
        const Outcome missing = runTool({QStringLiteral("export"), unit, QStringLiteral("--to"),
                                         folder->filePath(QStringLiteral("out.csv"))});
        QCOMPARE(missing.code, 1);
        QVERIFY(!QFile::exists(folder->filePath(QStringLiteral("out.csv"))));
    }

    // The conversion's own rules, through the tool.
    void convertFollowsTheProgramsConversion()
    {
        const QString target = folder->filePath(QStringLiteral("units/"));
        QDir().mkpath(target);
        const QString three =
            folder->writeFile(QStringLiteral("three.vok"), "german\r\nPart one\r\nPart two\r\n");
        const QString capital =
            folder->writeFile(QStringLiteral("capital.vok"), "German\r\na\r\nb\r\nHaus\r\nhouse\r\n");
        const QString odd =
            folder->writeFile(QStringLiteral("odd.vok"), "french\r\na\r\nb\r\nun\r\none\r\ndeux\r\n");
        const QString lfOnly = folder->writeFile(QStringLiteral("lf.vok"), "german\na\nb\nHaus\nhouse\n");
        const QString french =
            folder->writeFile(QStringLiteral("french.vok"), "french\r\nA\r\nB\r\nun\r\none\r\n");
        UnitDescriptor(target + QStringLiteral("french.lif")).write(0, 4, QStringLiteral("mine"), QString());

        const Outcome outcome = runTool({QStringLiteral("convert"), three, capital, odd, lfOnly, french,
                                         french, QStringLiteral("--to"), target});
        QCOMPARE(outcome.code, 0);
        QVERIFY(outcome.err.isEmpty()); // no terminal, no progress line
        QCOMPARE(outcome.out.split(u'\n', Qt::SkipEmptyParts),
                 QStringList({target + "three.lif", target + "capital.lif", target + "odd.lif",
                              target + "lf.lif", target + "xfrench.lif", target + "xxfrench.lif"}));

        const UnitDescriptor header(target + QStringLiteral("three.lif"));
        QCOMPARE(header.secondLanguage(), 6);
        QCOMPARE(header.firstLanguage(), 0);
        QCOMPARE(header.description(), QStringLiteral("Part one; Part two"));
        QCOMPARE(header.font(), QStringLiteral("MS Sans Serif"));
        QVERIFY(tablePairs(target + QStringLiteral("three.db")).isEmpty());
        QCOMPARE(UnitDescriptor(target + QStringLiteral("capital.lif")).secondLanguage(), 0);
        QCOMPARE(tablePairs(target + QStringLiteral("odd.db")), Pairs({{"un", "one"}, {"deux", ""}}));
        const UnitDescriptor lf(target + QStringLiteral("lf.lif"));
        QCOMPARE(lf.secondLanguage(), 0);
        QCOMPARE(lf.description(), QStringLiteral("; "));
        QVERIFY(tablePairs(target + QStringLiteral("lf.db")).isEmpty());
        QCOMPARE(UnitDescriptor(target + QStringLiteral("french.lif")).description(), QStringLiteral("mine"));
        QCOMPARE(tablePairs(target + QStringLiteral("xxfrench.db")), Pairs({{"un", "one"}}));
    }

    void convertShowsProgressOnlyOnATerminal()
    {
        const QString target = folder->filePath(QStringLiteral("units/"));
        QDir().mkpath(target);
        const QString a = folder->writeFile(QStringLiteral("a.vok"), "german\r\na\r\nb\r\n");
        const QString b = folder->writeFile(QStringLiteral("b.vok"), "german\r\na\r\nb\r\n");
        const Outcome outcome =
            runTool({QStringLiteral("convert"), a, b, QStringLiteral("--to"), target}, true);
        QCOMPARE(outcome.code, 0);
        QVERIFY(outcome.err.contains(QStringLiteral("\r[1/2] Converting: a.vok ...")));
        QVERIFY(outcome.err.contains(QStringLiteral("\r[2/2] Converting: b.vok ...")));
        QVERIFY(outcome.err.endsWith(u'\r')); // the line is cleared again
    }

    void badOldUnitsConvertNothing_data()
    {
        QTest::addColumn<QString>("bad");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty") << "empty.vok"
                               << "The old unit is empty (0 bytes): ";
        QTest::newRow("missing") << "gone.vok"
                                 << "No such file: ";
        QTest::newRow("folder") << "units"
                                << "This is not a file: ";
    }

    void badOldUnitsConvertNothing()
    {
        QFETCH(QString, bad);
        QFETCH(QString, message);
        const QString target = folder->filePath(QStringLiteral("units/"));
        QDir().mkpath(target);
        const QString good =
            folder->writeFile(QStringLiteral("good.vok"), "german\r\na\r\nb\r\nHaus\r\nhouse\r\n");
        folder->writeFile(QStringLiteral("empty.vok"), QByteArray());
        const Outcome outcome =
            runTool({QStringLiteral("convert"), good, folder->filePath(bad), QStringLiteral("--to"), target});
        QCOMPARE(outcome.code, int(LumoTool::BadInput));
        QCOMPARE(outcome.err, QStringLiteral("lumo-tool: ") + message + folder->filePath(bad) + u'\n');
        QVERIFY(filesIn(target).isEmpty()); // not even the good one
    }

    void aReadOnlyTargetFolderConvertsNothing()
    {
        if (WithoutRoot::inChild()) {
            const QStringList v = WithoutRoot::values();
            const Outcome outcome =
                runTool({QStringLiteral("convert"), v.at(0), QStringLiteral("--to"), v.at(1)});
            QCOMPARE(outcome.code, int(LumoTool::BadInput));
            QCOMPARE(outcome.err, QStringLiteral("lumo-tool: Unable to write to ") + v.at(1) + u'\n');
            return;
        }
        const QString old =
            folder->writeFile(QStringLiteral("unit.vok"), "german\r\na\r\nb\r\nHaus\r\nhouse\r\n");
        const QString target = folder->filePath(QStringLiteral("target/"));
        QVERIFY(QDir().mkpath(target));
        WithoutRoot::handOver(folder->path());
        const ReadOnlyFolder readOnly(target);
        QVERIFY(readOnly.isSet());
        VERIFY_WITHOUT_ROOT({old, target});
        QVERIFY(filesIn(target).isEmpty());
    }

    // The built program as a script runs it: exit codes, and messages on standard error only.
    void theProgramEndToEnd()
    {
        QProcess tool;
        tool.start(toolProgram(), {});
        QVERIFY(tool.waitForFinished());
        QCOMPARE(tool.exitCode(), 2);
        QVERIFY(tool.readAllStandardOutput().isEmpty());
        QVERIFY(tool.readAllStandardError().contains("No command given"));

        tool.start(toolProgram(), {QStringLiteral("--help")});
        QVERIFY(tool.waitForFinished());
        QCOMPARE(tool.exitCode(), 0);
        QVERIFY(tool.readAllStandardOutput().contains("convert OLD.vok... --to FOLDER"));

        // A sample unit of the build, copied so that nothing of the build is touched.
        const QString samples =
            QCoreApplication::applicationDirPath() + QStringLiteral("/../program/Vocabulary/Other/");
        const QStringList units = QDir(samples).entryList({QStringLiteral("*.lif")}, QDir::Files);
        QVERIFY(!units.isEmpty());
        const QString base = QFileInfo(units.first()).completeBaseName();
        for (const QString &ext : {QStringLiteral(".lif"), QStringLiteral(".db")})
            QVERIFY(QFile::copy(samples + base + ext, folder->filePath(base + ext)));
        tool.start(toolProgram(),
                   {QStringLiteral("info"), folder->filePath(base + ".lif"), QStringLiteral("--json")});
        QVERIFY(tool.waitForFinished());
        QCOMPARE(tool.exitCode(), 0);
        QVERIFY(tool.readAllStandardError().isEmpty());
        const QJsonObject json = QJsonDocument::fromJson(tool.readAllStandardOutput()).object();
        QVERIFY(json.value("entries").toInt() > 0);

        tool.start(toolProgram(), {QStringLiteral("check"), folder->filePath(QStringLiteral("gone.lif"))});
        QVERIFY(tool.waitForFinished());
        QCOMPARE(tool.exitCode(), 1);
        QVERIFY(tool.readAllStandardOutput().isEmpty());
        QCOMPARE(tool.readAllStandardError(),
                 "lumo-tool: No such unit: " + folder->filePath("gone.lif").toUtf8() + '\n');
    }
};

QTEST_GUILESS_MAIN(TestLumoToolExchange)
#include "tst_lumotoolexchange.moc"

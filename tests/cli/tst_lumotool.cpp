#include "cli/lumotool.h"
#include "platform/table/sqlitedatabase.h"
#include "repetition/reviewhistory.h"
#include "repetition/unitweights.h"
#include "support/readonlyfolder.h"
#include "support/scriptedmessageservice.h"
#include "support/simulatedreviews.h"
#include "support/testfolder.h"
#include "support/withoutroot.h"
#include "vocfile/lumotable.h"
#include "vocfile/unitdescriptor.h"
#include "vocfile/unittestlog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>
#include <cmath>
#include <functional>

namespace {
struct Outcome
{
    int code = -1;
    QString out;
    QString err;
};

Outcome runTool(const QStringList &arguments, bool terminal = false)
{
    Outcome outcome;
    QTextStream out(&outcome.out);
    QTextStream err(&outcome.err);
    outcome.code = LumoTool(out, err, terminal).run(arguments);
    return outcome;
}

using Pairs = QList<QPair<QString, QString>>;

// (foreign, native) in the order of entry.
Pairs tablePairs(const QString &tablePath)
{
    ScriptedMessageService messages;
    TLumoTable table(messages);
    table.setVocabularyFile(tablePath);
    table.open();
    Pairs pairs;
    for (table.first(); !table.eof(); table.next())
        pairs.append({table.fieldValue(TLumoTable::ForeignLanguage).toString(),
                      table.fieldValue(TLumoTable::NativeLanguage).toString()});
    return pairs;
}

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden);
}
} // namespace

// The command-line companion, in process and as the program a script runs.
class TestLumoTool : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestFolder> folder;
    ScriptedMessageService messages;

    // A unit with entries (native, foreign, sound?, mistakes) and a test log of two tests.
    QString makeUnit(const QString &name)
    {
        const QString descriptor = folder->filePath(name + QStringLiteral(".lif"));
        UnitDescriptor(descriptor).write(2, 6, QStringLiteral("Animals; lesson 1"), QStringLiteral("Arial"));
        UnitTestLog log(descriptor);
        log.append(3, QStringLiteral("01.12.2026"));
        log.append(1, QStringLiteral("02.12.2026"));
        TLumoTable table(messages);
        table.setVocabularyFile(folder->filePath(name + QStringLiteral(".db")));
        table.open();
        const QByteArray sound("RIFF....WAVEfmt ");
        table.appendRecord({QVariant(), "dog", "Hund", 1, sound, sound, 2});
        table.appendRecord({QVariant(), "cat", "Katze", 1, QVariant(), sound, 0});
        table.appendRecord({QVariant(), "bird", "Vogel", 1, QVariant(), QVariant(), 5});
        table.close();
        return descriptor;
    }

    static QString toolProgram()
    {
        return QCoreApplication::applicationDirPath() + QStringLiteral("/../program/lumo-tool");
    }

private slots:
    void init()
    {
        folder = std::make_unique<TestFolder>();
        messages = ScriptedMessageService();
    }
    void cleanup() { folder.reset(); }

    void commandLineMistakesAreUsageErrors_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        QTest::newRow("nothing") << QStringList() << "No command given";
        QTest::newRow("unknown command") << QStringList({"shrink", "a.lif"}) << "Unknown command: shrink";
        QTest::newRow("unknown option") << QStringList({"info", "a.lif", "--xml"}) << "Unknown option: --xml";
        QTest::newRow("two units") << QStringList({"check", "a.lif", "b.lif"})
                                   << "check takes one unit (UNIT.lif)";
        QTest::newRow("no folder") << QStringList({"convert", "a.vok"}) << "convert needs --to FOLDER";
        QTest::newRow("import without unit") << QStringList({"import", "a.csv"}) << "import needs --to";
        QTest::newRow("import into a list")
            << QStringList({"import", "a.csv", "--to", "b.csv"}) << "import needs --to UNIT.lif";
        QTest::newRow("export two units") << QStringList({"export", "a.lif", "b.lif", "--to", "c.csv"})
                                          << "export takes one file before --to";
        QTest::newRow("empty --to") << QStringList({"convert", "a.vok", "--to"}) << "--to needs a value";
        QTest::newRow("no old unit") << QStringList({"convert", "--to", "x"})
                                     << "convert needs at least one old unit (OLD.vok)";
        QTest::newRow("both header options")
            << QStringList({"import", "a.csv", "--header", "--no-header", "--to", "b.lif"})
            << "--header and --no-header exclude each other";
    }

    void commandLineMistakesAreUsageErrors()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        const Outcome outcome = runTool(arguments);
        QCOMPARE(outcome.code, int(LumoTool::Usage));
        QVERIFY(outcome.out.isEmpty());
        QVERIFY2(outcome.err.startsWith(QStringLiteral("lumo-tool: ") + message + u'\n'),
                 qPrintable(outcome.err));
        QVERIFY(outcome.err.contains(QStringLiteral("Usage: lumo-tool COMMAND")));
        QVERIFY(filesIn(folder->path()).isEmpty());
    }

    void helpGoesToStandardOutput()
    {
        const Outcome outcome = runTool({QStringLiteral("info"), QStringLiteral("--help")});
        QCOMPARE(outcome.code, int(LumoTool::Done));
        QCOMPARE(outcome.out, LumoTool::usage());
        QVERIFY(outcome.err.isEmpty());
    }

    void infoTellsLanguagesDescriptionEntriesAndLog()
    {
        const QString unit = makeUnit(QStringLiteral("animals"));
        Outcome outcome = runTool({QStringLiteral("info"), unit});
        QCOMPARE(outcome.code, 0);
        QVERIFY(outcome.err.isEmpty());
        for (const char *line :
             {"Native language:  2 (British English)", "Foreign language: 6 (German)",
              "Description:      Animals; lesson 1", "Font:             Arial", "Entries:          3",
              "Tests:            2", "Last test:        02.12.2026", "Mistakes per test: 3, 1"})
            QVERIFY2(outcome.out.contains(QLatin1String(line) + u'\n'), line);

        outcome = runTool({QStringLiteral("info"), QStringLiteral("--json"), unit});
        QCOMPARE(outcome.code, 0);
        const QJsonObject json = QJsonDocument::fromJson(outcome.out.toUtf8()).object();
        QCOMPARE(json.value("unit").toString(), unit);
        QCOMPARE(json.value("nativeLanguage")["number"].toInt(), 2);
        QCOMPARE(json.value("foreignLanguage")["name"].toString(), QStringLiteral("German"));
        QCOMPARE(json.value("description").toString(), QStringLiteral("Animals; lesson 1"));
        QCOMPARE(json.value("entries").toInt(), 3);
        QCOMPARE(json.value("testLog")["testCount"].toInt(), 2);
        QCOMPARE(json.value("testLog")["mistakesPerTest"].toVariant().toList(), QVariantList({3, 1}));
    }

    void badUnitsAreBadInputAndLeaveNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << "gone.lif"
                                 << "No such unit: ";
        QTest::newRow("folder") << "sub"
                                << "This is a folder, not a unit: ";
        QTest::newRow("other kind") << "notes.txt"
                                    << "This is not a unit descriptor (.lif): ";
        QTest::newRow("no table") << "lonely.lif"
                                  << "The unit has no table: ";
        QTest::newRow("not a table") << "garbage.lif"
                                     << "";
    }

    void badUnitsAreBadInputAndLeaveNothing()
    {
        QFETCH(QString, name);
        QFETCH(QString, message);
        QDir().mkpath(folder->filePath(QStringLiteral("sub")));
        folder->writeText(QStringLiteral("notes.txt"), QStringLiteral("[general]\n"));
        folder->writeText(QStringLiteral("lonely.lif"), QStringLiteral("[general]\n"));
        folder->writeText(QStringLiteral("garbage.lif"), QStringLiteral("[general]\n"));
        folder->writeText(QStringLiteral("garbage.db"), QStringLiteral("this is no table at all, just text"));
        const QStringList before = filesIn(folder->path());
        for (const char *command : {"info", "check", "pack"}) {
            const Outcome outcome = runTool({QLatin1String(command), folder->filePath(name)});
            QCOMPARE(outcome.code, int(LumoTool::BadInput));
            QVERIFY(outcome.out.isEmpty() || QLatin1String(command) == QLatin1String("check"));
            QVERIFY2(outcome.err.startsWith(QStringLiteral("lumo-tool: ") + message),
                     qPrintable(outcome.err));
            QVERIFY(outcome.err.endsWith(u'\n'));
            QCOMPARE(filesIn(folder->path()), before);
        }
    }

    void checkCountsEntriesSoundsAndMistakes()
    {
        const QString unit = makeUnit(QStringLiteral("animals"));
        {
            // An empty sound is no sound, and a count below zero is no mistake.
            TLumoTable table(messages);
            table.setVocabularyFile(folder->filePath(QStringLiteral("animals.db")));
            table.open();
            table.appendRecord({QVariant(), "fish", "Fisch", 1, QVariant(), QVariant(), -4});
            table.connection()->exec(QStringLiteral(
                "UPDATE vocabulary SET NativeSound = x'', ForeignSound = x'' WHERE Mistakes < 0"));
        }
        const Outcome outcome = runTool({QStringLiteral("check"), unit});
        QCOMPARE(outcome.code, 0);
        QCOMPARE(outcome.out, QStringLiteral("Integrity:        ok\n"
                                             "Entries:          4\n"
                                             "Sounds:           3\n"
                                             "Entries mistaken: 2\n"
                                             "Mistakes:         7\n"
                                             "Reviews:          0\n"));
        QVERIFY(outcome.err.isEmpty());
    }

    // The review history leaves as the CSV of FSRS tools (without a grade they do not know),
    // and check counts its rows and the ones fitting would leave out.
    void reviewHistoryIsExportedAndChecked()
    {
        const QString unit = makeUnit(QStringLiteral("animals"));
        {
            TLumoTable table(messages);
            table.setVocabularyFile(folder->filePath(QStringLiteral("animals.db")));
            table.open();
            ReviewHistory history(*table.connection());
            history.ensureTable();
            history.append({1, 0, 1772442000, 3, std::nan(""), {}});
            history.append({1, 0, 1772528400, 1, 1.0, {2.3, 5.0}});
            history.append({2, 1, 1772528400, 7, 1.0, {2.3, 5.0}}); // no such grade
        }
        const QString csv = folder->filePath(QStringLiteral("reviews.csv"));
        const Outcome exported = runTool({QStringLiteral("export"), unit, QStringLiteral("--reviews"), csv});
        QCOMPARE(exported.code, 0);
        QCOMPARE(exported.out, QStringLiteral("Exported: 2 reviews\n"));
        QFile written(csv);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(),
                 QByteArray("card_id,review_time,review_rating,review_state,review_duration\n"
                            "2,1772442000000,3,0,0\n"
                            "2,1772528400000,1,2,0\n"));
        const Outcome checked = runTool({QStringLiteral("check"), unit});
        QCOMPARE(checked.code, 0);
        QVERIFY2(checked.out.endsWith(
                     QStringLiteral("Reviews:          3\nUnusable reviews: 1 (a time in the future, "
                                    "a grade outside 1-4 or a negative interval)\n")),
                 qPrintable(checked.out));
        const Outcome both = runTool({QStringLiteral("export"), unit, QStringLiteral("--reviews"), csv,
                                      QStringLiteral("--to"), QStringLiteral("x.csv")});
        QCOMPARE(both.code, int(LumoTool::Usage));
    }

    // fit keeps the weights while the history is short, stores fitted ones for a learner
    // unlike the defaults, and --reset puts the defaults back.
    void fitSchedulesWithTheLearnersWeights()
    {
        const QString unit = makeUnit(QStringLiteral("animals"));
        const auto withTable = [this](const std::function<void(SqliteDatabase &)> &work) {
            TLumoTable table(messages);
            table.setVocabularyFile(folder->filePath(QStringLiteral("animals.db")));
            table.open();
            table.startTransaction();
            work(*table.connection());
            table.commit();
        };
        // Cards numbered on from firstEntry, reviewed from 2001 on, so that none lies ahead.
        const auto append = [&](int cards, qint64 firstEntry) {
            withTable([cards, firstEntry](SqliteDatabase &db) {
                ReviewHistory history(db);
                history.ensureTable();
                qint64 entry = firstEntry - 1;
                for (const FsrsFitter::Card &card :
                     SimulatedReviews::simulate(SimulatedReviews::trueWeights(), cards, 3)) {
                    qint64 at = 1000000000;
                    ++entry;
                    for (const FsrsFitter::Review &review : card) {
                        at += qint64(review.elapsedDays) * 86400;
                        history.append({entry,
                                        0,
                                        at,
                                        review.grade,
                                        review.elapsedDays > 0 ? review.elapsedDays : std::nan(""),
                                        {}});
                    }
                }
            });
        };
        const auto fitted = [&] {
            bool stored = false;
            withTable([&stored](SqliteDatabase &db) { stored = UnitWeights(db).fitted(); });
            return stored;
        };
        append(10, 1);
        const Outcome few = runTool({QStringLiteral("fit"), unit});
        QCOMPARE(few.code, 0);
        QVERIFY2(few.out.contains(QStringLiteral("Not enough reviews to fit yet: 70 of 400")),
                 qPrintable(few.out));
        QVERIFY(!fitted());

        append(1500, 11);
        const Outcome fit = runTool({QStringLiteral("fit"), unit});
        QCOMPARE(fit.code, 0);
        QVERIFY2(fit.out.contains(QStringLiteral("Reviews:           12080\n")), qPrintable(fit.out));
        QVERIFY2(!fit.out.contains(QStringLiteral("defaults (")), qPrintable(fit.out));
        QVERIFY(fitted());

        const Outcome reset = runTool({QStringLiteral("fit"), unit, QStringLiteral("--reset")});
        QCOMPARE(reset.code, 0);
        QVERIFY(reset.out.startsWith(QStringLiteral("Weights:           defaults\n")));
        QVERIFY(!fitted());
    }

    void aUnitInUseIsReportedByTheEngine()
    {
        const QString unit = makeUnit(QStringLiteral("animals"));
        TLumoTable program(messages);
        program.setVocabularyFile(folder->filePath(QStringLiteral("animals.db")));
        program.open();
        for (const char *command : {"info", "check", "pack"}) {
            const Outcome outcome = runTool({QLatin1String(command), unit});
            QCOMPARE(outcome.code, int(LumoTool::BadInput));
            QVERIFY2(outcome.err.contains(folder->filePath(QStringLiteral("animals.db"))),
                     qPrintable(outcome.err));
        }
        QCOMPARE(program.recordCount(), 3);
    }

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

    void packKeepsTheEntries()
    {
        const QString unit = makeUnit(QStringLiteral("animals"));
        const Outcome outcome = runTool({QStringLiteral("pack"), unit});
        QCOMPARE(outcome.code, 0);
        QCOMPARE(tablePairs(folder->filePath(QStringLiteral("animals.db"))),
                 Pairs({{"Hund", "dog"}, {"Katze", "cat"}, {"Vogel", "bird"}}));
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

QTEST_GUILESS_MAIN(TestLumoTool)
#include "tst_lumotool.moc"

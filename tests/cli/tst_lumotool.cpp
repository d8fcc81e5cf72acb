#include "cli/lumotoolfixture.h"
#include "platform/table/sqlitedatabase.h"
#include "repetition/reviewhistory.h"
#include "repetition/unitweights.h"
#include "support/simulatedreviews.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>
#include <cmath>
#include <functional>

// The command-line companion on units, in process and as the program a script runs: usage,
// info, check, review history, fit and pack. Word lists and conversion are tst_lumotoolexchange.
class TestLumoTool : public QObject, protected LumoToolFixture
{
    Q_OBJECT

private slots:
    void init() { setUpFixture(); }
    void cleanup() { tearDownFixture(); }

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

    void packKeepsTheEntries()
    {
        const QString unit = makeUnit(QStringLiteral("animals"));
        const Outcome outcome = runTool({QStringLiteral("pack"), unit});
        QCOMPARE(outcome.code, 0);
        QCOMPARE(tablePairs(folder->filePath(QStringLiteral("animals.db"))),
                 Pairs({{"Hund", "dog"}, {"Katze", "cat"}, {"Vogel", "bird"}}));
    }
};

QTEST_GUILESS_MAIN(TestLumoTool)
#include "tst_lumotool.moc"

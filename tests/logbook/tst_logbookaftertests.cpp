// What the logbook holds after tests run by the test engine: the log of completed tests and
// the entries' mistakes as the logbook's filter shows them.

#include "logbook/logbookstore.h"
#include "vocfile/unittestlog.h"
#include "voctest/enginefixture.h"

#include <QTest>

namespace {
// The logbook's view of the engine's table: "native=mistakes" for each entry shown.
QStringList logbookRows(SqliteTable &table)
{
    table.setFilterCondition(LogbookStore::mistakesCondition());
    table.setFiltered(true);
    QStringList rows;
    for (table.first(); !table.eof(); table.next())
        rows.append(table.fieldValue(TLumoTable::NativeLanguage).toString() + u'=' +
                    table.fieldValue(TLumoTable::Mistakes).toString());
    table.setFiltered(false);
    return rows;
}

void missThenFinish(EngineFixture &f, int missed)
{
    for (int i = 0; i < missed; ++i)
        f.answer(QStringLiteral("wrong"));
    f.askAllRight();
}
} // namespace

class TestLogbookAfterTests : public QObject
{
    Q_OBJECT

private slots:
    void untestedUnitHasAnEmptyLogbook()
    {
        EngineFixture f(letters(4));
        QVERIFY(logbookRows(f.table).isEmpty());
        QCOMPARE(f.table.recordCount(), 4); // the other pages see every entry
        QCOMPARE(UnitTestLog(f.descriptor).testCount(), 0);
        QVERIFY(UnitTestLog(f.descriptor).results(99).isEmpty());
    }

    void threeTestsAreLoggedAndTheirMissesShown()
    {
        EngineFixture f(letters(6));
        for (int missed : {2, 0, 5})
            missThenFinish(f, missed);
        const UnitTestLog log(f.descriptor);
        QCOMPARE(log.testCount(), 3);
        QCOMPARE(log.results(99), (QList<int>{2, 0, 5}));
        QCOMPARE(logbookRows(f.table), (QStringList{"A=2", "B=2", "C=1", "D=1", "E=1"}));
    }

    void stoppedTestLogsNothingButKeepsItsMisses()
    {
        EngineFixture f(letters(4));
        missThenFinish(f, 1);
        f.answer(QStringLiteral("wrong"));
        f.answer(QStringLiteral("wrong"));
        f.engine.Finish(); // as the Stop button does
        const UnitTestLog log(f.descriptor);
        QCOMPARE(log.testCount(), 1);
        QCOMPARE(log.results(99), QList<int>{1});
        QCOMPARE(logbookRows(f.table), (QStringList{"A=2", "B=1"}));
    }

    void resetAfterTestsEmptiesTheLogbook()
    {
        EngineFixture f(letters(4));
        missThenFinish(f, 3);
        LogbookStore::resetLog(f.table, f.descriptor);
        QVERIFY(logbookRows(f.table).isEmpty());
        const UnitTestLog log(f.descriptor);
        QCOMPARE(log.testCount(), 0);
        QVERIFY(log.results(99).isEmpty());
        QCOMPARE(f.logValue(QStringLiteral("Font")), QStringLiteral("Courier New"));
        QCOMPARE(f.logValue(QStringLiteral("FirstLanguage")), QStringLiteral("6"));
        // The engine goes on with the same table.
        f.engine.Reload();
        missThenFinish(f, 1);
        QCOMPARE(UnitTestLog(f.descriptor).results(99), QList<int>{1});
    }
};

QTEST_GUILESS_MAIN(TestLogbookAfterTests)
#include "tst_logbookaftertests.moc"

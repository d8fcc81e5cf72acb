// The logbook's filter as the table engine runs it, and emptying the logbook.

#include "logbook/logbookstore.h"
#include "platform/ini/inifile.h"
#include "support/scriptedmessageservice.h"
#include "support/testfolder.h"
#include "support/withoutroot.h"
#include "vocfile/lumotable.h"
#include "vocfile/unitdescriptor.h"
#include "vocfile/unittestlog.h"

#include <QFile>
#include <QSignalSpy>
#include <QTest>

using F = TLumoTable::Field;

namespace {
QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList natives(SqliteTable &table)
{
    QStringList words;
    for (table.first(); !table.eof(); table.next())
        words.append(table.fieldValue(F::NativeLanguage).toString());
    return words;
}

QList<QVariant> allMistakes(SqliteTable &table)
{
    const bool filtered = table.filtered();
    table.setFiltered(false);
    QList<QVariant> values;
    for (table.first(); !table.eof(); table.next())
        values.append(table.fieldValue(F::Mistakes));
    table.setFiltered(filtered);
    return values;
}

// A unit "unit" in folder with the words and mistake counts given, and a test log of two
// tests and a key of someone else's.
struct Unit
{
    QString descriptor;
    QString table;
};

Unit makeUnit(const TestFolder &folder, const QList<QPair<QString, QVariant>> &entries)
{
    ScriptedMessageService messages;
    Unit unit{folder.filePath(QStringLiteral("unit.lif")), folder.filePath(QStringLiteral("unit.db"))};
    UnitDescriptor(unit.descriptor).write(4, 9, QStringLiteral("Verbs"), QStringLiteral("DejaVu Serif"));
    UnitTestLog log(unit.descriptor);
    log.append(3, QStringLiteral("01.12.26"));
    log.append(1, QStringLiteral("02.12.26"));
    IniFile(unit.descriptor)
        .writeString(QStringLiteral("general"), QStringLiteral("Extra"), QStringLiteral("x"));
    TLumoTable table(messages);
    table.setVocabularyFile(unit.table);
    table.open();
    for (const auto &[word, mistakes] : entries)
        table.appendRecord({QVariant(), word, word.toUpper(), 1, QVariant(), QVariant(), mistakes});
    table.close();
    return unit;
}

const QList<QPair<QString, QVariant>> Mixed = {{"pear", 2},    {"apple", 0},  {"fig", QVariant()},
                                               {"banana", -1}, {"cherry", 1}, {"date", 7}};
} // namespace

class TestLogbookStore : public QObject
{
    Q_OBJECT

private:
    ScriptedMessageService m_messages;

    std::unique_ptr<TLumoTable> logbookView(const QString &path)
    {
        auto table = std::make_unique<TLumoTable>(m_messages);
        table->setVocabularyFile(path);
        table->setFilterCondition(LogbookStore::mistakesCondition());
        table->setFiltered(true);
        table->open();
        return table;
    }

private slots:
    void filterKeepsOnlyEntriesWithMistakes_data();
    void filterKeepsOnlyEntriesWithMistakes();
    void filterConditionAndFunctionBothApply();
    void filterFollowsChangesOfTheCondition();
    void settingAFieldOfAllReachesFilteredOutRecords();
    void resetClearsMistakesAndTheLog();
    void resetWithoutDescriptorStillClearsMistakes();
    void resetOfReadOnlyDescriptorChangesNothing();
};

void TestLogbookStore::filterKeepsOnlyEntriesWithMistakes_data()
{
    QTest::addColumn<QString>("index");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("entry order") << QString() << QStringList{"pear", "cherry", "date"};
    QTest::newRow("native order") << QStringLiteral("NativeIndex") << QStringList{"cherry", "date", "pear"};
}

void TestLogbookStore::filterKeepsOnlyEntriesWithMistakes()
{
    QFETCH(QString, index);
    QFETCH(QStringList, shown);
    TestFolder folder;
    const Unit unit = makeUnit(folder, Mixed);
    auto table = logbookView(unit.table);
    table->setIndexName(index);
    // Empty and negative counts are no mistakes; the key list holds the others only.
    QCOMPARE(table->recordCount(), shown.size());
    QCOMPARE(natives(*table), shown);
    QVERIFY(!table->findKey(2)); // "apple", 0 mistakes
    table->setFiltered(false);
    QCOMPARE(table->recordCount(), Mixed.size());
}

void TestLogbookStore::filterConditionAndFunctionBothApply()
{
    TestFolder folder;
    const Unit unit = makeUnit(folder, Mixed);
    auto table = logbookView(unit.table);
    table->setFilter([](const TableRecord &record) { return record.values.at(F::Mistakes).toInt() < 5; });
    QCOMPARE(natives(*table), (QStringList{"pear", "cherry"}));
    table->setFilterCondition(QString());
    QCOMPARE(natives(*table), (QStringList{"pear", "apple", "fig", "banana", "cherry"}));
}

void TestLogbookStore::filterFollowsChangesOfTheCondition()
{
    TestFolder folder;
    const Unit unit = makeUnit(folder, Mixed);
    auto table = logbookView(unit.table);
    QSignalSpy changed(table.get(), &SqliteTable::dataSetChanged);
    table->setFilterCondition(QStringLiteral("\"Mistakes\" > 1"));
    QVERIFY(!changed.isEmpty());
    QCOMPARE(natives(*table), (QStringList{"pear", "date"}));
    // A record that no longer meets the condition goes at the next reading of the keys.
    QVERIFY(table->findKey(1));
    table->edit();
    table->setFieldValue(F::Mistakes, 0);
    table->post();
    table->refresh();
    QCOMPARE(natives(*table), (QStringList{"date"}));
}

void TestLogbookStore::settingAFieldOfAllReachesFilteredOutRecords()
{
    TestFolder folder;
    const Unit unit = makeUnit(folder, Mixed);
    auto table = logbookView(unit.table);
    QCOMPARE(table->fieldValue(F::Mistakes).toInt(), 2); // read once, so a stale page would show
    table->setFieldOfAll(F::Mistakes, 4);
    QCOMPARE(table->recordCount(), Mixed.size()); // every record now has mistakes
    QCOMPARE(allMistakes(*table), QList<QVariant>(Mixed.size(), 4));
    QVERIFY_THROWS_EXCEPTION(TableError, table->setFieldOfAll(F::Count, 1));
    // Texts are compared to the letter: one that differs only in case is written too.
    table->setFieldOfAll(F::NativeLanguage, QStringLiteral("Pear"));
    table->setFiltered(false);
    QCOMPARE(natives(*table), QStringList(Mixed.size(), QStringLiteral("Pear")));
}

void TestLogbookStore::resetClearsMistakesAndTheLog()
{
    TestFolder folder;
    const Unit unit = makeUnit(folder, Mixed);
    auto table = logbookView(unit.table);
    QSignalSpy changed(table.get(), &SqliteTable::dataSetChanged);
    LogbookStore::resetLog(*table, unit.descriptor);
    QCOMPARE(changed.count(), 1); // the bound grid reads the rows once
    QVERIFY(table->isEmpty());
    QVERIFY(!table->inTransaction());
    QCOMPARE(allMistakes(*table), QList<QVariant>(Mixed.size(), 0));
    const UnitDescriptor descriptor(unit.descriptor);
    QCOMPARE(descriptor.firstLanguage(), 4);
    QCOMPARE(descriptor.secondLanguage(), 9);
    QCOMPARE(descriptor.description(), QStringLiteral("Verbs"));
    QCOMPARE(descriptor.font(), QStringLiteral("DejaVu Serif"));
    QCOMPARE(contents(unit.descriptor), QByteArray("[general]\nFileType=vokfile\nFirstLanguage=4\n"
                                                   "SecondLanguage=9\nDescription=Verbs\nFont=DejaVu Serif\n"
                                                   "TestCount=0\nLastTestDate=\n"));
    // Stored, not only shown: another connection sees it.
    table->close();
    auto again = logbookView(unit.table);
    QVERIFY(again->isEmpty());
}

void TestLogbookStore::resetWithoutDescriptorStillClearsMistakes()
{
    TestFolder folder;
    const Unit unit = makeUnit(folder, Mixed);
    QVERIFY(QFile::remove(unit.descriptor));
    auto table = logbookView(unit.table);
    LogbookStore::resetLog(*table, unit.descriptor);
    QVERIFY(table->isEmpty());
    QCOMPARE(allMistakes(*table), QList<QVariant>(Mixed.size(), 0));
    QVERIFY(!QFile::exists(unit.descriptor));
}

void TestLogbookStore::resetOfReadOnlyDescriptorChangesNothing()
{
    if (WithoutRoot::inChild()) {
        const QString descriptor = WithoutRoot::values().at(0);
        auto table = logbookView(WithoutRoot::values().at(1));
        try {
            LogbookStore::resetLog(*table, descriptor);
            QFAIL("The reset of a read-only descriptor went through");
        } catch (const LumoError &error) {
            QCOMPARE(error.message(), QStringLiteral("Unable to write to ") + descriptor);
        }
        // The rows the grid shows are those stored, the mistakes as they were.
        QCOMPARE(natives(*table), (QStringList{"pear", "cherry", "date"}));
        QVERIFY(!table->inTransaction());
        return;
    }
    TestFolder folder;
    const Unit unit = makeUnit(folder, Mixed);
    const QByteArray before = contents(unit.descriptor);
    WithoutRoot::handOver(folder.path());
    QVERIFY(QFile::setPermissions(unit.descriptor, QFileDevice::ReadOwner | QFileDevice::ReadUser));
    VERIFY_WITHOUT_ROOT({unit.descriptor, unit.table});
    QCOMPARE(contents(unit.descriptor), before);
    auto table = logbookView(unit.table);
    QCOMPARE(allMistakes(*table), (QList<QVariant>{2, 0, QVariant(), -1, 1, 7}));
}

QTEST_GUILESS_MAIN(TestLogbookStore)
#include "tst_logbookstore.moc"

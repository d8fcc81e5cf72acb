#include "support/scriptedmessageservice.h"
#include "support/testfolder.h"
#include "vocfile/lumotable.h"

#include <QTest>
#include <memory>

namespace {
using F = TLumoTable;
const QList<int> BothSides{F::NativeLanguage, F::ForeignLanguage};
const QList<int> NativeSide{F::NativeLanguage};
} // namespace

// Searching a unit's words from the current entry on, in the order the table shows them.
class TestTableSearch : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestFolder> folder;
    ScriptedMessageService messages;
    std::unique_ptr<TLumoTable> table;

    // Keys 1 to 6. In word order: apfel 4, Café 5, Esel 6, Haus 2, Zebra 1, Ärger 3.
    void fill()
    {
        const QList<QStringList> words{{"Zebra", "zebra"}, {"Haus", "house"},        {"Ärger", "trouble"},
                                       {"apfel", "apple"}, {"Café", "coffee house"}, {"Esel", "donkey"}};
        table->startTransaction();
        for (int i = 0; i < words.size(); ++i)
            table->appendRecord({QVariant(), words.at(i).at(0), words.at(i).at(1), 1, QVariant(), QVariant(),
                                 i == 0 || i == 2 ? 1 : 0});
        table->commit();
        table->first();
    }

    qint64 current() const { return table->fieldValue(F::Count).toLongLong(); }

private slots:
    void init()
    {
        folder = std::make_unique<TestFolder>();
        table = std::make_unique<TLumoTable>(messages);
        table->setVocabularyFile(folder->filePath(QStringLiteral("words.db")));
        table->open();
        fill();
    }
    void cleanup()
    {
        table.reset();
        folder.reset();
    }

    void capitalsFindSmallLettersOfEveryAlphabet()
    {
        QVERIFY(table->findText(BothSides, QStringLiteral("HOUSE")));
        QCOMPARE(current(), 2);
        QVERIFY(table->findText(BothSides, QStringLiteral("HOUSE")));
        QCOMPARE(current(), 5); // "coffee house"
        QVERIFY(table->findText(BothSides, QStringLiteral("ÄRG")));
        QCOMPARE(current(), 3);
        QVERIFY(table->findText(BothSides, QStringLiteral("CAFÉ")));
        QCOMPARE(current(), 5);
    }

    void startsAfterTheCurrentEntryInTheCurrentOrder()
    {
        QVERIFY(table->findKey(2)); // Haus
        QVERIFY(table->findText(NativeSide, QStringLiteral("e")));
        QCOMPARE(current(), 3); // Ärger follows in entry order
        table->setIndexField(QStringLiteral("NativeLanguage"));
        QVERIFY(table->findKey(2));
        QVERIFY(table->findText(NativeSide, QStringLiteral("e")));
        QCOMPARE(current(), 1); // Zebra follows in word order
    }

    void wrapsFromTheLastEntryToTheFirst()
    {
        table->last();
        QVERIFY(table->findText(BothSides, QStringLiteral("zebra")));
        QCOMPARE(current(), 1);
        table->setIndexField(QStringLiteral("NativeLanguage"));
        table->last();
        QCOMPARE(current(), 3);
        QVERIFY(table->findText(BothSides, QStringLiteral("APFEL")));
        QCOMPARE(current(), 4);
        QCOMPARE(table->recNo(), 0);
    }

    void theOnlyMatchBeingTheCurrentEntryStaysThere()
    {
        QVERIFY(table->findKey(6));
        QVERIFY(table->findText(BothSides, QStringLiteral("donkey")));
        QCOMPARE(current(), 6);
        QCOMPARE(table->recNo(), 5);
    }

    void noMatchEmptyTextOrNoColumnStaysWhereItBegan()
    {
        QVERIFY(table->findKey(3));
        QVERIFY(!table->findText(BothSides, QStringLiteral("giraffe")));
        QCOMPARE(current(), 3);
        QVERIFY(!table->findText(BothSides, QString()));
        QCOMPARE(current(), 3);
        QVERIFY(!table->findText({}, QStringLiteral("Haus")));
        QCOMPARE(current(), 3);
        // Only the columns asked for are searched.
        QVERIFY(!table->findText(NativeSide, QStringLiteral("apple")));
        QCOMPARE(current(), 3);
        QVERIFY(table->findText({F::ForeignLanguage}, QStringLiteral("apple")));
        QCOMPARE(current(), 4);
    }

    void aPendingEditIsStoredAndSearched()
    {
        QVERIFY(table->findKey(2));
        table->edit();
        table->setFieldValue(F::NativeLanguage, QStringLiteral("Maus"));
        QVERIFY(table->findText(NativeSide, QStringLiteral("MAUS")));
        QCOMPARE(table->state(), SqliteTable::State::Browse);
        QCOMPARE(current(), 2);
        table->close();
        table->open();
        QVERIFY(table->findKey(2));
        QCOMPARE(table->fieldValue(F::NativeLanguage).toString(), QStringLiteral("Maus"));
    }

    void aFilteredTableIsSearchedWithinItsFilter()
    {
        table->setFilter([](const TableRecord &record) { return record.values.at(F::Mistakes).toInt() > 0; });
        table->setFiltered(true);
        QVERIFY(!table->findText(BothSides, QStringLiteral("haus")));
        QCOMPARE(current(), 1);
        QVERIFY(table->findText(BothSides, QStringLiteral("trouble")));
        QCOMPARE(current(), 3);
    }

    void theOrderIsChosenByItsField()
    {
        table->setIndexField(QStringLiteral("nativelanguage"));
        QCOMPARE(table->indexName(), QStringLiteral("NativeIndex"));
        table->setIndexField(QStringLiteral("ForeignLanguage"));
        QCOMPARE(table->indexName(), QStringLiteral("ForeignIndex"));
        table->first();
        QCOMPARE(current(), 4); // apple
        table->setIndexField(QStringLiteral("Count"));
        QCOMPARE(table->indexName(), QString());
        QVERIFY_THROWS_EXCEPTION(TableError, table->setIndexField(QStringLiteral("Type")));
        QCOMPARE(table->indexName(), QString());
        table->close();
        QVERIFY_THROWS_EXCEPTION(TableError, table->setIndexField(QStringLiteral("NativeLanguage")));
    }
};

QTEST_GUILESS_MAIN(TestTableSearch)
#include "tst_tablesearch.moc"

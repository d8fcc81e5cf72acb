#include "platform/table/sqlitedatabase.h"
#include "platform/table/sqlitetable.h"
#include "support/testfolder.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTest>
#include <functional>
#include <sqlite3.h>

namespace {

enum Field { Id = 0, Word, Note };

using Move = std::function<void(SqliteTable &)>;

QStringList column(SqliteTable &table, int field)
{
    QStringList values;
    for (table.first(); !table.eof(); table.next())
        values.append(table.fieldValue(field).toString());
    return values;
}

// The moves of a data-aware table that leave the current record.
QList<QPair<const char *, Move>> moves()
{
    return {
        {"first", [](SqliteTable &t) { t.first(); }},
        {"next", [](SqliteTable &t) { t.next(); }},
        {"prior", [](SqliteTable &t) { t.prior(); }},
        {"last", [](SqliteTable &t) { t.last(); }},
        {"key search", [](SqliteTable &t) { t.findKey(1); }},
        {"failed key search", [](SqliteTable &t) { t.findKey(999); }},
        {"setRecNo", [](SqliteTable &t) { t.setRecNo(0); }},
        {"append", [](SqliteTable &t) { t.append(); }},
        {"insert", [](SqliteTable &t) { t.insert(); }},
        {"another index", [](SqliteTable &t) { t.setIndexName(QStringLiteral("WordIndex")); }},
        {"filter on", [](SqliteTable &t) { t.setFiltered(true); }},
        {"filter off",
         [](SqliteTable &t) {
             t.setFiltered(false);
             t.setFiltered(true);
         }},
        {"new filter while filtered",
         [](SqliteTable &t) {
             t.setFiltered(true);
             t.setFilter([](const TableRecord &) { return true; });
         }},
        {"refresh", [](SqliteTable &t) { t.refresh(); }},
    };
}

} // namespace

class TestSqliteTable : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void movingPostsAPendingEdit_data();
    void movingPostsAPendingEdit();
    void movingDropsANewRecordNothingWasTypedInto_data();
    void movingDropsANewRecordNothingWasTypedInto();
    void aFailedPostLeavesOrderAndFilterAsTheyWere();

    void postedRecordsTakeTheirPlace_data();
    void postedRecordsTakeTheirPlace();
    void writingWhileWalkingReadsCurrentValues();
    void anOrderOthersChangedIsReadByKeys();
    void aDeleteAndItsCompanionAreOneTransaction_data();
    void aDeleteAndItsCompanionAreOneTransaction();
    void columnsOfAFieldTheTableLacksAreRefused();

private:
    std::unique_ptr<SqliteTable> create(const QString &name);
    std::unique_ptr<SqliteTable> reopen(std::unique_ptr<SqliteTable> table);
    void fill(SqliteTable &table, const QStringList &words);

    std::unique_ptr<TestFolder> m_folder;
};

void TestSqliteTable::init()
{
    m_folder = std::make_unique<TestFolder>();
}

std::unique_ptr<SqliteTable> TestSqliteTable::create(const QString &name)
{
    auto table = std::make_unique<SqliteTable>();
    table->setDatabaseName(m_folder->path());
    table->setTableName(name);
    table->setFieldDefs({{QStringLiteral("Id"), FieldType::AutoInc, 0},
                         {QStringLiteral("Word"), FieldType::String, 40},
                         {QStringLiteral("Note"), FieldType::String, 40}});
    table->setIndexDefs({{QString(), QStringLiteral("Id"), true, false},
                         {QStringLiteral("WordIndex"), QStringLiteral("Word"), false, true},
                         {QStringLiteral("NoteIndex"), QStringLiteral("Note"), false, false}});
    table->createTable();
    table->open();
    return table;
}

// Closing drops whatever was not posted; what a new opening finds is what was stored.
std::unique_ptr<SqliteTable> TestSqliteTable::reopen(std::unique_ptr<SqliteTable> table)
{
    table->close();
    table->setIndexName(QString());
    table->setFiltered(false);
    table->open();
    return table;
}

void TestSqliteTable::fill(SqliteTable &table, const QStringList &words)
{
    for (const QString &word : words)
        table.appendRecord({QVariant(), word, QStringLiteral("shown")});
}

void TestSqliteTable::movingPostsAPendingEdit_data()
{
    QTest::addColumn<bool>("newRecord");
    QTest::addColumn<Move>("move");
    for (const auto &[name, move] : moves()) {
        QTest::addRow("edit, %s", name) << false << move;
        QTest::addRow("new record, %s", name) << true << move;
    }
}

void TestSqliteTable::movingPostsAPendingEdit()
{
    QFETCH(bool, newRecord);
    QFETCH(Move, move);
    auto table = create(QStringLiteral("moves.db"));
    fill(*table, {QStringLiteral("pear"), QStringLiteral("fig"), QStringLiteral("apple")});
    table->setFilter(
        [](const TableRecord &record) { return record.values.at(Note) == QStringLiteral("shown"); });
    table->setRecNo(1);
    if (newRecord)
        table->append();
    else
        table->edit();
    table->setFieldValue(Word, QStringLiteral("typed"));
    move(*table);

    QVERIFY(table->state() != SqliteTable::State::Edit);
    table = reopen(std::move(table));
    const QStringList expected =
        newRecord ? QStringList{"pear", "fig", "apple", "typed"} : QStringList{"pear", "typed", "apple"};
    QCOMPARE(column(*table, Word), expected);
}

void TestSqliteTable::movingDropsANewRecordNothingWasTypedInto_data()
{
    QTest::addColumn<Move>("move");
    for (const auto &[name, move] : moves())
        QTest::addRow("%s", name) << move;
}

void TestSqliteTable::movingDropsANewRecordNothingWasTypedInto()
{
    QFETCH(Move, move);
    auto table = create(QStringLiteral("blank.db"));
    fill(*table, {QStringLiteral("pear"), QStringLiteral("fig")});
    table->setFilter([](const TableRecord &) { return true; });
    table->last();
    table->append(); // a grid's empty row below the last
    QCOMPARE(table->recordCount(), 3);
    move(*table);
    table = reopen(std::move(table));
    QCOMPARE(table->recordCount(), 2);
    // An explicit post still stores an empty record.
    table->append();
    table->post();
    QCOMPARE(reopen(std::move(table))->recordCount(), 3);
}

void TestSqliteTable::aFailedPostLeavesOrderAndFilterAsTheyWere()
{
    auto table = create(QStringLiteral("refusing.db"));
    fill(*table, {QStringLiteral("pear"), QStringLiteral("fig")});
    table->close();
    sqlite3 *raw = nullptr;
    QCOMPARE(sqlite3_open(QFile::encodeName(table->filePath()).constData(), &raw), SQLITE_OK);
    // A file's own triggers never run, so the refusal is a constraint the file holds.
    QCOMPARE(
        sqlite3_exec(raw, "CREATE UNIQUE INDEX OneOfEach ON vocabulary (Word)", nullptr, nullptr, nullptr),
        SQLITE_OK);
    sqlite3_close(raw);
    table->open();
    table->setFilter(
        [](const TableRecord &record) { return record.values.at(Word) == QStringLiteral("fig"); });
    table->first();
    table->edit();
    table->setFieldValue(Word, QStringLiteral("fig")); // the other record's word

    QVERIFY_THROWS_EXCEPTION(TableError, table->setFiltered(true));
    QVERIFY(!table->filtered());
    QVERIFY_THROWS_EXCEPTION(TableError, table->setIndexName(QStringLiteral("WordIndex")));
    QCOMPARE(table->indexName(), QString());
    QCOMPARE(table->state(), SqliteTable::State::Edit); // the typing is not lost
    QCOMPARE(table->recordCount(), 2);
    table->setFieldValue(Word, QStringLiteral("plum"));
    table->setFiltered(true);
    QCOMPARE(table->recordCount(), 1);
    QCOMPARE(table->fieldValue(Word).toString(), QStringLiteral("fig"));
}

void TestSqliteTable::postedRecordsTakeTheirPlace_data()
{
    QTest::addColumn<QString>("index");
    QTest::addColumn<bool>("filtered");
    QTest::newRow("case-blind") << QStringLiteral("WordIndex") << false;
    QTest::newRow("case-blind, filtered") << QStringLiteral("WordIndex") << true;
    QTest::newRow("binary") << QStringLiteral("NoteIndex") << false;
    QTest::newRow("binary, filtered") << QStringLiteral("NoteIndex") << true;
}

void TestSqliteTable::postedRecordsTakeTheirPlace()
{
    QFETCH(QString, index);
    QFETCH(bool, filtered);
    auto table = create(QStringLiteral("placing.db"));
    const QStringList pool = {QString(),           QStringLiteral("a"),      QStringLiteral("A"),
                              QStringLiteral("b"), QStringLiteral("\u00e4"), QStringLiteral("\u00c4x"),
                              QStringLiteral("Z"), QStringLiteral("_"),      QStringLiteral("\u03c3")};
    QRandomGenerator generator(5);
    const auto pick = [&] { return pool.at(generator.bounded(int(pool.size()))); };
    table->setIndexName(index);
    table->setFilter([](const TableRecord &record) { return record.values.at(Id).toInt() % 3 != 0; });
    table->setFiltered(filtered);
    const int field = index == QLatin1String("WordIndex") ? Word : Note;
    for (int i = 0; i < 80; ++i) {
        if (i % 4 == 3 && !table->isEmpty()) {
            table->setRecNo(generator.bounded(table->recordCount()));
            table->edit();
        } else {
            table->append();
        }
        const QString value = pick();
        table->setFieldValue(field, value);
        table->post();
        QCOMPARE(table->fieldValue(field).toString(), value); // stays on what was posted
        if (i % 10 == 9) {
            // Where the records were put is where reading the order afresh puts them.
            // A posted record the filter hides stays in view until the order is read again.
            QStringList placed = column(*table, Id);
            if (filtered)
                placed.removeIf([](const QString &id) { return id.toInt() % 3 == 0; });
            table->refresh();
            QCOMPARE(column(*table, Id), placed);
        }
    }
}

void TestSqliteTable::writingWhileWalkingReadsCurrentValues()
{
    auto table = create(QStringLiteral("walk.db"));
    table->startTransaction();
    for (int i = 0; i < 1500; ++i)
        table->appendRecord({QVariant(), QStringLiteral("w%1").arg(1499 - i, 4, 10, QChar(u'0')), QString()});
    table->commit();
    table->setIndexName(QStringLiteral("WordIndex"));
    int visited = 0;
    for (table->first(); !table->eof(); table->next(), ++visited) {
        QCOMPARE(table->fieldValue(Id).toInt(), 1500 - visited);
        QCOMPARE(table->fieldValue(Note).toString(), QString());
        if (visited == 100)
            table->startTransaction();
        if (visited == 1300)
            table->commit();
        if (visited % 2 == 0) {
            table->edit();
            table->setFieldValue(Note, QString::number(visited));
            table->post();
        }
        if (visited == 900)
            QCOMPARE(table->valueAt(100, Note).toString(), QStringLiteral("100")); // a look back
    }
    QCOMPARE(visited, 1500);
    table = reopen(std::move(table));
    table->setIndexName(QStringLiteral("WordIndex"));
    visited = 0;
    for (table->first(); !table->eof(); table->next(), ++visited)
        QCOMPARE(table->fieldValue(Note).toString(), visited % 2 ? QString() : QString::number(visited));
}

void TestSqliteTable::anOrderOthersChangedIsReadByKeys()
{
    auto table = create(QStringLiteral("shared.db"));
    fill(*table, {QStringLiteral("pear"), QStringLiteral("fig"), QStringLiteral("apple")});
    table->close();
    table->setExclusive(false);
    table->setIndexName(QStringLiteral("WordIndex"));
    table->open();
    QCOMPARE(table->recordCount(), 3);
    // Another program changes the file after the order was read.
    SqliteDatabase other(table->filePath());
    other.open(SqliteDatabase::Options());
    other.exec(QStringLiteral("INSERT INTO vocabulary(Word) VALUES ('aaa')"));
    other.exec(QStringLiteral("DELETE FROM vocabulary WHERE Word = 'fig'"));
    other.close();

    QCOMPARE(column(*table, Word), (QStringList{"apple", QString(), "pear"}));
    table->refresh();
    QCOMPARE(column(*table, Word), (QStringList{"aaa", "apple", "pear"}));
}

void TestSqliteTable::aDeleteAndItsCompanionAreOneTransaction_data()
{
    QTest::addColumn<bool>("companionFails");
    QTest::addColumn<bool>("inTransaction");
    QTest::newRow("alone") << false << false;
    QTest::newRow("in a transaction") << false << true;
    QTest::newRow("companion fails") << true << false;
    QTest::newRow("companion fails in a transaction") << true << true;
}

// The companion removes rows of its own table that belong to the record; when it fails, the
// record stays too.
void TestSqliteTable::aDeleteAndItsCompanionAreOneTransaction()
{
    QFETCH(bool, companionFails);
    QFETCH(bool, inTransaction);
    auto table = create(QStringLiteral("companion.db"));
    fill(*table, {QStringLiteral("pear"), QStringLiteral("fig")});
    table->connection()->exec(QStringLiteral("CREATE TABLE notes (entry INTEGER)"));
    table->connection()->exec(QStringLiteral("INSERT INTO notes VALUES (1), (2)"));
    table->setDeleteCompanion([companionFails](SqliteDatabase &db, qint64 key) {
        db.exec(QStringLiteral("DELETE FROM notes WHERE entry = %1").arg(key));
        if (companionFails)
            throw TableError(QStringLiteral("companion failed"));
    });
    if (inTransaction)
        table->startTransaction();
    table->first();
    QCOMPARE(table->currentKey(), 1);
    bool failed = false;
    try {
        table->deleteRecord();
    } catch (const TableError &) {
        failed = true;
    }
    QCOMPARE(failed, companionFails);
    if (inTransaction)
        table->commit();
    table = reopen(std::move(table));
    QCOMPARE(column(*table, Word), companionFails ? QStringList({"pear", "fig"}) : QStringList({"fig"}));
    SqliteStatement notes(*table->connection(), QStringLiteral("SELECT count(*) FROM notes"));
    QVERIFY(notes.step());
    QCOMPARE(notes.int64(0), companionFails ? 2 : 1);
}

void TestSqliteTable::columnsOfAFieldTheTableLacksAreRefused()
{
    auto table = create(QStringLiteral("narrow.db"));
    fill(*table, {QStringLiteral("pear")});
    for (int field : {-1, 3, 6}) {
        try {
            table->readColumns({Word, field});
            QFAIL("a field the table lacks was read");
        } catch (const TableError &error) {
            QVERIFY2(error.message().contains(table->filePath()), qPrintable(error.message()));
        }
    }
    QCOMPARE(table->readColumns({Note, Word}), (QList<QVector<QVariant>>{{"shown"}, {"pear"}}));
}

QTEST_GUILESS_MAIN(TestSqliteTable)
#include "tst_sqlitetable.moc"

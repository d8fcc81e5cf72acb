// A unit's table from elsewhere: SQL it carries never runs, a schema that would run some is
// refused with the file named and left as it was, and our own units open as before.

#include "exchange/wordimporter.h"
#include "platform/table/sqlitedatabase.h"
#include "repetition/reviewstore.h"
#include "support/hostileunit.h"
#include "support/scriptedmessageservice.h"
#include "support/testfolder.h"
#include "vocfile/lumotable.h"
#include "vocfile/unitdescriptor.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <sqlite3.h>

using F = TLumoTable::Field;

namespace {
QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString refusal(const QString &path)
{
    return QStringLiteral("The file ") + path +
           QStringLiteral(" is not a vocabulary table this program can use safely.");
}

// How many entries hold the kept words, read past the program with a plain connection.
int keptEntries(const QString &path)
{
    sqlite3 *db = nullptr;
    sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt *count = nullptr;
    sqlite3_prepare_v2(db, "SELECT count(*) FROM vocabulary WHERE NativeLanguage = ? AND ForeignLanguage = ?",
                       -1, &count, nullptr);
    sqlite3_bind_text(count, 1, HostileUnit::KeptNative, -1, SQLITE_STATIC);
    sqlite3_bind_text(count, 2, HostileUnit::KeptForeign, -1, SQLITE_STATIC);
    const int found = sqlite3_step(count) == SQLITE_ROW ? sqlite3_column_int(count, 0) : -1;
    sqlite3_finalize(count);
    sqlite3_close(db);
    return found;
}

// Gives the unit made at its table path the review states' table and trigger, as a first
// review does.
void addReviewStates(const QString &path)
{
    SqliteDatabase db(path);
    db.open(SqliteDatabase::tableOptions(true));
    ReviewStore store(db);
    store.ensureTable();
    ReviewState state;
    state.entry = 1;
    store.save(state);
}

QStringList entryFileNames(const TestFolder &folder)
{
    return QDir(folder.path()).entryList(QDir::Files | QDir::Hidden);
}
} // namespace

class TestUntrustedTable : public QObject
{
    Q_OBJECT

private slots:
    void foreignCodeIsRefusedAndTheFileKept_data();
    void foreignCodeIsRefusedAndTheFileKept();
    void ourOwnUnitsStillOpenAndWork_data();
    void ourOwnUnitsStillOpenAndWork();
    void importIntoAHostileUnitLosesNothing_data();
    void importIntoAHostileUnitLosesNothing();
    void aConnectionRefusesWhatAFileCannotAsk_data();
    void aConnectionRefusesWhatAFileCannotAsk();
    void theLargestSoundsFitAndLargerOnesAreRefused_data();
    void theLargestSoundsFitAndLargerOnesAreRefused();

private:
    ScriptedMessageService m_messages;
};

void TestUntrustedTable::foreignCodeIsRefusedAndTheFileKept_data()
{
    QTest::addColumn<QStringList>("sql");
    for (const HostileUnit::Recipe &recipe : HostileUnit::refusedAtOpen())
        QTest::newRow(qPrintable(recipe.name)) << recipe.sql;
}

void TestUntrustedTable::foreignCodeIsRefusedAndTheFileKept()
{
    QFETCH(QStringList, sql);
    TestFolder folder;
    const QString path = folder.filePath(QStringLiteral("unit.db"));
    const QString made = HostileUnit::make(path, sql);
    QVERIFY2(made.isEmpty(), qPrintable(made));
    const QByteArray before = fileBytes(path);
    const QStringList filesBefore = entryFileNames(folder);

    TLumoTable table(m_messages);
    table.setVocabularyFile(path);
    try {
        table.open();
        QFAIL("a unit carrying SQL of its own opened");
    } catch (const TableError &error) {
        QCOMPARE(error.message(), refusal(path));
    }
    QVERIFY(!table.active());
    QVERIFY(!table.Pack());
    QCOMPARE(fileBytes(path), before);
    QCOMPARE(entryFileNames(folder), filesBefore);
}

void TestUntrustedTable::ourOwnUnitsStillOpenAndWork_data()
{
    QTest::addColumn<QStringList>("sql");
    QTest::addColumn<bool>("reviewed");
    QTest::newRow("fresh") << QStringList() << false;
    QTest::newRow("with review states") << QStringList() << true;
    QTest::newRow("extra columns and an index of them")
        << QStringList{QStringLiteral("ALTER TABLE vocabulary ADD COLUMN Note TEXT DEFAULT 'none'"),
                       QStringLiteral("ALTER TABLE vocabulary ADD COLUMN Picture BLOB DEFAULT X'00'"),
                       QStringLiteral("ALTER TABLE vocabulary ADD COLUMN Level INTEGER DEFAULT -1"),
                       QStringLiteral("CREATE INDEX NoteIndex ON vocabulary (Note COLLATE NOCASE, Type)")}
        << true;
    QTest::newRow("other column types")
        << QStringList{QStringLiteral("DROP TABLE vocabulary"),
                       QStringLiteral(
                           "CREATE TABLE vocabulary (Count INTEGER PRIMARY KEY AUTOINCREMENT, "
                           "NativeLanguage TEXT, ForeignLanguage CHAR(20), Type INT, NativeSound, "
                           "ForeignSound BLOB, Mistakes BIGINT, Added TEXT DEFAULT CURRENT_TIMESTAMP)"),
                       QStringLiteral(
                           "INSERT INTO vocabulary (NativeLanguage, ForeignLanguage) VALUES ('%1', '%2')")
                           .arg(QLatin1String(HostileUnit::KeptNative),
                                QLatin1String(HostileUnit::KeptForeign))}
        << false;
}

void TestUntrustedTable::ourOwnUnitsStillOpenAndWork()
{
    QFETCH(QStringList, sql);
    QFETCH(bool, reviewed);
    TestFolder folder;
    const QString path = folder.filePath(QStringLiteral("unit.db"));
    const QString made = HostileUnit::make(path, sql);
    QVERIFY2(made.isEmpty(), qPrintable(made));
    if (reviewed)
        addReviewStates(path);

    TLumoTable table(m_messages);
    table.setVocabularyFile(path);
    table.open();
    QCOMPARE(table.recordCount(), 1);
    QCOMPARE(table.fieldValue(F::NativeLanguage).toString(), QLatin1String(HostileUnit::KeptNative));
    table.appendRecord(
        {QVariant(), QStringLiteral("Baum"), QStringLiteral("tree"), 1, QByteArray("RIFF"), QVariant(), 0});
    table.close();
    QVERIFY(table.Pack());
    table.open();
    QCOMPARE(table.recordCount(), 2);
    table.last();
    QCOMPARE(table.fieldValue(F::ForeignLanguage).toString(), QStringLiteral("tree"));
    QCOMPARE(table.blobValue(F::NativeSound), QByteArray("RIFF"));
    table.close();
    QCOMPARE(keptEntries(path), 1);
    QVERIFY(m_messages.texts().isEmpty());
}

void TestUntrustedTable::importIntoAHostileUnitLosesNothing_data()
{
    QTest::addColumn<QStringList>("sql");
    for (const HostileUnit::Recipe &recipe :
         {HostileUnit::deletingTrigger(), HostileUnit::growingTrigger(), HostileUnit::growingDefault()})
        QTest::newRow(qPrintable(recipe.name)) << recipe.sql;
}

// Either the import is refused, naming the unit's table, or it adds its words without the
// file's SQL running: the entry already there stays, and no huge value is written.
void TestUntrustedTable::importIntoAHostileUnitLosesNothing()
{
    QFETCH(QStringList, sql);
    TestFolder folder;
    const QString path = folder.filePath(QStringLiteral("unit.db"));
    const QString made = HostileUnit::make(path, sql);
    QVERIFY2(made.isEmpty(), qPrintable(made));
    const QString descriptor = folder.filePath(QStringLiteral("unit.lif"));
    UnitDescriptor(descriptor).write(2, 6, QString(), QStringLiteral("MS Sans Serif"));
    const qint64 sizeBefore = QFileInfo(path).size();

    WordTable words;
    words.columnCount = 2;
    words.rows = {{1, {QStringLiteral("Baum"), QStringLiteral("tree")}, -1},
                  {2, {QStringLiteral("Katze"), QStringLiteral("cat")}, -1}};
    try {
        QCOMPARE(WordImporter::importInto(descriptor, words, ImportChoice()).imported, 2);
    } catch (const TableError &error) {
        QVERIFY2(error.message().contains(path), qPrintable(error.message()));
    }
    QCOMPARE(keptEntries(path), 1);
    QVERIFY2(QFileInfo(path).size() < sizeBefore + (qint64(1) << 20),
             qPrintable(QString::number(QFileInfo(path).size())));
}

void TestUntrustedTable::aConnectionRefusesWhatAFileCannotAsk_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("complaint");
    QTest::newRow("a value far larger than any sound")
        << QStringLiteral("SELECT length(zeroblob(200000000))") << QStringLiteral("too big");
    QTest::newRow("writing the schema around SQLite")
        << QStringLiteral("PRAGMA writable_schema = ON; DELETE FROM sqlite_master WHERE name = 'NativeIndex'")
        << QStringLiteral("sqlite_master");
    QTest::newRow("a statement that does not end")
        << QStringLiteral(
               "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 100000000) "
               "SELECT count(*) FROM n")
        << QStringLiteral("was stopped because it did not end.");
}

// The guards of every connection, here with a low bound on a statement's steps so that a
// runaway ends at once; the unit's table keeps its index either way.
void TestUntrustedTable::aConnectionRefusesWhatAFileCannotAsk()
{
    QFETCH(QString, sql);
    QFETCH(QString, complaint);
    TestFolder folder;
    const QString path = folder.filePath(QStringLiteral("unit.db"));
    QVERIFY(HostileUnit::make(path, {}).isEmpty());
    SqliteDatabase db(path);
    SqliteDatabase::Options options = SqliteDatabase::tableOptions(true);
    options.maxStatementSteps = 1000000;
    db.open(options);
    try {
        db.exec(sql);
        QFAIL("the connection ran it");
    } catch (const TableError &error) {
        QVERIFY2(error.message().contains(path), qPrintable(error.message()));
        QVERIFY2(error.message().contains(complaint), qPrintable(error.message()));
    }
    db.close();
    TLumoTable table(m_messages);
    table.setVocabularyFile(path);
    table.open();
    QCOMPARE(table.indexDefs().size(), 3);
}

void TestUntrustedTable::theLargestSoundsFitAndLargerOnesAreRefused_data()
{
    QTest::addColumn<qint64>("bytes");
    QTest::addColumn<bool>("stored");
    QTest::newRow("the largest on both sides") << SqliteDatabase::MaxValueBytes << true;
    QTest::newRow("one byte more") << SqliteDatabase::MaxValueBytes + 1 << false;
}

// The length limit that stops a file's own huge defaults still lets the program's largest
// entry through: a sound of the largest size on each side.
void TestUntrustedTable::theLargestSoundsFitAndLargerOnesAreRefused()
{
    QFETCH(qint64, bytes);
    QFETCH(bool, stored);
    TestFolder folder;
    const QString path = folder.filePath(QStringLiteral("unit.db"));
    QVERIFY(HostileUnit::make(path, {}).isEmpty());
    TLumoTable table(m_messages);
    table.setVocabularyFile(path);
    table.open();
    const QByteArray sound(bytes, 'R');
    try {
        table.appendRecord({QVariant(), QString(255, u'n'), QString(255, u'f'), 1, sound, sound, 0});
        QVERIFY(stored);
    } catch (const TableError &error) {
        QVERIFY2(!stored, qPrintable(error.message()));
        QVERIFY2(error.message().contains(QStringLiteral("NativeSound")), qPrintable(error.message()));
    }
    table.close();
    table.open();
    QCOMPARE(table.recordCount(), stored ? 2 : 1);
    if (stored) {
        table.last();
        QCOMPARE(table.blobValue(F::ForeignSound).size(), bytes);
    }
}

QTEST_GUILESS_MAIN(TestUntrustedTable)
#include "tst_untrustedtable.moc"

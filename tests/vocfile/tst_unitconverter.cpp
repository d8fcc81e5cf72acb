#include "platform/ini/inifile.h"
#include "platform/table/sqlitedatabase.h"
#include "support/foreignunit.h"
#include "support/scriptedmessageservice.h"
#include "support/testfolder.h"
#include "support/withoutroot.h"
#include "vocfile/lumotable.h"
#include "vocfile/oldunitfile.h"
#include "vocfile/unitconverter.h"
#include "vocfile/unitdescriptor.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTest>
#include <sqlite3.h>

namespace {
QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The pairs of a converted unit as (foreign, native), in the order of entry.
QList<QPair<QString, QString>> tablePairs(const QString &tablePath)
{
    ScriptedMessageService messages;
    TLumoTable table(messages);
    table.setVocabularyFile(tablePath);
    table.open();
    QList<QPair<QString, QString>> pairs;
    for (table.first(); !table.eof(); table.next())
        pairs.append({table.fieldValue(TLumoTable::ForeignLanguage).toString(),
                      table.fieldValue(TLumoTable::NativeLanguage).toString()});
    return pairs;
}

using Pairs = QList<QPair<QString, QString>>;
} // namespace

class TestUnitConverter : public QObject
{
    Q_OBJECT

private slots:
    void linesOfAnOldFile_data();
    void linesOfAnOldFile();
    void languageLineIsComparedExactly_data();
    void languageLineIsComparedExactly();
    void convertsIntoANewUnit();
    void headerOnlyGivesAnEmptyTable();
    void clashesGetAnXInFront();
    void existingTableWithoutDescriptorIsAppendedTo();
    void aTableMadeElsewhereGetsTheWordsByFieldName();
    void longLinesAreCut();
    void failureWhileAppendingKeepsWhatWasAppended();
    void vanishedFileLeavesNothing();
    void readOnlyFolderIsReported();

private:
    ScriptedMessageService messages;
};

void TestUnitConverter::linesOfAnOldFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("description");
    QTest::addColumn<Pairs>("pairs");

    QTest::newRow("crlf") << QByteArray("french\r\nA\r\nB\r\nmaison\r\nhouse\r\nchat\r\ncat\r\n") << "french"
                          << "A; B" << Pairs{{"maison", "house"}, {"chat", "cat"}};
    QTest::newRow("cr only") << QByteArray("german\rA\rB\rHaus\rhouse") << "german"
                             << "A; B" << Pairs{{"Haus", "house"}};
    QTest::newRow("odd number of word lines") << QByteArray("x\r\na\r\nb\r\none\r\neins\r\ntwo") << "x"
                                              << "a; b" << Pairs{{"one", "eins"}, {"two", ""}};
    QTest::newRow("lf only is one line")
        << QByteArray("german\nA\nB\nHaus\nhouse\n") << "german\nA\nB\nHaus\nhouse\n"
        << "; " << Pairs{};
    QTest::newRow("ctrl-z ends the file")
        << QByteArray("x\r\na\r\nb\r\nw\r\nm\r\n\x1ahidden\r\nmore\r\n") << "x"
        << "a; b" << Pairs{{"w", "m"}};
    QTest::newRow("windows-1252") << QByteArray("x\r\n\x80 \x9f\r\nM\xfchle\r\n\xe9t\xe9\r\nsummer\r\n")
                                  << "x"
                                  << "€ Ÿ; Mühle" << Pairs{{"été", "summer"}};
    QTest::newRow("byte order mark") << QByteArray("\xEF\xBB\xBFx\r\na\r\nb\r\n\xC3\xA9t\xC3\xA9\r\nsummer")
                                     << "x"
                                     << "a; b" << Pairs{{"été", "summer"}};
    QTest::newRow("nul bytes") << QByteArray("x\r\na\0b\r\nc\r\n", 11) << "x"
                               << QString("a") + QChar(0) + "b; c" << Pairs{};
    QTest::newRow("empty file") << QByteArray() << ""
                                << "; " << Pairs{};
}

void TestUnitConverter::linesOfAnOldFile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, language);
    QFETCH(QString, description);
    QFETCH(Pairs, pairs);
    const OldUnitFile unit = OldUnitFile::parse(bytes);
    QCOMPARE(unit.languageLine, language);
    QCOMPARE(unit.description(), description);
    QCOMPARE(unit.pairs, pairs);
}

void TestUnitConverter::languageLineIsComparedExactly_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("number");
    QTest::newRow("german") << "german" << 6;
    QTest::newRow("German") << "German" << 0;
    QTest::newRow("english") << "english" << 1;
    QTest::newRow("french") << "french" << 4;
    QTest::newRow("italien") << "italien" << 9;
    QTest::newRow("italian") << "italian" << 0;
    QTest::newRow("spanish") << "spanish" << 10;
    QTest::newRow("blank after") << "german " << 0;
    QTest::newRow("none") << "" << 0;
}

void TestUnitConverter::languageLineIsComparedExactly()
{
    QFETCH(QString, line);
    QFETCH(int, number);
    OldUnitFile unit;
    unit.languageLine = line;
    QCOMPARE(unit.foreignLanguage(), number);
}

void TestUnitConverter::convertsIntoANewUnit()
{
    TestFolder folder;
    const QByteArray old("french\r\nBasics\r\nLesson 1\r\nmaison\r\nhouse\r\nchat\r\ncat\r\n");
    const QString path = folder.writeFile(QStringLiteral("old/French.vok"), old);
    TLumoTable table(messages);
    const QString descriptor = UnitConverter(table).convert(path, folder.path());
    QCOMPARE(descriptor, folder.filePath(QStringLiteral("French.lif")));
    QCOMPARE(contents(descriptor),
             QByteArray("[general]\nFileType=vokfile\nFirstLanguage=0\nSecondLanguage=4\n"
                        "Description=Basics; Lesson 1\nFont=MS Sans Serif\n"));
    QCOMPARE(tablePairs(folder.filePath(QStringLiteral("French.db"))),
             Pairs({{"maison", "house"}, {"chat", "cat"}}));
    QVERIFY(!table.active());
    QCOMPARE(contents(path), old); // the old file is only read
}

void TestUnitConverter::headerOnlyGivesAnEmptyTable()
{
    TestFolder folder;
    const QString path = folder.writeFile(QStringLiteral("three.vok"), "german\r\na\r\nb\r\n");
    TLumoTable table(messages);
    UnitConverter(table).convert(path, folder.path());
    QVERIFY(tablePairs(folder.filePath(QStringLiteral("three.db"))).isEmpty());
    QCOMPARE(UnitDescriptor(folder.filePath(QStringLiteral("three.lif"))).secondLanguage(), 6);
}

void TestUnitConverter::clashesGetAnXInFront()
{
    TestFolder folder;
    folder.writeFile(QStringLiteral("french.lif"), "[general]\nDescription=mine\n");
    const QString path =
        folder.writeFile(QStringLiteral("in/french.vok"), "french\r\na\r\nb\r\nun\r\none\r\n");
    TLumoTable table(messages);
    QCOMPARE(UnitConverter(table).convert(path, folder.path()),
             folder.filePath(QStringLiteral("xfrench.lif")));
    QCOMPARE(UnitConverter(table).convert(path, folder.path()),
             folder.filePath(QStringLiteral("xxfrench.lif")));
    QCOMPARE(UnitDescriptor(folder.filePath(QStringLiteral("french.lif"))).description(),
             QStringLiteral("mine"));
    QCOMPARE(tablePairs(folder.filePath(QStringLiteral("xxfrench.db"))), Pairs({{"un", "one"}}));
    QVERIFY(!QFile::exists(folder.filePath(QStringLiteral("french.db"))));
}

void TestUnitConverter::existingTableWithoutDescriptorIsAppendedTo()
{
    TestFolder folder;
    {
        TLumoTable table(messages);
        table.setVocabularyFile(folder.filePath(QStringLiteral("words.db")));
        table.open();
        table.appendRecord({QVariant(), QStringLiteral("before"), QStringLiteral("vorher")});
    }
    const QString path =
        folder.writeFile(QStringLiteral("in/words.vok"), "german\r\na\r\nb\r\nHaus\r\nhouse\r\n");
    TLumoTable table(messages);
    QCOMPARE(UnitConverter(table).convert(path, folder.path()), folder.filePath(QStringLiteral("words.lif")));
    QCOMPARE(tablePairs(folder.filePath(QStringLiteral("words.db"))),
             Pairs({{"vorher", "before"}, {"Haus", "house"}}));
}

// A table whose fields stand in another order gets each word in its own field; one that
// lacks a field is refused and left as it was.
void TestUnitConverter::aTableMadeElsewhereGetsTheWordsByFieldName()
{
    TestFolder folder;
    const QString old =
        folder.writeFile(QStringLiteral("in/words.vok"), "german\r\na\r\nb\r\nHaus\r\nhouse\r\n");
    MakeForeignUnit(
        folder.path(), QStringLiteral("words"),
        {ForeignTable({"Mistakes INTEGER", "ForeignLanguage TEXT", "NativeSound BLOB", "Type SMALLINT",
                       "ForeignSound BLOB", "NativeLanguage TEXT", "Count INTEGER PRIMARY KEY"})});
    QVERIFY(QFile::remove(folder.filePath(QStringLiteral("words.lif"))));
    TLumoTable table(messages);
    UnitConverter(table).convert(old, folder.path());
    SqliteDatabase db(folder.filePath(QStringLiteral("words.db")));
    db.open(SqliteDatabase::tableOptions(true));
    SqliteStatement select(
        db, QStringLiteral("SELECT NativeLanguage || '/' || ForeignLanguage || '/' || Type || '/' || "
                           "Mistakes FROM vocabulary"));
    QVERIFY(select.step());
    QCOMPARE(select.text(0), QStringLiteral("house/Haus/0/0"));
    db.close();

    MakeForeignUnit(folder.path(), QStringLiteral("narrow"),
                    {ForeignTable({"Count INTEGER PRIMARY KEY", "Word TEXT"})});
    QVERIFY(QFile::remove(folder.filePath(QStringLiteral("narrow.lif"))));
    const QByteArray before = contents(folder.filePath(QStringLiteral("narrow.db")));
    const QString narrow =
        folder.writeFile(QStringLiteral("in/narrow.vok"), "german\r\na\r\nb\r\nHaus\r\nhouse\r\n");
    QVERIFY_THROWS_EXCEPTION(TableError, UnitConverter(table).convert(narrow, folder.path()));
    QCOMPARE(contents(folder.filePath(QStringLiteral("narrow.db"))), before);
}

void TestUnitConverter::longLinesAreCut()
{
    TestFolder folder;
    const QByteArray word(100000, 'w');
    const QString path =
        folder.writeFile(QStringLiteral("long.vok"), "x\r\na\r\nb\r\n" + word + "\r\nshort\r\n");
    TLumoTable table(messages);
    UnitConverter(table).convert(path, folder.path());
    const Pairs pairs = tablePairs(folder.filePath(QStringLiteral("long.db")));
    QCOMPARE(pairs.size(), 1);
    QCOMPARE(pairs.first().first, QString(255, u'w'));
}

void TestUnitConverter::failureWhileAppendingKeepsWhatWasAppended()
{
    TestFolder folder;
    {
        // A table that refuses one word, as a full disk refuses the next page. A file's own
        // triggers never run, so the refusal is a check written into the table's definition.
        TLumoTable table(messages);
        table.setVocabularyFile(folder.filePath(QStringLiteral("words.db")));
        sqlite3 *db = nullptr;
        QCOMPARE(sqlite3_open(QFile::encodeName(table.vocabularyFile()).constData(), &db), SQLITE_OK);
        const int refused = sqlite3_exec(db,
                                         "PRAGMA writable_schema = ON; UPDATE sqlite_master SET sql = "
                                         "substr(sql, 1, length(sql) - 1) || ', CHECK (NativeLanguage <> "
                                         "''refused''))' WHERE name = 'vocabulary'",
                                         nullptr, nullptr, nullptr);
        sqlite3_close(db);
        QCOMPARE(refused, SQLITE_OK);
    }
    const QString path = folder.writeFile(QStringLiteral("in/words.vok"),
                                          "german\r\na\r\nb\r\nHaus\r\nhouse\r\nBaum\r\ntree\r\n"
                                          "Nein\r\nrefused\r\nTor\r\ngate\r\n");
    TLumoTable table(messages);
    QVERIFY_THROWS_EXCEPTION(LumoError, UnitConverter(table).convert(path, folder.path()));
    QVERIFY(!table.active());
    // Each entry was posted when it was appended: those before the failure stay.
    QCOMPARE(tablePairs(folder.filePath(QStringLiteral("words.db"))),
             Pairs({{"Haus", "house"}, {"Baum", "tree"}}));
    QCOMPARE(UnitDescriptor(folder.filePath(QStringLiteral("words.lif"))).secondLanguage(), 6);
}

void TestUnitConverter::vanishedFileLeavesNothing()
{
    TestFolder folder;
    TLumoTable table(messages);
    QVERIFY_THROWS_EXCEPTION(
        LumoError, UnitConverter(table).convert(folder.filePath(QStringLiteral("gone.vok")), folder.path()));
    QVERIFY(QDir(folder.path()).entryList(QDir::Files).isEmpty());
}

void TestUnitConverter::readOnlyFolderIsReported()
{
    if (WithoutRoot::inChild()) {
        const QStringList v = WithoutRoot::values();
        ScriptedMessageService childMessages;
        TLumoTable table(childMessages);
        try {
            UnitConverter(table).convert(v.at(0), v.at(1));
            QFAIL("a conversion into a read-only folder reported success");
        } catch (const LumoError &error) {
            QCOMPARE(error.message(),
                     QStringLiteral("Unable to write to ") + v.at(1) + QStringLiteral("unit.lif"));
        }
        return;
    }
    TestFolder folder;
    const QString path =
        folder.writeFile(QStringLiteral("unit.vok"), "german\r\na\r\nb\r\nHaus\r\nhouse\r\n");
    const QString target = folder.filePath(QStringLiteral("target/"));
    QVERIFY(QDir().mkpath(target));
    WithoutRoot::handOver(folder.path());
    const auto readOnly = QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadUser |
                          QFileDevice::ExeUser | QFileDevice::ReadOther | QFileDevice::ExeOther;
    QVERIFY(QFile::setPermissions(target, readOnly));
    const auto unlock =
        qScopeGuard([&] { QFile::setPermissions(target, readOnly | QFileDevice::WriteOwner); });
    VERIFY_WITHOUT_ROOT({path, target});
    QVERIFY(QDir(target).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

QTEST_GUILESS_MAIN(TestUnitConverter)
#include "tst_unitconverter.moc"

#include "exchange/exchangeerror.h"
#include "exchange/wordexchange.h"
#include "exchange/wordexporter.h"
#include "exchange/wordimporter.h"
#include "platform/lumoerror.h"
#include "support/testfolder.h"
#include "support/withoutroot.h"
#include "vocfile/unitdescriptor.h"
#include "vocfile/vocabularylanguages.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTest>

namespace {
QList<WordPair> samplePairs()
{
    return {
        {QStringLiteral("Haus"), QStringLiteral("σπίτι"), 1},
        {QStringLiteral("sagen \"ja\", oft"), QStringLiteral("λέω; ναι"), 2},
        {QStringLiteral("(sich) freuen"), QStringLiteral("χαίρομαι\tπολύ"), 0},
        {QStringLiteral("Москва"), QStringLiteral("東京"), 10},
        {QStringLiteral("a|b"), QString(), 7},
    };
}

QStringList filesIn(const TestFolder &folder)
{
    return QDir(folder.path()).entryList(QDir::Files, QDir::Name);
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A unit made by importing a word list written for the purpose.
QString unitWith(const TestFolder &folder, const QString &name, const QList<WordPair> &pairs)
{
    QString csv = QStringLiteral("Native,Foreign,Type\r\n");
    for (const WordPair &pair : pairs)
        csv += u'"' + QString(pair.native).replace(u'"', QStringLiteral("\"\"")) + QStringLiteral("\",\"") +
               QString(pair.foreign).replace(u'"', QStringLiteral("\"\"")) + QStringLiteral("\",") +
               QString::number(pair.type) + QStringLiteral("\r\n");
    const QString file = folder.writeText(name + QStringLiteral(".csv"), csv);
    const QString descriptor = folder.filePath(name + QStringLiteral(".lif"));
    ImportChoice choice;
    choice.typeColumn = 2;
    choice.header = true;
    choice.nativeLanguage = vlGerman;
    choice.foreignLanguage = vlGreek;
    WordExchange::importFile(file, descriptor, choice);
    QFile::remove(file);
    return descriptor;
}
} // namespace

class TestWordExchange : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void aHeaderNamingLanguagesIsTakenAsSuch();
    void plainLanguageNamesMakeAHeader_data();
    void plainLanguageNamesMakeAHeader();
    void pairsInTheUnitAreCountedAndMaySkip_data();
    void pairsInTheUnitAreCountedAndMaySkip();
    void appendsToAnExistingUnit();
    void cancelLeavesNothing();
    void badFileLeavesNothing();
    void unreadableListNamesTheFile_data();
    void unreadableListNamesTheFile();
    void rowsThatCannotBeEntries();
    void exportFailureKeepsTheOldFile();
    void readOnlyFolderLeavesNoHalfUnit();
};

void TestWordExchange::roundTrip_data()
{
    QTest::addColumn<QString>("extension");
    QTest::newRow("csv") << "csv";
    QTest::newRow("tsv") << "tsv";
    QTest::newRow("kvtml") << "kvtml";
}

void TestWordExchange::roundTrip()
{
    QFETCH(QString, extension);
    TestFolder folder;
    const QString source = unitWith(folder, QStringLiteral("source"), samplePairs());
    const WordList before = WordExporter::readUnit(source);
    QCOMPARE(before.pairs, samplePairs());

    const QString file = folder.filePath(QStringLiteral("words.") + extension);
    QCOMPARE(WordExchange::exportUnit(source, file), 5);
    const QString copy = folder.filePath(QStringLiteral("copy.lif"));
    const ImportResult result = WordExchange::importFile(file, copy);
    QCOMPARE(result.imported, 5);
    QVERIFY(result.createdUnit);
    QCOMPARE(result.skipped, 0);
    const WordList after = WordExporter::readUnit(copy);
    QCOMPARE(after.pairs, samplePairs());
    // The languages travel with the file: KVTML's identifiers, the header row of the others.
    QCOMPARE(UnitDescriptor(copy).firstLanguage(), int(vlGerman));
    QCOMPARE(UnitDescriptor(copy).secondLanguage(), int(vlGreek));
}

void TestWordExchange::aHeaderNamingLanguagesIsTakenAsSuch()
{
    TestFolder folder;
    const auto suggestionFor = [&](const QString &text) {
        return WordImporter::suggest(WordExchange::readFile(
            folder.writeText(QStringLiteral("list.csv"), text), WordListFormat::Csv, QChar(), 20));
    };
    ImportChoice two = suggestionFor(QStringLiteral("swiss;GREEK\r\nHaus;σπίτι\r\n"));
    QVERIFY(two.header);
    QCOMPARE(two.nativeLanguage, int(vlSwiss));
    QCOMPARE(two.foreignLanguage, int(vlGreek));
    // Codes only where the type column shows the first row is a header.
    ImportChoice codes =
        suggestionFor(QStringLiteral("de_AT;tr;Type\r\nHaus;ev;noun\r\nsagen;demek;verb\r\n"));
    QVERIFY(codes.header);
    QCOMPARE(codes.nativeLanguage, int(vlAustrian));
    QCOMPARE(codes.foreignLanguage, int(vlTurkish));
    // Two short words are a first entry, not language codes.
    ImportChoice words = suggestionFor(QStringLiteral("de;of\r\nla;the\r\n"));
    QVERIFY(!words.header);
    QCOMPARE(words.nativeLanguage, 0);
}

void TestWordExchange::plainLanguageNamesMakeAHeader_data()
{
    QTest::addColumn<QString>("firstRow");
    QTest::addColumn<bool>("header");
    QTest::addColumn<int>("native");
    QTest::addColumn<int>("foreign");
    QTest::newRow("English") << "German;English" << true << int(vlGerman) << int(vlBritishEnglish);
    QTest::newRow("Portuguese") << "portuguese;Greek" << true << int(vlBrazilian) << int(vlGreek);
    QTest::newRow("both plain") << "English;Portuguese" << true << int(vlBritishEnglish) << int(vlBrazilian);
    QTest::newRow("country kept") << "American English;German" << true << int(vlAmericanEnglish)
                                  << int(vlGerman);
    QTest::newRow("a word beside") << "English;Englisch" << false << 0 << 0;
}

void TestWordExchange::plainLanguageNamesMakeAHeader()
{
    QFETCH(QString, firstRow);
    QFETCH(bool, header);
    QFETCH(int, native);
    QFETCH(int, foreign);
    TestFolder folder;
    const ImportChoice choice = WordImporter::suggest(WordExchange::readFile(
        folder.writeText(QStringLiteral("list.csv"), firstRow + QStringLiteral("\r\nHaus;house\r\n")),
        WordListFormat::Csv));
    QCOMPARE(choice.header, header);
    QCOMPARE(choice.nativeLanguage, native);
    QCOMPARE(choice.foreignLanguage, foreign);
}

void TestWordExchange::pairsInTheUnitAreCountedAndMaySkip_data()
{
    QTest::addColumn<bool>("skip");
    QTest::addColumn<int>("imported");
    QTest::newRow("added again") << false << 4;
    QTest::newRow("left out") << true << 2;
}

void TestWordExchange::pairsInTheUnitAreCountedAndMaySkip()
{
    QFETCH(bool, skip);
    QFETCH(int, imported);
    TestFolder folder;
    const QString unit = unitWith(folder, QStringLiteral("unit"), samplePairs().mid(0, 2));
    // Both sides must match: "Haus" with another word is new, as is a side in other case.
    const QString file = folder.writeText(
        QStringLiteral("again.csv"),
        QStringLiteral(
            "Haus,σπίτι\r\n\"sagen \"\"ja\"\", oft\",\"λέω; ναι\"\r\nHaus,οικία\r\nhaus,σπίτι\r\n"));
    ImportChoice choice;
    choice.skipExisting = skip;
    const ImportResult result = WordExchange::importFile(file, unit, choice);
    QCOMPARE(result.existing, 2);
    QCOMPARE(result.imported, imported);
    const WordList after = WordExporter::readUnit(unit);
    QCOMPARE(after.pairs.size(), 2 + imported);
    QCOMPARE(after.pairs.last(), (WordPair{QStringLiteral("haus"), QStringLiteral("σπίτι"), 0}));
    // A second run with skipping finds everything there and adds nothing.
    choice.skipExisting = true;
    const ImportResult again = WordExchange::importFile(file, unit, choice);
    QCOMPARE(again.existing, 4);
    QCOMPARE(again.imported, 0);
    QCOMPARE(WordExporter::readUnit(unit).pairs.size(), 2 + imported);
}

void TestWordExchange::appendsToAnExistingUnit()
{
    TestFolder folder;
    const QString unit = unitWith(folder, QStringLiteral("unit"), samplePairs().mid(0, 2));
    const QByteArray descriptorBefore = contents(unit);
    const QString file =
        folder.writeText(QStringLiteral("more.tsv"), QStringLiteral("gehen\tπάω\nsehen\tβλέπω\n"));
    const ImportResult result = WordExchange::importFile(file, unit);
    QVERIFY(!result.createdUnit);
    QCOMPARE(result.imported, 2);
    const WordList after = WordExporter::readUnit(unit);
    QCOMPARE(after.pairs.size(), 4);
    QCOMPARE(after.pairs.at(2), (WordPair{QStringLiteral("gehen"), QStringLiteral("πάω"), 0}));
    QCOMPARE(after.pairs.at(3).native, QStringLiteral("sehen"));
    QCOMPARE(contents(unit), descriptorBefore);
}

void TestWordExchange::cancelLeavesNothing()
{
    TestFolder folder;
    QString csv;
    for (int i = 0; i < 5000; ++i)
        csv += QStringLiteral("w%1,v%1\n").arg(i);
    const QString file = folder.writeText(QStringLiteral("big.csv"), csv);
    const auto cancelLater = [](qint64 done, qint64) { return done < 3000; };

    const ImportResult fresh =
        WordExchange::importFile(file, folder.filePath(QStringLiteral("new.lif")), std::nullopt, cancelLater);
    QVERIFY(fresh.cancelled);
    QCOMPARE(fresh.imported, 0);
    QCOMPARE(filesIn(folder), QStringList({"big.csv"}));

    const QString unit = unitWith(folder, QStringLiteral("unit"), samplePairs());
    const ImportResult appended = WordExchange::importFile(file, unit, std::nullopt, cancelLater);
    QVERIFY(appended.cancelled);
    QCOMPARE(WordExporter::readUnit(unit).pairs, samplePairs());
}

void TestWordExchange::unreadableListNamesTheFile_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("name");
    for (const auto &[format, extension] :
         {std::pair{WordListFormat::Csv, "csv"}, std::pair{WordListFormat::Tsv, "tsv"},
          std::pair{WordListFormat::Kvtml, "kvtml"}}) {
        QTest::addRow("missing %s", extension)
            << int(format) << QStringLiteral("none.") + QLatin1String(extension);
        QTest::addRow("folder %s", extension)
            << int(format) << QStringLiteral("dir.") + QLatin1String(extension);
    }
}

// Every format reads its file the same way: what cannot be read is said with the file's name.
void TestWordExchange::unreadableListNamesTheFile()
{
    QFETCH(int, format);
    QFETCH(QString, name);
    TestFolder folder;
    QDir(folder.path()).mkdir(QStringLiteral("dir.csv"));
    QDir(folder.path()).mkdir(QStringLiteral("dir.tsv"));
    QDir(folder.path()).mkdir(QStringLiteral("dir.kvtml"));
    const QString path = folder.filePath(name);
    try {
        WordExchange::readFile(path, WordListFormat(format));
        QFAIL("an unreadable list was read");
    } catch (const ExchangeError &error) {
        QCOMPARE(error.kind(), ExchangeError::Kind::CannotRead);
        QCOMPARE(error.file(), path);
        QVERIFY(!error.detail().isEmpty());
    }
}

void TestWordExchange::badFileLeavesNothing()
{
    TestFolder folder;
    const QString unit = unitWith(folder, QStringLiteral("unit"), samplePairs());
    const QString bad = folder.writeText(QStringLiteral("bad.csv"), QStringLiteral("a,b\nc,d\n\"e,f\ng,h\n"));
    const QString dtd = folder.writeText(
        QStringLiteral("bomb.kvtml"),
        QStringLiteral("<!DOCTYPE kvtml [<!ENTITY a \"aaaaaaaa\">]><kvtml version=\"2.0\"></kvtml>"));
    const QString empty = folder.writeText(QStringLiteral("empty.csv"), QStringLiteral("\n\n,\n"));
    const QStringList before = filesIn(folder);
    for (const QString &file : {bad, dtd, empty}) {
        for (const QString &target : {unit, folder.filePath(QStringLiteral("new.lif"))}) {
            QVERIFY_THROWS_EXCEPTION(ExchangeError, WordExchange::importFile(file, target));
            QCOMPARE(filesIn(folder), before);
        }
    }
    QCOMPARE(WordExporter::readUnit(unit).pairs, samplePairs());
    QVERIFY_THROWS_EXCEPTION(ExchangeError,
                             WordExchange::importFile(folder.filePath(QStringLiteral("x.doc")), unit));
}

void TestWordExchange::rowsThatCannotBeEntries()
{
    TestFolder folder;
    const QString longWord(300, u'ä');
    const QString file = folder.writeText(QStringLiteral("odd.csv"),
                                          QStringLiteral("one,eins,noun\nlonely\n,,verb\n") + longWord +
                                              QStringLiteral(",long,thing\n\"two\nlines\",zwei,2\n"));
    ImportChoice choice;
    choice.typeColumn = 2;
    const ImportResult result =
        WordExchange::importFile(file, folder.filePath(QStringLiteral("u.lif")), choice);
    QCOMPARE(result.imported, 3);
    QCOMPARE(result.skipped, 2);
    QCOMPARE(result.firstSkippedLine, 2);
    QCOMPARE(result.cut, 1);
    QCOMPARE(result.unknownTypes, 1);
    const WordList list = WordExporter::readUnit(folder.filePath(QStringLiteral("u.lif")));
    QCOMPARE(list.pairs.at(0), (WordPair{QStringLiteral("one"), QStringLiteral("eins"), 1}));
    QCOMPARE(list.pairs.at(1).native, QString(255, u'ä'));
    QCOMPARE(list.pairs.at(1).type, 0);
    QCOMPARE(list.pairs.at(2), (WordPair{QStringLiteral("two lines"), QStringLiteral("zwei"), 2}));
}

void TestWordExchange::exportFailureKeepsTheOldFile()
{
    TestFolder folder;
    const QString unit = unitWith(folder, QStringLiteral("unit"), samplePairs());
    QVERIFY_THROWS_EXCEPTION(
        ExchangeError, WordExchange::exportUnit(unit, folder.filePath(QStringLiteral("no/such/x.csv"))));
    const QString old = folder.writeText(QStringLiteral("old.kvtml"), QStringLiteral("keep me"));
    QVERIFY(QDir().mkpath(folder.filePath(QStringLiteral("dir.csv"))));
    QVERIFY_THROWS_EXCEPTION(ExchangeError,
                             WordExchange::exportUnit(unit, folder.filePath(QStringLiteral("dir.csv"))));
    QCOMPARE(contents(old), QByteArray("keep me"));
}

void TestWordExchange::readOnlyFolderLeavesNoHalfUnit()
{
    if (WithoutRoot::inChild()) {
        const QString folder = WithoutRoot::values().at(0);
        bool refused = false;
        try {
            WordExchange::importFile(folder + QStringLiteral("words.csv"),
                                     folder + QStringLiteral("new.lif"));
        } catch (const LumoError &) {
            refused = true;
        }
        QVERIFY(refused);
        // Appending to a unit whose table cannot be written changes nothing either.
        refused = false;
        try {
            WordExchange::importFile(folder + QStringLiteral("words.csv"),
                                     folder + QStringLiteral("unit.lif"));
        } catch (const LumoError &) {
            refused = true;
        }
        QVERIFY(refused);
        return;
    }
    TestFolder folder;
    const QString unit = unitWith(folder, QStringLiteral("unit"), samplePairs());
    folder.writeText(QStringLiteral("words.csv"), QStringLiteral("a,b\nc,d\n"));
    const QStringList before = filesIn(folder);
    WithoutRoot::handOver(folder.path());
    const QFileDevice::Permissions keep = QFile::permissions(folder.path());
    const auto restore = qScopeGuard([&] { QFile::setPermissions(folder.path(), keep); });
    QFile::setPermissions(folder.filePath(QStringLiteral("unit.db")),
                          QFileDevice::ReadOwner | QFileDevice::ReadOther);
    QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                             QFileDevice::ReadOther | QFileDevice::ExeOther);
    VERIFY_WITHOUT_ROOT({folder.path()});
    QFile::setPermissions(folder.path(), keep);
    QCOMPARE(filesIn(folder), before);
    QCOMPARE(WordExporter::readUnit(unit).pairs, samplePairs());
}

QTEST_GUILESS_MAIN(TestWordExchange)
#include "tst_wordexchange.moc"

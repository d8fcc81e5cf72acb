#include "exchange/exchangeerror.h"
#include "exchange/kvtmlreader.h"
#include "exchange/kvtmlwriter.h"
#include "exchange/languagecodes.h"
#include "exchange/wordimporter.h"
#include "vocfile/vocabularylanguages.h"

#include <QTest>

namespace {
QByteArray kvtml(const QByteArray &identifiers, const QByteArray &entries, const QByteArray &extra = {},
                 const QByteArray &doctype =
                     "<!DOCTYPE kvtml PUBLIC \"kvtml2.dtd\" \"http://edu.kde.org/kvtml/kvtml2.dtd\">")
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + doctype +
           "\n<kvtml version=\"2.0\">\n<identifiers>" + identifiers + "</identifiers>\n<entries>" + entries +
           "</entries>\n" + extra + "</kvtml>\n";
}

QByteArray identifier(int id, const QByteArray &name, const QByteArray &locale)
{
    return "<identifier id=\"" + QByteArray::number(id) + "\"><name>" + name + "</name><locale>" + locale +
           "</locale></identifier>";
}

const QByteArray TwoLanguages = identifier(0, "English", "en") + identifier(1, "German", "de");

ExchangeError::Kind errorOf(const QByteArray &bytes, int *line = nullptr)
{
    try {
        KvtmlReader::parse(bytes, QStringLiteral("list.kvtml"));
    } catch (const ExchangeError &error) {
        if (line)
            *line = error.line();
        return error.kind();
    }
    return ExchangeError::Kind::CannotRead; // stands for "no error" here
}
} // namespace

class TestKvtmlFormat : public QObject
{
    Q_OBJECT

private slots:
    void languageMapping_data();
    void languageMapping();
    void readsEntriesAndWordTypes();
    void subContainerTakesItsParentsType_data();
    void subContainerTakesItsParentsType();
    void deepContainersKeepTheOutermostType_data();
    void deepContainersKeepTheOutermostType();
    void anEntryWithOneSideImportsTheOtherEmpty_data();
    void anEntryWithOneSideImportsTheOtherEmpty();
    void roundTripKeepsPairsTypesAndLanguages();
    void refusesBadFiles_data();
    void refusesBadFiles();
    void aHundredLanguagesBecomeColumns();
};

void TestKvtmlFormat::languageMapping_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("language");
    QTest::newRow("plain German") << "de" << int(vlGerman);
    QTest::newRow("Swiss") << "de_CH" << int(vlSwiss);
    QTest::newRow("Austrian, dash and case") << "DE-at" << int(vlAustrian);
    QTest::newRow("German from Germany") << "de_DE" << int(vlGerman);
    QTest::newRow("British") << "en_GB" << int(vlBritishEnglish);
    QTest::newRow("English alone") << "en" << int(vlAmericanEnglish);
    QTest::newRow("English of elsewhere") << "en_NZ" << int(vlAmericanEnglish);
    QTest::newRow("Belgian French") << "fr_BE" << int(vlBelgian);
    QTest::newRow("Brazilian") << "pt_BR" << int(vlBrazilian);
    QTest::newRow("Greek") << "el" << int(vlGreek);
    QTest::newRow("Norwegian Bokmål") << "nb" << int(vlNorwegian);
    QTest::newRow("Japanese is Other") << "ja" << int(vlOther);
    QTest::newRow("none") << "" << int(vlOther);
}

void TestKvtmlFormat::languageMapping()
{
    QFETCH(QString, code);
    QFETCH(int, language);
    QCOMPARE(LanguageCodes::languageOf(code), language);
    // Every language but Other is written with a code that reads back as itself.
    for (int n = 1; n < LanguageCount; ++n)
        QCOMPARE(LanguageCodes::languageOf(LanguageCodes::codeOf(n)), n);
    QVERIFY(LanguageCodes::codeOf(vlOther).isEmpty());
}

void TestKvtmlFormat::readsEntriesAndWordTypes()
{
    const QByteArray entries =
        "<entry id=\"7\"><translation id=\"0\"><text>house</text></translation>"
        "<translation id=\"1\"><text>Haus</text></translation></entry>\n"
        "<entry id=\"9\"><translation id=\"1\"><text>gehen\nlaufen</text></translation>"
        "<translation id=\"0\"><text>go</text></translation></entry>\n"
        "<entry id=\"11\"><translation id=\"0\"><text>and</text></translation></entry>";
    const QByteArray types =
        "<wordtypes><container><name>Substantiv</name><specialwordtype>noun</specialwordtype>"
        "<container><name>Male</name><specialwordtype>noun/male</specialwordtype>"
        "<entry id=\"7\"><translation id=\"1\"/></entry></container></container>"
        "<container><name>Verb</name><entry id=\"9\"/></container></wordtypes>"
        "<lessons><container><name>Lesson</name><entry id=\"11\"/></container></lessons>";
    const WordTable table = KvtmlReader::parse(kvtml(TwoLanguages, entries, types), QStringLiteral("f"));
    QCOMPARE(table.columnNames, QStringList({"English", "German"}));
    QCOMPARE(table.columnLanguages, QList<int>({vlAmericanEnglish, vlGerman}));
    QCOMPARE(table.rows.size(), 3);
    QCOMPARE(table.rows.at(0).cells, QStringList({"house", "Haus"}));
    QCOMPARE(table.rows.at(0).type, 1);
    QCOMPARE(table.rows.at(1).cells, QStringList({"go", "gehen laufen"}));
    QCOMPARE(table.rows.at(1).type, 2);
    QCOMPARE(table.rows.at(2).cells, QStringList({"and"}));
    QCOMPARE(table.rows.at(2).type, -1); // a lesson is no word type
    QCOMPARE(table.rows.at(1).line, 6);
}

void TestKvtmlFormat::subContainerTakesItsParentsType_data()
{
    // The word types of a file: containers around the one entry, outermost first.
    QTest::addColumn<QByteArray>("containers");
    QTest::addColumn<int>("type");
    QTest::newRow("named parent") << QByteArray("<name>Verb</name>|<name>Irregular</name>") << 2;
    QTest::newRow("special parent") << QByteArray(
                                           "<name>Wie</name><specialwordtype>adjective</specialwordtype>"
                                           "|<name>Comparison</name>")
                                    << 5;
    QTest::newRow("grandparent") << QByteArray("<name>Numeral</name>|<name>Ordinal</name>|<name>Big</name>")
                                 << 7;
    QTest::newRow("own type wins") << QByteArray("<name>Noun</name>|<name>Verb</name>") << 2;
    QTest::newRow("no type anywhere") << QByteArray("<name>Mixed</name>|<name>Odd</name>") << 0;
}

void TestKvtmlFormat::subContainerTakesItsParentsType()
{
    QFETCH(QByteArray, containers);
    QFETCH(int, type);
    const QList<QByteArray> levels = containers.split('|');
    QByteArray types = "<wordtypes>";
    for (const QByteArray &level : levels)
        types += "<container>" + level;
    types += "<entry id=\"3\"/>";
    for (qsizetype i = 0; i < levels.size(); ++i)
        types += "</container>";
    types += "</wordtypes>";
    const QByteArray entry = "<entry id=\"3\"><translation id=\"0\"><text>first</text></translation>"
                             "<translation id=\"1\"><text>erste</text></translation></entry>";
    const WordTable table = KvtmlReader::parse(kvtml(TwoLanguages, entry, types), QStringLiteral("f"));
    QCOMPARE(table.rows.size(), 1);
    QCOMPARE(std::max(table.rows.at(0).type, 0), type);
}

void TestKvtmlFormat::deepContainersKeepTheOutermostType_data()
{
    QTest::addColumn<int>("depth");
    QTest::newRow("two") << 2;
    QTest::newRow("five thousand") << 5000;
    // Far deeper than a call stack holds one frame a level for.
    QTest::newRow("two hundred thousand") << 200000;
}

void TestKvtmlFormat::deepContainersKeepTheOutermostType()
{
    QFETCH(int, depth);
    QByteArray types = "<wordtypes><container><name>Verb</name>";
    types += QByteArray("<container>").repeated(depth - 1);
    types += "<entry id=\"3\"/>" + QByteArray("</container>").repeated(depth) + "</wordtypes>";
    const QByteArray entry = "<entry id=\"3\"><translation id=\"0\"><text>go</text></translation>"
                             "<translation id=\"1\"><text>gehen</text></translation></entry>";
    const WordTable table = KvtmlReader::parse(kvtml(TwoLanguages, entry, types), QStringLiteral("f"));
    QCOMPARE(table.rows.size(), 1);
    QCOMPARE(table.rows.at(0).type, 2);
}

void TestKvtmlFormat::anEntryWithOneSideImportsTheOtherEmpty_data()
{
    QTest::addColumn<QByteArray>("translations");
    QTest::addColumn<QStringList>("pair"); // empty: the entry is left out
    const auto translation = [](int id, const QByteArray &word) {
        return "<translation id=\"" + QByteArray::number(id) + "\"><text>" + word + "</text></translation>";
    };
    QTest::newRow("both") << translation(0, "house") + translation(1, "Haus") << QStringList{"house", "Haus"};
    QTest::newRow("first only") << translation(0, "house") << QStringList{"house", ""};
    QTest::newRow("second only") << translation(1, "Haus") << QStringList{"", "Haus"};
    QTest::newRow("first only, second empty")
        << translation(0, "house") + translation(1, " ") << QStringList{"house", ""};
    QTest::newRow("neither") << QByteArray() << QStringList();
    QTest::newRow("only a language not declared") << translation(7, "maison") << QStringList();
}

void TestKvtmlFormat::anEntryWithOneSideImportsTheOtherEmpty()
{
    QFETCH(QByteArray, translations);
    QFETCH(QStringList, pair);
    const WordTable table = KvtmlReader::parse(
        kvtml(TwoLanguages, "<entry id=\"0\">" + translations + "</entry>"), QStringLiteral("f"));
    ImportResult result;
    const QList<WordPair> pairs = WordImporter::pairsOf(table, WordImporter::suggest(table), result);
    QCOMPARE(pairs.size(), pair.isEmpty() ? 0 : 1);
    QCOMPARE(result.skipped, pair.isEmpty() ? 1 : 0);
    if (!pair.isEmpty()) {
        QCOMPARE(pairs.first().native, pair.at(0));
        QCOMPARE(pairs.first().foreign, pair.at(1));
    }
}

void TestKvtmlFormat::roundTripKeepsPairsTypesAndLanguages()
{
    WordList list;
    list.title = QStringLiteral("Greek <1> & more");
    list.nativeLanguage = vlSwiss;
    list.foreignLanguage = vlGreek;
    for (int type = 0; type < 11; ++type)
        list.pairs.append(
            {QStringLiteral("Wort %1 \"<&>\"").arg(type), QStringLiteral("λέξη %1").arg(type), type});
    list.pairs.append({QString(), QStringLiteral("μόνο"), 3});
    const WordTable table = KvtmlReader::parse(KvtmlWriter::bytes(list), QStringLiteral("f"));
    QCOMPARE(table.columnLanguages, QList<int>({vlSwiss, vlGreek}));
    QCOMPARE(table.rows.size(), list.pairs.size());
    for (qsizetype i = 0; i < list.pairs.size(); ++i) {
        QCOMPARE(table.rows.at(i).cells.value(0), list.pairs.at(i).native);
        QCOMPARE(table.rows.at(i).cells.value(1), list.pairs.at(i).foreign);
        QCOMPARE(std::max(table.rows.at(i).type, 0), list.pairs.at(i).type);
    }
}

void TestKvtmlFormat::refusesBadFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("line");
    const QByteArray entry = "<entry id=\"0\"><translation id=\"0\"><text>a</text></translation></entry>";
    QTest::newRow("not well-formed") << kvtml(TwoLanguages, "<entry id=\"0\">\n<translation>\n</entry>")
                                     << int(ExchangeError::Kind::NotWellFormed) << 7;
    QTest::newRow("internal entities")
        << kvtml(TwoLanguages,
                 "<entry id=\"0\"><translation id=\"0\"><text>&lol2;</text></translation></entry>", {},
                 "<!DOCTYPE kvtml [\n<!ENTITY lol \"lol\">\n<!ENTITY lol2 \"&lol;&lol;&lol;&lol;\">\n]>")
        << int(ExchangeError::Kind::EntitiesRefused) << 5;
    QTest::newRow("undeclared entity") << kvtml(TwoLanguages, "<entry><translation id=\"0\"><text>&x;</text>"
                                                              "</translation></entry>")
                                       << int(ExchangeError::Kind::NotWellFormed) << 5;
    QTest::newRow("no identifiers") << kvtml({}, entry) << int(ExchangeError::Kind::TooFewLanguages) << 0;
    QTest::newRow("one identifier") << kvtml(identifier(0, "English", "en"), entry)
                                    << int(ExchangeError::Kind::TooFewLanguages) << 0;
    QTest::newRow("other XML") << QByteArray("<?xml version=\"1.0\"?>\n<html><body/></html>")
                               << int(ExchangeError::Kind::NotKvtml) << 2;
    QTest::newRow("old version") << QByteArray("<kvtml version=\"1.0\"><e/></kvtml>")
                                 << int(ExchangeError::Kind::NotKvtml) << 1;
    // Each entry naming only the last of thousands of languages: gigabytes of empty cells
    // from a megabyte, were it read.
    QByteArray identifiers;
    for (int id = 0; id < 2000; ++id)
        identifiers += "<identifier id=\"" + QByteArray::number(id) + "\"/>";
    const QByteArray lastOnly = "<entry><translation id=\"1999\"><text>a</text></translation></entry>\n";
    QTest::newRow("languages no entry fills")
        << kvtml(identifiers, lastOnly.repeated(200)) << int(ExchangeError::Kind::TooManyColumns) << 0;
    QTest::newRow("garbage") << QByteArray("\x01\x02 PK\x03\x04 garbage", 15)
                             << int(ExchangeError::Kind::NotWellFormed) << 1;
}

void TestKvtmlFormat::refusesBadFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, kind);
    QFETCH(int, line);
    int at = -1;
    QCOMPARE(int(errorOf(bytes, &at)), kind);
    if (line > 0)
        QCOMPARE(at, line);
}

void TestKvtmlFormat::aHundredLanguagesBecomeColumns()
{
    QByteArray identifiers;
    QByteArray entry = "<entry id=\"0\">";
    for (int id = 0; id < 100; ++id) {
        identifiers += identifier(id, "L" + QByteArray::number(id), id == 42 ? "el" : "xx");
        entry += "<translation id=\"" + QByteArray::number(id) + "\"><text>w" + QByteArray::number(id) +
                 "</text></translation>";
    }
    const WordTable table = KvtmlReader::parse(kvtml(identifiers, entry + "</entry>"), QStringLiteral("f"));
    QCOMPARE(table.columnCount, 100);
    QCOMPARE(table.columnLanguages.at(42), int(vlGreek));
    QCOMPARE(table.columnLanguages.at(41), int(vlOther));
    QCOMPARE(table.rows.first().cells.at(99), QStringLiteral("w99"));
}

QTEST_GUILESS_MAIN(TestKvtmlFormat)
#include "tst_kvtmlformat.moc"

#include "exchange/csvreader.h"
#include "exchange/csvwriter.h"
#include "exchange/exchangeerror.h"
#include "support/testfolder.h"

#include <QTest>

namespace {
QList<QStringList> cellsOf(const WordTable &table)
{
    QList<QStringList> rows;
    for (const WordTable::Row &row : table.rows)
        rows.append(row.cells);
    return rows;
}

WordList sampleList()
{
    WordList list;
    list.nativeLanguage = 6;
    list.foreignLanguage = 11;
    list.pairs = {
        {QStringLiteral("Haus"), QStringLiteral("σπίτι"), 1},
        {QStringLiteral("sagen \"ja\""), QStringLiteral("λέω, ναι"), 2},
        {QStringLiteral("gehen; laufen"), QStringLiteral("πάω\tτρέχω"), 0},
        {QStringLiteral(" Rand "), QStringLiteral("a|b"), 10},
        {QStringLiteral("Москва"), QStringLiteral("東京"), 5},
    };
    return list;
}
} // namespace

class TestCsvFormat : public QObject
{
    Q_OBJECT

private slots:
    void quotingAndLines_data();
    void quotingAndLines();
    void detectsTheSeparator_data();
    void detectsTheSeparator();
    void roundTripKeepsEveryField_data();
    void roundTripKeepsEveryField();
    void unbalancedQuoteNamesItsLine();
    void decodesUtf8BomAndWindows1252();
    void refusesBinaryData();
    void bigFieldIsReadWhole();
};

void TestCsvFormat::quotingAndLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<QStringList>>("rows");
    QTest::addColumn<QList<int>>("lines");
    QTest::newRow("plain") << QStringLiteral("a,b\r\nc,d\r\n") << QList<QStringList>{{"a", "b"}, {"c", "d"}}
                           << QList<int>{1, 2};
    QTest::newRow("quoted separator and quotes")
        << QStringLiteral("\"a,b\",\"say \"\"hi\"\"\"\n") << QList<QStringList>{{"a,b", "say \"hi\""}}
        << QList<int>{1};
    QTest::newRow("line break inside quotes becomes a blank")
        << QStringLiteral("\"two\r\nlines\",x\nnext,y")
        << QList<QStringList>{{"two lines", "x"}, {"next", "y"}} << QList<int>{1, 3};
    QTest::newRow("empty lines are passed over")
        << QStringLiteral("\n\r\na,b\n\n\nc,d\n") << QList<QStringList>{{"a", "b"}, {"c", "d"}}
        << QList<int>{3, 6};
    QTest::newRow("empty fields kept")
        << QStringLiteral(",b,\n") << QList<QStringList>{{"", "b", ""}} << QList<int>{1};
    QTest::newRow("quote inside a field is a letter")
        << QStringLiteral("5\" disk,x\n") << QList<QStringList>{{"5\" disk", "x"}} << QList<int>{1};
    QTest::newRow("old Mac line ends")
        << QStringLiteral("a,b\rc,d") << QList<QStringList>{{"a", "b"}, {"c", "d"}} << QList<int>{1, 2};
}

void TestCsvFormat::quotingAndLines()
{
    QFETCH(QString, text);
    QFETCH(QList<QStringList>, rows);
    QFETCH(QList<int>, lines);
    const WordTable table = CsvReader::parse(text, u',', QStringLiteral("f.csv"));
    QCOMPARE(cellsOf(table), rows);
    QList<int> got;
    for (const WordTable::Row &row : table.rows)
        got.append(row.line);
    QCOMPARE(got, lines);
}

void TestCsvFormat::detectsTheSeparator_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QChar>("separator");
    QTest::newRow("comma") << QStringLiteral("a,b\nc,d\ne,f\n") << QChar(u',');
    QTest::newRow("tab") << QStringLiteral("a\tb\nc\td\n") << QChar(u'\t');
    QTest::newRow("semicolon with commas in words")
        << QStringLiteral("to go, to walk;gehen\nhouse;Haus\nred, blue;rot, blau\n") << QChar(u';');
    QTest::newRow("comma with quoted semicolons")
        << QStringLiteral("\"go; walk\",gehen\nhouse,Haus\n\"a;b\",c\n") << QChar(u',');
    QTest::newRow("bar") << QStringLiteral("a|b\nc|d\n") << QChar(u'|');
    QTest::newRow("mixed: the consistent one wins")
        << QStringLiteral("a;b,c\nd;e\nf;g\nh,i;j\n") << QChar(u';');
    QTest::newRow("one column falls back") << QStringLiteral("a\nb\n") << QChar(u',');
}

void TestCsvFormat::detectsTheSeparator()
{
    QFETCH(QString, text);
    QFETCH(QChar, separator);
    QCOMPARE(CsvReader::detectSeparator(text), separator);
}

void TestCsvFormat::roundTripKeepsEveryField_data()
{
    QTest::addColumn<QChar>("separator");
    QTest::newRow("csv") << QChar(u',');
    QTest::newRow("tsv") << QChar(u'\t');
}

void TestCsvFormat::roundTripKeepsEveryField()
{
    QFETCH(QChar, separator);
    const WordList list = sampleList();
    const QString text = CsvWriter::text(list, separator);
    QCOMPARE(CsvReader::detectSeparator(text), separator);
    const WordTable table = CsvReader::parse(text, separator, QStringLiteral("f"));
    QCOMPARE(table.rows.size(), list.pairs.size() + 1);
    QCOMPARE(table.rows.first().cells, QStringList({"German", "Greek", "Type"}));
    for (qsizetype i = 0; i < list.pairs.size(); ++i) {
        const QStringList &cells = table.rows.at(i + 1).cells;
        QCOMPARE(cells.at(0), list.pairs.at(i).native);
        QCOMPARE(cells.at(1), list.pairs.at(i).foreign);
    }
    QCOMPARE(table.rows.at(1).cells.at(2), QStringLiteral("noun"));
    QCOMPARE(table.rows.at(3).cells.at(2), QStringLiteral("none"));
}

void TestCsvFormat::unbalancedQuoteNamesItsLine()
{
    try {
        CsvReader::parse(QStringLiteral("a,b\nc,d\n\"open,e\nf,g\n"), u',', QStringLiteral("words.csv"));
        QFAIL("an unclosed quote was taken");
    } catch (const ExchangeError &error) {
        QCOMPARE(error.kind(), ExchangeError::Kind::UnbalancedQuote);
        QCOMPARE(error.line(), 3);
        QVERIFY(error.message().contains(QStringLiteral("words.csv, line 3")));
    }
}

void TestCsvFormat::decodesUtf8BomAndWindows1252()
{
    TestFolder folder;
    const QString bom = folder.writeFile(QStringLiteral("bom.csv"), "\xEF\xBB\xBF\xC3\xA9t\xC3\xA9,summer\n");
    const QString old = folder.writeFile(QStringLiteral("old.csv"), "\xE9t\xE9,summer\n");
    QCOMPARE(CsvReader::readText(bom).text, QStringLiteral("été,summer\n"));
    QCOMPARE(CsvReader::readText(old).text, QStringLiteral("été,summer\n"));
}

void TestCsvFormat::refusesBinaryData()
{
    TestFolder folder;
    QByteArray garbage;
    for (int i = 0; i < 4096; ++i)
        garbage.append(char((i * 131 + 7) % 256));
    const QString path = folder.writeFile(QStringLiteral("garbage.csv"), garbage);
    try {
        CsvReader::readText(path);
        QFAIL("binary data was taken as text");
    } catch (const ExchangeError &error) {
        QCOMPARE(error.kind(), ExchangeError::Kind::NotText);
    }
    QVERIFY_THROWS_EXCEPTION(ExchangeError, CsvReader::readText(folder.filePath(QStringLiteral("none.csv"))));
}

void TestCsvFormat::bigFieldIsReadWhole()
{
    const QString big(10 * 1024 * 1024, u'x');
    const WordTable table =
        CsvReader::parse(u'"' + big + QStringLiteral("\",b\nc,d\n"), u',', QStringLiteral("f"));
    QCOMPARE(table.rows.size(), 2);
    QCOMPARE(table.rows.first().cells.first().size(), big.size());
    QCOMPARE(table.rows.at(1).line, 2);
}

QTEST_GUILESS_MAIN(TestCsvFormat)
#include "tst_csvformat.moc"

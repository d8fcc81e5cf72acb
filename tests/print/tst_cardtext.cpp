#include "print/cardtext.h"
#include "print/printunits.h"

#include <QTest>

using namespace CardText;

namespace {
// Ten pixels a character: widths are easy to follow by hand.
int tenPerCharacter(const QString &s)
{
    return int(s.size()) * 10;
}
} // namespace

class TestCardText : public QObject
{
    Q_OBJECT

private slots:
    void conversionsRoundHalvesToEven_data();
    void conversionsRoundHalvesToEven();
    void millimetresCarryAnExtraTwentiethInch();
    void lineBreakPositions_data();
    void lineBreakPositions();
    void wrapBreaksAfterBlanksKeepingThem();
    void wrapCutsUnbreakableTextToTwentyLines();
    void wrapLeavesFittingTextAlone();
};

void TestCardText::conversionsRoundHalvesToEven_data()
{
    QTest::addColumn<double>("inches");
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("pixels");
    QTest::newRow("half down to even") << 0.5 << 1 << 0;
    QTest::newRow("half up to even") << 1.5 << 1 << 2;
    QTest::newRow("two and a half") << 2.5 << 1 << 2;
    QTest::newRow("below half") << 0.02 << 300 << 6;
    QTest::newRow("an eighth at 300") << 0.125 << 300 << 38; // 37.5 goes to 38
    QTest::newRow("an eighth at 600") << 0.125 << 600 << 75;
}

void TestCardText::conversionsRoundHalvesToEven()
{
    QFETCH(double, inches);
    QFETCH(int, dpi);
    QFETCH(int, pixels);
    QCOMPARE(InchToDevice(inches, dpi), pixels);
}

void TestCardText::millimetresCarryAnExtraTwentiethInch()
{
    QCOMPARE(MmToDevice(20, 300), 251);
    QCOMPARE(MmToDevice(0, 300), 15);
    QCOMPARE(MmToDevice(10, 600), 266); // (0.3937 + 0.05) x 600 = 266.22
}

void TestCardText::lineBreakPositions_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("position");
    QTest::newRow("after the last blank") << "a very long word list" << 17;
    QTest::newRow("last character never breaks") << "word." << 4;
    QTest::newRow("punctuation ends the line") << "one,two" << 4;
    QTest::newRow("closing bracket stays") << "f(x)y" << 4;
    QTest::newRow("opening bracket goes to the next line") << "abc(def" << 3;
    QTest::newRow("angle bracket") << "ab<cd" << 2;
    QTest::newRow("bracket at the start is no break") << "(abc" << 3;
    QTest::newRow("no break character") << "abcdef" << 5;
    QTest::newRow("one character") << "a" << 0;
}

void TestCardText::lineBreakPositions()
{
    QFETCH(QString, text);
    QFETCH(int, position);
    QCOMPARE(FindLineBreak(text), position);
}

void TestCardText::wrapBreaksAfterBlanksKeepingThem()
{
    QCOMPARE(WrapCardText(QStringLiteral("a very long word list"), 100, tenPerCharacter),
             QStringList({"a very ", "long ", "word list"}));
    QCOMPARE(WrapCardText(QStringLiteral("Haus (das)"), 80, tenPerCharacter),
             QStringList({"Haus ", "(das)"}));
}

void TestCardText::wrapCutsUnbreakableTextToTwentyLines()
{
    const QString text(255, u'x');
    const QStringList lines = WrapCardText(text, 100, tenPerCharacter);
    QCOMPARE(lines.size(), MaxLines);
    for (const QString &line : lines)
        QCOMPARE(line.size(), 9); // shortened one character at a time until it fits
    QCOMPARE(lines.join(QString()), text.left(9 * MaxLines));
}

void TestCardText::wrapLeavesFittingTextAlone()
{
    QCOMPARE(WrapCardText(QStringLiteral("short"), 100, tenPerCharacter), QStringList{"short"});
    QCOMPARE(WrapCardText(QString(), 100, tenPerCharacter), QStringList{QString()});
    // A card narrower than one character still gets its text, a character a line.
    QCOMPARE(WrapCardText(QStringLiteral("abc"), 5, tenPerCharacter), QStringList({"a", "b", "c"}));
}

QTEST_APPLESS_MAIN(TestCardText)
#include "tst_cardtext.moc"

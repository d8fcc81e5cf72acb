#include "platform/textdecoding.h"

#include <QSet>
#include <QTest>

class TestTextDecoding : public QObject
{
    Q_OBJECT

private slots:
    void decode_data();
    void decode();
    void windows1252CoversTheWholeByteRange();
    void codePages_data();
    void codePages();
    void everyCharacterOfAPageFindsItsByteAgain();
};

void TestTextDecoding::decode_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("validUtf8");
    QTest::addColumn<QString>("expected");

    QTest::newRow("empty") << QByteArray() << true << QString();
    QTest::newRow("ascii") << QByteArray("plain text\r\n") << true << QStringLiteral("plain text\r\n");
    QTest::newRow("utf-8") << QByteArray("caf\xC3\xA9 \xE2\x82\xAC") << true << QStringLiteral("café €");
    QTest::newRow("utf-8 four bytes") << QByteArray("\xF0\x9F\x98\x80") << true << QStringLiteral("😀");
    QTest::newRow("utf-8 bom dropped") << QByteArray("\xEF\xBB\xBF[a]") << true << QStringLiteral("[a]");
    QTest::newRow("1252 letters") << QByteArray("caf\xE9 \x80") << false << QStringLiteral("café €");
    QTest::newRow("1252 quotes and dashes")
        << QByteArray("\x93x\x94 \x96 \x97 \x85") << false << QStringLiteral("“x” – — …");
    QTest::newRow("1252 caron letters")
        << QByteArray("\x8A\x9A\x8E\x9E\x9F") << false << QStringLiteral("ŠšŽžŸ");
    QTest::newRow("1252 unassigned byte keeps its code point")
        << QByteArray("a\x81") << false << QStringLiteral("a\u0081");
    QTest::newRow("utf-8 cut at the end is 1252") << QByteArray("abc\xC3") << false << QStringLiteral("abcÃ");
    QTest::newRow("overlong utf-8 is 1252") << QByteArray("\xC0\xAF") << false << QStringLiteral("À¯");
    QTest::newRow("encoded surrogate is 1252")
        << QByteArray("\xED\xA0\x80") << false << QStringLiteral("í\u00A0€");
    QTest::newRow("bom with damaged utf-8 stays utf-8")
        << QByteArray("\xEF\xBB\xBFx\xFFy") << false << QStringLiteral("x\uFFFDy");
}

void TestTextDecoding::decode()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, validUtf8);
    QFETCH(QString, expected);

    QCOMPARE(DecodeText(bytes), expected);
    QCOMPARE(IsValidUtf8(bytes), validUtf8);
}

void TestTextDecoding::windows1252CoversTheWholeByteRange()
{
    QByteArray bytes;
    for (int byte = 0; byte < 256; ++byte)
        bytes.append(static_cast<char>(byte));
    const QString text = DecodeWindows1252(bytes);
    QCOMPARE(text.size(), 256);
    for (int byte = 0; byte < 256; ++byte) {
        const bool high = byte >= 0x80 && byte <= 0x9F;
        if (!high)
            QCOMPARE(text[byte].unicode(), char16_t(byte));
    }
    QCOMPARE(text[0x80], QChar(0x20AC));
    QCOMPARE(text[0x8C], QChar(0x0152));
    QCOMPARE(text[0x99], QChar(0x2122));
}

void TestTextDecoding::codePages_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");

    const int western = int(CodePage::Windows1252);
    const int greek = int(CodePage::Windows1253);
    const int turkish = int(CodePage::Windows1254);
    QTest::newRow("1252 ascii and letters")
        << western << QByteArray("a\xE9\xFD\xFE\xD0") << QStringLiteral("aéýþÐ");
    QTest::newRow("1253 small letters")
        << greek << QByteArray("\xE1\xE2\xF2\xF3\xF9") << QStringLiteral("αβςσω");
    QTest::newRow("1253 capitals") << greek << QByteArray("\xC1\xD1\xD3\xD9") << QStringLiteral("ΑΡΣΩ");
    QTest::newRow("1253 tonos and dialytika")
        << greek << QByteArray("\xA2\xB8\xBF\xDC\xFE\xFA\xC0\xE0") << QStringLiteral("ΆΈΏάώϊΐΰ");
    QTest::newRow("1253 shared signs")
        << greek << QByteArray("\x80\xAB\xBB\xA3\xAF") << QStringLiteral("€«»£―");
    QTest::newRow("1253 unassigned") << greek << QByteArray("\xAA\xD2\xFF")
                                     << QStringLiteral("\uFFFD\uFFFD\uFFFD");
    QTest::newRow("1254 Turkish letters")
        << turkish << QByteArray("\xD0\xDD\xDE\xF0\xFD\xFE") << QStringLiteral("ĞİŞğış");
    QTest::newRow("1254 as 1252 elsewhere")
        << turkish << QByteArray("\xC7\xE7\xD6\xFC\x80\x9C") << QStringLiteral("ÇçÖü€œ");
    QTest::newRow("1254 leaves out z caron")
        << turkish << QByteArray("\x8E\x9E") << QStringLiteral("\u008E\u009E");
}

void TestTextDecoding::codePages()
{
    QFETCH(int, page);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    QCOMPARE(DecodeCodePage(bytes, CodePage(page)), expected);
}

void TestTextDecoding::everyCharacterOfAPageFindsItsByteAgain()
{
    for (const CodePage page : {CodePage::Windows1252, CodePage::Windows1253, CodePage::Windows1254}) {
        QSet<char16_t> seen;
        for (int byte = 1; byte < 256; ++byte) {
            const QChar character = CodePageCharacter(page, static_cast<unsigned char>(byte));
            if (character.isNull())
                continue;
            QVERIFY2(!seen.contains(character.unicode()), qPrintable(QString::number(byte)));
            seen.insert(character.unicode());
            QCOMPARE(CodePageByte(page, character), byte);
        }
        QVERIFY(seen.size() >= 252);
    }
    QCOMPARE(CodePageByte(CodePage::Windows1252, QChar(u'α')), -1);
    QCOMPARE(CodePageByte(CodePage::Windows1253, QChar(u'ş')), -1);
    QCOMPARE(CodePageByte(CodePage::Windows1254, QChar(u'Ž')), -1);
    QCOMPARE(CodePageByte(CodePage::Windows1252, QChar()), -1);
}

QTEST_GUILESS_MAIN(TestTextDecoding)
#include "tst_textdecoding.moc"

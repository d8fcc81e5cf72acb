#include "platform/textdecoding.h"

#include <QSet>
#include <QTest>

class TestTextDecoding : public QObject
{
    Q_OBJECT

private slots:
    void decode_data();
    void decode();
    void wordLists_data();
    void wordLists();
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
    // A settings or language file of the old system stays Windows-1252 as a whole.
    QTest::newRow("mostly utf-8 with one 1252 byte is 1252")
        << QByteArray("Stra\xC3\x9F"
                      "e caf\xC3\xA9 M\xFCller")
        << false << QStringLiteral("StraÃŸe cafÃ© Müller");
}

void TestTextDecoding::decode()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, validUtf8);
    QFETCH(QString, expected);

    QCOMPARE(DecodeText(bytes), expected);
    QCOMPARE(IsValidUtf8(bytes), validUtf8);
}

void TestTextDecoding::wordLists_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("utf8");
    QTest::addColumn<int>("replaced");

    QTest::newRow("ascii") << QByteArray("a,b\n") << QStringLiteral("a,b\n") << true << 0;
    QTest::newRow("pure utf-8") << QByteArray("Stra\xC3\x9F"
                                              "e,street\n\xE2\x82\xAC,\xF0\x9F\x98\x80")
                                << QStringLiteral("Straße,street\n€,😀") << true << 0;
    QTest::newRow("pure 1252") << QByteArray("Stra\xDF"
                                             "e,street\n\x80,caf\xE9")
                               << QStringLiteral("Straße,street\n€,café") << false << 0;
    QTest::newRow("utf-8 with one stray 1252 byte")
        << QByteArray("Stra\xC3\x9F"
                      "e,street\nM\xFCller,miller\ncaf\xC3\xA9,cafe")
        << QStringLiteral("Straße,street\nM\uFFFDller,miller\ncafé,cafe") << true << 1;
    QTest::newRow("utf-8 cut at the end") << QByteArray("Stra\xC3\x9F"
                                                        "e,\xC3\xA9t\xC3\xA9\n\xE2\x82")
                                          << QStringLiteral("Straße,été\n\uFFFD\uFFFD") << true << 2;
    QTest::newRow("1252 with an accidental utf-8 pair")
        << QByteArray("\xC3\xA9t\xE9,summer\n\xE0 la,at the") << QStringLiteral("Ã©té,summer\nà la,at the")
        << false << 0;
    QTest::newRow("as many stray bytes as sequences is 1252")
        << QByteArray("\xC3\xA9\xE9") << QStringLiteral("Ã©é") << false << 0;
    QTest::newRow("overlong and surrogate forms are no sequences")
        << QByteArray("\xC0\xAF\xED\xA0\x80\xC3\xA9") << QStringLiteral("À¯í\u00A0€Ã©") << false << 0;
    QTest::newRow("bom and utf-8") << QByteArray("\xEF\xBB\xBF\xC3\xA9t\xC3\xA9") << QStringLiteral("été")
                                   << true << 0;
    QTest::newRow("bom says utf-8 whatever follows")
        << QByteArray("\xEF\xBB\xBF\xE9t\xE9") << QStringLiteral("\uFFFDt\uFFFD") << true << 2;
    QTest::newRow("a bom alone") << QByteArray("\xEF\xBB\xBF") << QString() << true << 0;
}

void TestTextDecoding::wordLists()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    QFETCH(bool, utf8);
    QFETCH(int, replaced);

    const DecodedText decoded = DecodeWordList(bytes);
    QCOMPARE(decoded.text, expected);
    QCOMPARE(decoded.encoding, utf8 ? TextEncoding::Utf8 : TextEncoding::Windows1252);
    QCOMPARE(decoded.replaced, replaced);
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

#include "platform/textdecoding.h"

#include <QStringDecoder>

#include <array>

namespace {
const QByteArray Utf8Bom("\xEF\xBB\xBF", 3);

// 0x80 to 0x9F of Windows-1252; the five unassigned bytes keep their own code points, as the
// old system's conversion did.
constexpr std::array<char16_t, 32> Windows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// 0x80 to 0xFF of Windows-1253; 0 marks the three bytes the page leaves unassigned.
constexpr std::array<char16_t, 128> Windows1253High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x0088, 0x2030, 0x008A, 0x2039, 0x008C,
    0x008D, 0x008E, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0098, 0x2122,
    0x009A, 0x203A, 0x009C, 0x009D, 0x009E, 0x009F, 0x00A0, 0x0385, 0x0386, 0x00A3, 0x00A4, 0x00A5, 0x00A6,
    0x00A7, 0x00A8, 0x00A9, 0x0000, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x2015, 0x00B0, 0x00B1, 0x00B2, 0x00B3,
    0x0384, 0x00B5, 0x00B6, 0x00B7, 0x0388, 0x0389, 0x038A, 0x00BB, 0x038C, 0x00BD, 0x038E, 0x038F, 0x0390,
    0x0391, 0x0392, 0x0393, 0x0394, 0x0395, 0x0396, 0x0397, 0x0398, 0x0399, 0x039A, 0x039B, 0x039C, 0x039D,
    0x039E, 0x039F, 0x03A0, 0x03A1, 0x0000, 0x03A3, 0x03A4, 0x03A5, 0x03A6, 0x03A7, 0x03A8, 0x03A9, 0x03AA,
    0x03AB, 0x03AC, 0x03AD, 0x03AE, 0x03AF, 0x03B0, 0x03B1, 0x03B2, 0x03B3, 0x03B4, 0x03B5, 0x03B6, 0x03B7,
    0x03B8, 0x03B9, 0x03BA, 0x03BB, 0x03BC, 0x03BD, 0x03BE, 0x03BF, 0x03C0, 0x03C1, 0x03C2, 0x03C3, 0x03C4,
    0x03C5, 0x03C6, 0x03C7, 0x03C8, 0x03C9, 0x03CA, 0x03CB, 0x03CC, 0x03CD, 0x03CE, 0x0000,
};

// Windows-1254 is Windows-1252 with Turkish letters in six places and two bytes unassigned.
struct TurkishByte
{
    unsigned char byte;
    char16_t character;
};
constexpr std::array<TurkishByte, 8> Windows1254Changes = {{
    {0x8E, 0x008E},
    {0x9E, 0x009E},
    {0xD0, 0x011E},
    {0xDD, 0x0130},
    {0xDE, 0x015E},
    {0xF0, 0x011F},
    {0xFD, 0x0131},
    {0xFE, 0x015F},
}};

char16_t Windows1252Character(unsigned char byte)
{
    return (byte >= 0x80 && byte <= 0x9F) ? Windows1252High[byte - 0x80] : char16_t(byte);
}

char16_t Windows1254Character(unsigned char byte)
{
    for (const TurkishByte &change : Windows1254Changes)
        if (change.byte == byte)
            return change.character;
    return Windows1252Character(byte);
}

struct Utf8Result
{
    QString text;
    bool valid = false;
};

// Stateless, so that a sequence cut off at the end counts as an error too.
Utf8Result DecodeUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    Utf8Result result;
    result.text = decoder.decode(bytes);
    result.valid = !decoder.hasError();
    return result;
}
// The length of the valid UTF-8 sequence of two to four bytes starting at i; 0 when none
// does (overlong forms, surrogates and code points above U+10FFFF are not valid).
int Utf8SequenceAt(const QByteArray &bytes, qsizetype i)
{
    const auto byteAt = [&bytes](qsizetype k) {
        return k < bytes.size() ? static_cast<unsigned char>(bytes[k]) : 0;
    };
    const unsigned char lead = byteAt(i);
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    int length = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : low;
        high = lead == 0xED ? 0x9F : high;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : low;
        high = lead == 0xF4 ? 0x8F : high;
    } else {
        return 0;
    }
    if (byteAt(i + 1) < low || byteAt(i + 1) > high)
        return 0;
    for (int k = 2; k < length; ++k)
        if ((byteAt(i + k) & 0xC0) != 0x80)
            return 0;
    return length;
}
} // namespace

QString EncodingName(TextEncoding encoding)
{
    return encoding == TextEncoding::Utf8 ? QStringLiteral("UTF-8") : QStringLiteral("Windows-1252");
}

DecodedText DecodeWordList(const QByteArray &bytes)
{
    const bool marked = bytes.startsWith(Utf8Bom);
    QByteArray repaired;
    repaired.reserve(bytes.size());
    int sequences = 0;
    int invalid = 0;
    for (qsizetype i = marked ? Utf8Bom.size() : 0; i < bytes.size();) {
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            repaired += bytes[i++];
        } else if (const int length = Utf8SequenceAt(bytes, i)) {
            repaired.append(bytes.constData() + i, length);
            i += length;
            ++sequences;
        } else {
            repaired += "\xEF\xBF\xBD";
            ++i;
            ++invalid;
        }
    }
    if (invalid > 0 && !marked && sequences <= invalid)
        return {DecodeWindows1252(bytes), TextEncoding::Windows1252, 0};
    return {QString::fromUtf8(repaired), TextEncoding::Utf8, invalid};
}

bool IsValidUtf8(const QByteArray &bytes)
{
    return DecodeUtf8(bytes).valid;
}

QChar CodePageCharacter(CodePage page, unsigned char byte)
{
    if (byte < 0x80)
        return QChar(byte);
    switch (page) {
    case CodePage::Windows1253: return QChar(Windows1253High[byte - 0x80]);
    case CodePage::Windows1254: return QChar(Windows1254Character(byte));
    case CodePage::Windows1252: break;
    }
    return QChar(Windows1252Character(byte));
}

int CodePageByte(CodePage page, QChar character)
{
    if (character.isNull())
        return -1;
    if (character.unicode() < 0x80)
        return character.unicode();
    for (int byte = 0x80; byte <= 0xFF; ++byte)
        if (CodePageCharacter(page, static_cast<unsigned char>(byte)) == character)
            return byte;
    return -1;
}

QString DecodeCodePage(const QByteArray &bytes, CodePage page)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char c : bytes) {
        const QChar character = CodePageCharacter(page, static_cast<unsigned char>(c));
        *out++ = (character.isNull() && c != 0) ? QChar(QChar::ReplacementCharacter) : character;
    }
    return text;
}

QString DecodeWindows1252(const QByteArray &bytes)
{
    return DecodeCodePage(bytes, CodePage::Windows1252);
}

QString DecodeText(const QByteArray &bytes)
{
    if (bytes.startsWith(Utf8Bom))
        return DecodeUtf8(bytes.mid(Utf8Bom.size())).text;
    const Utf8Result utf8 = DecodeUtf8(bytes);
    return utf8.valid ? utf8.text : DecodeWindows1252(bytes);
}

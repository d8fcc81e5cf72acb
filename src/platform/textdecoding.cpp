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
} // namespace

bool IsValidUtf8(const QByteArray &bytes)
{
    return DecodeUtf8(bytes).valid;
}

QString DecodeWindows1252(const QByteArray &bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        *out++ = (byte >= 0x80 && byte <= 0x9F) ? QChar(Windows1252High[byte - 0x80]) : QChar(byte);
    }
    return text;
}

QString DecodeText(const QByteArray &bytes)
{
    if (bytes.startsWith(Utf8Bom))
        return DecodeUtf8(bytes.mid(Utf8Bom.size())).text;
    const Utf8Result utf8 = DecodeUtf8(bytes);
    return utf8.valid ? utf8.text : DecodeWindows1252(bytes);
}

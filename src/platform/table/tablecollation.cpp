#include "platform/table/tablecollation.h"

#include <QString>
#include <QStringView>
#include <QVarLengthArray>

namespace {

using Utf16 = QVarLengthArray<char16_t, 256>;

bool isContinuation(uchar byte)
{
    return (byte & 0xC0) == 0x80;
}

// One character of well-formed UTF-8 at `at`: its code and length in bytes, or 0 bytes when
// the text is malformed there (overlong forms, surrogates, values beyond Unicode, cut off).
int decodeOne(const uchar *at, const uchar *end, char32_t &code)
{
    const uchar lead = *at;
    if (lead < 0x80) {
        code = lead;
        return 1;
    }
    int trail = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        code = lead & 0x1F;
        trail = 1;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        code = lead & 0x0F;
        trail = 2;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        code = lead & 0x07;
        trail = 3;
    } else {
        return 0;
    }
    if (end - at <= trail)
        return 0;
    for (int i = 1; i <= trail; ++i) {
        if (!isContinuation(at[i]))
            return 0;
        code = (code << 6) | (at[i] & 0x3F);
    }
    if ((trail == 2 && (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF))) ||
        (trail == 3 && (code < 0x10000 || code > 0x10FFFF)))
        return 0;
    return trail + 1;
}

// Well-formed UTF-8 to UTF-16; false on anything malformed.
bool decode(QByteArrayView text, Utf16 &out)
{
    const auto *at = reinterpret_cast<const uchar *>(text.data());
    const auto *end = at + text.size();
    out.reserve(text.size());
    while (at < end) {
        char32_t code = 0;
        const int length = decodeOne(at, end, code);
        if (length == 0)
            return false;
        if (code >= 0x10000) {
            out.append(QChar::highSurrogate(code));
            out.append(QChar::lowSurrogate(code));
        } else {
            out.append(char16_t(code));
        }
        at += length;
    }
    return true;
}

// Qt's comparison itself, on both texts decoded.
int qtCompare(QByteArrayView left, QByteArrayView right)
{
    Utf16 a, b;
    if (decode(left, a) && decode(right, b))
        return QStringView(a.constData(), a.size())
            .compare(QStringView(b.constData(), b.size()), Qt::CaseInsensitive);
    return QString::fromUtf8(left).compare(QString::fromUtf8(right), Qt::CaseInsensitive);
}

// Character by character while both texts stay in the basic plane, where Qt compares the
// case folds of single UTF-16 units, which are those of the characters; the rest of a text
// with a character beyond it (a surrogate pair to Qt) or a malformed one goes to Qt whole.
int unicodeCompare(QByteArrayView left, QByteArrayView right)
{
    const auto *a = reinterpret_cast<const uchar *>(left.data());
    const auto *b = reinterpret_cast<const uchar *>(right.data());
    const auto *aEnd = a + left.size();
    const auto *bEnd = b + right.size();
    while (a < aEnd && b < bEnd) {
        char32_t x = 0, y = 0;
        const int xLength = decodeOne(a, aEnd, x);
        const int yLength = decodeOne(b, bEnd, y);
        if (xLength == 0 || yLength == 0 || x > 0xFFFF || y > 0xFFFF)
            return qtCompare(QByteArrayView(a, aEnd - a), QByteArrayView(b, bEnd - b));
        if (x != y) {
            const char32_t foldedX = QChar::toCaseFolded(x);
            const char32_t foldedY = QChar::toCaseFolded(y);
            if (foldedX != foldedY)
                return foldedX < foldedY ? -1 : 1;
        }
        a += xLength;
        b += yLength;
    }
    return (a == aEnd) == (b == bEnd) ? 0 : (a == aEnd ? -1 : 1);
}

uchar foldAscii(uchar byte)
{
    return byte >= 'A' && byte <= 'Z' ? byte + ('a' - 'A') : byte;
}

} // namespace

int TableCollation::compare(QByteArrayView left, QByteArrayView right)
{
    const auto *a = reinterpret_cast<const uchar *>(left.data());
    const auto *b = reinterpret_cast<const uchar *>(right.data());
    const qsizetype common = std::min(left.size(), right.size());
    for (qsizetype i = 0; i < common; ++i) {
        if ((a[i] | b[i]) & 0x80) // ASCII ends here: the rest needs Unicode case folding
            return unicodeCompare(left.sliced(i), right.sliced(i));
        if (a[i] != b[i]) {
            const uchar x = foldAscii(a[i]), y = foldAscii(b[i]);
            if (x != y)
                return x < y ? -1 : 1;
        }
    }
    return left.size() == right.size() ? 0 : (left.size() < right.size() ? -1 : 1);
}

int TableCollation::sqliteCompare(void *, int lengthA, const void *a, int lengthB, const void *b)
{
    const int result = compare(QByteArrayView(static_cast<const char *>(a), lengthA),
                               QByteArrayView(static_cast<const char *>(b), lengthB));
    return result < 0 ? -1 : (result > 0 ? 1 : 0);
}

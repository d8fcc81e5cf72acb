#pragma once

#include <QByteArray>
#include <QString>

// Text files come from two worlds: our own, written as UTF-8, and the old system's, written in
// Windows-1252. Bytes that are valid UTF-8 are taken as UTF-8, anything else as Windows-1252.
// A leading UTF-8 byte-order mark is dropped; with it the bytes are taken as UTF-8 even when
// damaged, since the file says what it is.
QString DecodeText(const QByteArray &bytes);

// How the bytes of a word list became text.
enum class TextEncoding { Utf8, Windows1252 };
// "UTF-8", "Windows-1252".
QString EncodingName(TextEncoding encoding);
struct DecodedText
{
    QString text;
    TextEncoding encoding = TextEncoding::Utf8;
    int replaced = 0; // bytes that were no UTF-8, each now U+FFFD
};
// A word list from another program, which may be UTF-8 damaged by a few bytes of an editor
// that saved it as Windows-1252 in part: taken as UTF-8 with those bytes replaced when its
// valid multi-byte sequences outnumber them (or a byte-order mark says UTF-8), else as
// Windows-1252 like DecodeText. Settings, language and help files keep DecodeText: an old
// file there is Windows-1252 whatever a few of its bytes look like.
DecodedText DecodeWordList(const QByteArray &bytes);

// Windows-1252 to text, without a system codec library.
QString DecodeWindows1252(const QByteArray &bytes);

// The 8-bit code pages of the old system that the program still meets: Western European,
// Greek and Turkish. Their lower half is ASCII.
enum class CodePage { Windows1252, Windows1253, Windows1254 };

// The character of byte in page. An unassigned byte below 0xA0 keeps its own code point, as
// the old system converted it; the three unassigned bytes of the Greek page above give a
// null character.
QChar CodePageCharacter(CodePage page, unsigned char byte);
// The byte that stands for character in page, or -1 when the page has none (never for null).
int CodePageByte(CodePage page, QChar character);
// Bytes of page to text; a byte without a character gives U+FFFD.
QString DecodeCodePage(const QByteArray &bytes, CodePage page);

bool IsValidUtf8(const QByteArray &bytes);

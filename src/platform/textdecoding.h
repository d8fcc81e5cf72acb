#pragma once

#include <QByteArray>
#include <QString>

// Text files come from two worlds: our own, written as UTF-8, and the old system's, written in
// Windows-1252. Bytes that are valid UTF-8 are taken as UTF-8, anything else as Windows-1252.
// A leading UTF-8 byte-order mark is dropped; with it the bytes are taken as UTF-8 even when
// damaged, since the file says what it is.
QString DecodeText(const QByteArray &bytes);

// Windows-1252 to text, without a system codec library.
QString DecodeWindows1252(const QByteArray &bytes);

bool IsValidUtf8(const QByteArray &bytes);

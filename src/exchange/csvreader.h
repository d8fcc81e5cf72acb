#pragma once

#include "exchange/wordtable.h"
#include "platform/textdecoding.h"

#include <QChar>
#include <QList>
#include <QString>

// Reads comma-, semicolon-, tab- or bar-separated word lists (RFC 4180 quoting: a field in
// double quotes may hold separators, doubled quotes and line breaks). A line break inside a
// field becomes a blank, as an entry holds one line; empty lines are passed over.
class CsvReader
{
public:
    static constexpr int DetectionLines = 20;

    // The separators understood, in the order preferred when the first lines fit several.
    static const QList<QChar> &separators();

    // The separator that splits the first lines into the same number (above one) of fields
    // most often; fallback when none does.
    static QChar detectSeparator(const QString &text, QChar fallback = u',');

    // The file's text: UTF-8 with or without byte-order mark (a few damaged bytes replaced
    // and counted), else Windows-1252. Throws ExchangeError for a file that cannot be read or
    // holds binary data.
    static DecodedText readText(const QString &path);

    // Throws ExchangeError naming the line where a quoted field opens that is never closed.
    // maxRows > 0 stops after that many rows (for detection and previews).
    static WordTable parse(const QString &text, QChar separator, const QString &fileName, int maxRows = 0);
};

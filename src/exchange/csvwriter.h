#pragma once

#include "exchange/wordlist.h"

#include <QChar>
#include <QString>

// Writes a unit's words as comma- or tab-separated text in UTF-8, lines ending in CR LF: a
// header row with the two languages' names and "Type", then one row per entry with the word
// type's English name. A field is quoted when it holds a quote, a line break, blanks at its
// ends or any separator a reader might take, so that detection finds the one used.
class CsvWriter
{
public:
    static QString headerTypeName() { return QStringLiteral("Type"); }

    static QString quoted(const QString &field, QChar separator);
    static QString text(const WordList &list, QChar separator);
};

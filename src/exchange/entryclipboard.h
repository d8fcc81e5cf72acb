#pragma once

#include "exchange/importchoice.h"
#include "exchange/wordlist.h"

#include <QList>
#include <QString>

class SqliteTable;

// Entries on the clipboard as tab-separated lines (native, foreign, the word type's English
// name), the way spreadsheets and our word lists exchange them.
class EntryClipboard
{
public:
    // One line per pair, each ending in a line break; fields quoted as the TSV writer does.
    static QString text(const QList<WordPair> &pairs);
    // Text that stands for entries rather than for a cell: it holds a tab or several lines.
    static bool holdsEntries(const QString &text);
    // The pairs of a pasted text, read and checked as a TSV import reads a file. A single
    // column gives the side named by intoForeign.
    static QList<WordPair> pairsOf(const QString &text, bool intoForeign, ImportResult &result);
    // Appends the pairs to the unit's table in one transaction, all or none; returns the
    // keys of the new entries. Throws TableError.
    static QList<qint64> append(SqliteTable &table, const QList<WordPair> &pairs);
};

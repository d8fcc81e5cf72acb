#pragma once

#include "exchange/importchoice.h"
#include "exchange/wordlist.h"
#include "exchange/wordtable.h"

#include <QPair>
#include <QSet>
#include <functional>

// Turns the rows of a word list into entries of a unit, all in one transaction: either every
// pair is there afterwards or, after an error or Cancel, none is, and a unit made for the
// import is gone again.
class WordImporter
{
public:
    // Told how far the work is; returning false cancels it.
    using Progress = std::function<bool(qint64 done, qint64 total)>;
    static constexpr int ProgressStep = 1000;

    // A first guess at the columns, the header row and the languages of a new unit.
    static ImportChoice suggest(const WordTable &table);
    // Whether a row's cell names a word type (empty cells do not count).
    static bool holdsWordType(const WordTable::Row &row, int column);

    // The pairs the rows give; counts what is skipped, cut or not understood.
    static QList<WordPair> pairsOf(const WordTable &table, const ImportChoice &choice, ImportResult &result);

    // The native and foreign words of every entry of the unit; none when it has no table yet.
    using SidePairs = QSet<QPair<QString, QString>>;
    static SidePairs unitPairs(const QString &descriptorPath);
    // How many of the pairs the unit holds already, both sides alike.
    static int countExisting(const QList<WordPair> &pairs, const SidePairs &inUnit);

    // Appends to the unit of that descriptor; a unit that does not exist is created with
    // the choice's languages and description. Throws ExchangeError when no pair is found,
    // TableError or IniWriteError when writing fails.
    static ImportResult importInto(const QString &descriptorPath, const WordTable &table,
                                   const ImportChoice &choice, const Progress &progress = {});
};

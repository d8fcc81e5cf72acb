#pragma once

#include "exchange/wordlist.h"
#include "exchange/wordlistformat.h"

// Reads a unit's words in index order and writes them as a word list file, replacing the
// file at once or not at all.
class WordExporter
{
public:
    // The unit's languages, name and pairs; a unit whose table was never made has no pairs.
    // Throws TableError when the table cannot be opened.
    static WordList readUnit(const QString &descriptorPath);
    // Throws ExchangeError when the file cannot be written.
    static void write(const WordList &list, const QString &path, WordListFormat format);
};

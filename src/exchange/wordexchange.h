#pragma once

#include "exchange/importchoice.h"
#include "exchange/wordimporter.h"
#include "exchange/wordlistformat.h"
#include "exchange/wordtable.h"

#include <QChar>
#include <optional>

// Import and export of word lists in one call each, for the window and for command-line use.
// Paths are full; a unit is named by its descriptor ("<folder>/<name>.lif"). Every error is
// raised (ExchangeError, TableError, IniWriteError) with a text naming the file.
class WordExchange
{
public:
    // The file type by extension; throws ExchangeError (NotText) for an unknown one.
    static WordListFormat formatOf(const QString &path);

    // Reads a whole word list. For CSV and TSV a null separator is detected from the first
    // lines; maxRows > 0 stops early (previews).
    static WordTable readFile(const QString &path, WordListFormat format, QChar separator = QChar(),
                              int maxRows = 0);

    // Imports a word list into the unit, creating it when it does not exist. Without a
    // choice, the suggested one is taken (columns 1 and 2, a type column and header row when
    // the file looks like one of ours, a KVTML file's languages).
    static ImportResult importFile(const QString &file, const QString &descriptorPath,
                                   std::optional<ImportChoice> choice = std::nullopt,
                                   const WordImporter::Progress &progress = {});

    // Writes the unit's words to the file, its type taken from the extension unless given.
    // Returns the number of pairs written.
    static int exportUnit(const QString &descriptorPath, const QString &file,
                          std::optional<WordListFormat> format = std::nullopt);
};

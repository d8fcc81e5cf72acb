#pragma once

#include <QChar>
#include <QString>
#include <optional>

enum class WordListFormat { Csv, Tsv, Kvtml };

// The word list file types by their extensions: ".csv", ".tsv" (also ".tab" and ".txt", which
// spreadsheets write tab-separated) and ".kvtml".
class WordListFormats
{
public:
    static std::optional<WordListFormat> ofPath(const QString &path);
    static QString extension(WordListFormat format); // without the dot
    // The separator written, and the one assumed when detection finds none.
    static QChar separator(WordListFormat format);
    // For file dialogs: "CSV (*.csv)" and so on, one per format, in enum order.
    static QString nameFilter(WordListFormat format);
    static QString allNameFilter(); // every type of word list in one filter
};

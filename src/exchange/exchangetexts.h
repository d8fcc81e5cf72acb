#pragma once

#include <QList>
#include <QPair>
#include <QString>

class ExchangeError;
struct ImportResult;

// The main window's messages about importing and exporting word lists, from section
// "MainForm" of the UI language file, English when the file or key is missing.
class ExchangeTexts
{
public:
    static inline const char *Section = "MainForm";

    // Every key with its English text, the error messages included.
    static QList<QPair<QString, QString>> englishTexts();
    static QString text(const QString &languageFile, const QString &key);

    // The message for an error: the translated text, the file and the line.
    static QString errorMessage(const QString &languageFile, const ExchangeError &error);
    // What an import did, one line a fact: pairs imported, rows left out, words cut,
    // word types not understood.
    static QString importSummary(const QString &languageFile, const ImportResult &result);
};

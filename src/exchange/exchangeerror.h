#pragma once

#include "platform/lumoerror.h"

// A word list that cannot be read or written. It carries what went wrong, the file and, for a
// malformed file, the line, so that the window can say it in the user's language; the English
// text is the error's message.
class ExchangeError : public LumoError
{
public:
    enum class Kind {
        CannotRead,      // the file cannot be opened or read
        CannotWrite,     // the file cannot be written
        NotText,         // a CSV file holding binary data
        UnbalancedQuote, // a quoted CSV field that is never closed
        NotWellFormed,   // XML that is not well-formed
        EntitiesRefused, // a DOCTYPE declaring entities of its own
        NotKvtml,        // XML that is not a KVTML 2 word list
        TooFewLanguages, // a KVTML file naming fewer than two languages
        TooManyColumns,  // a KVTML file naming far more languages than its entries can fill
        NoWords,         // nothing to import: every row was empty or short
    };

    ExchangeError(Kind kind, const QString &file, int line = 0, const QString &detail = QString())
        : LumoError(compose(englishText(kind), file, line, detail)), m_kind(kind), m_file(file), m_line(line),
          m_detail(detail)
    {}

    Kind kind() const { return m_kind; }
    QString file() const { return m_file; }
    int line() const { return m_line; }
    QString detail() const { return m_detail; }

    // The English text of a kind and the language file's key for it.
    static QString englishText(Kind kind);
    static QString key(Kind kind);
    // text + "\r\n" + file [+ ", line " + n] [+ "\r\n" + detail]; the line word is given so
    // that a translation can use its own.
    static QString compose(const QString &text, const QString &file, int line, const QString &detail,
                           const QString &lineWord = QStringLiteral("line"));

private:
    Kind m_kind;
    QString m_file;
    int m_line;
    QString m_detail;
};

#pragma once

#include <QByteArrayView>
#include <QLocale>
#include <QString>

struct sqlite3;

// Finds a text inside others without regard to letter case. Both sides are lower-cased as
// the locale does it, as the test's judging compares answers, so every letter that has a
// case counts (É finds é, Ä finds ä), not only A to Z; other characters must match exactly.
// An empty text is found nowhere.
class CaseBlindText
{
public:
    // The SQL function contains(text, wanted, locale) of our table connections: 1 when the
    // text holds wanted under the case rules of the locale named ("tr", or "" for the rules
    // every other language shares), 0 otherwise (also for NULL).
    static constexpr const char *ContainsFunction = "lumo_contains";

    explicit CaseBlindText(const QString &wanted, const QLocale &locale = QLocale());

    bool foundIn(const QString &text) const;
    // The same for a text in UTF-8, as SQLite hands it over.
    bool foundIn(QByteArrayView utf8) const;

    // Makes the SQL function known to a connection; returns SQLite's result code.
    static int install(sqlite3 *db);

private:
    bool foundInAscii(QByteArrayView text) const;

    QLocale m_locale;
    QString m_wanted;         // lower-cased
    QByteArray m_asciiWanted; // the same when it is plain ASCII, else empty
    // The locale lower-cases A to Z as a to z and nothing else (not so in Turkish), so that an
    // ASCII text can be compared byte by byte.
    bool m_plainAscii = false;
};

#pragma once

#include <QString>
#include <QStringList>

// The discard list file "DiscardList.ldl" of the program's folder: per language the short
// words the answer check may ignore, in section "DiscardStrings" under "Language" + index.
class DiscardList
{
public:
    static QString fileName();
    // The file read: the user's copy, else the installed one.
    static QString filePath();

    // The words of one language, lower-cased in ASCII only; none when the file or key is
    // missing.
    static QStringList wordsFor(int languageIndex);

    // The text of each of the first count languages as it is stored; empty where the file
    // or key is missing.
    static QStringList texts(int count);
    // Writes the texts of languages 0 to texts.size() - 1 into the user's copy in one atomic
    // save; the file's other keys stay. Throws IniWriteError.
    static void save(const QStringList &texts);

    // Cuts the text at every ";" and keeps each non-empty piece as it stands.
    static QStringList split(const QString &text);

    // Lower-cases A to Z only; every other character stays.
    static QString asciiLower(QString text);
};

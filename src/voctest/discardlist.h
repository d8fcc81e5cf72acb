#pragma once

#include <QString>
#include <QStringList>

// Reading the discard list file "DiscardList.ldl" of the program's folder: per language the
// short words the answer check may ignore.
class DiscardList
{
public:
    static QString filePath();

    // The words of one language (section "DiscardStrings", key "Language" + index), lower-cased
    // in ASCII only; none when the file or key is missing.
    static QStringList wordsFor(int languageIndex);

    // Cuts the text at every ";" and keeps each non-empty piece as it stands.
    static QStringList split(const QString &text);

    // Lower-cases A to Z only; every other character stays.
    static QString asciiLower(QString text);
};

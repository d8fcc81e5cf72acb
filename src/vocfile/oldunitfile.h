#pragma once

#include <QList>
#include <QPair>
#include <QString>

// A unit of the program's previous generation: one text file ".vok" with the foreign
// language's name, two parts of a description and then the word pairs, foreign first.
//
// A line ends at a CR, and one LF right after it belongs to the line end; a lone LF stays
// inside the text. A byte 26 (Ctrl-Z) ends the file. The text is Windows-1252, or UTF-8 when
// the file begins with its byte order mark.
class OldUnitFile
{
public:
    // Reads the whole file; throws LumoError naming it when it cannot be read.
    static OldUnitFile read(const QString &path);
    static OldUnitFile parse(const QByteArray &bytes);

    QString languageLine;      // line 1; empty when the file has none
    QString descriptionFirst;  // line 2
    QString descriptionSecond; // line 3
    // (foreign, native) for lines 4 and 5, 6 and 7, ...; a missing last native line is empty.
    QList<QPair<QString, QString>> pairs;

    // The foreign language number that line 1 names, by exact comparison; 0 for any other.
    int foreignLanguage() const;
    QString description() const { return descriptionFirst + QStringLiteral("; ") + descriptionSecond; }
};

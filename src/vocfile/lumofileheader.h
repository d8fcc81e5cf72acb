#pragma once

#include <QString>
#include <QtGlobal>

// What the file list tells the main window about the selected unit.
struct TLumoFileHeader
{
    enum FileType : quint8 { VocabularyUnit = 0, OtherFile = 1 };

    QString fileName; // full path of the unit descriptor
    FileType fileType = VocabularyUnit;
    qint32 firstLanguage = 0;
    qint32 secondLanguage = 0;
    QString description;
};

// Reads the header from a unit descriptor ".lif". A missing file or key gives the defaults;
// a missing "Description" reads as descriptionDefault ("unkown" in the file list).
TLumoFileHeader ReadLumoFileHeader(const QString &descriptorPath,
                                   const QString &descriptionDefault = QStringLiteral("unkown"));

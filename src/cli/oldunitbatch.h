#pragma once

#include <QStringList>

class MessageService;
class ProgressLine;

// Converts old ".vok" units into a folder with the program's own conversion, one after the
// other. Everything is checked before the first unit is made (each file is a readable,
// non-empty file; the folder exists and can be written), so bad input leaves nothing behind.
class OldUnitBatch
{
public:
    OldUnitBatch(QStringList oldFiles, QString folder);

    // Throws LumoError naming the first bad file or the folder.
    void check() const;
    // Returns the new descriptors' paths; an error ends the batch, the units made before stay.
    QStringList convert(MessageService &messages, ProgressLine &progress) const;

private:
    QStringList m_oldFiles;
    QString m_folder; // ends in "/"
};

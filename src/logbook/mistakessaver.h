#pragma once

#include "vocfile/unitfiles.h"

#include <QString>

class MessageService;
class SqliteTable;

// Copies the mistaken entries of a unit into another unit, new or existing, in the same
// folder: the work behind the save-mistakes dialog's OK button.
class MistakesSaver
{
public:
    // What the logbook hands over before the dialog shows.
    struct Source
    {
        SqliteTable *table = nullptr; // the logbook's view of the current unit's table
        QString descriptorPath;       // of the current unit
        QString folder;               // of the current unit, ending in "/"
        QString extension = UnitFiles::descriptorExtension().mid(1); // without the dot
        int firstLanguage = 0;
        int secondLanguage = 0;
        QString fontName;
        // Translated message texts.
        QString msgFileExists = QStringLiteral("Overwrite existing file?");
        QString msgCreationFailed =
            QStringLiteral("A filename cannot contain any of the following characters:");
        QString msgSameUnit = QStringLiteral(
            "The mistakes cannot be saved into the unit they come from. Please choose another name.");
        QString msgUnitExists = QStringLiteral("Another unit of that name already exists.");
        QString msgNameTooLong =
            QStringLiteral("The name of the unit is too long for this folder. Please choose a shorter name.");
    };

    // What the user chose.
    struct Choice
    {
        QString name; // trimmed by the caller
        QString description;
        bool allEntries = true;
        int moreThan = 0; // with !allEntries: only entries with more mistakes than this
        bool withSounds = false;
    };

    enum class Outcome {
        Closed,  // done, or nothing to do: the dialog closes with OK
        StayOpen // refused or failed, already told: the dialog stays open for another name
    };

    MistakesSaver(const Source &source, MessageService &messages);

    // Refuses an unusable name, asks before replacing an existing unit's descriptor, writes
    // the new descriptor and appends the chosen entries to the unit's table (made when
    // missing) in one transaction. A failure of the table leaves both files as they were
    // and travels on as an error.
    Outcome save(const Choice &choice);

private:
    bool isCurrentUnit(const QString &descriptorPath) const;
    void refuseName() const;
    enum class Written { Yes, Appeared, Failed };
    // replace: the user agreed to replace the descriptor there; otherwise one that appears
    // meanwhile is left alone (Appeared).
    Written writeDescriptor(const QString &path, const QString &description, bool replace) const;
    void copyEntries(SqliteTable &target, const Choice &choice) const;
    void appendEntries(const QString &tablePath, const Choice &choice) const;

    Source m_source;
    MessageService &m_messages;
};

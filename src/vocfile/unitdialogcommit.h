#pragma once

#include <QString>
#include <optional>

class MessageService;

// What pressing OK in the unit dialog does, without the dialog: check the name, write the
// unit's five descriptor keys and, when an existing unit was renamed, move its files to the
// new name. The dialog hands in what the user chose and closes only on Written.
class UnitDialogCommit
{
public:
    // The nine characters no unit name may hold, so that units stay portable.
    static QString forbiddenCharacters(); // "\/:*?\"<>|"
    static bool isValidName(const QString &name);
    // Whether every file the unit needs in folder (descriptor, table, companions, the
    // engine's journal) has a name the folder's file system can hold. Checked before
    // anything is written, since a table that cannot get its journal is never made.
    static bool fitsFolder(const QString &folder, const QString &name);
    static QString defaultNameTooLongMessage()
    {
        return QStringLiteral(
            "The name of the unit is too long for this folder. Please choose a shorter name.");
    }

    struct Input
    {
        QString folder;       // ends in "/"
        QString extension;    // without the dot: "lif"
        QString name;         // as typed; trimmed here
        QString previousName; // properties mode: the unit's name before; else empty
        bool propertiesMode = false;
        int nativeLanguage = 0;
        int foreignLanguage = 0;
        QString description;
        // None in properties mode: the unit keeps the font it has.
        std::optional<QString> font;
    };
    struct Texts
    {
        QString fileExistsQuestion = QStringLiteral("Overwrite existing file?");
        QString creationFailedMessage; // shown with an error box when nothing could be written
        QString unitExistsMessage = QStringLiteral("Another unit of that name already exists.");
        QString renameFailedMessage = QStringLiteral("Cannot rename file!");
        QString nameTooLongMessage = defaultNameTooLongMessage();
    };
    enum class Outcome {
        Ignored,  // blank name: nothing done, no message
        Declined, // the user did not want an existing unit overwritten
        Failed,   // the creation-failed message was shown; nothing written
        Refused,  // a rename onto another unit; nothing written
        Written,  // the dialog may close
    };

    UnitDialogCommit(MessageService &messages, Texts texts);

    // The trimmed name is handed back through input.name.
    Outcome run(Input &input);
    // The descriptor path that was written by the last successful run.
    QString writtenDescriptor() const { return m_written; }

private:
    QString descriptorPath(const Input &input, const QString &name) const;
    bool renamesOntoAnotherUnit(const Input &input) const;
    bool write(const QString &descriptor, const Input &input);
    Outcome create(const QString &descriptor, const Input &input);

    MessageService &m_messages;
    Texts m_texts;
    QString m_written;
};

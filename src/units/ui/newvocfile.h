#pragma once

#include "vocfile/unitdialogcommit.h"

#include <QDialog>
#include <functional>

class MessageService;
class QLabel;
class QLineEdit;
class QPushButton;
class TLanguageComboBox;

// The dialog in which the user names a new unit and chooses its description, languages and
// special font, and later changes these properties of an existing unit. The caller puts the
// texts and values in before showing it and reads the two language boxes after OK.
class TNewVocFile : public QDialog
{
    Q_OBJECT

public:
    static constexpr int HelpContext = 190;
    static constexpr int MaxFontNameLength = 31;

    TNewVocFile(MessageService &messages, QWidget *parent = nullptr);

    // Values handed in before showing.
    QString Folder;    // ends in "/"
    QString Extension; // without the dot: "lif"
    QString FileExistsQuestion = QStringLiteral("Overwrite existing file?");
    QString CreationFailedMessage = DefaultCreationFailedMessage();
    QString UnitExistsMessage = QStringLiteral("Another unit of that name already exists.");
    QString RenameFailedMessage = QStringLiteral("Cannot rename file!");
    QString NameTooLongMessage = UnitDialogCommit::defaultNameTooLongMessage();
    QString PreviousName;
    // Properties mode: empty keeps the unit's font until the user chooses another.
    QString SpecialFont;
    bool PropertiesMode = false;

    static QString DefaultCreationFailedMessage();

    // Asks for the font; the default is the font dialog. Tests script it.
    void setFontChooser(std::function<std::optional<QString>(const QString &current)> chooser);

    QLabel *Label1 = nullptr;
    QLineEdit *FileNameEdit = nullptr;
    QLabel *Label2 = nullptr;
    QLineEdit *DescriptionEdit = nullptr;
    QLabel *Label3 = nullptr;
    TLanguageComboBox *NativeLanguageComboBox = nullptr;
    QLabel *Label4 = nullptr;
    TLanguageComboBox *ForeignLanguageComboBox = nullptr;
    QLabel *Label5 = nullptr;
    QPushButton *FontBtn = nullptr;
    QPushButton *OKBtn = nullptr;
    QPushButton *CancelBtn = nullptr;
    QPushButton *HelpBtn = nullptr;

    // The descriptor written by the last successful OK.
    QString writtenDescriptor() const { return m_written; }

    void OKBtnClick();
    void FontBtnClick();
    void HelpBtnClick();

signals:
    void helpRequested(int helpContext);

private:
    void buildControls();
    // The font OK writes; none keeps the unit's own.
    std::optional<QString> chosenFont() const;
    QString descriptorPath() const;

    MessageService &m_messages;
    std::function<std::optional<QString>(const QString &)> m_chooseFont;
    QString m_written;
    bool m_fontChosen = false;
};

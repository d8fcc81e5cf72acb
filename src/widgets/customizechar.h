#pragma once

#include <QDialog>
#include <QList>

class MessageService;
class QPushButton;
class QTableWidget;
class TLanguageComboBox;

// The dialog in which the user puts characters of a character map into the seventy slots of
// each language's set. Each language's set is saved when the user turns to another language
// and when he presses OK; Cancel undoes nothing that was saved. The caller gives it the file,
// fills the language list, sets the captions and the language to start with.
class TCustomizeChar : public QDialog
{
    Q_OBJECT

public:
    static constexpr int HelpContext = 300;
    static constexpr int MapColumns = 32;
    static constexpr int MapRows = 7;
    static constexpr int FirstMapCode = 32;

    TCustomizeChar(MessageService *messages, QWidget *parent);

    QString charFileName() const { return m_charFileName; }
    void setCharFileName(const QString &path) { m_charFileName = path; }
    // The message shown before the path when the file cannot be written.
    void setSaveFailedText(const QString &text) { m_saveFailedText = text; }

    // The language being edited; -1 before the first is loaded.
    int language() const { return m_language; }
    // Edits language: the map shows its code page and the bar its set.
    void setLanguage(int language);

    // The set of the language being edited from the file, empty slots included.
    void LoadBar();
    // Writes the set being edited; false (after telling the user) when the file cannot be
    // written, and then everything stays as it is.
    bool SaveBar();
    // The user turned the language box: the set shown so far is saved first.
    void LanguageComboBoxChange();
    // The character of a map cell goes into the selected slot, and the selection moves on.
    void CharMapMouseDown(int row, int column);
    void OKBtnClick();

    // The slots as the bar holds them now, a null character for each empty one.
    QList<QChar> barCharacters() const;

    QTableWidget *CharMap = nullptr;
    QTableWidget *CharBar = nullptr;
    TLanguageComboBox *LanguageComboBox = nullptr;
    QPushButton *OKBtn = nullptr;
    QPushButton *CancelBtn = nullptr;
    QPushButton *HelpBtn = nullptr;

signals:
    void helpRequested(int helpContext);

private:
    void buildControls();
    void fillCharMap();

    MessageService *m_messages;
    QString m_charFileName;
    QString m_saveFailedText;
    int m_language = -1;
};

#pragma once

#include <QDialog>
#include <QStringList>

class MessageService;
class QLabel;
class QLineEdit;
class QPushButton;
class TLanguageComboBox;

// The dialog in which the discard words of every vocabulary language are edited. The words
// of all nineteen languages are kept while the user switches between them; OK writes them
// all, Cancel none. The caller fills the language list, selects the language to start with
// and sets the captions before showing it.
class TConfigureDiscardList : public QDialog
{
    Q_OBJECT

public:
    static constexpr int HelpContext = 330;
    static constexpr int LanguageCount = 19;

    TConfigureDiscardList(MessageService &messages, QWidget *parent = nullptr);

    // The words of a language as they stand now, edits included.
    QString discardString(int language) const { return m_strings.value(language); }

    void FormCreate();
    void FormShow();
    void LanguageComboBox1Change();
    void OKBtnClick();
    void HelpBtnClick();

    TLanguageComboBox *LanguageComboBox1 = nullptr;
    QLineEdit *DiscardString = nullptr;
    QLabel *LanguageLabel = nullptr;
    QLabel *DiscardStringLabel = nullptr;
    QLabel *HelpLabel = nullptr;
    QPushButton *OKBtn = nullptr;
    QPushButton *CancelBtn = nullptr;
    QPushButton *HelpBtn = nullptr;

signals:
    void helpRequested(int helpContext);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildControls();
    void storeEdit();

    MessageService &m_messages;
    QStringList m_strings;
    int m_current = -1;
};

#pragma once

#include "exchange/importchoice.h"
#include "exchange/wordimporter.h"
#include "exchange/wordlistformat.h"
#include "exchange/wordtable.h"

#include "uilang/dialogtexts.h"

#include <QDialog>
#include <QHash>
#include <functional>

class MessageService;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;
class TImageList;
class TLanguageComboBox;

// Shows the first rows of a word list before anything is written, and lets the user confirm
// the separator, say whether the first row names the columns, choose the columns and choose
// whether the words go into the selected unit or into a new one. The caller reads the choice
// after OK and does the import.
class TImportDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr int HelpContext = 360;
    static constexpr int PreviewRows = 10;
    static inline const char *Section = "ImportDlg";

    TImportDialog(MessageService &messages, QWidget *parent = nullptr);

    // Texts from the UI language file (section "ImportDlg", buttons from "general") and the
    // flags of the language pickers; a missing file keeps the English texts.
    void applyLanguageFile(const QString &path, const TImageList *flags);
    // The word list; reads its first rows. Throws ExchangeError for a file that cannot be
    // shown.
    void setFile(const QString &path, WordListFormat format);
    // Where the words may go: the selected unit's descriptor (empty when none) and the folder
    // of a new unit (ending in "/"), with the languages a new CSV unit starts with.
    void setTargets(const QString &selectedUnit, const QString &folder, int nativeLanguage,
                    int foreignLanguage);

    QChar separator() const;
    ImportChoice choice() const;
    // The descriptor the words go into.
    QString targetDescriptor() const;
    const WordTable &preview() const { return m_preview; }

    // Every text of the dialog: key, English default, and whether it is read from "general".
    using TextKey = DialogTexts::Key;
    static QList<TextKey> textKeys();
    QString text(const QString &key) const;

    void OkBtnClick();

    QLabel *FileLabel = nullptr;
    QLabel *EncodingLabel = nullptr;
    QLabel *SeparatorLabel = nullptr;
    QComboBox *SeparatorBox = nullptr;
    QCheckBox *HeaderCheck = nullptr;
    QLabel *NativeColumnLabel = nullptr;
    QComboBox *NativeColumnBox = nullptr;
    QLabel *ForeignColumnLabel = nullptr;
    QComboBox *ForeignColumnBox = nullptr;
    QLabel *TypeColumnLabel = nullptr;
    QComboBox *TypeColumnBox = nullptr;
    QLabel *PreviewLabel = nullptr;
    QTableWidget *PreviewGrid = nullptr;
    QGroupBox *TargetBox = nullptr;
    QRadioButton *AppendRadio = nullptr;
    QRadioButton *NewUnitRadio = nullptr;
    QLineEdit *NewUnitEdit = nullptr;
    QLabel *NativeLanguageLabel = nullptr;
    TLanguageComboBox *NativeLanguageBox = nullptr;
    QLabel *ForeignLanguageLabel = nullptr;
    TLanguageComboBox *ForeignLanguageBox = nullptr;
    QCheckBox *SkipExistingCheck = nullptr;
    QPushButton *OkBtn = nullptr;
    QPushButton *CancelBtn = nullptr;
    QPushButton *HelpBtn = nullptr;

signals:
    void helpRequested(int helpContext);

private:
    void buildControls();
    QLayout *buildTargetBox();
    void applyTexts();
    // How the file's bytes were read, and how many could not be.
    void showEncoding();
    void reread();
    void fillColumns();
    void fillPreview();
    void updateTargets();
    // Counts the list's pairs the selected unit holds already and offers to leave them out.
    void updateExisting();
    QString columnTitle(int column) const;

    MessageService &m_messages;
    DialogTexts m_texts;
    QString m_path;
    WordListFormat m_format = WordListFormat::Csv;
    QString m_text; // the CSV file's text, parsed anew when the separator changes
    QString m_encoding;
    int m_replacedBytes = 0;
    WordTable m_preview;
    WordTable m_whole; // every row, for counting the pairs the unit holds already
    WordImporter::SidePairs m_unitPairs;
    int m_existing = 0;
    QString m_selectedUnit;
    QString m_folder;
};

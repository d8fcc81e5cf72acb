#pragma once

#include "uilang/dialogtexts.h"

#include <QDialog>
#include <QHash>
#include <QPointer>
#include <QStringList>
#include <functional>

class MessageService;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;
class SqliteTable;
class TImageList;

// The test settings dialog: lists the test variants of the program's folder, shows the
// values of one and saves them back when the user moves to another variant or presses OK.
// Variants are created, renamed and deleted here, and the discard list is opened from here.
// The memory model of the unit being tested is fitted to its reviews, or set back, here too.
class TTestParamsDlg : public QDialog
{
    Q_OBJECT

public:
    static constexpr int HelpContext = 320;
    static constexpr int WordTypeCount = 11;

    TTestParamsDlg(MessageService &messages, QWidget *parent = nullptr);

    // Selects every item equal to description in turn, so the last one wins, and shows it.
    void selectByDescription(const QString &description);
    // Selects the variant of that file and shows it; the listed names may be translated, the
    // files are not. With no such file the selection stays.
    void selectByPath(const QString &path);
    // Reads the captions and texts from a UI language file, and the names of the shipped
    // variants in it; a missing file changes nothing.
    void applyLanguageFile(const QString &path);
    // The flags of the discard list dialog's languages and the language it shows first.
    void setDiscardLanguages(const TImageList *smallFlags, int language);
    // The open table of the unit the test page tests, whose weights the fit buttons change
    // through its own connection; without one, or while a record of it is edited, they are
    // disabled.
    void setUnitTable(SqliteTable *table);

    // Shows the small dialogs modally; tests script them.
    std::function<int(QDialog &)> runDialog;

    // Every text of the dialog and of the dialogs it opens: key, English default, and whether
    // it is read from the shared section.
    using TextKey = DialogTexts::Key;
    static QList<TextKey> textKeys();
    // A text as read from the language file, or its English default.
    QString text(const QString &key) const;
    const QStringList &paths() const { return m_paths; }
    int currentIndex() const { return m_current; }
    int discardLanguage() const { return m_discardLanguage; }

    void FormCreate();
    void LoadList();
    void LoadProfile();
    void SaveProfile(int index);
    void TestVariantsChange();
    void OkBtnClick();
    void DeleteBtnClick();
    void NewBtnClick();
    void RenameBtnClick();
    void ConfigureBtnClick();
    void HelpBtnClick();
    void FitBtnClick();
    void ResetWeightsBtnClick();

    QComboBox *TestVariants = nullptr;
    QPushButton *NewBtn = nullptr;
    QPushButton *RenameBtn = nullptr;
    QPushButton *DeleteBtn = nullptr;
    QRadioButton *Standard = nullptr;
    QRadioButton *MultiChoice = nullptr;
    QRadioButton *Comprehension = nullptr;
    QRadioButton *FlashCards = nullptr; // an addition: self-graded cards
    QCheckBox *DiscardNotes = nullptr;
    QCheckBox *MatchCase = nullptr;
    QCheckBox *UseDiscardList = nullptr;
    QCheckBox *IgnoreAccents = nullptr; // an addition: answers may leave accents out
    // An addition: entries without a sound are spoken; shown only where the synthesiser runs.
    QCheckBox *SpeakMissingSounds = nullptr;
    QPushButton *ConfigureBtn = nullptr;
    // An addition: how many never-reviewed entries a test of the due words takes in a day.
    QLabel *NewPerDayLabel = nullptr;
    QSpinBox *NewPerDay = nullptr;
    QLabel *Label1 = nullptr;
    QCheckBox *WordType[WordTypeCount] = {};
    // An addition: the memory model fitted to the unit's reviews, or its defaults put back.
    QPushButton *FitBtn = nullptr;
    QPushButton *ResetWeightsBtn = nullptr;
    QPushButton *OkBtn = nullptr;
    QPushButton *CancelBtn = nullptr;
    QPushButton *HelpBtn = nullptr;

signals:
    void helpRequested(int helpContext);

private:
    void buildControls();
    void connectControls();
    void applyTexts();
    int showModal(QDialog &dialog);
    void afterProfileDialog(const QString &description);
    QString selectedPath() const;
    QString shownDescription(int index) const;
    bool speechOffered() const;
    // Runs a change of the unit's weights; a failure is told with what went wrong.
    void changeWeights(const std::function<QString()> &change);
    QString fitReport();
    QString resetReport();

    MessageService &m_messages;
    QStringList m_paths;
    int m_current = -1;
    DialogTexts m_texts;
    QString m_languageFile;
    const TImageList *m_flags = nullptr;
    int m_discardLanguage = 0;
    QPointer<SqliteTable> m_unitTable;
};

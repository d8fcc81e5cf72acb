#pragma once

#include "widgets/pageservices.h"

#include "repetition/fsrsmodel.h"
#include "voctest/testvariantlist.h"
#include "widgets/chargrid.h"
#include "widgets/soundcursor.h"

#include <QCursor>
#include <QWidget>
#include <functional>

class SettingsList;
class MessageService;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TGauge;
class TImageList;
class TLumoVocTest;
class TTestParamsDlg;

// The "Vocabulary Test" page. It holds no test logic of its own: it hands each answer to the
// test engine, lets it judge and advance, and copies the engine's state back onto its
// controls after every step.
class TestPage : public QWidget
{
    Q_OBJECT

public:
    static constexpr int ChoiceCount = 5;

    explicit TestPage(QWidget *parent = nullptr);

    // The engine the page drives; its order follows the checked order button from now on.
    void attach(TLumoVocTest &engine, MessageService &messages);
    // Entering the page: the engine loads the unit, the page shows its languages and font.
    void enterPage(const OpenUnit &unit);
    // The character bar's texts, then the page shown anew in the engine's language.
    void setLanguageFile(const QString &fileName);

    // What the page needs of the window around it; each has a sensible default.
    std::function<bool()> isActivePage;                     // default: the page is visible
    std::function<void()> openTable;                        // opens the unit's table if it is closed
    std::function<QString(const QString &)> keptText;       // "StartBtn", "NextBtn", "...Hint"
    std::function<QString()> languageFile;                  // the UI language file for the dialogs
    std::function<int(TTestParamsDlg &)> runSettingsDialog; // default: exec()
    const TImageList *smallFlags = nullptr;
    // The first and second language of the unit, for the discard list dialog.
    int firstLanguage = 0;
    int secondLanguage = 0;

    void setSoundCursor(const QCursor &cursor) { m_soundCursor = cursor; }
    // The unit's font for the question, the answer and the choices.
    void setFontName(const QString &name);

    const TestVariantList &variants() const { return m_variants; }
    // Whether a test is under way: the engine runs or Stop can be pressed.
    bool testUnderWay() const;
    // Before anything that would end a running test: asks whether to stop it and stops it
    // on Yes. True when no test is under way any more.
    bool stopTestAsked();
    // The file of the variant selected; empty when none.
    QString selectedVariantFile() const;

    void LoadTestVariants();
    // Selects an index as stored; out of range selects the first, and TestVariantsChange runs.
    void selectTestVariant(int index);
    // The variant chosen, kept with the program's settings.
    void declareSettings(SettingsList &settings);
    void TestVariantsChange();
    void Direction1Click();
    void OrderClick();
    void StartBtnClick();
    void StopBtnClick();
    void QuestionLanguageClick();
    void LumoVocTest1Finished();
    void LumoVocTest1MessageBoxClosed();
    void ConfigureTestBtnClick();
    // A flash card's answer is shown, then the learner grades it.
    void ShowAnswerBtnClick();
    void GradeBtnClick(FsrsModel::Rating grade);
    void RefreshTestPage();
    void InfoPanelResize();
    void MainPanelResize();

    QWidget *Panel1 = nullptr;
    QComboBox *TestVariants = nullptr;
    QPushButton *ConfigureTestBtn = nullptr;
    QPushButton *SpellIt = nullptr;
    QLabel *FileNameLabel = nullptr;
    QLabel *TitleLabel = nullptr;
    QFrame *Panel3 = nullptr;
    QRadioButton *Direction1 = nullptr;
    QRadioButton *Direction2 = nullptr;
    QRadioButton *ForwardOrder = nullptr;
    QRadioButton *BackwardOrder = nullptr;
    QRadioButton *RandomOrder = nullptr;
    QRadioButton *DueOrder = nullptr;
    QFrame *InfoPanel = nullptr;
    QFrame *ProgressPanel = nullptr;
    QFrame *MistakesPanel = nullptr;
    TGauge *ProgressGauge = nullptr;
    TGauge *MistakesGauge = nullptr;
    QLabel *MaxProgress = nullptr;
    QLabel *MaxMistakes = nullptr;
    QLabel *ZeroLabel1 = nullptr;
    QLabel *ZeroLabel2 = nullptr;
    QLabel *ProgressLabel = nullptr;
    QLabel *MistakesLabel = nullptr;
    QLabel *ProgressCount = nullptr;
    QLabel *MistakesCount = nullptr;
    QFrame *MainPanel = nullptr;
    QLabel *QuestionLanguage = nullptr;
    QLabel *QuestionLabel = nullptr;
    QPushButton *ListeningBtn = nullptr;
    QLabel *AnswerLanguage = nullptr;
    QLineEdit *AnswerEdit = nullptr;
    QCheckBox *Choice[ChoiceCount] = {};
    QPushButton *StartBtn = nullptr;
    QPushButton *StopBtn = nullptr;
    // Flash cards: the answer is shown in the answer field's place, then graded by one of four.
    QPushButton *ShowAnswerBtn = nullptr;
    QPushButton *GradeAgain = nullptr;
    QPushButton *GradeHard = nullptr;
    QPushButton *GradeGood = nullptr;
    QPushButton *GradeEasy = nullptr;
    TCharGrid *CharGrid2 = nullptr;

    // Whether the flash card on show has its answer shown.
    bool answerShown() const { return m_answerShown; }

signals:
    // The help topic a dialog of the page asks for.
    void helpRequested(int helpContext);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    // Enter that no control took answers (or starts), unless another push button has the
    // focus: the default button of a page does not work outside a dialog.
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildTopBar();
    void buildMainPanel();
    void buildInfoPanel();
    void buildBottomBar();
    void buildFlashCards();
    void connectControls();
    void connectFlashCards();
    bool flashCards() const;
    bool playsQuestionSound() const;
    QList<QPushButton *> gradeButtons() const;
    void showCardControls();
    void layoutFlashCards(int textLeft, int buttonTop);
    bool spaceOnShownCard(QObject *watched, QEvent *event) const;
    QString text(const QString &key) const;
    bool activePage() const;
    void guarded(const std::function<void()> &work);
    void setIdleControlsEnabled(bool enabled);
    QString handedInAnswer() const;
    void colourChoices();
    void resetChoices();
    void refreshLanguages();
    void relabelVariants();
    void focusAnswer();
    int discardLanguage() const;

    TLumoVocTest *m_engine = nullptr;
    MessageService *m_messages = nullptr;
    TestVariantList m_variants;
    QString m_listedLanguageFile; // the UI language file the variants are named in
    QCursor m_soundCursor = SoundCursor();
    bool m_flashCardVariant = false; // the variant selected is a flash-card test
    bool m_answerShown = false;
};

// What the test page does when the user acts on it: every step hands the work to the engine
// and then copies the engine's state back onto the controls.
#include "platform/errorboundary.h"
#include "platform/messageservice.h"
#include "platform/programfolder.h"
#include "voctest/lumovoctest.h"
#include "voctest/ui/gauge.h"
#include "voctest/ui/testpage.h"
#include "voctest/ui/testparamsdlg.h"
#include "widgets/imagelist.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

namespace {
const QString Standard = QStringLiteral("standard");
const QString MultiChoice = QStringLiteral("multichoice");
const QString Comprehension = QStringLiteral("comprehension");
const QString FlashCards = QStringLiteral("flashcards");

QString englishKept(const QString &key)
{
    if (key == QStringLiteral("StartBtn"))
        return QStringLiteral("&Start");
    if (key == QStringLiteral("NextBtn"))
        return QStringLiteral("&Next");
    if (key == QStringLiteral("MsgNothingDue"))
        return QStringLiteral("No words are due today.");
    if (key == QStringLiteral("MsgAbordTestOnPageChange"))
        return QStringLiteral(
            "If you change the page now, the test will be aborded. Do you want to abord the test?");
    return QString();
}

void setHint(QWidget *widget, const QString &hint)
{
    widget->setToolTip(hint);
    widget->setStatusTip(hint);
}
} // namespace

void TestPage::connectControls()
{
    connect(TestVariants, &QComboBox::currentIndexChanged, this,
            [this] { guarded([this] { TestVariantsChange(); }); });
    for (QRadioButton *direction : {Direction1, Direction2})
        connect(direction, &QRadioButton::clicked, this, [this] { guarded([this] { Direction1Click(); }); });
    for (QRadioButton *order : {ForwardOrder, BackwardOrder, RandomOrder, DueOrder})
        connect(order, &QRadioButton::clicked, this, [this] { guarded([this] { OrderClick(); }); });
    connect(StartBtn, &QPushButton::clicked, this, [this] { guarded([this] { StartBtnClick(); }); });
    connect(StopBtn, &QPushButton::clicked, this, [this] { guarded([this] { StopBtnClick(); }); });
    for (QPushButton *listen : {SpellIt, ListeningBtn})
        connect(listen, &QPushButton::clicked, this,
                [this] { guarded([this] { QuestionLanguageClick(); }); });
    connect(ConfigureTestBtn, &QPushButton::clicked, this,
            [this] { guarded([this] { ConfigureTestBtnClick(); }); });
    connectFlashCards();
}

void TestPage::attach(TLumoVocTest &engine, MessageService &messages)
{
    m_engine = &engine;
    m_messages = &messages;
    connect(&engine, &TLumoVocTest::Finished, this, [this] { guarded([this] { LumoVocTest1Finished(); }); });
    connect(&engine, &TLumoVocTest::MessageBoxClosed, this, &TestPage::LumoVocTest1MessageBoxClosed);
    engine.setSwap(!Direction1->isChecked());
    OrderClick();
}

void TestPage::guarded(const std::function<void()> &work)
{
    if (m_messages)
        Guarded(*m_messages, work);
    else
        work();
}

QString TestPage::text(const QString &key) const
{
    return keptText ? keptText(key) : englishKept(key);
}

bool TestPage::activePage() const
{
    return isActivePage ? isActivePage() : isVisible();
}

bool TestPage::testUnderWay() const
{
    return (m_engine && m_engine->running()) || StopBtn->isEnabled();
}

void TestPage::LoadTestVariants()
{
    const QSignalBlocker quiet(TestVariants);
    TestVariants->clear();
    m_listedLanguageFile = languageFile ? languageFile() : QString();
    m_variants.load(ProgramFolder(), m_listedLanguageFile);
    TestVariants->addItems(m_variants.descriptions());
}

void TestPage::relabelVariants()
{
    // Another UI language names the shipped variants anew; the selection stays.
    const QString file = languageFile ? languageFile() : QString();
    if (file == m_listedLanguageFile)
        return;
    const int selected = TestVariants->currentIndex();
    LoadTestVariants();
    const QSignalBlocker quiet(TestVariants);
    TestVariants->setCurrentIndex(selected < TestVariants->count() ? selected : 0);
}

QString TestPage::selectedVariantFile() const
{
    return m_variants.paths().value(TestVariants->currentIndex());
}

void TestPage::selectTestVariant(int index)
{
    {
        // TestVariantsChange runs once, below, not also for the change of selection.
        const QSignalBlocker quiet(TestVariants);
        TestVariants->setCurrentIndex(index >= 0 && index < TestVariants->count() ? index : 0);
    }
    TestVariantsChange();
}

void TestPage::TestVariantsChange()
{
    if (TestVariants->currentIndex() < 0 && TestVariants->count() > 0) {
        const QSignalBlocker quiet(TestVariants);
        TestVariants->setCurrentIndex(0);
    }
    const int index = TestVariants->currentIndex();
    if (index < 0 || index >= m_variants.count())
        return;
    const QString type = m_variants.testTypes().at(index).toLower();
    // Only a flash-card variant shows the card's buttons, whatever else stays as it is.
    m_flashCardVariant = type == FlashCards;
    if (type == Standard || type == MultiChoice || type == Comprehension || m_flashCardVariant) {
        const bool choices = type == MultiChoice;
        const bool listening = type == Comprehension;
        QuestionLanguage->setVisible(true);
        AnswerLanguage->setVisible(true);
        QuestionLabel->setVisible(!listening);
        // A flash card shows its answer field once the answer is shown.
        AnswerEdit->setVisible(!choices && !m_flashCardVariant);
        CharGrid2->setVisible(!choices && !m_flashCardVariant);
        for (QCheckBox *choice : Choice)
            choice->setVisible(choices);
        ListeningBtn->setVisible(listening);
    }
    m_answerShown = false;
    if (m_engine)
        m_engine->setTestFile(m_variants.paths().at(index));
    RefreshTestPage();
    MainPanelResize();
}

void TestPage::Direction1Click()
{
    if (!m_engine)
        return;
    m_engine->setSwap(!Direction1->isChecked());
    RefreshTestPage();
}

void TestPage::OrderClick()
{
    if (!m_engine)
        return;
    if (ForwardOrder->isChecked())
        m_engine->setOrder(TLumoVocTest::toForward);
    else if (BackwardOrder->isChecked())
        m_engine->setOrder(TLumoVocTest::toBackward);
    else if (DueOrder->isChecked())
        m_engine->setOrder(TLumoVocTest::toDue);
    else
        m_engine->setOrder(TLumoVocTest::toRandom);
    RefreshTestPage();
}

QString TestPage::handedInAnswer() const
{
    if (m_engine->testType() != TestType::MultipleChoice)
        return AnswerEdit->text();
    QString ticked;
    for (const QCheckBox *choice : Choice)
        if (choice->isChecked())
            ticked += choice->text() + u';';
    return ticked;
}

void TestPage::colourChoices()
{
    const QString answer = m_engine->answer();
    for (QCheckBox *choice : Choice) {
        QPalette palette = choice->palette();
        palette.setColor(QPalette::WindowText, answer.contains(choice->text()) ? Qt::darkGreen : Qt::red);
        choice->setPalette(palette);
    }
}

void TestPage::resetChoices()
{
    for (QCheckBox *choice : Choice) {
        choice->setChecked(false);
        choice->setPalette(QPalette());
    }
}

void TestPage::setIdleControlsEnabled(bool enabled)
{
    for (QWidget *idle : std::initializer_list<QWidget *>{TestVariants, Direction1, Direction2, ForwardOrder,
                                                          BackwardOrder, RandomOrder, DueOrder})
        idle->setEnabled(enabled);
    for (QCheckBox *choice : Choice)
        choice->setEnabled(!enabled);
    ShowAnswerBtn->setEnabled(!enabled);
    StopBtn->setEnabled(!enabled);
    const QString key = enabled ? QStringLiteral("StartBtn") : QStringLiteral("NextBtn");
    StartBtn->setText(text(key));
    setHint(StartBtn, text(key + QStringLiteral("Hint")));
}

void TestPage::StartBtnClick()
{
    if (!m_engine)
        return;
    if (openTable)
        openTable();
    if ((m_engine->running() || StopBtn->isEnabled()) && flashCards()) {
        // Next, like Enter, shows the answer and then grades the card as known.
        m_answerShown ? GradeBtnClick(FsrsModel::Rating::Good) : ShowAnswerBtnClick();
    } else if (m_engine->running() || StopBtn->isEnabled()) {
        m_engine->setGiven(handedInAnswer());
        const bool choices = m_engine->testType() == TestType::MultipleChoice;
        if (choices)
            colourChoices();
        m_engine->CheckAnswer();
        m_engine->NextQuestion();
        resetChoices();
        AnswerEdit->clear();
        RefreshTestPage();
        focusAnswer();
    } else if (m_engine->ready()) {
        setIdleControlsEnabled(false);
        if (playsQuestionSound() && activePage())
            m_engine->PlayQuestionSound();
        focusAnswer();
    } else if (m_engine->nothingDue() && m_messages) {
        // Rather than an empty test.
        m_messages->plain(text(QStringLiteral("MsgNothingDue")));
    }
}

void TestPage::StopBtnClick()
{
    if (m_engine)
        m_engine->Finish();
}

void TestPage::QuestionLanguageClick()
{
    if (m_engine && activePage())
        m_engine->PlayQuestionSound();
}

void TestPage::LumoVocTest1Finished()
{
    m_answerShown = false;
    setIdleControlsEnabled(true);
    RefreshTestPage();
}

void TestPage::LumoVocTest1MessageBoxClosed()
{
    focusAnswer();
}

void TestPage::focusAnswer()
{
    // The next answer is typed or ticked at once, wherever the focus was before.
    if (flashCards()) {
        if (m_answerShown)
            GradeGood->setFocus();
        else if (!ShowAnswerBtn->isHidden() && ShowAnswerBtn->isEnabled())
            ShowAnswerBtn->setFocus();
        else
            StartBtn->setFocus(); // the test is over: Enter starts the next one
        return;
    }
    if (AnswerEdit->isVisible())
        AnswerEdit->setFocus();
    else if (Choice[0]->isVisible() && Choice[0]->isEnabled())
        Choice[0]->setFocus();
}

bool TestPage::stopTestAsked()
{
    if (!testUnderWay())
        return true;
    const MessageService::Button answer =
        m_messages->show(MessageService::Kind::Information, text(QStringLiteral("MsgAbordTestOnPageChange")),
                         MessageService::Yes | MessageService::No | MessageService::Cancel);
    if (answer != MessageService::Yes)
        return false;
    m_engine->Finish();
    return true;
}

int TestPage::discardLanguage() const
{
    // The discard words that count are those of the language the answers are typed in.
    const bool listening = m_engine && m_engine->testType() == TestType::Comprehension;
    const bool swapped = m_engine && m_engine->swap();
    return listening != swapped ? firstLanguage : secondLanguage;
}

void TestPage::ConfigureTestBtnClick()
{
    // The dialog rebuilds the queue of the variant it saves: a running test ends first.
    if (!stopTestAsked())
        return;
    const QString shown = selectedVariantFile();
    TTestParamsDlg dialog(*m_messages, this);
    connect(&dialog, &TTestParamsDlg::helpRequested, this, &TestPage::helpRequested);
    dialog.applyLanguageFile(languageFile ? languageFile() : QString());
    dialog.selectByPath(shown);
    dialog.setDiscardLanguages(smallFlags, discardLanguage());
    // The weights are fitted through the engine's own connection: the unit is held exclusively.
    dialog.setUnitTable(m_engine ? m_engine->dataSet() : nullptr);
    const int result = runSettingsDialog ? runSettingsDialog(dialog) : dialog.exec();
    // Cancelled too, the dialog may have saved the variant it left or deleted one: the list
    // and the page's layout are read again, on the variant the page showed.
    const QString chosen =
        result == QDialog::Accepted ? dialog.paths().value(dialog.TestVariants->currentIndex()) : shown;
    LoadTestVariants();
    selectTestVariant(TestVariantList::indexOfFile(m_variants.paths(), chosen));
}

void TestPage::refreshLanguages()
{
    const QString question = m_engine->questionLanguageName();
    const QString answer = m_engine->answerLanguageName();
    const bool listening = m_engine->testType() == TestType::Comprehension;
    QuestionLanguage->setText(question + u':');
    AnswerLanguage->setText((listening ? question : answer) + u':');
    const QString first = m_engine->swap() ? answer : question;
    const QString second = m_engine->swap() ? question : answer;
    const QString dash = QStringLiteral(" - ");
    Direction1->setText(first + dash + (listening ? first : second));
    Direction2->setText(second + dash + (listening ? second : first));
    MainPanelResize();
}

void TestPage::RefreshTestPage()
{
    relabelVariants();
    if (!m_engine)
        return;
    const int words = m_engine->wordCount();
    for (TGauge *gauge : {ProgressGauge, MistakesGauge})
        gauge->setMaxValue(words);
    ProgressGauge->setProgress(m_engine->rightCount());
    MistakesGauge->setProgress(m_engine->mistakeCount());
    MaxProgress->setText(QString::number(words));
    MaxMistakes->setText(QString::number(words));
    ProgressCount->setText(QStringLiteral("(%1)").arg(m_engine->rightCount()));
    MistakesCount->setText(QStringLiteral("(%1)").arg(m_engine->mistakeCount()));
    QuestionLabel->setText(m_engine->question());
    const QStringList options = m_engine->choices();
    for (int i = 0; i < ChoiceCount; ++i) {
        Choice[i]->setText(options.value(i));
        setHint(Choice[i], options.value(i));
    }
    const QString fileName = QFileInfo(m_engine->vocabularyFile()).fileName();
    FileNameLabel->setText(fileName.left(qMax(0, int(fileName.size()) - 4)));
    TitleLabel->setText(m_engine->description());
    refreshLanguages();
    const QCursor cursor = m_engine->questionHasSound() ? m_soundCursor : QCursor();
    QuestionLanguage->setCursor(cursor);
    QuestionLabel->setCursor(cursor);
    showCardControls();
    if (playsQuestionSound() && activePage() && m_engine->running())
        m_engine->PlayQuestionSound();
}

bool TestPage::playsQuestionSound() const
{
    // A listening test is heard; a flash card is heard as well as read when it has a sound.
    const TestType type = m_engine->testType();
    return type == TestType::Comprehension || (type == TestType::FlashCards && m_engine->questionHasSound());
}

// Flash cards on the test page: the question is shown, the learner shows the answer in the
// answer field's place and grades himself with one of four buttons.
#include "voctest/lumovoctest.h"
#include "voctest/ui/testpage.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>

namespace {
constexpr int ButtonWidth = 80;
constexpr int ButtonHeight = 26;
constexpr int ButtonStep = 90; // from one button's left edge to the next, as Start and Stop

QPushButton *cardButton(const char *name, const char *caption, QWidget *parent)
{
    auto *button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(QLatin1String(name));
    // Enter on the focused button presses it, as in a dialog.
    button->setAutoDefault(true);
    button->hide();
    return button;
}
} // namespace

void TestPage::buildFlashCards()
{
    ShowAnswerBtn = cardButton("ShowAnswerBtn", "Sho&w answer", MainPanel);
    ShowAnswerBtn->setEnabled(false);
    GradeAgain = cardButton("GradeAgain", "&Again", MainPanel);
    GradeHard = cardButton("GradeHard", "Ha&rd", MainPanel);
    GradeGood = cardButton("GradeGood", "&Good", MainPanel);
    GradeEasy = cardButton("GradeEasy", "Eas&y", MainPanel);
    int key = Qt::Key_1;
    for (QPushButton *grade : gradeButtons()) {
        grade->installEventFilter(this);
        // The digit keys grade, wherever the focus is on the page; a hidden button takes none.
        auto *shortcut = new QShortcut(QKeySequence(key++), grade);
        shortcut->setAutoRepeat(false);
        connect(shortcut, &QShortcut::activated, grade, &QPushButton::click);
    }
    StartBtn->installEventFilter(this);
}

void TestPage::connectFlashCards()
{
    connect(ShowAnswerBtn, &QPushButton::clicked, this,
            [this] { guarded([this] { ShowAnswerBtnClick(); }); });
    const QList<QPair<QPushButton *, FsrsModel::Rating>> grades = {{GradeAgain, FsrsModel::Rating::Again},
                                                                   {GradeHard, FsrsModel::Rating::Hard},
                                                                   {GradeGood, FsrsModel::Rating::Good},
                                                                   {GradeEasy, FsrsModel::Rating::Easy}};
    for (const auto &[button, grade] : grades)
        connect(button, &QPushButton::clicked, this,
                [this, grade] { guarded([this, grade] { GradeBtnClick(grade); }); });
}

QList<QPushButton *> TestPage::gradeButtons() const
{
    return {GradeAgain, GradeHard, GradeGood, GradeEasy};
}

bool TestPage::flashCards() const
{
    return m_engine && m_engine->testType() == TestType::FlashCards;
}

void TestPage::ShowAnswerBtnClick()
{
    if (!flashCards() || m_answerShown || !testUnderWay())
        return;
    m_answerShown = true;
    showCardControls();
    focusAnswer();
}

void TestPage::GradeBtnClick(FsrsModel::Rating grade)
{
    if (!flashCards() || !m_answerShown || !testUnderWay())
        return;
    if (openTable)
        openTable();
    m_answerShown = false;
    m_engine->GradeCard(grade);
    m_engine->NextQuestion();
    RefreshTestPage();
    focusAnswer();
}

void TestPage::showCardControls()
{
    const bool cards = m_flashCardVariant;
    const bool shown = cards && m_answerShown;
    ShowAnswerBtn->setVisible(cards && !shown);
    for (QPushButton *grade : gradeButtons())
        grade->setVisible(shown);
    // The card's back takes the answer field's place; nothing is typed into it.
    AnswerEdit->setReadOnly(cards);
    if (!cards)
        return;
    AnswerEdit->setVisible(shown);
    AnswerEdit->setText(shown && m_engine ? m_engine->answer() : QString());
    AnswerEdit->setCursorPosition(0);
}

void TestPage::layoutFlashCards(int textLeft, int buttonTop)
{
    const auto needed = [](const QPushButton *button) {
        return button->fontMetrics().horizontalAdvance(QString(button->text()).remove(u'&')) + 24;
    };
    ShowAnswerBtn->setGeometry(textLeft, AnswerEdit->y() - 2,
                               std::max(ButtonWidth + ButtonStep, needed(ShowAnswerBtn)), ButtonHeight);
    // Under Start and Stop, in the same columns while the four fit beside each other in the
    // answer field's width; narrower, as narrow as their captions allow, and where even that is
    // too wide, reaching left under the language names.
    const int room = AnswerEdit->width();
    const int step = std::min(ButtonStep, (room + 10) / 4);
    QList<int> widths;
    int total = -10;
    for (const QPushButton *grade : gradeButtons()) {
        widths.append(std::max(step - 10, needed(grade)));
        total += widths.last() + 10;
    }
    const int right = AnswerEdit->x() + room;
    int left = right - total < textLeft ? std::max(QuestionLanguage->x(), right - total) : textLeft;
    for (int i = 0; i < widths.size(); ++i) {
        gradeButtons().at(i)->setGeometry(left, buttonTop + ButtonHeight + 10, widths.at(i), ButtonHeight);
        left += widths.at(i) + 10;
    }
}

bool TestPage::spaceOnShownCard(QObject *watched, QEvent *event) const
{
    // Once the answer shows, Space grades nothing: a second press of the key that showed it
    // must not pass the card on.
    if (!m_answerShown || (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease))
        return false;
    if (static_cast<QKeyEvent *>(event)->key() != Qt::Key_Space)
        return false;
    return watched == StartBtn || gradeButtons().contains(qobject_cast<QPushButton *>(watched));
}

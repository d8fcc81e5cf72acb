#include "voctest/ui/testpage.h"

#include "platform/ini/settingslist.h"
#include "voctest/lumovoctest.h"
#include "voctest/ui/gauge.h"
#include "widgets/toolbarpanel.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {
// Left edge of the question, the answer and the choices; the language names sit before it.
constexpr int TextLeft = 120;
constexpr int LanguageWidth = 108;

template <typename Widget> Widget *named(Widget *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QPushButton *glyphButton(const char *name, SpeedButton::Glyph glyph, const QString &hint, QWidget *parent)
{
    auto *button = named(new QPushButton(parent), name);
    button->setIcon(SpeedButton::glyphIcon(glyph));
    button->setFixedSize(25, 25);
    button->setToolTip(hint);
    button->setStatusTip(hint);
    button->setAutoDefault(false);
    return button;
}

QLabel *label(const char *name, const QString &caption, QWidget *parent)
{
    return named(new QLabel(caption, parent), name);
}

QFrame *scalePanel(const char *name, QWidget *parent)
{
    auto *panel = named(new QFrame(parent), name);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(1);
    return panel;
}

TGauge *barGauge(const char *name, const QColor &color, QFrame *panel)
{
    auto *gauge = named(new TGauge(panel), name);
    gauge->setKind(TGauge::gkVerticalBar);
    gauge->setShowText(false);
    gauge->setBorderStyle(TGauge::bsNone);
    gauge->setForeColor(color);
    gauge->setBackColor(panel->palette().color(QPalette::Button));
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(gauge);
    return gauge;
}
} // namespace

TestPage::TestPage(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("VocTestPage"));
    buildTopBar();
    FileNameLabel = label("FileNameLabel", QString(), this);
    QFont heading = FileNameLabel->font();
    heading.setBold(true);
    heading.setUnderline(true);
    heading.setPointSize(heading.pointSize() + 2);
    FileNameLabel->setFont(heading);
    FileNameLabel->setAlignment(Qt::AlignCenter);
    TitleLabel = label("TitleLabel", QString(), this);
    TitleLabel->setAlignment(Qt::AlignCenter);
    buildMainPanel();
    buildInfoPanel();
    buildBottomBar();

    auto *centre = new QHBoxLayout;
    centre->setSpacing(2);
    centre->addWidget(MainPanel, 1);
    centre->addWidget(InfoPanel);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(Panel1);
    layout->addWidget(FileNameLabel);
    layout->addWidget(TitleLabel);
    layout->addLayout(centre, 1);
    layout->addWidget(Panel3);
    layout->addWidget(CharGrid2);
    connectControls();
}

void TestPage::buildTopBar()
{
    Panel1 = named(new QWidget(this), "Panel1");
    TestVariants = named(new QComboBox(Panel1), "TestVariants");
    TestVariants->setMinimumWidth(220);
    ConfigureTestBtn = glyphButton("ConfigureTestBtn", SpeedButton::Glyph::Settings,
                                   QStringLiteral("Test settings"), Panel1);
    SpellIt = glyphButton("SpellIt", SpeedButton::Glyph::Speaker, QStringLiteral("Spell question"), Panel1);
    auto *top = new QHBoxLayout(Panel1);
    top->setContentsMargins(4, 4, 4, 0);
    top->addWidget(TestVariants);
    top->addWidget(ConfigureTestBtn);
    top->addWidget(SpellIt);
    top->addStretch(1);
}

void TestPage::buildMainPanel()
{
    MainPanel = named(new QFrame(this), "MainPanel");
    MainPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    MainPanel->setMinimumSize(300, 190);
    MainPanel->installEventFilter(this);
    QuestionLanguage = label("QuestionLanguage", QStringLiteral("Language1:"), MainPanel);
    QuestionLabel = label("QuestionLabel", QString(), MainPanel);
    QuestionLabel->setWordWrap(true);
    QuestionLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont question = QuestionLabel->font();
    question.setBold(true);
    QuestionLabel->setFont(question);
    ListeningBtn = named(new QPushButton(QStringLiteral("Spell it"), MainPanel), "ListeningBtn");
    ListeningBtn->setIcon(SpeedButton::glyphIcon(SpeedButton::Glyph::Speaker));
    ListeningBtn->setAutoDefault(false);
    ListeningBtn->hide();
    AnswerLanguage = label("AnswerLanguage", QStringLiteral("Language2:"), MainPanel);
    AnswerEdit = named(new QLineEdit(MainPanel), "AnswerEdit");
    static const char *const choiceNames[ChoiceCount] = {"Choice1", "Choice2", "Choice3", "Choice4",
                                                         "Choice5"};
    for (int i = 0; i < ChoiceCount; ++i) {
        Choice[i] = named(new QCheckBox(MainPanel), choiceNames[i]);
        Choice[i]->hide();
        Choice[i]->setEnabled(false);
        Choice[i]->installEventFilter(this);
    }
    StartBtn = named(new QPushButton(QStringLiteral("&Start"), MainPanel), "StartBtn");
    StartBtn->setDefault(true);
    StopBtn = named(new QPushButton(QStringLiteral("Stop"), MainPanel), "StopBtn");
    StopBtn->setEnabled(false);
    StopBtn->setAutoDefault(false);
    for (QLabel *language : {QuestionLanguage, AnswerLanguage}) {
        language->setGeometry(8, 0, LanguageWidth, 20);
        language->installEventFilter(this);
    }
    QuestionLabel->installEventFilter(this);
    QuestionLabel->move(TextLeft, 0);
    ListeningBtn->setGeometry(TextLeft, 0, 100, 27);
    AnswerEdit->setGeometry(TextLeft, 0, 200, 22);
    for (QCheckBox *choice : Choice)
        choice->setGeometry(TextLeft, 0, 200, 20);
    StartBtn->setGeometry(TextLeft, 0, 80, 26);
    StopBtn->setGeometry(TextLeft + 90, 0, 80, 26);
    buildFlashCards();
}

void TestPage::buildInfoPanel()
{
    InfoPanel = named(new QFrame(this), "InfoPanel");
    InfoPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    InfoPanel->setFixedWidth(130);
    InfoPanel->installEventFilter(this);
    ProgressPanel = scalePanel("ProgressPanel", InfoPanel);
    MistakesPanel = scalePanel("MistakesPanel", InfoPanel);
    ProgressGauge = barGauge("ProgressGauge", Qt::green, ProgressPanel);
    MistakesGauge = barGauge("MistakesGauge", Qt::red, MistakesPanel);
    ProgressPanel->setGeometry(28, 12, 30, 100);
    MistakesPanel->setGeometry(90, 12, 30, 100);
    MaxProgress = label("MaxProgress", QStringLiteral("0"), InfoPanel);
    MaxMistakes = label("MaxMistakes", QStringLiteral("0"), InfoPanel);
    ZeroLabel1 = label("ZeroLabel1", QStringLiteral("0"), InfoPanel);
    ZeroLabel2 = label("ZeroLabel2", QStringLiteral("0"), InfoPanel);
    for (QLabel *scale : {MaxProgress, ZeroLabel1, MaxMistakes, ZeroLabel2})
        scale->setAlignment(Qt::AlignRight | Qt::AlignTop);
    MaxProgress->setGeometry(0, 12, 25, 16);
    MaxMistakes->setGeometry(62, 12, 25, 16);
    ZeroLabel1->setGeometry(0, 0, 25, 16);
    ZeroLabel2->setGeometry(62, 0, 25, 16);
    ProgressLabel = label("ProgressLabel", QStringLiteral("Progress"), InfoPanel);
    MistakesLabel = label("MistakesLabel", QStringLiteral("Mistakes"), InfoPanel);
    ProgressCount = label("ProgressCount", QStringLiteral("(0)"), InfoPanel);
    MistakesCount = label("MistakesCount", QStringLiteral("(0)"), InfoPanel);
    for (QLabel *below : {ProgressLabel, ProgressCount})
        below->setGeometry(3, 0, 62, 16);
    for (QLabel *below : {MistakesLabel, MistakesCount})
        below->setGeometry(65, 0, 62, 16);
    for (QLabel *below : {ProgressLabel, ProgressCount, MistakesLabel, MistakesCount})
        below->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
}

void TestPage::buildBottomBar()
{
    Panel3 = named(new QFrame(this), "Panel3");
    Panel3->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Direction1 = named(new QRadioButton(QStringLiteral("Language1 - Language2"), Panel3), "Direction1");
    Direction2 = named(new QRadioButton(QStringLiteral("Language2 - Language1"), Panel3), "Direction2");
    ForwardOrder = named(new QRadioButton(QStringLiteral("Forward"), Panel3), "ForwardOrder");
    BackwardOrder = named(new QRadioButton(QStringLiteral("Backward"), Panel3), "BackwardOrder");
    RandomOrder = named(new QRadioButton(QStringLiteral("Random"), Panel3), "RandomOrder");
    DueOrder = named(new QRadioButton(QStringLiteral("&Due words"), Panel3), "DueOrder");
    // Directions and orders are two choices of their own.
    auto *directions = new QButtonGroup(Panel3);
    directions->addButton(Direction1);
    directions->addButton(Direction2);
    auto *orders = new QButtonGroup(Panel3);
    for (QRadioButton *order : {ForwardOrder, BackwardOrder, RandomOrder, DueOrder})
        orders->addButton(order);
    Direction1->setChecked(true);
    RandomOrder->setChecked(true);

    auto *directionColumn = new QVBoxLayout;
    directionColumn->addWidget(Direction1);
    directionColumn->addWidget(Direction2);
    // Two rows like the directions, so that two long language names still fit beside them.
    auto *orderRow = new QGridLayout;
    int place = 0;
    for (QRadioButton *order : {ForwardOrder, BackwardOrder, RandomOrder, DueOrder}) {
        orderRow->addWidget(order, place / 2, place % 2);
        ++place;
    }
    auto *layout = new QHBoxLayout(Panel3);
    layout->setContentsMargins(8, 2, 8, 2);
    layout->addLayout(directionColumn);
    layout->addSpacing(24);
    layout->addLayout(orderRow);
    layout->addStretch(1);
    CharGrid2 = new TCharGrid(QStringLiteral("CharGrid2"), this);
    CharGrid2->setDestination(AnswerEdit);
}

bool TestPage::eventFilter(QObject *watched, QEvent *event)
{
    if (spaceOnShownCard(watched, event))
        return true;
    if (event->type() == QEvent::Resize) {
        if (watched == MainPanel)
            MainPanelResize();
        else if (watched == InfoPanel)
            InfoPanelResize();
    } else if (event->type() == QEvent::MouseButtonRelease &&
               (watched == QuestionLanguage || watched == QuestionLabel)) {
        QuestionLanguageClick();
    }
    return QWidget::eventFilter(watched, event);
}

void TestPage::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const auto *button = qobject_cast<const QPushButton *>(focusWidget());
    if (!enter || (event->modifiers() & ~Qt::KeypadModifier) || (button && button != StartBtn)) {
        QWidget::keyPressEvent(event);
        return;
    }
    StartBtn->click();
}

void TestPage::InfoPanelResize()
{
    const int h = InfoPanel->height();
    for (QLabel *count : {ProgressCount, MistakesCount})
        count->move(count->x(), h - 44);
    for (QLabel *name : {ProgressLabel, MistakesLabel})
        name->move(name->x(), h - 60);
    for (QFrame *panel : {ProgressPanel, MistakesPanel})
        panel->resize(panel->width(), qMax(0, h - panel->y() - 71));
    for (QLabel *zero : {ZeroLabel1, ZeroLabel2})
        zero->move(zero->x(), h - 80);
}

void TestPage::MainPanelResize()
{
    // The language names keep their column width unless a name needs more; the question,
    // answer and buttons move right with it.
    int languageWidth = LanguageWidth;
    for (QLabel *language : {QuestionLanguage, AnswerLanguage})
        languageWidth =
            std::max(languageWidth, language->fontMetrics().horizontalAdvance(language->text()) + 2);
    const int textLeft = TextLeft - LanguageWidth + languageWidth;
    for (QLabel *language : {QuestionLanguage, AnswerLanguage})
        language->resize(languageWidth, language->height());
    for (QWidget *text : std::initializer_list<QWidget *>{QuestionLabel, ListeningBtn, AnswerEdit, StartBtn})
        text->move(textLeft, text->y());
    for (QCheckBox *choice : Choice)
        choice->move(textLeft, choice->y());
    StopBtn->move(textLeft + 90, StopBtn->y());
    const int w = MainPanel->width();
    const int h = MainPanel->height();
    const int width = qMax(40, w - AnswerEdit->x() - 20);
    AnswerEdit->resize(width, AnswerEdit->height());
    const int questionTop = qRound(h * 0.08);
    // The question grows downwards with its lines, up to the answer below it.
    QuestionLabel->setGeometry(QuestionLabel->x(), questionTop, width, 46);
    for (QCheckBox *choice : Choice)
        choice->resize(width, choice->height());
    ListeningBtn->move(ListeningBtn->x(), questionTop - 5);
    QuestionLanguage->move(QuestionLanguage->x(), questionTop);
    AnswerEdit->move(AnswerEdit->x(), questionTop + 50);
    AnswerLanguage->move(AnswerLanguage->x(), AnswerEdit->y());
    for (int i = 0; i < ChoiceCount; ++i)
        Choice[i]->move(Choice[i]->x(), questionTop + 50 + 20 * i);
    const int buttonTop =
        Choice[0]->isVisibleTo(MainPanel) ? Choice[ChoiceCount - 1]->y() + 40 : AnswerEdit->y() + 60;
    StartBtn->move(StartBtn->x(), buttonTop);
    StopBtn->move(StopBtn->x(), buttonTop);
    layoutFlashCards(textLeft, buttonTop);
}

void TestPage::setFontName(const QString &name)
{
    QWidget *const texts[] = {QuestionLabel, AnswerEdit, Choice[0], Choice[1],
                              Choice[2],     Choice[3],  Choice[4]};
    for (QWidget *widget : texts) {
        QFont font = widget->font();
        font.setFamily(name);
        widget->setFont(font);
    }
}

void TestPage::enterPage(const OpenUnit &unit)
{
    m_engine->setVocabularyFile(unit.descriptor);
    m_engine->Reload();
    firstLanguage = unit.nativeLanguage;
    secondLanguage = unit.foreignLanguage;
    setFontName(m_engine->fontName());
    RefreshTestPage();
}

void TestPage::declareSettings(SettingsList &settings)
{
    using namespace SettingOrder;
    settings.addInteger(
        QStringLiteral("TestVariant"), 0, {ReadTestVariant, WriteTestVariant},
        [this] { return TestVariants->currentIndex(); }, [this](int index) { selectTestVariant(index); });
}

void TestPage::setLanguageFile(const QString &fileName)
{
    CharGrid2->setLanguageFile(fileName);
    RefreshTestPage();
}

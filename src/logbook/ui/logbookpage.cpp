#include "logbook/ui/logbookpage.h"

#include "logbook/logbookstore.h"
#include "logbook/ui/forecastgraph.h"
#include "logbook/ui/loggraph.h"
#include "logbook/ui/lumodbloggrid.h"
#include "platform/busyindicator.h"
#include "platform/errorboundary.h"
#include "platform/ini/settingslist.h"
#include "repetition/duewords.h"
#include "repetition/reviewoutlook.h"
#include "uilang/translate.h"
#include "vocfile/lumotable.h"
#include "widgets/obsplitter.h"
#include "widgets/pageservices.h"

#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {
QLabel *namedLabel(const QString &name, const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

constexpr int Margin = 8;

// A fact's label, and its value right of it.
void placeFact(QLabel *label, QLabel *value, const QRect &labelPlace, int valueWidth)
{
    label->setGeometry(labelPlace);
    value->setGeometry(labelPlace.right() + 1 + Margin, labelPlace.top(), std::max(valueWidth, 0),
                       labelPlace.height());
}
constexpr int ButtonHeight = 25;
} // namespace

LogbookPage::LogbookPage(const PageServices &services, QWidget *parent)
    : QWidget(parent), m_services(services)
{
    setObjectName(QStringLiteral("LogBookPage"));
    buildTopPanel();
    LogBookSplitter = new TObSplitter(this, TObSplitter::soHorizontal);
    LogBookSplitter->setObjectName(QStringLiteral("LogBookSplitter"));
    LumoDBLogGrid1 = new TLumoDBLogGrid(this);
    LogBookSplitter->setLeftTopControl(LogbookTopPanel);
    LogBookSplitter->setRightBottomControl(LumoDBLogGrid1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(LogbookTopPanel);
    layout->addWidget(LogBookSplitter);
    layout->addWidget(LumoDBLogGrid1, 1);
    setTopPanelHeight(200);
    services.table.setFilterCondition(LumoTable1FilterRecord());
    LumoDBLogGrid1->setDataSet(&services.table, services.messages);
    connect(ResetLogBtn, &QPushButton::clicked, this, &LogbookPage::ResetLogBtnClick);
    connect(SaveMistakesBtn, &QPushButton::clicked, this, &LogbookPage::SaveMistakesBtnClick);
}

void LogbookPage::buildTopPanel()
{
    LogbookTopPanel = new QWidget(this);
    LogbookTopPanel->setObjectName(QStringLiteral("LogbookTopPanel"));
    FileNameLabel2 = namedLabel(QStringLiteral("FileNameLabel2"), QString(), LogbookTopPanel);
    QFont bold = FileNameLabel2->font();
    bold.setBold(true);
    bold.setUnderline(true);
    FileNameLabel2->setFont(bold);
    FileNameLabel2->setAlignment(Qt::AlignCenter);
    DescriptionLabel2 = namedLabel(QStringLiteral("DescriptionLabel2"), QString(), LogbookTopPanel);
    DescriptionLabel2->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    DescriptionLabel2->setWordWrap(true);
    TestCountLabel =
        namedLabel(QStringLiteral("TestCountLabel"), QStringLiteral("Test count:"), LogbookTopPanel);
    TestCount = namedLabel(QStringLiteral("TestCount"), QString(), LogbookTopPanel);
    LastTestDateLabel =
        namedLabel(QStringLiteral("LastTestDateLabel"), QStringLiteral("Last test:"), LogbookTopPanel);
    LastTestDate = namedLabel(QStringLiteral("LastTestDate"), QString(), LogbookTopPanel);
    DueTodayLabel =
        namedLabel(QStringLiteral("DueTodayLabel"), QStringLiteral("Due today:"), LogbookTopPanel);
    DueToday = namedLabel(QStringLiteral("DueToday"), QString(), LogbookTopPanel);
    DueWeekLabel =
        namedLabel(QStringLiteral("DueWeekLabel"), QStringLiteral("Due in 7 days:"), LogbookTopPanel);
    DueWeek = namedLabel(QStringLiteral("DueWeek"), QString(), LogbookTopPanel);
    ChartTabs = new QTabBar(LogbookTopPanel);
    ChartTabs->setObjectName(QStringLiteral("ChartTabs"));
    ChartTabs->setDrawBase(false);
    ChartTabs->setExpanding(false);
    ChartTabs->addTab(QStringLiteral("Tests"));
    ChartTabs->addTab(QStringLiteral("Forecast"));
    ChartTabs->setAccessibleName(QStringLiteral("Charts"));
    // The toolkit names the scroll buttons of every tab bar alike; the window's texts find
    // its components by their names, so these get names of their own.
    for (QToolButton *scroll : ChartTabs->findChildren<QToolButton *>())
        scroll->setObjectName(QStringLiteral("ChartTabs") + scroll->objectName());
    LogGraph1 = new TLogGraph(LogbookTopPanel);
    LogGraph1->setObjectName(QStringLiteral("LogGraph1"));
    ForecastGraph1 = new TForecastGraph(LogbookTopPanel);
    ForecastGraph1->setObjectName(QStringLiteral("ForecastGraph1"));
    ForecastGraph1->hide();
    connect(ChartTabs, &QTabBar::currentChanged, this, &LogbookPage::showChart);
    ResetLogBtn = new QPushButton(QStringLiteral("&Reset"), LogbookTopPanel);
    ResetLogBtn->setObjectName(QStringLiteral("ResetLogBtn"));
    ResetLogBtn->setToolTip(QStringLiteral("Reset the logbook."));
    SaveMistakesBtn = new QPushButton(QStringLiteral("Save as new unit..."), LogbookTopPanel);
    SaveMistakesBtn->setObjectName(QStringLiteral("SaveMistakesBtn"));
    SaveMistakesBtn->setToolTip(QStringLiteral("Create a new unit with the most complicated words."));
    // Placed by hand: the chart takes what the facts leave, and the buttons keep to the
    // panel's bottom edge whatever its height.
    LogbookTopPanel->installEventFilter(this);
}

bool LogbookPage::eventFilter(QObject *watched, QEvent *event)
{
    // A new caption (another UI language) asks for room as a layout request.
    if (watched == LogbookTopPanel &&
        (event->type() == QEvent::Resize || event->type() == QEvent::LayoutRequest))
        LogbookTopPanelResize();
    return QWidget::eventFilter(watched, event);
}

void LogbookPage::LogbookTopPanelResize()
{
    const int height = LogbookTopPanel->height();
    // The bar's extent, not the panel's height: a short window may give the panel less.
    if (topPanelHeight() < MinTopPanelHeight) {
        setTopPanelHeight(MinTopPanelHeight); // resizes the panel again
        return;
    }
    const int width = LogbookTopPanel->width();
    const int chartWidth = std::max(width - FactsWidth, 0);
    const int tabsHeight = ChartTabs->sizeHint().height();
    ChartTabs->setGeometry(width - chartWidth, 0, chartWidth, tabsHeight);
    LogGraph1->setGeometry(width - chartWidth, tabsHeight, chartWidth, height - tabsHeight);
    ForecastGraph1->setGeometry(LogGraph1->geometry());
    const int top = height - ButtonsFromBottom;
    const int saveWidth = std::max(SaveMistakesBtn->sizeHint().width(), 150);
    const int resetWidth = std::max(ResetLogBtn->sizeHint().width(), 90);
    SaveMistakesBtn->setGeometry(Margin, top, saveWidth, ButtonHeight);
    ResetLogBtn->setGeometry(Margin + saveWidth + Margin, top, resetWidth, ButtonHeight);
    placeFacts();
}

void LogbookPage::placeFacts()
{
    const int inner = FactsWidth - 2 * Margin;
    const int line = FileNameLabel2->sizeHint().height();
    FileNameLabel2->setGeometry(Margin, Margin, inner, line);
    const int descriptionTop = Margin + line + 4;
    const int descriptionHeight = 2 * DescriptionLabel2->fontMetrics().lineSpacing() + 2;
    DescriptionLabel2->setGeometry(Margin, descriptionTop, inner, descriptionHeight);
    const int countTop = descriptionTop + descriptionHeight + 6;
    const int rowHeight = TestCountLabel->sizeHint().height() + 4;
    const int labelWidth =
        std::max(TestCountLabel->sizeHint().width(), LastTestDateLabel->sizeHint().width());
    const int valueLeft = 2 * Margin + labelWidth + Margin;
    // The due counts take the right half of the same two rows, or what the date leaves.
    const int valueNeed = std::max(TestCount->sizeHint().width(), LastTestDate->sizeHint().width());
    const int dueLeft = std::max(FactsWidth / 2, valueLeft + valueNeed + Margin);
    const int dueLabelWidth = std::max(DueTodayLabel->sizeHint().width(), DueWeekLabel->sizeHint().width());
    const int dueValueLeft = dueLeft + dueLabelWidth + Margin;
    const int countRoom = DueToday->fontMetrics().horizontalAdvance(QStringLiteral("9999"));
    if (dueValueLeft + countRoom <= FactsWidth - Margin) {
        const int valueWidth = dueLeft - valueLeft - Margin;
        const int dueValueWidth = FactsWidth - dueValueLeft - Margin;
        placeFact(TestCountLabel, TestCount, {2 * Margin, countTop, labelWidth, rowHeight}, valueWidth);
        placeFact(LastTestDateLabel, LastTestDate, {2 * Margin, countTop + rowHeight, labelWidth, rowHeight},
                  valueWidth);
        placeFact(DueTodayLabel, DueToday, {dueLeft, countTop, dueLabelWidth, rowHeight}, dueValueWidth);
        placeFact(DueWeekLabel, DueWeek, {dueLeft, countTop + rowHeight, dueLabelWidth, rowHeight},
                  dueValueWidth);
        return;
    }
    // Labels too long to stand side by side (in some languages): four rows, one below the other.
    const int allLabels = std::max(labelWidth, dueLabelWidth);
    const int allValues = FactsWidth - (2 * Margin + allLabels + Margin) - Margin;
    QLabel *const rows[][2] = {{TestCountLabel, TestCount},
                               {LastTestDateLabel, LastTestDate},
                               {DueTodayLabel, DueToday},
                               {DueWeekLabel, DueWeek}};
    for (int row = 0; row < 4; ++row)
        placeFact(rows[row][0], rows[row][1], {2 * Margin, countTop + row * rowHeight, allLabels, rowHeight},
                  allValues);
}

int LogbookPage::topPanelHeight() const
{
    return LogBookSplitter->leftTopExtent();
}

void LogbookPage::setTopPanelHeight(int height)
{
    LogBookSplitter->setLeftTopExtent(height);
}

void LogbookPage::declareSettings(SettingsList &settings)
{
    using namespace SettingOrder;
    settings.addInteger(
        QStringLiteral("LogBookSplitterPos"), 200, {ReadLogBookSplitterPos, WriteLogBookSplitterPos},
        [this] { return topPanelHeight(); }, [this](int height) { setTopPanelHeight(height); });
}

QString LogbookPage::LumoTable1FilterRecord()
{
    return LogbookStore::mistakesCondition();
}

void LogbookPage::enterPage()
{
    const QString &unit = m_services.unit.descriptor;
    TLumoDBLogGrid *grid = LumoDBLogGrid1;
    grid->setVocabularyFile(unit);
    // The chart reads its axis texts and the unit's results as it is given them.
    LogGraph1->setLanguageFile(m_services.languageFile());
    LogGraph1->setVocabularyFile(unit);
    FileNameLabel2->setText(grid->title());
    LastTestDate->setText(grid->lastTestDate());
    DescriptionLabel2->setText(grid->description());
    TestCount->setText(QString::number(grid->testCount()));
    showDueCounts();
    showOutlook();
}

void LogbookPage::showDueCounts()
{
    // A unit that cannot tell its reviews shows no counts; the logbook itself is unaffected.
    DueToday->clear();
    DueWeek->clear();
    Guarded(m_services.messages, [this] {
        const ReviewStore::DueCounts due = DueWords::counts(m_services.table, QDateTime::currentDateTime());
        DueToday->setText(QString::number(due.today));
        DueWeek->setText(QString::number(due.nextWeek));
    });
}

void LogbookPage::showOutlook()
{
    // As with the due counts: a unit that cannot tell shows an empty chart.
    ForecastGraph1->setOutlook({});
    Guarded(m_services.messages, [this] {
        ForecastGraph1->setOutlook(ReviewOutlook::of(m_services.table, QDateTime::currentDateTime()));
    });
}

void LogbookPage::showChart(int tab)
{
    LogGraph1->setVisible(tab == 0);
    ForecastGraph1->setVisible(tab == 1);
}

void LogbookPage::ResetLogBtnClick()
{
    Guarded(m_services.messages, [this] {
        const BusyScope busy(m_services.busy);
        LumoDBLogGrid1->ResetLog();
        LogGraph1->setVocabularyFile(m_services.unit.descriptor);
        LastTestDate->setText(LumoDBLogGrid1->lastTestDate());
        TestCount->setText(QString::number(LumoDBLogGrid1->testCount()));
    });
}

void LogbookPage::SaveMistakesBtnClick()
{
    Guarded(m_services.messages, [this] { LumoDBLogGrid1->SaveMistakes(); });
    // A new unit shows in the list at once.
    emit mistakesSaved();
}

void LogbookPage::setLanguageFile(const QString &fileName)
{
    LumoDBLogGrid1->setLanguageFile(fileName);
    LogGraph1->setLanguageFile(fileName);
    ForecastGraph1->setLanguageFile(fileName);
    const auto tr = [&fileName](const char *key, const char *english) {
        return Translate(fileName, QStringLiteral("MainForm"), QLatin1String(key), QLatin1String(english));
    };
    ChartTabs->setTabText(0, tr("ChartTestsTab", "Tests"));
    ChartTabs->setTabText(1, tr("ChartForecastTab", "Forecast"));
    ChartTabs->setAccessibleName(tr("ChartTabsName", "Charts"));
}

// The logbook page in the main window: what entering it shows, its layout rules, its two
// buttons and its two charts, driven as a user would.

#include "app/ui/mainform.h"
#include "app/ui/mainformfixture.h"
#include "app/ui/pagecontrol.h"
#include "logbook/ui/forecastgraph.h"
#include "logbook/ui/logbookpage.h"
#include "logbook/ui/loggraph.h"
#include "logbook/ui/lumodbloggrid.h"
#include "logbook/ui/savemistakesform.h"
#include "platform/ini/inifile.h"
#include "platform/table/sqlitedatabase.h"
#include "repetition/testreviews.h"
#include "support/screenshot.h"
#include "units/ui/lumolistview.h"
#include "units/ui/unitpage.h"
#include "units/unitlistmodel.h"
#include "vocfile/unittestlog.h"
#include "widgets/lumotablemodel.h"

#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QtTest>

namespace {
enum Page { UnitManager = 0, Test = 1, Input = 2, Logbook = 3 };

QStringList shownRows(const TLumoDBLogGrid &grid)
{
    QStringList rows;
    const QAbstractItemModel *model = grid.model();
    for (int row = 0; row < model->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < model->columnCount(); ++column)
            cells.append(model->index(row, column).data().toString());
        rows.append(cells.join(u'/'));
    }
    return rows;
}

QStringList headers(const TLumoDBLogGrid &grid)
{
    QStringList titles;
    for (int column = 0; column < grid.model()->columnCount(); ++column)
        titles.append(grid.model()->headerData(column, Qt::Horizontal).toString());
    return titles;
}

void clickTab(QTabBar *tabs, int index)
{
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
}

QRgb rgb(const QImage &image, int x, int y)
{
    return image.pixel(x, y) & 0xFFFFFF;
}
} // namespace

class TestLogbookPage : public QObject, protected MainFormFixture
{
    Q_OBJECT

private:
    // Unit "verbs" of 12 entries; entries 2, 5 and 9 (Count 3, 6, 10) have mistakes, and the
    // log holds twelve tests.
    QString makeTestedUnit()
    {
        const QString descriptor = makeUnit(QStringLiteral("verbs"), 12);
        TLumoTable table(messages);
        table.setVocabularyFile(units + QStringLiteral("verbs.db"));
        table.open();
        for (const auto &[key, mistakes] : QList<QPair<int, int>>{{3, 2}, {6, 1}, {10, 4}}) {
            table.findKey(key);
            table.edit();
            table.setFieldValue(TLumoTable::Mistakes, mistakes);
            table.post();
        }
        table.close();
        UnitTestLog log(descriptor);
        const QList<int> results{9, 7, 8, 5, 6, 4, 5, 3, 2, 3, 1, 3};
        for (int i = 0; i < results.size(); ++i)
            log.append(results.at(i), QStringLiteral("%1.11.26").arg(i + 10));
        return descriptor;
    }

    // The entries of "verbs" tested by their native side ten days ago, all answered rightly,
    // and three days ago, the first three missed; through the table given, or one of its own.
    void reviewVerbs(TLumoTable *open = nullptr)
    {
        TLumoTable own(messages);
        TLumoTable *table = open ? open : &own;
        if (!open) {
            own.setVocabularyFile(units + QStringLiteral("verbs.db"));
            own.open();
        }
        const QDateTime now = QDateTime::currentDateTime();
        for (const int daysAgo : {10, 3}) {
            TestReviews reviews;
            reviews.setClock([=] { return now.addDays(-daysAgo); });
            reviews.begin(table, 0);
            for (qint64 entry = 1; entry <= 12; ++entry)
                reviews.record(entry, daysAgo == 3 && entry <= 3 ? FsrsModel::Rating::Again
                                                                 : FsrsModel::Rating::Good);
        }
    }

    // The window at its first size, in the language given, on the forecast of "verbs", both
    // reached by their tabs.
    std::unique_ptr<TMainForm> formOnForecast(const QString &languageFile)
    {
        auto form = createForm();
        form->ApplyLanguageFile(folder->copyFromData(languageFile));
        form->show();
        if (!QTest::qWaitForWindowExposed(form.get()))
            return nullptr;
        form->unitPage()->LumoListView1->selectCaption(QStringLiteral("verbs"));
        clickTab(form->PageControl()->tabBar(), Logbook);
        if (form->PageControl()->currentIndex() != Logbook || !page(*form).LogGraph1->isVisible())
            return nullptr;
        clickTab(page(*form).ChartTabs, 1);
        return form;
    }

    std::unique_ptr<TMainForm> formOnLogbook(const QString &unit)
    {
        auto form = createForm();
        form->ApplyLanguageFile(folder->filePath(QStringLiteral("english.llf")));
        form->resize(760, 560);
        form->show();
        form->unitPage()->LumoListView1->selectCaption(unit);
        if (!form->PageControl()->requestPage(Logbook))
            return nullptr;
        return form;
    }

    static LogbookPage &page(TMainForm &form) { return *form.logbookPage(); }
    static TLumoDBLogGrid &grid(TMainForm &form) { return *form.logbookPage()->LumoDBLogGrid1; }

private slots:
    void init() { setUpFixture(); }
    void cleanup() { folder.reset(); }

    void unitWithoutMistakesHasAnEmptyLogbook()
    {
        makeUnit(QStringLiteral("fresh"), 5);
        auto form = formOnLogbook(QStringLiteral("fresh"));
        QVERIFY(form);
        QCOMPARE(grid(*form).model()->rowCount(), 0);
        QCOMPARE(page(*form).TestCount->text(), QStringLiteral("0"));
        QCOMPARE(page(*form).LastTestDate->text(), QString());
        // Never reviewed: nothing ahead, no retention to tell.
        QCOMPARE(page(*form).ForecastGraph1->outlook().duePerDay, QList<int>(ReviewOutlook::Days, 0));
        QCOMPARE(page(*form).ForecastGraph1->retentionText(),
                 QStringLiteral("Retention, last 30 days: \u2013"));
        // The other pages see every entry of the same table.
        QVERIFY(form->PageControl()->requestPage(Input));
        QCOMPARE(form->LumoTable1()->recordCount(), 5);
        QVERIFY(form->PageControl()->requestPage(Test));
        QCOMPARE(form->LumoTable1()->recordCount(), 5);
        QVERIFY(form->PageControl()->requestPage(Logbook));
        QCOMPARE(grid(*form).model()->rowCount(), 0);
        QVERIFY(messages.shown().isEmpty());
    }

    void enteringShowsTheUnitsLogbook()
    {
        const QString descriptor = makeTestedUnit();
        auto form = formOnLogbook(QStringLiteral("verbs"));
        QVERIFY(form);
        QCOMPARE(page(*form).FileNameLabel2->text(), QStringLiteral("verbs"));
        QCOMPARE(page(*form).DescriptionLabel2->text(), QStringLiteral("test words"));
        QCOMPARE(page(*form).TestCount->text(), QStringLiteral("12"));
        QCOMPARE(page(*form).LastTestDate->text(), QStringLiteral("21.11.26"));
        QCOMPARE(page(*form).LogGraph1->vocabularyFile(), descriptor);
        QCOMPARE(page(*form).LogGraph1->languageFile(), folder->filePath(QStringLiteral("english.llf")));
        QCOMPARE(grid(*form).title(), QStringLiteral("verbs"));
        QCOMPARE(headers(grid(*form)), (QStringList{"British English", "German", "Mistakes"}));
        QCOMPARE(shownRows(grid(*form)),
                 (QStringList{"word 2/Wort 2/2", "word 5/Wort 5/1", "word 9/Wort 9/4"}));
        QVERIFY(grid(*form).editTriggers() == QAbstractItemView::NoEditTriggers);
        QVERIFY(!(grid(*form).model()->flags(grid(*form).model()->index(0, 2)) & Qt::ItemIsEditable));
        QCOMPARE(form->PageControl()->tabText(Logbook), QStringLiteral("Review && &Logbook"));
        QVERIFY(messages.shown().isEmpty());
    }

    void columnsAndPanelFollowTheirSize()
    {
        makeTestedUnit();
        auto form = formOnLogbook(QStringLiteral("verbs"));
        QVERIFY(form);
        TLumoDBLogGrid &g = grid(*form);
        for (int width : {700, 431, 120}) {
            g.resize(width, 200);
            QCOMPARE(g.columnWidth(TLumoDBLogGrid::MistakesColumn), 50);
            const int shared = std::max((g.clientWidth() - 65) / 2, 0);
            QCOMPARE(g.columnWidth(TLumoDBLogGrid::NativeColumn), shared);
            QCOMPARE(g.columnWidth(TLumoDBLogGrid::ForeignColumn), shared);
        }
        LogbookPage &p = page(*form);
        p.setTopPanelHeight(220);
        QTRY_COMPARE(p.LogbookTopPanel->height(), 220);
        QCOMPARE(p.LogGraph1->width(), p.LogbookTopPanel->width() - 320);
        QCOMPARE(p.LogGraph1->geometry().right(), p.LogbookTopPanel->width() - 1);
        QCOMPARE(p.SaveMistakesBtn->y(), 220 - 32);
        QCOMPARE(p.ResetLogBtn->y(), 220 - 32);
        // Never lower than 150.
        p.setTopPanelHeight(90);
        QTRY_COMPARE(p.topPanelHeight(), 150);
        QTRY_COMPARE(p.LogbookTopPanel->height(), 150);
        QTRY_COMPARE(p.ResetLogBtn->y(), 150 - 32);
    }

    void resetEmptiesTheLogbookAndKeepsTheUnit()
    {
        const QString descriptor = makeTestedUnit();
        auto form = formOnLogbook(QStringLiteral("verbs"));
        QVERIFY(form);
        page(*form).ResetLogBtn->click();
        QVERIFY(messages.shown().isEmpty());
        QCOMPARE(grid(*form).model()->rowCount(), 0);
        QCOMPARE(page(*form).TestCount->text(), QStringLiteral("0"));
        QCOMPARE(page(*form).LastTestDate->text(), QString());
        QCOMPARE(page(*form).LogGraph1->vocabularyFile(), descriptor);
        QVERIFY(form->LumoTable1()->filtered());
        const UnitDescriptor unit(descriptor);
        QCOMPARE(unit.description(), QStringLiteral("test words"));
        QCOMPARE(unit.firstLanguage(), 2);
        QCOMPARE(unit.secondLanguage(), 6);
        QCOMPARE(unit.font(), QStringLiteral("MS Sans Serif"));
        QVERIFY(UnitTestLog(descriptor).results(99).isEmpty());
        QVERIFY(form->PageControl()->requestPage(Input));
        QCOMPARE(form->LumoTable1()->recordCount(), 12);
    }

    void missingDescriptorKeepsTheTextsAndResetStillClears()
    {
        const QString descriptor = makeTestedUnit();
        auto form = formOnLogbook(QStringLiteral("verbs"));
        QVERIFY(form);
        QVERIFY(form->PageControl()->requestPage(Input));
        QVERIFY(QFile::remove(descriptor));
        QVERIFY(form->PageControl()->requestPage(Logbook));
        QCOMPARE(page(*form).FileNameLabel2->text(), QStringLiteral("verbs"));
        QCOMPARE(page(*form).TestCount->text(), QStringLiteral("12"));
        QCOMPARE(headers(grid(*form)), (QStringList{"British English", "German", "Mistakes"}));
        QCOMPARE(grid(*form).model()->rowCount(), 3);
        page(*form).ResetLogBtn->click();
        QVERIFY(messages.shown().isEmpty());
        QCOMPARE(grid(*form).model()->rowCount(), 0);
        QCOMPARE(page(*form).TestCount->text(), QStringLiteral("0"));
        QVERIFY(!QFile::exists(descriptor));
    }

    void savedMistakesAppearInTheFileList()
    {
        makeTestedUnit();
        auto form = formOnLogbook(QStringLiteral("verbs"));
        QVERIFY(form);
        QString caption;
        bool numberEnabled = true;
        grid(*form).setDialogRunner([&](TSaveMistakesForm &dialog) {
            caption = dialog.windowTitle();
            numberEnabled = dialog.MistakesEdit->isEnabled();
            dialog.FileNameEdit->setText(QStringLiteral("  hard verbs "));
            dialog.SomeEntriesRadioBtn->click();
            dialog.MistakesEdit->setText(QStringLiteral("1"));
            dialog.OKBtn->click();
            return dialog.result();
        });
        page(*form).SaveMistakesBtn->click();
        QCOMPARE(caption, QStringLiteral("Save Mistakes"));
        QVERIFY(!numberEnabled);
        QVERIFY(messages.shown().isEmpty());
        const QString saved = units + QStringLiteral("hard verbs.lif");
        QCOMPARE(UnitDescriptor(saved).description(), QString());
        QCOMPARE(UnitDescriptor(saved).secondLanguage(), 6);
        TLumoListView *list = form->unitPage()->LumoListView1;
        QVERIFY(list->model()->rowOf(QStringLiteral("hard verbs")) >= 0);
        QCOMPARE(list->selectedCaption(), QStringLiteral("verbs"));
        // Only the entries with more than one mistake, on a logbook left as it was.
        TLumoTable copy(messages);
        copy.setVocabularyFile(units + QStringLiteral("hard verbs.db"));
        copy.open();
        QCOMPARE(copy.recordCount(), 2);
        QCOMPARE(grid(*form).model()->rowCount(), 3);
    }

    void forecastShowsTheReviewsAhead()
    {
        makeTestedUnit();
        reviewVerbs();
        auto form = formOnForecast(QStringLiteral("english.llf"));
        QVERIFY(form);
        LogbookPage &p = page(*form);
        QVERIFY(p.ForecastGraph1->isVisible());
        QVERIFY(!p.LogGraph1->isVisible());
        QCOMPARE(p.ForecastGraph1->geometry(), p.LogGraph1->geometry());
        // The three missed are overdue since the day after; the nine others share a later day.
        const QList<int> due = p.ForecastGraph1->outlook().duePerDay;
        QCOMPARE(due.at(0), 3);
        const int later = int(due.indexOf(9));
        QVERIFY(later > 0);
        QCOMPARE(due.count(0), ReviewOutlook::Days - 2);
        QCOMPARE(p.ForecastGraph1->retentionText(), QStringLiteral("Retention, last 30 days: 75%"));
        QCOMPARE(p.ForecastGraph1->targetText(), QStringLiteral("Target: 90%"));

        const QImage image = p.ForecastGraph1->grab().toImage();
        const QRect area = p.ForecastGraph1->barArea();
        const auto column = [&](int day) {
            return area.left() + int(std::lround(day * area.width() / 30.0));
        };
        // Nine reach the top, three a third of the way.
        QCOMPARE(rgb(image, column(later), area.top()), TForecastGraph::BarColour);
        QVERIFY(rgb(image, column(later), area.top() - 1) != TForecastGraph::BarColour);
        const int third = int(std::lround(area.height() / 3.0));
        QCOMPARE(rgb(image, column(0), area.bottom() - third + 1), TForecastGraph::BarColour);
        QVERIFY(rgb(image, column(0), area.bottom() - third) != TForecastGraph::BarColour);
        const QRect gauge = p.ForecastGraph1->gaugeArea();
        const int filled = gauge.left() + int(std::lround(0.75 * gauge.width()));
        QCOMPARE(rgb(image, filled - 1, gauge.center().y()), TForecastGraph::RetainedColour);
        QCOMPARE(rgb(image, filled, gauge.center().y()), TForecastGraph::GaugeColour);

        // Back to the tests' chart; looking changed nothing in the unit.
        clickTab(p.ChartTabs, 0);
        QVERIFY(p.LogGraph1->isVisible());
        QVERIFY(!p.ForecastGraph1->isVisible());
        SqliteStatement states(*form->LumoTable1()->connection(),
                               QStringLiteral("SELECT count(*), sum(reviews) FROM review_state"));
        QVERIFY(states.step());
        QCOMPARE(states.int64(0), 12);
        QCOMPARE(states.int64(1), 24);
        QCOMPARE(shownRows(grid(*form)),
                 (QStringList{"word 2/Wort 2/2", "word 5/Wort 5/1", "word 9/Wort 9/4"}));
        QVERIFY(messages.shown().isEmpty());
    }

    void forecastFollowsReviewsMadeMeanwhile()
    {
        makeTestedUnit();
        auto form = formOnForecast(QStringLiteral("english.llf"));
        QVERIFY(form);
        LogbookPage &p = page(*form);
        QCOMPARE(p.ForecastGraph1->outlook().duePerDay.at(0), 0);
        clickTab(form->PageControl()->tabBar(), Test);
        QCOMPARE(form->PageControl()->currentIndex(), Test);
        reviewVerbs(form->LumoTable1());
        clickTab(form->PageControl()->tabBar(), Logbook);
        QCOMPARE(form->PageControl()->currentIndex(), Logbook);
        // The chart the user chose stays chosen.
        QVERIFY(p.ForecastGraph1->isVisible());
        QCOMPARE(p.ForecastGraph1->outlook().duePerDay.at(0), 3);
        QCOMPARE(p.ForecastGraph1->outlook().retention.reviews, 12);
        QVERIFY(messages.shown().isEmpty());
    }

    void forecastFitsInEachLanguage_data()
    {
        QTest::addColumn<QString>("file");
        for (const char *file : {"english.llf", "deutsch.llf", "ellinika.llf", "turkce.llf"})
            QTest::newRow(file) << QString::fromLatin1(file);
    }

    void forecastFitsInEachLanguage()
    {
        QFETCH(QString, file);
        makeTestedUnit();
        reviewVerbs();
        auto form = formOnForecast(file);
        QVERIFY(form);
        LogbookPage &p = page(*form);
        QVERIFY(p.ForecastGraph1->isVisible());
        // Both tabs whole, without scroll buttons; the chart in the panel's right part.
        QVERIFY(p.ChartTabs->tabRect(1).right() < p.ChartTabs->width());
        QCOMPARE(p.ForecastGraph1->geometry().right(), p.LogbookTopPanel->width() - 1);
        QCOMPARE(p.ForecastGraph1->geometry().bottom(), p.LogbookTopPanel->height() - 1);
        const QFontMetrics metrics(p.ForecastGraph1->chartFont());
        const int room = p.ForecastGraph1->width() - p.ForecastGraph1->textLeft() - 4;
        QVERIFY(metrics.horizontalAdvance(p.ForecastGraph1->retentionText()) <= room);
        QVERIFY(p.ForecastGraph1->barArea().height() >= 40);
        QVERIFY(saveScreenshot(*form, QStringLiteral("logbook-forecast-") + QFileInfo(file).baseName()));
    }

    void screenshotOfThePage()
    {
        makeTestedUnit();
        auto form = formOnLogbook(QStringLiteral("verbs"));
        QVERIFY(form);
        const QImage shot = form->grab().toImage();
        QVERIFY(saveScreenshot(shot, QStringLiteral("logbookpage")));
        // The grid shows its three rows inside the page.
        const QRect gridRect(grid(*form).mapTo(form.get(), QPoint(0, 0)), grid(*form).size());
        QVERIFY(QRect(QPoint(0, 0), shot.size()).contains(gridRect));
        QVERIFY(grid(*form).rowViewportPosition(2) + grid(*form).rowHeight(2) <=
                grid(*form).viewport()->height());
    }
};

QTEST_MAIN(TestLogbookPage)
#include "tst_logbookpage.moc"

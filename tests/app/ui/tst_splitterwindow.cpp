#include "app/ui/mainform.h"
#include "app/ui/pagecontrol.h"
#include "logbook/ui/logbookpage.h"
#include "mainformfixture.h"
#include "units/ui/lumolistview.h"
#include "units/ui/unitpage.h"
#include "widgets/obsplitter.h"

#include <QCoreApplication>
#include <QTabBar>
#include <QTest>

// The bars of the unit manager and the logbook share the main window's space: dragged as far
// as they go, the window keeps its size and can still be made smaller.
class TestSplitterWindow : public QObject, public MainFormFixture
{
    Q_OBJECT

private:
    // Layout requests travel up one parent at a time.
    static void settle()
    {
        for (int pass = 0; pass < 4; ++pass)
            QCoreApplication::processEvents();
    }

    // Grabs the bar and lets it go far beyond the window's edge (negative: before its start).
    static void dragFar(TObSplitter *bar, int distance)
    {
        const bool vertical = bar->orientation() == TObSplitter::soVertical;
        const QPoint grab(2, 2);
        const QPoint to = grab + (vertical ? QPoint(distance, 0) : QPoint(0, distance));
        QTest::mousePress(bar, Qt::LeftButton, {}, grab);
        QTest::mouseMove(bar, to);
        QTest::mouseRelease(bar, Qt::LeftButton, {}, to);
        settle();
    }

private slots:
    void init() { setUpFixture(); }
    void cleanup() { folder.reset(); }

    void barsKeepTheWindowsSize_data()
    {
        QTest::addColumn<int>("tab");
        QTest::newRow("unit manager") << 0;
        QTest::newRow("logbook") << 3;
    }

    void barsKeepTheWindowsSize()
    {
        QFETCH(int, tab);
        makeUnit(QStringLiteral("unit"), 3);
        const auto form = createForm();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        form->unitPage()->LumoListView1->selectCaption(QStringLiteral("unit"));
        QTabBar *tabs = form->PageControl()->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(tab).center());
        QCOMPARE(form->PageControl()->currentIndex(), tab);
        settle();
        TObSplitter *bar = tab == 0 ? form->unitPage()->ObSplitter1 : form->logbookPage()->LogBookSplitter;
        const QSize size = form->size();
        const QSize smallest = form->minimumSizeHint();
        const int reach = 3 * std::max(size.width(), size.height());
        dragFar(bar, reach);
        QCOMPARE(form->size(), size);
        QCOMPARE(form->minimumSizeHint(), smallest);
        // The bar stays inside the window, and goes back as far as it went.
        QVERIFY(bar->isVisible() && form->rect().contains(bar->mapTo(form.get(), QPoint(0, 0))));
        dragFar(bar, -reach);
        QCOMPARE(form->size(), size);
        QCOMPARE(form->minimumSizeHint(), smallest);
    }
};

QTEST_MAIN(TestSplitterWindow)
#include "tst_splitterwindow.moc"

#include "widgets/obsplitter.h"

#include <QHBoxLayout>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>

namespace {
// A window like the unit manager's: a pane on the left, the bar, a pane filling the rest.
struct Panes
{
    QWidget window;
    QWidget *left = new QWidget(&window);
    TObSplitter *bar = new TObSplitter(&window, TObSplitter::soVertical);
    QWidget *right = new QWidget(&window);

    explicit Panes(QWidget *before = nullptr)
    {
        auto *row = new QHBoxLayout(&window);
        row->setContentsMargins(0, 0, 0, 0);
        row->setSpacing(0);
        if (before)
            row->addWidget(before);
        row->addWidget(left);
        row->addWidget(bar);
        row->addWidget(right, 1);
        bar->setLeftTopControl(left);
        bar->setRightBottomControl(right);
        bar->setLeftTopExtent(200);
        window.resize(600, 300);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }

    // Grabs the bar at x = 2 inside it and lets go at x inside the window.
    void drag(int toX)
    {
        const QPoint grab(2, 10);
        QTest::mousePress(bar, Qt::LeftButton, {}, grab);
        QTest::mouseMove(bar, QPoint(toX - bar->x() + 2, 10));
        QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(toX - bar->x() + 2, 10));
    }
};
} // namespace

class TestObSplitter : public QObject
{
    Q_OBJECT

private slots:
    void positionsAreClamped()
    {
        QCOMPARE(TObSplitter::ClampedPosition(-50, 0, 600, 4, false), 0);
        QCOMPARE(TObSplitter::ClampedPosition(300, 0, 600, 4, false), 300);
        QCOMPARE(TObSplitter::ClampedPosition(900, 0, 600, 4, false), 596);
        QCOMPARE(TObSplitter::ClampedPosition(900, 0, 600, 4, true), 595);
        QCOMPARE(TObSplitter::ClampedPosition(10, 40, 600, 4, true), 40);
    }

    void barIsThinAndPointsTheWay()
    {
        TObSplitter vertical(nullptr, TObSplitter::soVertical);
        QCOMPARE(vertical.width(), 4);
        QCOMPARE(vertical.cursor().shape(), Qt::SplitHCursor);
        TObSplitter horizontal(nullptr, TObSplitter::soHorizontal);
        QCOMPARE(horizontal.height(), 4);
        QCOMPARE(horizontal.cursor().shape(), Qt::SplitVCursor);
    }

    void releaseResizesTheFirstPane()
    {
        Panes panes;
        QSignalSpy begin(panes.bar, &TObSplitter::BeginSplit);
        QSignalSpy end(panes.bar, &TObSplitter::EndSplit);
        panes.drag(320);
        QCOMPARE(panes.bar->leftTopExtent(), 320);
        QCOMPARE(begin.size(), 1);
        QCOMPARE(end.size(), 1);
        QVERIFY(!panes.bar->dragging());
        QTRY_COMPARE(panes.left->width(), 320);
        QTRY_COMPARE(panes.right->x(), 324);
    }

    void releasingWithoutMovingKeepsThePanes()
    {
        Panes panes;
        QTest::mousePress(panes.bar, Qt::LeftButton, {}, QPoint(1, 10));
        QTest::mouseRelease(panes.bar, Qt::LeftButton, {}, QPoint(1, 10));
        QCOMPARE(panes.bar->leftTopExtent(), 200);
    }

    void draggingPastTheEdgesStopsAtTheLimits()
    {
        Panes panes;
        panes.drag(-300);
        QCOMPARE(panes.bar->leftTopExtent(), 0);
        QTRY_COMPARE(panes.left->width(), 0);
        panes.drag(5000);
        // One pixel less than the band could show: the bar stays inside the window.
        QCOMPARE(panes.bar->leftTopExtent(), 600 - 4 - 1);
    }

    void somethingBeforeThePanesLimitsTheFreeArea()
    {
        auto *before = new QWidget;
        before->setFixedWidth(50);
        Panes panes(before);
        QCOMPARE(panes.bar->freeArea().left(), 50);
        panes.drag(10);
        QCOMPARE(panes.bar->leftTopExtent(), 0);
        QTRY_COMPARE(panes.left->x(), 50);
    }

    void withoutBothPanesNothingIsDragged()
    {
        Panes panes;
        delete panes.right;
        panes.right = nullptr;
        QCOMPARE(panes.bar->rightBottomControl(), nullptr);
        QTest::mousePress(panes.bar, Qt::LeftButton, {}, QPoint(1, 10));
        QVERIFY(!panes.bar->dragging());
        // Setting the pane already set, or the bar itself, changes nothing.
        panes.bar->setRightBottomControl(panes.left);
        QCOMPARE(panes.bar->rightBottomControl(), nullptr);
        panes.bar->setRightBottomControl(panes.bar);
        QCOMPARE(panes.bar->rightBottomControl(), nullptr);
    }

    void horizontalBarSetsTheUpperHeight()
    {
        QWidget window;
        auto *top = new QWidget(&window);
        auto *bar = new TObSplitter(&window, TObSplitter::soHorizontal);
        auto *bottom = new QWidget(&window);
        auto *column = new QVBoxLayout(&window);
        column->setContentsMargins(0, 0, 0, 0);
        column->setSpacing(0);
        column->addWidget(top);
        column->addWidget(bar);
        column->addWidget(bottom, 1);
        bar->setLeftTopControl(top);
        bar->setRightBottomControl(bottom);
        bar->setLeftTopExtent(100);
        window.resize(400, 400);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(10, 1));
        QTest::mouseMove(bar, QPoint(10, 51));
        QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(10, 51));
        QCOMPARE(bar->leftTopExtent(), 150);
        QTRY_COMPARE(top->height(), 150);
    }
};

QTEST_MAIN(TestObSplitter)
#include "tst_obsplitter.moc"

#include "app/ui/mainform.h"
#include "app/ui/pagecontrol.h"
#include "input/ui/inputpage.h"
#include "input/ui/lumodbgrid.h"
#include "input/ui/lumodbgridinplaceedit.h"
#include "mainformfixture.h"
#include "units/ui/lumolistview.h"
#include "units/ui/unitpage.h"
#include "vocfile/lumotable.h"
#include "widgets/lumotablemodel.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QHeaderView>
#include <QListWidget>
#include <QTabBar>
#include <QTest>

// The input page's grid in the main window: the unit's font in its cells and the word-type
// list, driven with the keys and the mouse a user has.
class TestInputGridWindow : public QObject, public MainFormFixture
{
    Q_OBJECT

private:
    static constexpr int UnitManagerTab = 0;
    static constexpr int InputTab = 2;

    std::unique_ptr<TMainForm> form;

    TLumoDBGrid *grid() const { return form->inputPage()->LumoDBGrid1; }

    void clickTab(int index)
    {
        QTabBar *tabs = form->PageControl()->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
        QCOMPARE(form->PageControl()->currentIndex(), index);
    }

    // The unit picked in the file list, the input page entered by its tab.
    void openOnInputPage(const QString &unit)
    {
        if (form->PageControl()->currentIndex() != UnitManagerTab)
            clickTab(UnitManagerTab);
        form->unitPage()->LumoListView1->selectCaption(unit);
        clickTab(InputTab);
    }

    void showWindow()
    {
        form = createForm();
        form->show();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }

    // A click on the type cell of the first row: its editor has the keyboard focus.
    TLumoDBGridInplaceEdit *typeEditor()
    {
        const QModelIndex cell = grid()->model()->index(0, LumoTableModel::TypeColumn);
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, grid()->visualRect(cell).center());
        const bool open = QTest::qWaitFor(
            [&] {
                return grid()->activeEditor() && QApplication::focusWidget() == grid()->activeEditor() &&
                       grid()->currentIndex().column() == LumoTableModel::TypeColumn;
            },
            2000);
        return open ? grid()->activeEditor() : nullptr;
    }

    QVariant storedType(int row) const { return form->LumoTable1()->valueAt(row, TLumoTable::Type); }

    void leaveTheRow()
    {
        // The keys of a user come one by one, with the window's pending work done in between.
        QCoreApplication::processEvents();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QTRY_COMPARE(form->LumoTable1()->state(), SqliteTable::State::Browse);
    }

private slots:
    void init()
    {
        setUpFixture();
        makeUnit(QStringLiteral("unit"), 3); // every entry a noun
    }

    void cleanup()
    {
        form.reset();
        folder.reset();
    }

    // The list opens on the cell's type: Down moves on to the next type.
    void keysMoveOnFromTheCellsType()
    {
        showWindow();
        openOnInputPage(QStringLiteral("unit"));
        TLumoDBGridInplaceEdit *editor = typeEditor();
        QVERIFY(editor);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down, Qt::AltModifier);
        QVERIFY(editor->listVisible());
        QCOMPARE(editor->pickList()->currentRow(), 1);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(!editor->listVisible());
        leaveTheRow();
        QCOMPARE(storedType(0), QVariant(2)); // "verb"
        QCOMPARE(storedType(1), QVariant(1));
        QCOMPARE(form->LumoTable1()->valueAt(0, TLumoTable::NativeLanguage),
                 QVariant(QStringLiteral("word 0")));
    }

    // Pressed on the button, the mouse drags the selection through the list and releasing
    // over an entry stores it; released outside the list, nothing is stored.
    void mouseDragsThroughTheList_data()
    {
        QTest::addColumn<QList<int>>("path"); // rows the mouse passes; the last is where it lets go
        QTest::addColumn<bool>("releasedOnTheList");
        QTest::addColumn<int>("stored");
        QTest::newRow("down to adverb") << QList<int>{2, 3, 4} << true << 4;
        QTest::newRow("back up to none") << QList<int>{3, 1, 0} << true << 0;
        QTest::newRow("released outside") << QList<int>{2, 3} << false << 1;
    }

    void mouseDragsThroughTheList()
    {
        QFETCH(QList<int>, path);
        QFETCH(bool, releasedOnTheList);
        QFETCH(int, stored);
        showWindow();
        openOnInputPage(QStringLiteral("unit"));
        TLumoDBGridInplaceEdit *editor = typeEditor();
        QVERIFY(editor);
        const QPoint button(editor->width() - editor->buttonWidth() / 2, editor->height() / 2);
        QTest::mousePress(editor, Qt::LeftButton, {}, button);
        QVERIFY(editor->listVisible());
        QListWidget *list = editor->pickList();
        QWidget *area = list->viewport();
        for (const int row : path) {
            QTest::mouseMove(area, list->visualItemRect(list->item(row)).center());
            QCOMPARE(list->currentRow(), row);
        }
        const QPoint last = list->visualItemRect(list->item(path.last())).center();
        QTest::mouseRelease(area, Qt::LeftButton, {}, releasedOnTheList ? last : QPoint(-20, last.y()));
        QVERIFY(!editor->listVisible());
        leaveTheRow();
        QCOMPARE(storedType(0), QVariant(stored));
    }

    // A unit whose font this system lacks shows the default font, not the font of the unit
    // opened before; the column titles keep their own font throughout.
    void missingFontFallsBackToTheDefault()
    {
        const QString installed = QStringLiteral("DejaVu Serif");
        if (!QFontDatabase::hasFamily(installed))
            QSKIP("DejaVu Serif is not installed");
        UnitDescriptor(units + QStringLiteral("serif.lif"))
            .write(2, 6, QStringLiteral("serif words"), installed);
        UnitDescriptor(units + QStringLiteral("other.lif"))
            .write(2, 6, QStringLiteral("other words"), QStringLiteral("No Such Font 97"));
        showWindow();
        const QFont standard = QApplication::font(grid());
        const QString titles = grid()->horizontalHeader()->font().family();
        openOnInputPage(QStringLiteral("serif"));
        QCOMPARE(grid()->font().family(), installed);
        QCOMPARE(grid()->horizontalHeader()->font().family(), titles);
        QCOMPARE(grid()->horizontalHeader()->font().pixelSize(), 11);
        openOnInputPage(QStringLiteral("other"));
        QCOMPARE(grid()->font().family(), standard.family());
        QCOMPARE(grid()->horizontalHeader()->font().family(), titles);
    }
};

QTEST_MAIN(TestInputGridWindow)
#include "tst_inputgridwindow.moc"

#include "app/ui/mainform.h"
#include "app/ui/mainformfixture.h"
#include "app/ui/mainmenubar.h"
#include "app/ui/pagecontrol.h"
#include "input/ui/inputpage.h"
#include "support/scriptedhelpservice.h"
#include "units/ui/lumolistview.h"
#include "units/ui/unitpage.h"
#include "units/unitlistmodel.h"
#include "voctest/ui/testpage.h"
#include "widgets/chargrid.h"
#include "widgets/speedbutton.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QtTest>

namespace {
enum Page { UnitManager = 0, Test = 1, Input = 2, Logbook = 3 };
enum Entry { TabClick, Mnemonic, ControlTab, DoubleClick };
constexpr int Greek = 11;
} // namespace
Q_DECLARE_METATYPE(Entry)

// However a page is entered (its tab, its mnemonic, Ctrl+Tab or a double-click on a unit), the
// same preparation runs; and F1 asks for the help topic of what is shown.
class TestPageEntry : public QObject, protected MainFormFixture
{
    Q_OBJECT

private:
    std::unique_ptr<TMainForm> shownForm()
    {
        auto form = createForm();
        form->show();
        form->activateWindow();
        if (!QTest::qWaitForWindowExposed(form.get()))
            return nullptr;
        return form;
    }

    // A click on the unit's icon, as the user chooses it.
    static QRect unitRect(TMainForm &form, const QString &caption)
    {
        TLumoListView *list = form.unitPage()->LumoListView1;
        QAbstractItemView *view = list->currentView();
        for (int row = 0; row < list->model()->rowCount(); ++row) {
            const QModelIndex index = list->model()->index(row, 0);
            if (index.data().toString() == caption)
                return view->visualRect(index);
        }
        return {};
    }

    static void clickUnit(TMainForm &form, const QString &caption)
    {
        QAbstractItemView *view = form.unitPage()->LumoListView1->currentView();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, unitRect(form, caption).center());
    }

    static void enter(TMainForm &form, Entry entry, const QString &caption)
    {
        QTabBar *tabs = form.PageControl()->tabBar();
        QAbstractItemView *view = form.unitPage()->LumoListView1->currentView();
        switch (entry) {
        case TabClick: QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(Input).center()); break;
        case Mnemonic:
            // "Vocabulary &Input"
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_I, Qt::AltModifier);
            break;
        case ControlTab:
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
            break;
        case DoubleClick:
            QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, unitRect(form, caption).center());
            break;
        }
    }

private slots:
    void init() { setUpFixture(); }
    void cleanup() { folder.reset(); }

    void everyWayIntoTheInputPagePreparesIt_data()
    {
        QTest::addColumn<Entry>("entry");
        QTest::newRow("tab") << TabClick;
        QTest::newRow("mnemonic") << Mnemonic;
        QTest::newRow("ctrl+tab") << ControlTab;
        QTest::newRow("double-click") << DoubleClick;
    }

    void everyWayIntoTheInputPagePreparesIt()
    {
        QFETCH(Entry, entry);
        makeUnit(QStringLiteral("latin"), 3, 2, 6);
        makeUnit(QStringLiteral("greek"), 3, 2, Greek);
        auto form = shownForm();
        QVERIFY(form);
        TCharGrid *bar = form->inputPage()->CharGrid1;
        // A first visit with another language, so that a bar left as it was shows.
        clickUnit(*form, QStringLiteral("latin"));
        QVERIFY(form->PageControl()->requestPage(Input));
        QCOMPARE(bar->language(), 6);
        QVERIFY(form->PageControl()->requestPage(UnitManager));

        clickUnit(*form, QStringLiteral("greek"));
        form->unitPage()->LumoListView1->currentView()->setFocus();
        enter(*form, entry, QStringLiteral("greek"));
        QCOMPARE(form->PageControl()->currentIndex(), int(Input));
        QCOMPARE(form->CurrentUnitFile(), units + QStringLiteral("greek.lif"));
        QCOMPARE(bar->language(), Greek);
        QCOMPARE(form->PageControl()->helpContext(), 340);
        const MainMenuActions &menu = form->MainMenu()->actions();
        QVERIFY(!menu.FileImportItem->isEnabled());
        QVERIFY(!menu.FileExportItem->isEnabled());
        QVERIFY(menu.SearchFindItem->isEnabled());
        QVERIFY(form->MainMenu()->topLevel(MainMenuBar::EditMenu)->menuAction()->isVisible());
        QVERIFY(!form->MainMenu()->topLevel(MainMenuBar::ViewMenu)->menuAction()->isVisible());
        // The speech button follows the unit just opened, not the one before.
        SpeedButton *speak = form->inputPage()->SpeakWordBtn;
        const bool speakEnabled = speak->isEnabled();
        QVERIFY(form->PageControl()->requestPage(Test));
        QCOMPARE(form->testPage()->CharGrid2->language(), Greek);
        QVERIFY(form->PageControl()->requestPage(Input));
        QCOMPARE(speak->isEnabled(), speakEnabled);
        QVERIFY(messages.shown().isEmpty());
    }

    void f1OpensThePagesTopic()
    {
        makeUnit(QStringLiteral("unit"), 3);
        auto form = shownForm();
        QVERIFY(form);
        clickUnit(*form, QStringLiteral("unit"));
        QTabBar *tabs = form->PageControl()->tabBar();
        for (const auto &[page, topic] : {std::pair{UnitManager, 170}, std::pair{Test, 275},
                                          std::pair{Input, 340}, std::pair{Logbook, 380}}) {
            QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(page).center());
            QCOMPARE(form->PageControl()->currentIndex(), int(page));
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : form.get(),
                            Qt::Key_F1);
            QCOMPARE(help.topics().value(help.topics().size() - 1), topic);
        }
        QCOMPARE(help.topics().size(), 4);
    }

    // "Vocabulary &Test" and the "&Test" menu share a letter: on the test page it opens the
    // menu every time.
    void theShownPagesLetterOpensTheMenuThatSharesIt()
    {
        makeUnit(QStringLiteral("unit"), 3);
        auto form = shownForm();
        QVERIFY(form);
        clickUnit(*form, QStringLiteral("unit"));
        QTabBar *tabs = form->PageControl()->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(Test).center());
        QCOMPARE(form->PageControl()->currentIndex(), int(Test));
        QMenu *testMenu = form->MainMenu()->topLevel(MainMenuBar::TestMenu);
        for (int press = 0; press < 2; ++press) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_T, Qt::AltModifier);
            QTRY_COMPARE(QApplication::activePopupWidget(), testMenu);
            QTest::keyClick(testMenu, Qt::Key_Escape);
            QTRY_VERIFY(!QApplication::activePopupWidget());
            form->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(form.get()));
        }
        QCOMPARE(form->PageControl()->currentIndex(), int(Test));
    }

    void f1InADialogOpensItsTopic()
    {
        makeUnit(QStringLiteral("unit"), 3);
        auto form = shownForm();
        QVERIFY(form);
        clickUnit(*form, QStringLiteral("unit"));
        // The unit's properties dialog, opened from the File menu as a user does.
        bool pressed = false;
        QTimer::singleShot(0, form.get(), [&] {
            QWidget *dialog = QApplication::activeModalWidget();
            if (!dialog)
                return;
            QApplication::setActiveWindow(dialog);
            QTest::keyClick(dialog->focusWidget() ? dialog->focusWidget() : dialog, Qt::Key_F1);
            pressed = true;
            qobject_cast<QDialog *>(dialog)->reject();
        });
        form->MainMenu()->actions().FilePropertiesItem->trigger();
        QVERIFY(pressed);
        QCOMPARE(help.topics(), QList<int>({190}));
    }
};

QTEST_MAIN(TestPageEntry)
#include "tst_pageentry.moc"

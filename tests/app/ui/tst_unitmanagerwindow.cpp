#include "app/ui/mainform.h"
#include "app/ui/mainformfixture.h"
#include "app/ui/mainmenubar.h"
#include "app/ui/pagecontrol.h"
#include "logbook/ui/logbookpage.h"
#include "logbook/ui/lumodbloggrid.h"
#include "logbook/ui/savemistakesform.h"
#include "uilang/ui/languagedlg.h"
#include "units/ui/lumolistview.h"
#include "units/ui/lumotreeview.h"
#include "units/ui/unitpage.h"
#include "units/unitlistmodel.h"
#include "vocfile/lumotable.h"
#include "vocfile/unitdescriptor.h"
#include "widgets/speedbutton.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QtTest>

namespace {
enum Page { UnitManager = 0, Test = 1, Input = 2, Logbook = 3 };

const QString NoUnitText = QStringLiteral("No file selected. Please select or create a file on the "
                                          "\"Unit Manager\"-page first.");

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}
} // namespace

// The unit manager page of the real main window, driven with the mouse as a user does.
class TestUnitManagerWindow : public QObject, protected MainFormFixture
{
    Q_OBJECT

private:
    static TLumoListView *list(TMainForm &form) { return form.unitPage()->LumoListView1; }

    std::unique_ptr<TMainForm> shownForm()
    {
        auto form = createForm();
        form->resize(760, 560);
        form->show();
        if (!QTest::qWaitForWindowExposed(form.get()))
            return nullptr;
        return form;
    }

    // Where the list's view shows a unit, in the viewport's coordinates.
    static QPoint itemPoint(TMainForm &form, const QString &caption)
    {
        TLumoListView *files = list(form);
        return files->currentView()
            ->visualRect(files->model()->index(files->model()->rowOf(caption), 0))
            .center();
    }

    // A point of the list's view where no unit is.
    static QPoint emptyPoint(TMainForm &form)
    {
        QWidget *viewport = list(form)->currentView()->viewport();
        return QPoint(viewport->width() - 8, viewport->height() - 8);
    }

    static void clickTab(TMainForm &form, int page)
    {
        QTabBar *tabs = form.PageControl()->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(page).center());
    }

    // A press of the right button through the window, as the platform delivers it: the
    // press, then the request for the popup menu; the popup takes the release.
    static void rightClick(TMainForm &form, QPoint at)
    {
        QWidget *viewport = list(form)->currentView()->viewport();
        QTest::mousePress(form.windowHandle(), Qt::RightButton, {}, viewport->mapTo(&form, at));
        QWidget *popup = QApplication::activePopupWidget();
        QVERIFY(popup);
        popup->close();
        QTest::mouseRelease(form.windowHandle(), Qt::RightButton, {}, viewport->mapTo(&form, at));
    }

    void makeTable(const QString &path, int count)
    {
        TLumoTable table(messages);
        table.setVocabularyFile(path);
        table.open();
        for (int i = 0; i < count; ++i)
            table.appendRecord(
                {QVariant(), QStringLiteral("loud %1").arg(i), QStringLiteral("laut %1").arg(i), 1});
        table.close();
    }

private slots:
    void init() { setUpFixture(); }
    void cleanup() { folder.reset(); }

    void emptySpaceInTheFileList_data()
    {
        QTest::addColumn<int>("style");
        QTest::newRow("large icons") << int(TLumoListView::vsIcon);
        QTest::newRow("small icons") << int(TLumoListView::vsSmallIcon);
        QTest::newRow("list") << int(TLumoListView::vsList);
        QTest::newRow("details") << int(TLumoListView::vsReport);
    }

    void emptySpaceInTheFileList()
    {
        QFETCH(int, style);
        makeUnit(QStringLiteral("verbs"), 3);
        makeUnit(QStringLiteral("nouns"), 3);
        auto form = shownForm();
        QVERIFY(form);
        form->unitPage()->pressViewButton(style);
        emit form->unitPage()->viewStyleChosen(style);
        QWidget *viewport = list(*form)->currentView()->viewport();
        QVERIFY(!list(*form)->currentView()->indexAt(emptyPoint(*form)).isValid());

        QTest::mouseClick(viewport, Qt::LeftButton, {}, itemPoint(*form, QStringLiteral("verbs")));
        QCOMPARE(form->windowTitle(), QStringLiteral("Lumo '96 - verbs"));
        // A click where no unit is leaves none chosen, and the caption says so.
        QTest::mouseClick(viewport, Qt::LeftButton, {}, emptyPoint(*form));
        QCOMPARE(list(*form)->selectedCaption(), QString());
        QCOMPARE(form->windowTitle(), QStringLiteral("Lumo '96"));
        // A double-click there opens nothing and says why.
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, emptyPoint(*form));
        QCOMPARE(messages.texts(), QStringList({NoUnitText}));
        QCOMPARE(form->PageControl()->currentIndex(), int(UnitManager));

        // A right-click chooses the unit the popup menu then acts on.
        rightClick(*form, itemPoint(*form, QStringLiteral("nouns")));
        QCOMPARE(list(*form)->selectedCaption(), QStringLiteral("nouns"));
        QCOMPARE(form->windowTitle(), QStringLiteral("Lumo '96 - nouns"));
        rightClick(*form, emptyPoint(*form));
        const QString chosen = list(*form)->selectedCaption();
        QCOMPARE(form->windowTitle(),
                 chosen.isEmpty() ? QStringLiteral("Lumo '96") : QStringLiteral("Lumo '96 - ") + chosen);

        // A double-click on a unit still opens it.
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, itemPoint(*form, QStringLiteral("verbs")));
        QCOMPARE(form->PageControl()->currentIndex(), int(Input));
        QCOMPARE(form->CurrentUnitFile(), units + QStringLiteral("verbs.lif"));
        QCOMPARE(messages.shown().size(), 1);
    }

    void aUnitWithAnUpperCaseExtensionOpens_data()
    {
        QTest::addColumn<bool>("clash");
        QTest::newRow("one table") << false;
        QTest::newRow("two spellings of its table") << true;
    }

    void aUnitWithAnUpperCaseExtensionOpens()
    {
        QFETCH(bool, clash);
        UnitDescriptor(units + QStringLiteral("SHOUT.LIF"))
            .write(2, 6, QStringLiteral("loud words"), QStringLiteral("MS Sans Serif"));
        makeTable(units + QStringLiteral("SHOUT.DB"), 4);
        if (clash)
            makeTable(units + QStringLiteral("SHOUT.db"), 1);
        const QStringList before = filesIn(units);
        auto form = shownForm();
        QVERIFY(form);
        QWidget *viewport = list(*form)->currentView()->viewport();
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, itemPoint(*form, QStringLiteral("SHOUT")));
        if (clash) {
            QCOMPARE(
                messages.texts(),
                QStringList({"Two files of this unit differ only in the case of their extension. Keep one of "
                             "them and try again:\r\n" +
                             units + "SHOUT.DB\r\n" + units + "SHOUT.db"}));
            QCOMPARE(form->PageControl()->currentIndex(), int(UnitManager));
            QVERIFY(!form->LumoTable1()->active());
        } else {
            QVERIFY(messages.shown().isEmpty());
            QCOMPARE(form->PageControl()->currentIndex(), int(Input));
            QCOMPARE(form->CurrentUnitFile(), units + QStringLiteral("SHOUT.LIF"));
            QCOMPARE(form->CurrentForeignLanguage(), 6);
            QCOMPARE(form->CurrentNativeLanguage(), 2);
            QCOMPARE(form->LumoTable1()->recordCount(), 4);
            clickTab(*form, UnitManager);
            QCOMPARE(form->PageControl()->currentIndex(), int(UnitManager));
            // Its words go out to a word list as well.
            const QString wordList = folder->filePath(QStringLiteral("shout.csv"));
            form->wordLists()->setWordListChooser([&wordList](bool, const QString &) { return wordList; });
            form->MainMenu()->actions().FileExportItem->trigger();
            QVERIFY(messages.shown().isEmpty());
            QFile words(wordList);
            QVERIFY(words.open(QIODevice::ReadOnly));
            QVERIFY2(words.readAll().contains("laut 3"), qPrintable(wordList));
        }
        // No second descriptor and no empty table beside the unit.
        QCOMPARE(filesIn(units), before);
    }

    void allDrivesShowTheRootInTheFileList()
    {
        makeUnit(QStringLiteral("verbs"), 3);
        auto form = shownForm();
        QVERIFY(form);
        QCOMPARE(list(*form)->path(), units);
        SpeedButton *allDrives = form->unitPage()->NewBaseFolder;
        QTest::mouseClick(allDrives, Qt::LeftButton, {}, allDrives->rect().center());
        TLumoTreeView *tree = form->unitPage()->LumoTreeView1;
        QVERIFY(tree->showAll());
        QCOMPARE(tree->currentPath(), QStringLiteral("/"));
        QCOMPARE(list(*form)->path(), QStringLiteral("/"));
        QCOMPARE(list(*form)->model()->rowOf(QStringLiteral("verbs")), -1);
        // Back to the base folder: the list follows the tree again.
        QTest::mouseClick(allDrives, Qt::LeftButton, {}, allDrives->rect().center());
        QVERIFY(!tree->showAll());
        QCOMPARE(list(*form)->path(), tree->currentPath());
    }

    void savingMistakesKeepsTheOpenUnitChosen()
    {
        makeUnit(QStringLiteral("verbs"), 6);
        TLumoTable table(messages);
        table.setVocabularyFile(units + QStringLiteral("verbs.db"));
        table.open();
        for (const int key : {2, 5}) {
            table.findKey(key);
            table.edit();
            table.setFieldValue(TLumoTable::Mistakes, 3);
            table.post();
        }
        table.close();
        auto form = shownForm();
        QVERIFY(form);
        QTest::mouseDClick(list(*form)->currentView()->viewport(), Qt::LeftButton, {},
                           itemPoint(*form, QStringLiteral("verbs")));
        QCOMPARE(form->PageControl()->currentIndex(), int(Input));
        clickTab(*form, Logbook);
        QCOMPARE(form->PageControl()->currentIndex(), int(Logbook));
        // The dialog runs modally as for the user, who types a name and presses OK.
        QTimer::singleShot(0, this, [] {
            auto *dialog = qobject_cast<TSaveMistakesForm *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            QTest::keyClicks(dialog->FileNameEdit, QStringLiteral("hard verbs"));
            QTest::mouseClick(dialog->OKBtn, Qt::LeftButton);
        });
        QPushButton *save = form->logbookPage()->SaveMistakesBtn;
        QTest::mouseClick(save, Qt::LeftButton, {}, save->rect().center());
        QVERIFY(QFile::exists(units + QStringLiteral("hard verbs.lif")));
        QCOMPARE(list(*form)->selectedCaption(), QStringLiteral("verbs"));
        QCOMPARE(form->windowTitle(), QStringLiteral("Lumo '96 - verbs"));
        // The way back to the logbook goes through the unit manager without a word.
        clickTab(*form, UnitManager);
        clickTab(*form, Logbook);
        QCOMPARE(form->PageControl()->currentIndex(), int(Logbook));
        QVERIFY(messages.shown().isEmpty());
        QCOMPARE(form->CurrentUnitFile(), units + QStringLiteral("verbs.lif"));
        QCOMPARE(form->LumoTable1()->recordCount(), 2);
    }

    // The program language is changed on the page the unit is open on: the list keeps the
    // unit chosen, so the way back through the unit manager opens the same unit.
    void aNewLanguageKeepsTheOpenUnitChosen_data()
    {
        QTest::addColumn<int>("page");
        QTest::newRow("input page") << int(Input);
        QTest::newRow("logbook") << int(Logbook);
    }

    void aNewLanguageKeepsTheOpenUnitChosen()
    {
        QFETCH(int, page);
        folder->copyFromData(QStringLiteral("deutsch.llf"));
        makeUnit(QStringLiteral("nouns"), 2);
        makeUnit(QStringLiteral("verbs"), 3);
        auto form = shownForm();
        QVERIFY(form);
        QTest::mouseDClick(list(*form)->currentView()->viewport(), Qt::LeftButton, {},
                           itemPoint(*form, QStringLiteral("verbs")));
        clickTab(*form, page);
        QCOMPARE(form->PageControl()->currentIndex(), page);
        form->LanguageDlg()->setFormRunner([](TLanguageSelect &dialog) {
            dialog.LanguageComboBox->setCurrentIndex(
                dialog.LanguageComboBox->findText(QStringLiteral("Deutsch")));
            return int(QDialog::Accepted);
        });
        form->MainMenu()->actions().OptionsLanguageItem->trigger();
        QCOMPARE(list(*form)->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Datei"));
        QCOMPARE(list(*form)->selectedCaptions(), QStringList({"verbs"}));
        clickTab(*form, UnitManager);
        clickTab(*form, page);
        QCOMPARE(form->PageControl()->currentIndex(), page);
        QVERIFY(messages.shown().isEmpty());
        QCOMPARE(form->windowTitle(), QStringLiteral("Lumo '96 - verbs"));
        QCOMPARE(form->CurrentUnitFile(), units + QStringLiteral("verbs.lif"));
        QCOMPARE(form->LumoTable1()->recordCount(), page == Input ? 3 : 0);
    }
};

QTEST_MAIN(TestUnitManagerWindow)
#include "tst_unitmanagerwindow.moc"

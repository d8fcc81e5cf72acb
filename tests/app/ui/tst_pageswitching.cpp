#include "app/ui/mainform.h"
#include "app/ui/mainformfixture.h"
#include "app/ui/mainmenubar.h"
#include "app/ui/mainpopups.h"
#include "app/ui/pagecontrol.h"
#include "input/ui/inputpage.h"
#include "input/ui/lumodbgrid.h"
#include "support/scriptedhelpservice.h"
#include "support/scriptedmessageservice.h"
#include "support/testfolder.h"
#include "units/ui/lumolistview.h"
#include "units/ui/newvocfile.h"
#include "units/ui/unitpage.h"
#include "vocfile/lumotable.h"
#include "vocfile/unitdescriptor.h"
#include "voctest/lumovoctest.h"
#include "widgets/languagecombobox.h"
#include "widgets/speedbutton.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QtTest>

namespace {
enum Page { UnitManager = 0, Test = 1, Input = 2, Logbook = 3 };

QStringList visibleMenus(MainMenuBar &menu)
{
    QStringList names;
    for (int i = MainMenuBar::FileMenu; i <= MainMenuBar::HelpMenu; ++i)
        if (menu.topLevel(i)->menuAction()->isVisible())
            names.append(menu.topLevel(i)->objectName());
    return names;
}
} // namespace

// The rules that tie the pages to the unit chosen in the unit manager, driven as a user
// would: choosing a unit, switching pages, answering the questions.
class TestPageSwitching : public QObject, protected MainFormFixture
{
    Q_OBJECT

private:
    static TLumoListView *list(TMainForm &form) { return form.unitPage()->LumoListView1; }

private slots:
    void init() { setUpFixture(); }
    void cleanup() { folder.reset(); }

    void leavingWithoutAUnitIsRefused()
    {
        makeUnit(QStringLiteral("unit"), 3);
        auto form = createForm();
        QVERIFY(!form->PageControl()->requestPage(Test));
        QCOMPARE(form->PageControl()->currentIndex(), int(UnitManager));
        QCOMPARE(messages.texts(), QStringList({"No file selected. Please select or create a file on the "
                                                "\"Unit Manager\"-page first."}));
        form->LumoListView1DblClick();
        QCOMPARE(messages.shown().size(), 2);
    }

    void menusAndCommandsFollowThePage()
    {
        makeUnit(QStringLiteral("unit"), 3);
        auto form = createForm();
        list(*form)->selectCaption(QStringLiteral("unit"));
        MainMenuBar &menu = *form->MainMenu();
        const MainMenuActions &a = menu.actions();
        QCOMPARE(visibleMenus(menu), QStringList({"FileMenu", "ViewMenu", "OptionsMenu", "HelpMenu"}));
        QVERIFY(a.FileConvertItem->isEnabled());
        QVERIFY(a.FilePropertiesItem->isEnabled());
        QVERIFY(!a.optionsCharacterBarItem->isEnabled());
        QCOMPARE(form->PageControl()->helpContext(), 170);

        QVERIFY(form->PageControl()->requestPage(Test));
        QCOMPARE(visibleMenus(menu), QStringList({"FileMenu", "OptionsMenu", "TestMenu", "HelpMenu"}));
        QVERIFY(a.optionsCharacterBarItem->isEnabled());
        QVERIFY(!a.FileConvertItem->isEnabled());
        QVERIFY(!a.FilePropertiesItem->isEnabled());
        QCOMPARE(form->PageControl()->helpContext(), 275);

        QVERIFY(form->PageControl()->requestPage(Input));
        QCOMPARE(visibleMenus(menu),
                 QStringList({"FileMenu", "EditMenu", "SearchMenu", "OptionsMenu", "HelpMenu"}));
        QVERIFY(a.optionsCharacterBarItem->isEnabled());
        QCOMPARE(form->PageControl()->helpContext(), 340);

        QVERIFY(form->PageControl()->requestPage(Logbook));
        QCOMPARE(visibleMenus(menu), QStringList({"FileMenu", "OptionsMenu", "HelpMenu"}));
        QVERIFY(!a.optionsCharacterBarItem->isEnabled());
        QVERIFY(!a.FileConvertItem->isEnabled());
        QVERIFY(!a.FilePropertiesItem->isEnabled());
        QCOMPARE(form->PageControl()->helpContext(), 380);
        QVERIFY(messages.shown().isEmpty());
    }

    void theTableFollowsTheUnit()
    {
        makeUnit(QStringLiteral("verbs"), 5);
        auto form = createForm();
        TLumoTable *table = form->LumoTable1();
        list(*form)->selectCaption(QStringLiteral("verbs"));
        form->unitPage()->LumoListView1Click();
        QCOMPARE(form->windowTitle(), QStringLiteral("Lumo '96 - verbs"));
        QVERIFY(form->PageControl()->requestPage(Input));
        QCOMPARE(form->CurrentUnitFile(), units + QStringLiteral("verbs.lif"));
        QCOMPARE(form->CurrentNativeLanguage(), 2);
        QCOMPARE(form->CurrentForeignLanguage(), 6);
        QVERIFY(table->active());
        QCOMPARE(table->vocabularyFile(), units + QStringLiteral("verbs.db"));
        table->setRecNo(3);
        // Input to test keeps the table open where it was.
        QVERIFY(form->PageControl()->requestPage(Test));
        QVERIFY(table->active());
        QVERIFY(!table->filtered());
        QVERIFY(form->LumoVocTest1()->ready());
        // The logbook shows only entries with mistakes.
        QVERIFY(form->PageControl()->requestPage(Logbook));
        QVERIFY(table->filtered());
        QCOMPARE(table->recordCount(), 0);
        QVERIFY(form->PageControl()->requestPage(UnitManager));
        QVERIFY(!table->active());
        list(*form)->currentView()->clearSelection();
        form->unitPage()->LumoListView1Click();
        QCOMPARE(form->windowTitle(), QStringLiteral("Lumo '96"));
    }

    void leavingTheInputPagePacksOnceAfterDeletions()
    {
        makeUnit(QStringLiteral("unit"), 400, 2, 6, 200);
        const QString file = units + QStringLiteral("unit.db");
        auto form = createForm();
        list(*form)->selectCaption(QStringLiteral("unit"));
        QVERIFY(form->PageControl()->requestPage(Input));
        TLumoTable *table = form->LumoTable1();
        const auto deleteRecords = [table](int count) {
            table->first();
            for (int i = 0; i < count; ++i)
                table->deleteRecord();
        };
        deleteRecords(300);
        form->inputPage()->setTableNeedsPacking();
        const qint64 before = QFileInfo(file).size();
        QVERIFY(form->PageControl()->requestPage(Test));
        QVERIFY(!form->inputPage()->TableNeedsPacking());
        const qint64 packed = QFileInfo(file).size();
        QVERIFY2(packed < before / 2, qPrintable(QStringLiteral("%1 -> %2").arg(before).arg(packed)));
        QVERIFY(table->active());
        QCOMPARE(table->recordCount(), 100);
        // Without new deletions through the page, switching again packs nothing.
        QVERIFY(form->PageControl()->requestPage(Input));
        deleteRecords(90);
        QVERIFY(form->PageControl()->requestPage(Test));
        QCOMPARE(QFileInfo(file).size(), packed);
    }

    void aWordInTheCellEditorSurvivesLeavingAfterADelete_data()
    {
        QTest::addColumn<int>("target");
        QTest::newRow("logbook") << int(Logbook);
        QTest::newRow("test") << int(Test);
    }

    // The page is left by its tab while a word is still being typed: it is stored before the
    // table is packed, not lost with the editor.
    void aWordInTheCellEditorSurvivesLeavingAfterADelete()
    {
        QFETCH(int, target);
        makeUnit(QStringLiteral("unit"), 3);
        auto form = createForm();
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        list(*form)->selectCaption(QStringLiteral("unit"));
        QTabBar *tabs = form->PageControl()->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(Input).center());
        QCOMPARE(form->PageControl()->currentIndex(), int(Input));
        InputPage *input = form->inputPage();
        QTRY_VERIFY(input->LumoDBGrid1->activeEditor() &&
                    QApplication::focusWidget() == input->LumoDBGrid1->activeEditor());
        QTest::mouseClick(input->DeleteRecords, Qt::LeftButton);
        QVERIFY(form->inputPage()->TableNeedsPacking());
        QTRY_VERIFY(input->LumoDBGrid1->activeEditor() &&
                    QApplication::focusWidget() == input->LumoDBGrid1->activeEditor());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("typed"));
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(target).center());
        QCOMPARE(form->PageControl()->currentIndex(), target);
        QVERIFY(!form->inputPage()->TableNeedsPacking());

        QVERIFY(form->PageControl()->requestPage(UnitManager));
        TLumoTable table(messages);
        table.setVocabularyFile(units + QStringLiteral("unit.db"));
        table.open();
        QStringList words;
        for (table.first(); !table.eof(); table.next())
            words.append(table.fieldValue(TLumoTable::NativeLanguage).toString());
        QCOMPARE(words, QStringList({"typed", "word 2"}));
        QVERIFY(messages.shown().isEmpty());
    }

    void leavingARunningTest()
    {
        makeUnit(QStringLiteral("unit"), 3);
        auto form = createForm();
        list(*form)->selectCaption(QStringLiteral("unit"));
        QVERIFY(form->PageControl()->requestPage(Test));
        TLumoVocTest *engine = form->LumoVocTest1();
        engine->setGiven(engine->answer());
        QVERIFY(engine->CheckAnswer());
        QVERIFY(engine->running());

        messages.answerWith(MessageService::No);
        QVERIFY(!form->PageControl()->requestPage(Input));
        QCOMPARE(form->PageControl()->currentIndex(), int(Test));
        QVERIFY(engine->running());
        messages.answerWith(MessageService::Cancel);
        QVERIFY(!form->PageControl()->requestPage(UnitManager));
        QVERIFY(engine->running());

        messages.answerWith(MessageService::Yes);
        QVERIFY(form->PageControl()->requestPage(UnitManager));
        QVERIFY(!engine->running());
        const QString question = QStringLiteral(
            "If you change the page now, the test will be aborded. Do you want to abord the test?");
        QCOMPARE(messages.texts().mid(0, 3), QStringList({question, question, question}));
        QCOMPARE(messages.shown().at(0).buttons,
                 MessageService::Yes | MessageService::No | MessageService::Cancel);
    }

    void doubleClickOpensTheInputPage()
    {
        makeUnit(QStringLiteral("unit"), 3);
        auto form = createForm();
        list(*form)->selectCaption(QStringLiteral("unit"));
        form->LumoListView1DblClick();
        QCOMPARE(form->PageControl()->currentIndex(), int(Input));
        QVERIFY(form->LumoTable1()->active());
        QVERIFY(form->MainMenu()->topLevel(MainMenuBar::EditMenu)->menuAction()->isVisible());
    }

    void helpCommandsUseTheLanguageFilesHelp()
    {
        auto form = createForm();
        form->MainMenu()->actions().HelpContentsItem->trigger();
        form->MainMenu()->actions().HelpSearchItem->trigger();
        form->MainMenu()->actions().HelpHowToUseItem->trigger();
        QCOMPARE(help.calls().size(), 3);
        QCOMPARE(help.calls().at(0).request, ScriptedHelpService::Request::Contents);
        QCOMPARE(help.calls().at(1).request, ScriptedHelpService::Request::Search);
        QCOMPARE(help.calls().at(2).request, ScriptedHelpService::Request::HowToUse);
        QCOMPARE(QFileInfo(help.calls().at(0).helpFile).fileName().toLower(), QStringLiteral("english.hlp"));
        form->ApplyLanguageFile(folder->copyFromData(QStringLiteral("deutsch.llf")));
        form->MainMenu()->actions().HelpContentsItem->trigger();
        QCOMPARE(QFileInfo(help.calls().last().helpFile).fileName().toLower(), QStringLiteral("deutsch.hlp"));
    }

    // A unit's whole life as a user lives it: created, described, renamed, tested, deleted.
    void aUnitFromCreationToTheTrash()
    {
        auto form = createForm();
        TLumoListView *files = list(*form);
        files->setDialogRunner([](TNewVocFile &dialog) {
            dialog.HelpBtn->click();
            dialog.FileNameEdit->setText(QStringLiteral("Colours"));
            dialog.DescriptionEdit->setText(QStringLiteral("red, green, blue"));
            dialog.ForeignLanguageComboBox->setCurrentIndex(4);
            dialog.OKBtn->click();
            return dialog.result();
        });
        form->MainMenu()->actions().FileNewVocFile->trigger();
        QCOMPARE(files->selectedCaption(), QStringLiteral("Colours"));
        QCOMPARE(help.topics(), QList<int>({190}));
        QCOMPARE(UnitDescriptor(units + QStringLiteral("Colours.lif")).secondLanguage(), 4);

        files->setDialogRunner([](TNewVocFile &dialog) {
            dialog.FileNameEdit->setText(QStringLiteral("Colours in French"));
            dialog.OKBtn->click();
            return dialog.result();
        });
        form->MainMenu()->actions().FilePropertiesItem->trigger();
        QCOMPARE(files->selectedCaption(), QStringLiteral("Colours in French"));

        QVERIFY(form->PageControl()->requestPage(Test));
        QCOMPARE(form->windowTitle(), QStringLiteral("Lumo '96 - Colours in French"));
        QVERIFY(QFileInfo::exists(units + QStringLiteral("Colours in French.db")));
        QVERIFY(form->PageControl()->requestPage(UnitManager));

        messages.answerWith(MessageService::Yes);
        form->popups()->PopupDeleteItem->trigger();
        QCOMPARE(files->count(), 0);
        QVERIFY(QDir(units).entryList(QDir::Files).isEmpty());
        const QDir trash(folder->dataHome() + QStringLiteral("/Trash/files"));
        QCOMPARE(trash.entryList(QDir::Files, QDir::Name),
                 QStringList({"Colours in French.db", "Colours in French.lif"}));
        QCOMPARE(messages.texts(), QStringList({"Are you sure you want to delete the selected item(s)?"}));
    }
};

QTEST_MAIN(TestPageSwitching)
#include "tst_pageswitching.moc"

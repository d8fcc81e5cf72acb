#include "app/ui/mainform.h"
#include "app/ui/mainmenubar.h"
#include "app/ui/pagecontrol.h"
#include "app/ui/splashscreen.h"
#include "app/ui/windowtexts.h"
#include "input/ui/inputpage.h"
#include "logbook/ui/logbookpage.h"
#include "platform/ini/inifile.h"
#include "platform/ini/regfile.h"
#include "platform/ui/helpwindowtexts.h"
#include "print/printsettings.h"
#include "support/screenshot.h"
#include "support/scriptedmessageservice.h"
#include "support/testfolder.h"
#include "units/ui/lumolistview.h"
#include "units/ui/lumotreeview.h"
#include "units/ui/unitpage.h"
#include "vocfile/lumotable.h"
#include "voctest/lumovoctest.h"
#include "voctest/ui/mistakereportform.h"
#include "voctest/ui/testpage.h"
#include "voctest/ui/voctestwindows.h"
#include "widgets/speedbutton.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>

namespace {
// The order in which closing writes the settings.
const QStringList WriteOrder = {"WindowState",
                                "Left",
                                "Top",
                                "Width",
                                "Height",
                                "SplitterPos",
                                "LogBookSplitterPos",
                                "ViewStyle",
                                "DefaultNativeLanguage",
                                "DefaultForeignLanguage",
                                "LanguageFile",
                                "TreeViewRoot",
                                "ShowAll",
                                "CurrentPath",
                                "ShowSoundTools",
                                "ShowTypeColBtn",
                                "TestVariant",
                                "LeftMarginMM",
                                "RightMarginMM",
                                "TopMarginMM",
                                "BottomMarginMM",
                                "FontSize",
                                "Orientation",
                                "PrinterSwapCols",
                                "PrintType"};
} // namespace

// Creating the main window restores every setting; closing it stores them again. Each case
// runs on a program folder and a settings store of its own.
class TestMainForm : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestFolder> folder;
    ScriptedMessageService messages;

    QString hivePath() const { return folder->path() + QStringLiteral("../registry.sqlite"); }

    std::unique_ptr<TRegFile> store() const
    {
        auto registry = std::make_unique<TRegFile>(hivePath());
        registry->setKey(QStringLiteral("Software\\Halvet\\Lumo96"));
        return registry;
    }

    std::unique_ptr<TMainForm> createForm()
    {
        auto form = std::make_unique<TMainForm>(std::make_unique<TRegFile>(hivePath()), messages);
        form->FormCreate();
        return form;
    }

    void writeSetting(const QString &name, const SettingValue &value) { store()->WriteValue(name, value); }
    SettingValue readSetting(const QString &name) { return store()->ReadValue(name); }

    void addVariant(const QString &file, const QString &description)
    {
        folder->writeText(file, QStringLiteral("[settings]\r\nDescription=") + description +
                                    QStringLiteral("\r\n"));
    }

private slots:
    void init()
    {
        folder = std::make_unique<TestFolder>();
        messages.clear();
    }
    void cleanup() { folder.reset(); }

    void firstStartGivesTheDefaults()
    {
        QDir(folder->path()).mkpath(QStringLiteral("Vocabulary/Other"));
        folder->copyFromData(QStringLiteral("english.llf"));
        addVariant(QStringLiteral("a.ltf"), QStringLiteral("Only variant"));
        auto form = createForm();

        QCOMPARE(form->windowState(), Qt::WindowNoState);
        QCOMPARE(form->pos(), QPoint(100, 100));
        QCOMPARE(form->size(), QSize(600, 460));
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QCOMPARE(form->unitPage()->treeWidth(), 200);
        QCOMPARE(form->logbookPage()->topPanelHeight(), 200);

        const PrintSettings &print = form->printSettings();
        QCOMPARE(print.leftMarginMM, 20);
        QCOMPARE(print.rightMarginMM, 10);
        QCOMPARE(print.topMarginMM, 10);
        QCOMPARE(print.bottomMarginMM, 10);
        QCOMPARE(print.fontSize, 10);
        QCOMPARE(print.orientation, 0);
        QCOMPARE(print.swapColumns, false);
        QCOMPARE(print.printType, 0);

        const QString unitRoot = folder->path() + QStringLiteral("Vocabulary/");
        QCOMPARE(form->unitPage()->LumoTreeView1->root() + u'/', unitRoot);
        QCOMPARE(form->unitPage()->LumoTreeView1->showAll(), false);
        QCOMPARE(form->unitPage()->NewBaseFolder->down(), false);
        QCOMPARE(form->unitPage()->LumoTreeView1->currentPath(), unitRoot + QStringLiteral("Other/"));
        QCOMPARE(form->unitPage()->LumoListView1->languageFile(),
                 folder->filePath(QStringLiteral("english.llf")));
        QCOMPARE(form->inputPage()->ShowSoundTools->down(), true);
        QCOMPARE(form->inputPage()->SoundTools->height(), InputPage::SoundToolsHeight);
        QCOMPARE(form->inputPage()->ShowTypeColBtn->down(), false);
        QCOMPARE(form->unitPage()->LumoListView1->viewStyle(), 0);
        QCOMPARE(form->unitPage()->IconSBtn->down(), true);
        QCOMPARE(form->testPage()->TestVariants->currentIndex(), 0);
        QCOMPARE(form->PageControl()->currentWidget(), form->unitPage());
        QVERIFY(messages.shown().isEmpty());

        // Pictures for a person to look at.
        if (!screenshotFolder().isEmpty()) {
            saveScreenshot(*form, QStringLiteral("mainform"));
            for (int page = 1; page < form->PageControl()->count(); ++page) {
                form->PageControl()->setCurrentIndex(page);
                saveScreenshot(*form, QStringLiteral("mainform-page%1").arg(page));
            }
            TSplashScreen about(TSplashScreen::Mode::About);
            saveScreenshot(about, QStringLiteral("about"));
            TSplashScreen splash(TSplashScreen::Mode::Splash);
            saveScreenshot(splash, QStringLiteral("splash"));
        }
    }

    void withoutVocabularyFolderTheProgramFolderIsTheBase()
    {
        auto form = createForm();
        QCOMPARE(form->unitPage()->LumoTreeView1->root() + u'/', folder->path());
        // "Other" does not exist there, so the base folder, which has no subfolders, stays selected.
        QCOMPARE(form->unitPage()->LumoTreeView1->currentPath(), folder->path());
    }

    void viewStylePressesItsButton_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<QString>("pressed");
        QTest::newRow("large icons") << 0 << "IconSBtn";
        QTest::newRow("small icons") << 1 << "SmallIconSBtn";
        QTest::newRow("list") << 2 << "ListSBtn";
        QTest::newRow("details") << 3 << "ReportSBtn";
        QTest::newRow("out of range") << 7 << "";
        QTest::newRow("negative") << -1 << "";
    }

    void viewStylePressesItsButton()
    {
        QFETCH(int, style);
        QFETCH(QString, pressed);
        writeSetting(QStringLiteral("ViewStyle"), style);
        auto form = createForm();
        QCOMPARE(form->unitPage()->LumoListView1->viewStyle(), style);
        for (SpeedButton *b : {form->unitPage()->IconSBtn, form->unitPage()->SmallIconSBtn,
                               form->unitPage()->ListSBtn, form->unitPage()->ReportSBtn})
            QCOMPARE(b->down(), b->objectName() == pressed);
        // The View menu's radio item follows the same style.
        const MainMenuActions &menu = form->MainMenu()->actions();
        const QList<QAction *> items{menu.ViewLargeIconsItem, menu.ViewSmallIconsItem, menu.ViewListItem,
                                     menu.ViewDetailsItem};
        for (int i = 0; i < items.size(); ++i)
            QCOMPARE(items.at(i)->isChecked(), i == style);
        // Choosing a style from the menu presses its button.
        menu.ViewListItem->trigger();
        QVERIFY(form->unitPage()->ListSBtn->down());
        QCOMPARE(form->unitPage()->LumoListView1->viewStyle(), 2);
    }

    void closingStoresWhatTheNextStartRestores()
    {
        QDir(folder->path()).mkpath(QStringLiteral("Vocabulary/French"));
        addVariant(QStringLiteral("a.ltf"), QStringLiteral("First"));
        addVariant(QStringLiteral("b.ltf"), QStringLiteral("Second"));
        {
            auto form = createForm();
            form->show();
            QVERIFY(QTest::qWaitForWindowExposed(form.get()));
            form->move(30, 40);
            form->resize(700, 520);
            form->unitPage()->setTreeWidth(260);
            form->logbookPage()->setTopPanelHeight(150);
            form->unitPage()->LumoTreeView1->SelectPath(folder->path() + QStringLiteral("Vocabulary/French"));
            form->unitPage()->LumoListView1->setDefaultNativeLanguage(2);
            form->unitPage()->LumoListView1->setDefaultForeignLanguage(6);
            form->inputPage()->setSoundToolsShown(false);
            form->inputPage()->ShowTypeColBtn->setDown(true);
            form->testPage()->TestVariants->setCurrentIndex(1);
            form->close();
        }
        QCOMPARE(readSetting(QStringLiteral("Width")).toInt(), 700);
        QCOMPARE(readSetting(QStringLiteral("ShowSoundTools")).kind(), SettingValue::Integer);
        QCOMPARE(readSetting(QStringLiteral("CurrentPath")).toString(),
                 folder->path() + QStringLiteral("Vocabulary/French/"));

        auto form = createForm();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QCOMPARE(form->pos(), QPoint(30, 40));
        QCOMPARE(form->size(), QSize(700, 520));
        QCOMPARE(form->unitPage()->treeWidth(), 260);
        QCOMPARE(form->logbookPage()->topPanelHeight(), 150);
        QCOMPARE(form->unitPage()->LumoTreeView1->currentPath(),
                 folder->path() + QStringLiteral("Vocabulary/French/"));
        QCOMPARE(form->unitPage()->LumoListView1->defaultNativeLanguage(), 2);
        QCOMPARE(form->unitPage()->LumoListView1->defaultForeignLanguage(), 6);
        QCOMPARE(form->inputPage()->ShowSoundTools->down(), false);
        QCOMPARE(form->inputPage()->SoundTools->height(), 0);
        QCOMPARE(form->inputPage()->ShowTypeColBtn->down(), true);
        QCOMPARE(form->testPage()->TestVariants->currentIndex(), 1);
    }

    void closingWritesEverySetting()
    {
        auto form = createForm();
        form->close();
        const QStringList expected = WriteOrder;
        for (const QString &name : expected)
            QVERIFY2(!readSetting(name).isNull(), qPrintable(name));
        // Booleans are stored in integer form, True as -1.
        QCOMPARE(readSetting(QStringLiteral("ShowSoundTools")).toInt(), -1);
        QCOMPARE(readSetting(QStringLiteral("PrinterSwapCols")).toInt(), 0);
    }

    void maximisedWindowIsRestoredMaximised()
    {
        {
            auto form = createForm();
            form->showMaximized();
            QVERIFY(QTest::qWaitForWindowExposed(form.get()));
            QTRY_VERIFY(form->windowState() & Qt::WindowMaximized);
            form->close();
        }
        QCOMPARE(readSetting(QStringLiteral("WindowState")).toInt(), 2);
        auto form = createForm();
        QVERIFY(form->windowState() & Qt::WindowMaximized);
    }

    void missingLanguageFileIsStoredEmptyAndStaysEmpty()
    {
        writeSetting(QStringLiteral("LanguageFile"), QStringLiteral("/no/such/file.llf"));
        {
            auto form = createForm();
            QCOMPARE(form->unitPage()->LumoListView1->languageFile(), QString());
            form->close();
        }
        const SettingValue stored = readSetting(QStringLiteral("LanguageFile"));
        QCOMPARE(stored.kind(), SettingValue::Text);
        QCOMPARE(stored.toString(), QString());

        // The empty text is read as it is, not replaced by the default file.
        folder->copyFromData(QStringLiteral("english.llf"));
        auto form = createForm();
        QCOMPARE(form->unitPage()->LumoListView1->languageFile(), QString());
    }

    void storedTestVariantIndex_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("selected");
        QTest::newRow("second") << 1 << 1;
        QTest::newRow("none") << -1 << 0;
        QTest::newRow("past the end") << 2 << 0;
        QTest::newRow("far past the end") << 99 << 0;
    }

    void storedTestVariantIndex()
    {
        QFETCH(int, stored);
        QFETCH(int, selected);
        addVariant(QStringLiteral("a.ltf"), QStringLiteral("First"));
        addVariant(QStringLiteral("b.ltf"), QStringLiteral("Second"));
        addVariant(QStringLiteral("hidden.ltf"), QStringLiteral("error"));
        writeSetting(QStringLiteral("TestVariant"), stored);
        {
            auto form = createForm();
            QCOMPARE(form->testPage()->TestVariants->count(), 2);
            QCOMPARE(form->testPage()->TestVariants->currentIndex(), selected);
            // The engine reads the selected variant's file.
            const QString expectedFile =
                selected < 0 ? QString() : form->testVariantList().paths().at(selected);
            QCOMPARE(form->LumoVocTest1()->testFile(), expectedFile);
            form->close();
        }
        QCOMPARE(readSetting(QStringLiteral("TestVariant")).toInt(), selected);
    }

    void corruptStoreIsKeptAsideAndDefaultsApply()
    {
        QFile hive(hivePath());
        QVERIFY(hive.open(QIODevice::WriteOnly));
        hive.write(QByteArray(4096, '\x5a'));
        hive.close();
        auto form = createForm();
        QCOMPARE(messages.shown().size(), 1);
        QVERIFY(messages.texts().first().contains(QStringLiteral("default settings")));
        QCOMPARE(form->size(), QSize(600, 460));
        const QStringList kept =
            QDir(folder->path() + QStringLiteral("..")).entryList({QStringLiteral("registry.sqlite.*")});
        QCOMPARE(kept.size(), 1);
        form->close();
        // The fresh store works: the next start reads what was written and says nothing.
        messages.clear();
        auto again = createForm();
        QVERIFY(messages.shown().isEmpty());
    }

    void withoutLanguageFileTheWindowKeepsItsOwnCaptions()
    {
        auto form = createForm();
        QCOMPARE(form->MainMenu()->item(QStringLiteral("FileConvertItem"))->text(),
                 QStringLiteral("&Convert old Lumo units..."));
        QCOMPARE(form->PageControl()->tabText(3), QStringLiteral("&Logbook"));
        QCOMPARE(form->unitPage()->NewFolder->toolTip(), QStringLiteral("Create new folder"));
    }

    void bareLanguageFileGivesEveryEnglishText()
    {
        writeSetting(QStringLiteral("LanguageFile"),
                     folder->writeText(QStringLiteral("bare.llf"),
                                       QStringLiteral("[general]\r\nDescription=Bare\r\n")));
        auto form = createForm();
        QCOMPARE(form->MainMenu()->item(QStringLiteral("FileConvertItem"))->text(),
                 QStringLiteral("&Convert..."));
        QCOMPARE(form->MainMenu()->item(QStringLiteral("TestSettingsItem"))->text(),
                 QStringLiteral("&Settings..."));
        QCOMPARE(form->MainMenu()->item(QStringLiteral("FileExitItem"))->statusTip(),
                 QStringLiteral("Exit this application"));
        QCOMPARE(form->PageControl()->tabText(3), QStringLiteral("Review && &Logbook"));
        // Tool-bar hints have no English text of their own: without keys they are blank.
        QCOMPARE(form->unitPage()->NewFolder->toolTip(), QString());
        QCOMPARE(form->unitPage()->IconSBtn->toolTip(), QString());
        QCOMPARE(form->inputPage()->PrintSBtn2->toolTip(), QStringLiteral("Print current file"));
        QCOMPARE(form->keptText(QStringLiteral("MsgPackingTable")),
                 QStringLiteral("Packing table. Please wait..."));
        QCOMPARE(form->keptText(QStringLiteral("NextBtn")), QStringLiteral("&Next"));
        QCOMPARE(form->keptText(QStringLiteral("StartBtnHint")), QString());
    }

    void languageFileTranslatesTheWindowWhateverTheCase()
    {
        folder->copyFromData(QStringLiteral("deutsch.llf"));
        writeSetting(QStringLiteral("LanguageFile"), folder->filePath(QStringLiteral("deutsch.llf")));
        {
            auto form = createForm();
            QCOMPARE(form->PageControl()->tabText(0), QStringLiteral("Le&ktionen"));
            QCOMPARE(form->MainMenu()->topLevel(MainMenuBar::FileMenu)->title(), QStringLiteral("&Datei"));
            QCOMPARE(form->unitPage()->IconSBtn->toolTip(), QStringLiteral("Große Symbole anzeigen"));
            QCOMPARE(form->logbookPage()->TestCountLabel->text(), QStringLiteral("Anzahl Tests:"));
            QCOMPARE(form->keptText(QStringLiteral("NextBtn")), QStringLiteral("&Weiter"));
            QCOMPARE(form->inputPage()->Label2->text(), QStringLiteral("30 Sek."));
            form->close();
        }
        writeSetting(
            QStringLiteral("LanguageFile"),
            folder->writeText(QStringLiteral("odd.llf"), QStringLiteral("[MAINFORM]\nfilemenu=&Fichier\n")));
        auto form = createForm();
        QCOMPARE(form->MainMenu()->topLevel(MainMenuBar::FileMenu)->title(), QStringLiteral("&Fichier"));
    }

    void englishFileHoldsEveryWindowText()
    {
        const IniFile english(folder->copyFromData(QStringLiteral("english.llf")));
        for (const auto &[key, text] : WindowTexts::englishTexts()) {
            QVERIFY2(english.valueExists(QStringLiteral("MainForm"), key), qPrintable(key));
            if (!text.isEmpty())
                QCOMPARE(english.readString(QStringLiteral("MainForm"), key, QString()), text);
        }
    }

    void settingsAreReadAndWrittenInTheirOrder()
    {
        auto form = createForm();
        QCOMPARE(form->settings().namesInReadOrder(), QStringList({"WindowState",
                                                                   "Left",
                                                                   "Top",
                                                                   "Width",
                                                                   "Height",
                                                                   "SplitterPos",
                                                                   "LogBookSplitterPos",
                                                                   "LeftMarginMM",
                                                                   "RightMarginMM",
                                                                   "TopMarginMM",
                                                                   "BottomMarginMM",
                                                                   "FontSize",
                                                                   "Orientation",
                                                                   "PrinterSwapCols",
                                                                   "PrintType",
                                                                   "TreeViewRoot",
                                                                   "ShowAll",
                                                                   "CurrentPath",
                                                                   "DefaultNativeLanguage",
                                                                   "DefaultForeignLanguage",
                                                                   "LanguageFile",
                                                                   "ShowSoundTools",
                                                                   "ShowTypeColBtn",
                                                                   "ViewStyle",
                                                                   "TestVariant"}));
        QCOMPARE(form->settings().namesInWriteOrder(), WriteOrder);
    }

    // Closing the window while the engine waits for its mistake report must not pull the
    // table or the window from under it: the window closes once the report is done.
    void closingWhileTheMistakeReportWaits()
    {
        auto form = createForm();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        TLumoTable *table = form->LumoTable1();
        table->setVocabularyFile(folder->filePath(QStringLiteral("unit.db")));
        table->open();
        table->appendRecord({QVariant(), QStringLiteral("house"), QStringLiteral("Haus"), 1});
        TLumoVocTest *engine = form->LumoVocTest1();
        engine->Reload();
        QVERIFY(engine->ready());

        bool stillThere = false;
        bool tableOpen = false;
        bool pagesLocked = false;
        QTimer::singleShot(0, form.get(), [&] {
            form->close();
            stillThere = form->isVisible();
            tableOpen = table->active();
            // A click on another page's tab does nothing while the report waits.
            QTabBar *tabs = form->PageControl()->tabBar();
            QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
            pagesLocked = form->PageControl()->currentIndex() == 0;
            QTest::keyClick(form->testWindows()->mistakeReportForm(), Qt::Key_Space);
        });
        engine->setGiven(QStringLiteral("Hut"));
        QVERIFY(!engine->CheckAnswer());
        QVERIFY(stillThere);
        QVERIFY(tableOpen);
        QVERIFY(pagesLocked);
        QTRY_VERIFY(!form->isVisible());
        QCOMPARE(readSetting(QStringLiteral("Width")).toInt(), form->width());
        QVERIFY(messages.shown().isEmpty());
        // Afterwards a click reaches the pages again (and asks for a unit, as none is chosen).
        QTabBar *tabs = form->PageControl()->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
        QCOMPARE(messages.shown().size(), 1);
    }

    void languageFilesHoldTheHelpWindowTexts()
    {
        const IniFile english(TestFolder::shippedFile(QStringLiteral("english.llf")));
        const IniFile german(TestFolder::shippedFile(QStringLiteral("deutsch.llf")));
        int asked = 0;
        HelpWindowTexts::translated([&](const QString &key, const QString &text) {
            ++asked;
            [&] {
                QCOMPARE(english.readString(QStringLiteral("MainForm"), key, QString()), text);
                QVERIFY2(german.valueExists(QStringLiteral("MainForm"), key), qPrintable(key));
            }();
            return text;
        });
        QCOMPARE(asked, 10);
    }

    void componentsCarryTheirNames()
    {
        auto form = createForm();
        for (const char *name :
             {"MainMenu",      "PageControl",     "StatusLine",     "UnitPage",      "VocTestPage",
              "VocInputPage",  "LogBookPage",     "ToolBar1",       "LumoTreeView1", "ObSplitter1",
              "LumoListView1", "TestVariants",    "LumoDBGrid1",    "CharGrid1",     "CharGrid2",
              "SoundTools",    "LogbookTopPanel", "LumoDBLogGrid1", "LogGraph1",     "Registry",
              "LumoTable1"})
            QVERIFY2(form->findChild<QObject *>(QString::fromLatin1(name)), name);
        QCOMPARE(form->PageControl()->tabText(0), QStringLiteral("&Unit Manager"));
        QCOMPARE(form->PageControl()->tabText(3), QStringLiteral("&Logbook"));
        QCOMPARE(form->windowTitle(), QStringLiteral("Lumo '97"));
    }
};

QTEST_MAIN(TestMainForm)
#include "tst_mainform.moc"

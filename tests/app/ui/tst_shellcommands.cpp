#include "app/ui/mainform.h"
#include "app/ui/mainformfixture.h"
#include "app/ui/mainmenubar.h"
#include "app/ui/pagecontrol.h"
#include "input/ui/inputpage.h"
#include "input/ui/lumodbgrid.h"
#include "logbook/ui/logbookpage.h"
#include "logbook/ui/lumodbloggrid.h"
#include "platform/ini/inifile.h"
#include "support/screenshot.h"
#include "support/scriptedhelpservice.h"
#include "support/scriptedmessageservice.h"
#include "support/testfolder.h"
#include "uilang/ui/languagedlg.h"
#include "units/ui/lumolistview.h"
#include "units/ui/oldunitcommands.h"
#include "units/ui/unitpage.h"
#include "units/unitlistmodel.h"
#include "vocfile/lumotable.h"
#include "vocfile/unitdescriptor.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTabBar>
#include <QTableView>
#include <QtTest>

// The shell's file commands as a user meets them: converting old units into the folder the
// unit manager shows, and switching the program to another language.
class TestShellCommands : public QObject, protected MainFormFixture
{
    Q_OBJECT

private:
    static QStringList listed(TMainForm &form)
    {
        QStringList names;
        const UnitListModel &model = *form.unitPage()->LumoListView1->model();
        for (int row = 0; row < model.rowCount(); ++row)
            names.append(model.entry(row).caption);
        return names;
    }

    // The window's own texts as the user meets them: titles, items and hints of the menus,
    // the tabs and the captions and hints of the controls of every page.
    static QStringList textsOf(TMainForm &form)
    {
        QStringList texts{form.windowTitle()};
        for (const QAction *action : form.findChildren<QAction *>())
            texts.append(action->text() + u'|' + action->toolTip() + u'|' + action->statusTip());
        for (int i = 0; i < form.PageControl()->count(); ++i)
            texts.append(form.PageControl()->tabText(i));
        for (const QAbstractButton *button : form.findChildren<QAbstractButton *>())
            if (!button->text().isEmpty() || !button->toolTip().isEmpty())
                texts.append(button->text() + u'|' + button->toolTip());
        for (const QLabel *label : form.findChildren<QLabel *>())
            if (!label->text().isEmpty())
                texts.append(label->text());
        for (const QTableView *grid : form.findChildren<QTableView *>())
            for (int column = 0; column < grid->model()->columnCount(); ++column)
                texts.append(grid->model()->headerData(column, Qt::Horizontal).toString());
        return texts;
    }

private slots:
    void init()
    {
        setUpFixture();
        folder->copyFromData(QStringLiteral("deutsch.llf"));
    }
    void cleanup() { folder.reset(); }

    void twoOldUnitsInOneRun()
    {
        const QString a =
            folder->writeFile(QStringLiteral("old/animals.vok"), "german\r\nTiere\r\n1\r\nHund\r\ndog\r\n");
        const QString b = folder->writeFile(QStringLiteral("old/colours.VOK"),
                                            "french\r\nCouleurs\r\n2\r\nrouge\r\nred\r\n");
        auto form = createForm();
        form->oldUnits()->setOldUnitChooser([&] { return QStringList{a, b}; });
        QVERIFY(form->MainMenu()->actions().FileConvertItem->isEnabled());
        form->MainMenu()->actions().FileConvertItem->trigger();
        QCOMPARE(form->StatusLine()->currentMessage(), QStringLiteral("Conversion done!"));
        QCOMPARE(listed(*form), QStringList({"animals", "colours"}));
        QCOMPARE(UnitDescriptor(units + QStringLiteral("colours.lif")).secondLanguage(), 4);
        QVERIFY(!form->LumoTable1()->active());
        QVERIFY(messages.shown().isEmpty());
    }

    void aFailureStopsTheRunAndKeepsWhatWasConverted()
    {
        const QString a = folder->writeFile(QStringLiteral("old/animals.vok"), "german\r\nTiere\r\n1\r\n");
        const QString gone = folder->filePath(QStringLiteral("old/gone.vok"));
        const QString c = folder->writeFile(QStringLiteral("old/colours.vok"), "french\r\nx\r\ny\r\n");
        auto form = createForm();
        form->oldUnits()->setOldUnitChooser([&] { return QStringList{a, gone, c}; });
        form->oldUnits()->FileConvertItemClick();
        QCOMPARE(messages.texts(), QStringList({"Cannot read the file " + gone}));
        QCOMPARE(form->StatusLine()->currentMessage(), QStringLiteral("Converting: gone.vok ..."));
        QCOMPARE(listed(*form), QStringList({"animals"}));
        QVERIFY(!QFile::exists(units + QStringLiteral("colours.lif")));
    }

    void theOldUnitFilterComesBackAfterWaveFiles()
    {
        auto form = createForm();
        QFileDialog *dialog = form->OpenDialog();
        QCOMPARE(dialog->objectName(), QStringLiteral("OpenDialog"));
        dialog->setNameFilter(QStringLiteral("Wave files (*.wav)"));
        dialog->setFileMode(QFileDialog::ExistingFile);
        QCOMPARE(form->oldUnits()->prepareOldUnitDialog(), dialog);
        QCOMPARE(dialog->nameFilters(), QStringList({"Lumo 3.0 Files (*.vok *.VOK)"}));
        QCOMPARE(dialog->fileMode(), QFileDialog::ExistingFiles);
        QCOMPARE(dialog->defaultSuffix(), QStringLiteral("vok"));
        QCOMPARE(QDir(dialog->directory()).absolutePath() + u'/', units);
    }

    void convertIsOnlyOnTheUnitManager()
    {
        UnitDescriptor(units + QStringLiteral("unit.lif")).write(0, 0, QString(), QString());
        auto form = createForm();
        form->unitPage()->LumoListView1->selectCaption(QStringLiteral("unit"));
        QVERIFY(form->PageControl()->requestPage(2));
        QVERIFY(!form->MainMenu()->actions().FileConvertItem->isEnabled());
    }

    void switchingTheLanguageChangesEveryText()
    {
        auto form = createForm();
        QCOMPARE(form->MainMenu()->topLevel(MainMenuBar::FileMenu)->title(), QStringLiteral("&File"));
        QString preselected;
        form->LanguageDlg()->setFormRunner([&](TLanguageSelect &form) {
            preselected = form.LanguageComboBox->currentText();
            form.LanguageComboBox->setCurrentIndex(
                form.LanguageComboBox->findText(QStringLiteral("Deutsch")));
            return int(QDialog::Accepted);
        });
        form->MainMenu()->actions().OptionsLanguageItem->trigger();
        QCOMPARE(preselected, QStringLiteral("English"));
        QCOMPARE(form->MainMenu()->topLevel(MainMenuBar::FileMenu)->title(), QStringLiteral("&Datei"));
        QCOMPARE(form->unitPage()->LumoListView1->model()->headerData(0, Qt::Horizontal).toString(),
                 QStringLiteral("Datei"));
        saveScreenshot(*form, QStringLiteral("mainform-deutsch"));
        form->close();
        TRegFile store(registryPath());
        store.setKey(QStringLiteral("Software\\Halvet\\Lumo96"));
        QCOMPARE(store.ReadValue(QStringLiteral("LanguageFile")).toString(),
                 folder->filePath(QStringLiteral("deutsch.llf")));
    }

    // The chooser lists every shipped language; each one changes the window's texts and help,
    // and English at the end brings every text back as it was.
    void switchingThroughEveryLanguageAndBack()
    {
        const QDir data(QFileInfo(TestFolder::shippedFile(QStringLiteral("english.llf"))).path());
        const QStringList files = data.entryList({QStringLiteral("*.llf")});
        for (const QString &file : files)
            folder->copyFromData(file);
        makeUnit(QStringLiteral("animals"), 3); // American English and German
        auto form = createForm();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        form->unitPage()->LumoListView1->selectCaption(QStringLiteral("animals"));
        // The logbook's grid and then the input grid show the unit while the language changes.
        QTabBar *tabs = form->PageControl()->tabBar();
        for (const int page : {3, 2}) {
            QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(page).center());
            QCOMPARE(form->PageControl()->currentIndex(), page);
        }
        const QStringList english = textsOf(*form);
        QString current = QStringLiteral("English");
        QStringList listed;
        const auto choose = [&](const QString &description) {
            form->LanguageDlg()->setFormRunner([&](TLanguageSelect &dialog) {
                listed.clear();
                for (int i = 0; i < dialog.LanguageComboBox->count(); ++i)
                    listed.append(dialog.LanguageComboBox->itemText(i));
                if (dialog.LanguageComboBox->currentText() != current)
                    return int(QDialog::Rejected);
                dialog.LanguageComboBox->setCurrentIndex(dialog.LanguageComboBox->findText(description));
                return int(QDialog::Accepted);
            });
            form->MainMenu()->actions().OptionsLanguageItem->trigger();
        };
        for (const QString &file : files) {
            const QString path = folder->filePath(file);
            const IniFile texts(path);
            const QString description =
                texts.readString(QStringLiteral("general"), QStringLiteral("Description"), QString());
            if (file == QStringLiteral("english.llf"))
                continue;
            choose(description);
            QCOMPARE(listed.size(), files.size());
            QCOMPARE(form->unitPage()->LumoListView1->languageFile(), path);
            current = description;
            QCOMPARE(form->MainMenu()->topLevel(MainMenuBar::FileMenu)->title(),
                     texts.readString(QStringLiteral("MainForm"), QStringLiteral("FileMenu"), QString()));
            QCOMPARE(form->PageControl()->tabText(0),
                     texts.readString(QStringLiteral("MainForm"), QStringLiteral("UnitPage"), QString()));
            for (const QTableView *grid : {static_cast<QTableView *>(form->inputPage()->LumoDBGrid1),
                                           static_cast<QTableView *>(form->logbookPage()->LumoDBLogGrid1)})
                QCOMPARE(grid->model()->headerData(1, Qt::Horizontal).toString(),
                         texts.readString(QStringLiteral("general"), QStringLiteral("Language6"), QString()));
            QCOMPARE(
                QFileInfo(help.helpFile()).fileName().toLower(),
                texts.readString(QStringLiteral("general"), QStringLiteral("HelpFile"), QString()).toLower());
            // Most words of the window are now the language's own.
            const QStringList shown = textsOf(*form);
            QCOMPARE(shown.size(), english.size());
            static const QRegularExpression word(QStringLiteral("\\p{L}{2,}"));
            int words = 0;
            QStringList unchanged;
            for (int i = 0; i < shown.size(); ++i) {
                if (!english.at(i).contains(word))
                    continue;
                ++words;
                if (shown.at(i) == english.at(i))
                    unchanged.append(shown.at(i));
            }
            QVERIFY2(unchanged.size() * 5 < words, qPrintable(file + u' ' + unchanged.join(u'/')));
        }
        choose(QStringLiteral("English"));
        QCOMPARE(textsOf(*form), english);
        QVERIFY(messages.texts().isEmpty());
    }

    void cancellingTheChooserChangesNothing()
    {
        auto form = createForm();
        form->LanguageDlg()->setFormRunner([](TLanguageSelect &) { return int(QDialog::Rejected); });
        form->OptionsLanguageItemClick();
        QCOMPARE(form->MainMenu()->topLevel(MainMenuBar::FileMenu)->title(), QStringLiteral("&File"));
        QCOMPARE(form->unitPage()->LumoListView1->languageFile(),
                 folder->filePath(QStringLiteral("english.llf")));
    }
};

QTEST_MAIN(TestShellCommands)
#include "tst_shellcommands.moc"

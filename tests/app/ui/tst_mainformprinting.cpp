#include "app/ui/mainform.h"
#include "app/ui/mainmenubar.h"
#include "app/ui/pagecontrol.h"
#include "input/ui/inputpage.h"
#include "platform/ini/regfile.h"
#include "print/printsettings.h"
#include "print/ui/printcommands.h"
#include "support/scriptedhelpservice.h"
#include "support/scriptedmessageservice.h"
#include "support/testfolder.h"
#include "units/ui/lumolistview.h"
#include "units/ui/unitpage.h"
#include "vocfile/lumotable.h"
#include "vocfile/unitdescriptor.h"
#include "widgets/speedbutton.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QtTest>

// The print commands of the main window: which unit they print, from which page, and that
// the settings chosen for a job stay with the window.
class TestMainFormPrinting : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestFolder> folder;
    ScriptedMessageService messages;
    ScriptedHelpService help;
    QString units;
    QStringList suggested;
    QList<PrintSettings> offered;

    std::unique_ptr<TMainForm> createForm()
    {
        auto form = std::make_unique<TMainForm>(
            std::make_unique<TRegFile>(folder->path() + QStringLiteral("../registry.sqlite")), messages);
        form->setHelpService(help);
        form->FormCreate();
        // The dialogs answered: a larger font is chosen, the PDF goes into the test folder.
        auto *printing = form->findChild<PrintCommands *>();
        printing->setAlwaysPdf(true);
        printing->setSetupDialog([this](PrintSettings &settings, const QString &) {
            offered.append(settings);
            settings.fontSize = 14;
            return true;
        });
        printing->setPdfChooser([this](const QString &path) {
            suggested.append(QFileInfo(path).fileName());
            return folder->filePath(QFileInfo(path).fileName());
        });
        return form;
    }

    QString makeUnit(const QString &name, int count)
    {
        const QString descriptor = units + name + QStringLiteral(".lif");
        UnitDescriptor(descriptor).write(2, 6, QStringLiteral("test words"), QStringLiteral("Arial"));
        TLumoTable table(messages);
        table.setVocabularyFile(units + name + QStringLiteral(".db"));
        table.open();
        for (int i = 0; i < count; ++i)
            table.appendRecord(
                {QVariant(), QStringLiteral("word %1").arg(i), QStringLiteral("Wort %1").arg(i), 1});
        table.close();
        return descriptor;
    }

private slots:
    void init()
    {
        folder = std::make_unique<TestFolder>();
        units = folder->path() + QStringLiteral("Vocabulary/Other/");
        QVERIFY(QDir().mkpath(units));
        folder->copyFromData(QStringLiteral("english.llf"));
        messages = ScriptedMessageService();
        suggested.clear();
        offered.clear();
    }
    void cleanup() { folder.reset(); }

    void unitManagerPrintsTheSelectedUnit()
    {
        makeUnit(QStringLiteral("animals"), 3);
        makeUnit(QStringLiteral("plants"), 3);
        auto form = createForm();
        const MainMenuActions &menu = form->MainMenu()->actions();
        QVERIFY(menu.FilePrintItem->isEnabled() && menu.FilePrintSetupItem->isEnabled());
        QVERIFY(form->unitPage()->PrintSBtn->isEnabled());

        menu.FilePrintItem->trigger(); // nothing selected: nothing happens
        QVERIFY(offered.isEmpty());
        QVERIFY(messages.shown().isEmpty());

        form->unitPage()->LumoListView1->selectCaption(QStringLiteral("plants"));
        form->unitPage()->PrintSBtn->click();
        QCOMPARE(suggested, QStringList{"plants.pdf"});
        QVERIFY(QFileInfo(folder->filePath(QStringLiteral("plants.pdf"))).size() > 0);
        QCOMPARE(form->printSettings().fontSize, 14);
        // The unit manager keeps no table open after the job.
        QVERIFY(!form->LumoTable1()->active());

        menu.FilePrintItem->trigger();
        QCOMPARE(offered.size(), 2);
        QCOMPARE(offered.last().fontSize, 14); // the next job starts from the last choice
    }

    void inputPagePrintsTheUnitWorkedOn()
    {
        makeUnit(QStringLiteral("animals"), 4);
        auto form = createForm();
        form->unitPage()->LumoListView1->selectCaption(QStringLiteral("animals"));
        QVERIFY(form->PageControl()->requestPage(2));
        QCOMPARE(form->CurrentUnitFile(), units + QStringLiteral("animals.lif"));
        QVERIFY(form->inputPage()->PrintSBtn2->isEnabled());
        form->inputPage()->PrintSBtn2->click();
        QCOMPARE(suggested, QStringList{"animals.pdf"});
        QVERIFY(QFileInfo(folder->filePath(QStringLiteral("animals.pdf"))).size() > 0);
        // The page's table stays open, back at its first entry.
        QVERIFY(form->LumoTable1()->active());
        QCOMPARE(form->LumoTable1()->recNo(), 0);
    }
};

QTEST_MAIN(TestMainFormPrinting)
#include "tst_mainformprinting.moc"

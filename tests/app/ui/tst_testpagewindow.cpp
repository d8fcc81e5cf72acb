#include "app/ui/mainform.h"
#include "app/ui/mainmenubar.h"
#include "app/ui/pagecontrol.h"
#include "platform/ini/inifile.h"
#include "platform/ini/regfile.h"
#include "platform/sound/wavewriter.h"
#include "support/screenshot.h"
#include "support/scriptedhelpservice.h"
#include "support/scriptedmessageservice.h"
#include "support/testfolder.h"
#include "units/ui/lumolistview.h"
#include "units/ui/unitpage.h"
#include "vocfile/lumotable.h"
#include "vocfile/unitdescriptor.h"
#include "voctest/lumovoctest.h"
#include "voctest/ui/mistakereportform.h"
#include "voctest/ui/testfinished.h"
#include "voctest/ui/testpage.h"
#include "voctest/ui/testparamsdlg.h"
#include "voctest/ui/voctestwindows.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

namespace {
enum Page { UnitManager = 0, Test = 1 };
} // namespace

// The test page on the main window: the window hands it the unit, its texts and the test
// settings command, and the engine's real windows show the mistakes and the result.
class TestTestPageWindow : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestFolder> folder;
    ScriptedMessageService messages;
    ScriptedHelpService help;

    std::unique_ptr<TMainForm> createForm()
    {
        auto form = std::make_unique<TMainForm>(
            std::make_unique<TRegFile>(folder->path() + QStringLiteral("../registry.sqlite")), messages);
        form->setHelpService(help);
        form->FormCreate();
        return form;
    }

    // Six entries, each with a short spoken sound on both sides.
    void makeUnit()
    {
        const QString units = folder->path() + QStringLiteral("Vocabulary/Other/");
        QVERIFY(QDir().mkpath(units));
        UnitDescriptor(units + QStringLiteral("animals.lif"))
            .write(2, 6, QStringLiteral("Animals on the farm"), QStringLiteral("MS Sans Serif"));
        TLumoTable table(messages);
        table.setVocabularyFile(units + QStringLiteral("animals.db"));
        table.open();
        const QByteArray wave = WaveWriter().image(QByteArray(800, char(128)));
        const QStringList english{"the horse", "the cow", "the pig", "the sheep", "the goat", "the hen"};
        const QStringList german{"das Pferd", "die Kuh", "das Schwein", "das Schaf", "die Ziege", "das Huhn"};
        for (int i = 0; i < english.size(); ++i)
            table.appendRecord({QVariant(), english.at(i), german.at(i), 1, wave, wave});
        table.close();
    }

    // Opens the test page on the unit with the variant of that description.
    std::unique_ptr<TMainForm> openTestPage(const QString &variant)
    {
        auto form = createForm();
        form->unitPage()->LumoListView1->selectCaption(QStringLiteral("animals"));
        [&] { QVERIFY(form->PageControl()->requestPage(Test)); }();
        TestPage *page = form->testPage();
        page->TestVariants->setCurrentIndex(page->TestVariants->findText(variant));
        return form;
    }

private slots:
    void init()
    {
        folder = std::make_unique<TestFolder>();
        folder->copyFromData(QStringLiteral("english.llf"));
        for (const char *variant : {"1-standard.ltf", "4-multichoice.ltf", "5-comprehension.ltf"})
            folder->copyFromData(QLatin1String(variant));
        messages = ScriptedMessageService();
        help = ScriptedHelpService();
        makeUnit();
    }
    void cleanup() { folder.reset(); }

    void enteringThePageShowsTheUnit()
    {
        auto form = openTestPage(QStringLiteral("Standard test"));
        TestPage *page = form->testPage();
        QCOMPARE(page->FileNameLabel->text(), QStringLiteral("animals"));
        QCOMPARE(page->TitleLabel->text(), QStringLiteral("Animals on the farm"));
        QCOMPARE(page->MaxProgress->text(), QStringLiteral("6"));
        QCOMPARE(page->QuestionLabel->font().family(), form->LumoVocTest1()->fontName());
        QCOMPARE(page->StartBtn->toolTip(), QStringLiteral("Start the test"));
        // The first test runs in the order the page shows.
        QVERIFY(page->RandomOrder->isChecked());
        QCOMPARE(form->LumoVocTest1()->order(), TLumoVocTest::toRandom);
        QVERIFY(messages.shown().isEmpty());
    }

    void startAndNextTakeTheWindowsTexts()
    {
        auto form = openTestPage(QStringLiteral("Standard test"));
        TestPage *page = form->testPage();
        page->StartBtn->click();
        QCOMPARE(page->StartBtn->text(), QStringLiteral("&Next"));
        QCOMPARE(page->StartBtn->toolTip(),
                 QStringLiteral("Check the answer and go on to the next question"));
        // Leaving a test that was started but not yet answered asks too.
        messages.answerWith(MessageService::No);
        QVERIFY(!form->PageControl()->requestPage(UnitManager));
        messages.answerWith(MessageService::Yes);
        QVERIFY(form->PageControl()->requestPage(UnitManager));
        QCOMPARE(page->StartBtn->text(), QStringLiteral("&Start"));
        QVERIFY(!page->StopBtn->isEnabled());
    }

    void testSettingsCommandOpensTheDialogWithHelp()
    {
        auto form = openTestPage(QStringLiteral("Multiple choice"));
        TestPage *page = form->testPage();
        QAction *command = form->MainMenu()->actions().TestSettingsItem;
        QVERIFY(command->isEnabled());
        QString shownVariant;
        QString caption;
        page->runSettingsDialog = [&](TTestParamsDlg &dialog) {
            shownVariant = dialog.TestVariants->currentText();
            caption = dialog.windowTitle();
            dialog.HelpBtn->click();
            return int(QDialog::Rejected);
        };
        command->trigger();
        QCOMPARE(shownVariant, QStringLiteral("Multiple choice"));
        QCOMPARE(caption, QStringLiteral("Test Settings"));
        QCOMPARE(help.topics(), QList<int>{320});
    }

    void settingsDialogClosedAnyWayRelistsTheVariants_data()
    {
        QTest::addColumn<QString>("closing");
        QTest::addColumn<QString>("variantFile");
        QTest::newRow("Cancel") << "cancel"
                                << "1-standard.ltf";
        QTest::newRow("Escape") << "escape"
                                << "1-standard.ltf";
        QTest::newRow("OK") << "ok"
                            << "4-multichoice.ltf";
    }

    // The variant shown is made multiple choice and saved by moving to another one: however
    // the dialog closes, the page shows choices and a right choice is judged right.
    void settingsDialogClosedAnyWayRelistsTheVariants()
    {
        QFETCH(QString, closing);
        QFETCH(QString, variantFile);
        auto form = openTestPage(QStringLiteral("Standard test"));
        TestPage *page = form->testPage();
        page->runSettingsDialog = [&](TTestParamsDlg &dialog) {
            dialog.show();
            QTest::mouseClick(dialog.MultiChoice, Qt::LeftButton);
            QTest::keyClick(dialog.TestVariants, Qt::Key_Down);
            if (closing == QStringLiteral("cancel"))
                QTest::mouseClick(dialog.CancelBtn, Qt::LeftButton);
            else if (closing == QStringLiteral("escape"))
                QTest::keyClick(&dialog, Qt::Key_Escape);
            else
                QTest::mouseClick(dialog.OkBtn, Qt::LeftButton);
            return dialog.result();
        };
        QTest::mouseClick(page->ConfigureTestBtn, Qt::LeftButton);
        QCOMPARE(QFileInfo(page->selectedVariantFile()).fileName(), variantFile);
        TLumoVocTest *engine = form->LumoVocTest1();
        QCOMPARE(engine->testType(), TestType::MultipleChoice);
        QVERIFY(page->Choice[0]->isVisibleTo(page));
        QVERIFY(!page->AnswerEdit->isVisibleTo(page));
        page->StartBtn->click();
        for (QCheckBox *choice : page->Choice)
            if (choice->text() == engine->answer())
                choice->click();
        page->StartBtn->click();
        QCOMPARE(page->ProgressCount->text(), QStringLiteral("(1)"));
        QCOMPARE(page->MistakesCount->text(), QStringLiteral("(0)"));
        QVERIFY(messages.shown().isEmpty());
    }

    void configureDuringATestAsksToStopItFirst_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("Yes") << int(MessageService::Yes);
        QTest::newRow("No") << int(MessageService::No);
        QTest::newRow("Cancel") << int(MessageService::Cancel);
    }

    // As leaving the page does: the dialog would rebuild the queue under the running test.
    void configureDuringATestAsksToStopItFirst()
    {
        QFETCH(int, answer);
        auto form = openTestPage(QStringLiteral("Standard test"));
        TestPage *page = form->testPage();
        TLumoVocTest *engine = form->LumoVocTest1();
        page->StartBtn->click();
        page->AnswerEdit->setText(engine->answer());
        page->StartBtn->click();
        const QString question = engine->question();
        bool opened = false;
        page->runSettingsDialog = [&](TTestParamsDlg &) {
            opened = true;
            return int(QDialog::Rejected);
        };
        messages.answerWith(MessageService::Button(answer));
        QTest::mouseClick(page->ConfigureTestBtn, Qt::LeftButton);
        const bool stopped = answer == MessageService::Yes;
        QCOMPARE(opened, stopped);
        QCOMPARE(page->StopBtn->isEnabled(), !stopped);
        QCOMPARE(page->ProgressCount->text(), stopped ? QStringLiteral("(0)") : QStringLiteral("(1)"));
        if (!stopped)
            QCOMPARE(engine->question(), question);
        QCOMPARE(messages.texts().value(0), QStringLiteral("If you change the page now, the test will be "
                                                           "aborded. Do you want to abord the test?"));
        QCOMPARE(messages.shown().at(0).buttons,
                 MessageService::Yes | MessageService::No | MessageService::Cancel);
        QCOMPARE(messages.texts().contains(QStringLiteral("Test aborded!")), stopped);
    }

    // The German file names the shipped variants; a variant of the user's own under one of
    // those names, and a shipped one he renamed, keep their names. The dialog shows the
    // variant of the page's file, whatever the names.
    void variantsAreNamedByTheLanguageAndFoundByFile()
    {
        auto writeVariant = [this](const QString &name, const QString &description) {
            const QString path = folder->path() + name;
            IniFile(path).writeString(QStringLiteral("settings"), QStringLiteral("Description"), description);
        };
        writeVariant(QStringLiteral("9-mine.ltf"), QStringLiteral("Standardtest"));
        writeVariant(QStringLiteral("5-comprehension.ltf"), QStringLiteral("Listening, my way"));
        auto form = createForm();
        form->ApplyLanguageFile(folder->copyFromData(QStringLiteral("deutsch.llf")));
        form->unitPage()->LumoListView1->selectCaption(QStringLiteral("animals"));
        QVERIFY(form->PageControl()->requestPage(Test));
        TestPage *page = form->testPage();
        QStringList names;
        for (int i = 0; i < page->TestVariants->count(); ++i)
            names.append(page->TestVariants->itemText(i));
        QCOMPARE(names,
                 QStringList({"Standardtest", "Multiple Choice", "Listening, my way", "Standardtest"}));
        QCOMPARE(page->ProgressLabel->text(), QStringLiteral("Fortschritt"));
        QCOMPARE(page->MistakesLabel->text(), QStringLiteral("Fehler"));

        QTest::keyClick(page->TestVariants, Qt::Key_Home);
        QCOMPARE(QFileInfo(page->selectedVariantFile()).fileName(), QStringLiteral("1-standard.ltf"));
        QString shownFile;
        QStringList dialogNames;
        page->runSettingsDialog = [&](TTestParamsDlg &dialog) {
            shownFile = QFileInfo(dialog.paths().value(dialog.TestVariants->currentIndex())).fileName();
            for (int i = 0; i < dialog.TestVariants->count(); ++i)
                dialogNames.append(dialog.TestVariants->itemText(i));
            return int(QDialog::Rejected);
        };
        QTest::mouseClick(page->ConfigureTestBtn, Qt::LeftButton);
        QCOMPARE(shownFile, QStringLiteral("1-standard.ltf"));
        QCOMPARE(dialogNames, names);
        QCOMPARE(QFileInfo(page->selectedVariantFile()).fileName(), QStringLiteral("1-standard.ltf"));

        // Back in English the shipped names are the files' own.
        form->ApplyLanguageFile(folder->path() + QStringLiteral("english.llf"));
        QCOMPARE(page->TestVariants->itemText(0), QStringLiteral("Standard test"));
        QCOMPARE(page->TestVariants->currentIndex(), 0);
        QCOMPARE(page->ProgressLabel->text(), QStringLiteral("Progress"));
    }

    void screenshotsOfEachKind_data()
    {
        QTest::addColumn<QString>("variant");
        QTest::addColumn<QString>("name");
        QTest::newRow("standard") << "Standard test"
                                  << "testpage-standard";
        QTest::newRow("multiple choice") << "Multiple choice"
                                         << "testpage-multichoice";
        QTest::newRow("listening") << "Listening comprehension"
                                   << "testpage-comprehension";
    }

    void screenshotsOfEachKind()
    {
        QFETCH(QString, variant);
        QFETCH(QString, name);
        auto form = openTestPage(variant);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        TestPage *page = form->testPage();
        TLumoVocTest *engine = form->LumoVocTest1();
        QVERIFY(engine->ready());
        page->StartBtn->click();
        // One right answer and one wrong one, with the real report and summary windows.
        if (page->AnswerEdit->isVisible()) {
            page->AnswerEdit->setText(engine->answer());
        } else {
            for (QCheckBox *choice : page->Choice)
                if (choice->text() == engine->answer())
                    choice->click();
        }
        page->StartBtn->click();
        QCOMPARE(page->ProgressCount->text(), QStringLiteral("(1)"));

        bool reportShown = false;
        QTimer::singleShot(0, form.get(), [&] {
            TMistakeReportForm *report = form->testWindows()->mistakeReportForm();
            reportShown = report && report->isVisible();
            if (report)
                saveScreenshot(*report, name + QStringLiteral("-mistake"));
            saveScreenshot(*form, name + QStringLiteral("-during-mistake")); // choices coloured
            if (report)
                QTest::keyClick(report, Qt::Key_Space);
        });
        if (page->AnswerEdit->isVisible())
            page->AnswerEdit->setText(QStringLiteral("wrong"));
        else
            page->Choice[0]->text() == engine->answer() ? page->Choice[1]->click() : page->Choice[0]->click();
        page->StartBtn->click();
        QVERIFY(reportShown);
        QCOMPARE(page->MistakesCount->text(), QStringLiteral("(1)"));
        QCOMPARE(form->size(), QSize(600, 460));
        saveScreenshot(*form, name);
        form->showMaximized();
        QTRY_VERIFY(form->isMaximized());
        QApplication::processEvents();
        QCOMPARE(page->QuestionLabel->y(), qRound(page->MainPanel->height() * 0.08));
        saveScreenshot(*form, name + QStringLiteral("-maximised"));

        // Answer the rest rightly; the summary closes with its button.
        bool summaryShown = false;
        std::function<void()> closeSummary = [&] {
            auto *summary = qobject_cast<TTestFinished *>(QApplication::activeModalWidget());
            if (!summary) {
                QTimer::singleShot(10, form.get(), closeSummary);
                return;
            }
            summaryShown = true;
            saveScreenshot(*summary, name + QStringLiteral("-summary"));
            summary->accept();
        };
        QTimer::singleShot(0, form.get(), closeSummary);
        for (int guard = 0; page->StopBtn->isEnabled() && guard < 20; ++guard) {
            const QString answer = engine->answer();
            if (page->AnswerEdit->isVisible())
                page->AnswerEdit->setText(answer);
            for (QCheckBox *choice : page->Choice)
                if (choice->isVisible() && choice->text() == answer)
                    choice->click();
            page->StartBtn->click();
        }
        QVERIFY(summaryShown);
        QVERIFY(!page->StopBtn->isEnabled());
        QVERIFY(page->TestVariants->isEnabled());
        QCOMPARE(page->ProgressCount->text(), QStringLiteral("(0)"));
        // Listening plays every question; a machine without a sound device says so each time.
        QStringList texts = messages.texts();
        if (name.endsWith(QStringLiteral("comprehension")))
            texts.removeAll(QStringLiteral("Error opening multimedia device!"));
        QVERIFY2(texts.isEmpty(), qPrintable(texts.join(u'|')));
    }
};

QTEST_MAIN(TestTestPageWindow)
#include "tst_testpagewindow.moc"

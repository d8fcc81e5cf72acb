// The due-words order on the main window's test page, in English and German.

#include "app/ui/mainform.h"
#include "app/ui/mainformfixture.h"
#include "app/ui/mainmenubar.h"
#include "app/ui/pagecontrol.h"
#include "logbook/ui/logbookpage.h"
#include "support/screenshot.h"
#include "uilang/ui/languagedlg.h"
#include "units/ui/lumolistview.h"
#include "units/ui/unitpage.h"
#include "voctest/lumovoctest.h"
#include "voctest/ui/testpage.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace {
enum Page { Test = 1, Logbook = 3 };
} // namespace

class TestDueOrderWindow : public QObject, protected MainFormFixture
{
    Q_OBJECT

    std::unique_ptr<TMainForm> openTestPage()
    {
        auto form = createForm();
        form->unitPage()->LumoListView1->selectCaption(QStringLiteral("unit"));
        [&] { QVERIFY(form->PageControl()->requestPage(Test)); }();
        return form;
    }

    void switchToGerman(TMainForm &form)
    {
        form.LanguageDlg()->setFormRunner([](TLanguageSelect &dialog) {
            dialog.LanguageComboBox->setCurrentIndex(
                dialog.LanguageComboBox->findText(QStringLiteral("Deutsch")));
            return int(QDialog::Accepted);
        });
        form.MainMenu()->actions().OptionsLanguageItem->trigger();
    }

private slots:
    void init()
    {
        setUpFixture();
        folder->copyFromData(QStringLiteral("deutsch.llf"));
        folder->writeText(QStringLiteral("1-standard.ltf"),
                          QStringLiteral("[settings]\nDescription=Standard test\nTestType=standard\n"));
        // Learns no new words: on a unit never tested, nothing is due.
        folder->writeText(
            QStringLiteral("2-nonew.ltf"),
            QStringLiteral("[settings]\nDescription=Reviews only\nTestType=standard\nNewPerDay=0\n"));
        makeUnit(QStringLiteral("unit"), 6);
    }
    void cleanup() { folder.reset(); }

    void dueOrderRunsATest()
    {
        auto form = openTestPage();
        TestPage *page = form->testPage();
        QCOMPARE(page->DueOrder->text(), QStringLiteral("&Due words"));
        QCOMPARE(page->DueOrder->toolTip(),
                 QStringLiteral("Ask the words that are due for review, then a few new ones"));
        // The described orders keep their values; the new one comes after them.
        QCOMPARE(int(TLumoVocTest::toDue), 3);
        QVERIFY(page->RandomOrder->isChecked());
        page->TestVariants->setCurrentIndex(page->TestVariants->findText(QStringLiteral("Standard test")));
        page->DueOrder->click();
        TLumoVocTest *engine = form->LumoVocTest1();
        QCOMPARE(engine->order(), TLumoVocTest::toDue);
        QVERIFY(engine->ready());
        QCOMPARE(page->MaxProgress->text(), QStringLiteral("6")); // six new words of twenty a day
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        saveScreenshot(*form, QStringLiteral("testpage-dueorder-english"));

        page->StartBtn->click();
        QVERIFY(!page->DueOrder->isEnabled()); // fixed while the test runs, like the others
        QVERIFY(page->StopBtn->isEnabled());
        page->AnswerEdit->setText(engine->answer());
        page->StartBtn->click();
        QCOMPARE(page->ProgressCount->text(), QStringLiteral("(1)"));
        page->StopBtn->click();
        QVERIFY(page->DueOrder->isEnabled());
        QVERIFY(page->DueOrder->isChecked());
        // The one right answer was a review; the five others stay new.
        QCOMPARE(page->MaxProgress->text(), QStringLiteral("5"));
    }

    void logbookShowsDueCounts()
    {
        auto form = openTestPage();
        TestPage *page = form->testPage();
        page->TestVariants->setCurrentIndex(page->TestVariants->findText(QStringLiteral("Standard test")));
        page->DueOrder->click();
        page->StartBtn->click();
        // A word answered right is due again in a few days, not today.
        page->AnswerEdit->setText(form->LumoVocTest1()->answer());
        page->StartBtn->click();
        page->StopBtn->click();
        QVERIFY(form->PageControl()->requestPage(Logbook));
        LogbookPage *logbook = form->logbookPage();
        QCOMPARE(logbook->DueTodayLabel->text(), QStringLiteral("Due today:"));
        QCOMPARE(logbook->DueToday->text(), QStringLiteral("0"));
        QCOMPARE(logbook->DueWeek->text(), QStringLiteral("1"));
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        saveScreenshot(*form, QStringLiteral("logbook-duecounts-english"));
        switchToGerman(*form);
        QCOMPARE(logbook->DueWeekLabel->text(), QStringLiteral("In 7 Tagen f\u00e4llig:"));
        // The longer German captions get their room once the panel is laid out again.
        QTRY_VERIFY(logbook->DueWeekLabel->width() >= logbook->DueWeekLabel->sizeHint().width());
        saveScreenshot(*form, QStringLiteral("logbook-duecounts-deutsch"));
    }

    void nothingDueSaysSo()
    {
        auto form = openTestPage();
        TestPage *page = form->testPage();
        page->TestVariants->setCurrentIndex(page->TestVariants->findText(QStringLiteral("Reviews only")));
        page->DueOrder->click();
        QVERIFY(!form->LumoVocTest1()->ready());
        messages.clear();
        page->StartBtn->click();
        QCOMPARE(messages.texts(), QStringList{QStringLiteral("No words are due today.")});
        QVERIFY(!page->StopBtn->isEnabled()); // no empty test
        // The other orders start as before, without a word.
        messages.clear();
        page->ForwardOrder->click();
        page->StartBtn->click();
        QVERIFY(page->StopBtn->isEnabled());
        QVERIFY(messages.texts().isEmpty());
    }

    void german()
    {
        auto form = openTestPage();
        switchToGerman(*form);
        TestPage *page = form->testPage();
        QCOMPARE(page->DueOrder->text(), QStringLiteral("&Fällige Wörter"));
        QCOMPARE(page->DueOrder->toolTip(),
                 QStringLiteral("Die zur Wiederholung fälligen Wörter abfragen, danach einige neue"));
        page->TestVariants->setCurrentIndex(page->TestVariants->findText(QStringLiteral("Reviews only")));
        page->DueOrder->click();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        saveScreenshot(*form, QStringLiteral("testpage-dueorder-deutsch"));
        messages.clear();
        page->StartBtn->click();
        QCOMPARE(messages.texts(), QStringList{QStringLiteral("Heute sind keine Wörter fällig.")});
    }
};

QTEST_MAIN(TestDueOrderWindow)
#include "tst_dueorderwindow.moc"

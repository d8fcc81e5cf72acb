#include "support/screenshot.h"
#include "voctest/ui/gauge.h"
#include "voctest/ui/mistakereportform.h"
#include "voctest/ui/testfinished.h"
#include "voctest/ui/voctestwindows.h"

#include <QApplication>
#include <QDir>
#include <QFontDatabase>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {
MistakeReport report()
{
    return MistakeReport{QStringLiteral("gehen"), QStringLiteral("(to) walk; (to) go"),
                         QStringLiteral("MS Sans Serif")};
}

VocTestCaptions germanCaptions()
{
    VocTestCaptions c;
    c.caption = QStringLiteral("Fehler");
    c.label1 = QStringLiteral("Leider nicht ganz richtig!");
    c.testFinishedLabel = QStringLiteral("Test beendet!");
    c.rightCountLabel = QStringLiteral("Richtig:");
    c.totalScoreLabel = QStringLiteral("Gesamt");
    return c;
}
} // namespace

class TestVocTestWindows : public QObject
{
    Q_OBJECT

private slots:
    void reportShowsQuestionAndAnswer();
    void reportUsesTheUnitFontWhenInstalled();
    void reportClosesOnAnyInput_data();
    void reportClosesOnAnyInput();
    void engineWaitsUntilTheReportCloses();
    void summaryShowsCountsAndScore_data();
    void summaryShowsCountsAndScore();
    void summaryIsModalAndClosesWithOk();
};

void TestVocTestWindows::reportUsesTheUnitFontWhenInstalled()
{
    TMistakeReportForm form;
    MistakeReport withFont = report();
    withFont.fontName = QStringLiteral("DejaVu Serif");
    form.setContent(withFont, germanCaptions());
    if (!QFontDatabase::hasFamily(withFont.fontName))
        QSKIP("DejaVu Serif is not installed");
    QCOMPARE(form.Question->font().family(), withFont.fontName);
    // The next unit's font is missing: the default font, not the last unit's.
    MistakeReport missing = report();
    missing.fontName = QStringLiteral("No Such Font 97");
    form.setContent(missing, germanCaptions());
    for (const QLabel *label : {form.Question, form.Answer})
        QCOMPARE(label->font().family(), QApplication::font(label).family());
}

void TestVocTestWindows::reportShowsQuestionAndAnswer()
{
    TMistakeReportForm form;
    form.setContent(report(), germanCaptions());
    QCOMPARE(form.windowTitle(), QStringLiteral("Fehler"));
    QCOMPARE(form.Label1->text(), QStringLiteral("Leider nicht ganz richtig!"));
    QCOMPARE(form.Label2->text(), QStringLiteral("The correct translation for"));
    QCOMPARE(form.Label3->text(), QStringLiteral("is"));
    QCOMPARE(form.Question->text(), QStringLiteral("gehen"));
    QCOMPARE(form.Answer->text(), QStringLiteral("(to) walk; (to) go"));
    // Units name "MS Sans Serif", which Linux lacks: the words keep the window's own font rather than
    // whatever the font matcher would substitute.
    QCOMPARE(form.Answer->font().family(), form.Label1->font().family());
    QVERIFY(form.Question->wordWrap());
    QCOMPARE(form.Question->palette().color(QPalette::WindowText), QColor(0, 0, 128));
    QVERIFY(form.windowFlags() & Qt::Tool);
    QVERIFY(!(form.windowFlags() & Qt::WindowCloseButtonHint));
    saveScreenshot(form, QStringLiteral("mistake-report"));
}

void TestVocTestWindows::reportClosesOnAnyInput_data()
{
    QTest::addColumn<QString>("input");
    QTest::newRow("key") << "key";
    QTest::newRow("click on the window") << "click";
    QTest::newRow("click on a label") << "label";
    QTest::newRow("double click") << "double";
    QTest::newRow("loss of activation") << "deactivate";
}

void TestVocTestWindows::reportClosesOnAnyInput()
{
    QFETCH(QString, input);
    TMistakeReportForm form;
    form.setContent(report(), VocTestCaptions());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    int closed = 0;
    connect(&form, &TMistakeReportForm::closed, this, [&closed] { ++closed; });

    if (input == u"key") {
        QTest::keyClick(&form, Qt::Key_A);
    } else if (input == u"click") {
        QTest::mouseClick(&form, Qt::LeftButton, {}, QPoint(2, 2));
    } else if (input == u"label") {
        QTest::mouseClick(form.windowHandle(), Qt::LeftButton, {}, form.Answer->geometry().center());
    } else if (input == u"double") {
        QTest::mouseDClick(&form, Qt::LeftButton);
    } else {
        QEvent deactivate(QEvent::WindowDeactivate);
        QApplication::sendEvent(&form, &deactivate);
    }
    QTRY_VERIFY(!form.isVisible());
    QCOMPARE(closed, 1);
}

void TestVocTestWindows::engineWaitsUntilTheReportCloses()
{
    VocTestWindows windows;
    TMistakeReportForm *form = windows.mistakeReportForm();
    bool seenOpen = false;
    QTimer::singleShot(0, form, [&] {
        seenOpen = form->isVisible();
        QTest::keyClick(form, Qt::Key_Space);
    });
    windows.showMistakeReport(report(), VocTestCaptions());
    QVERIFY(seenOpen);
    QVERIFY(!form->isVisible());
    QCOMPARE(form->Question->text(), QStringLiteral("gehen"));

    // A second report reuses the same window.
    QTimer::singleShot(0, form, [form] { QTest::mouseClick(form, Qt::LeftButton); });
    windows.showMistakeReport(MistakeReport{QStringLiteral("Haus"), QStringLiteral("house"), QString()},
                              VocTestCaptions());
    QCOMPARE(windows.mistakeReportForm(), form);
    QCOMPARE(form->Answer->text(), QStringLiteral("house"));
}

void TestVocTestWindows::summaryShowsCountsAndScore_data()
{
    QTest::addColumn<int>("words");
    QTest::addColumn<int>("mistakes");
    QTest::addColumn<QString>("right");
    QTest::addColumn<int>("percent");
    QTest::newRow("no mistakes") << 12 << 0 << "12" << 100;
    QTest::newRow("some mistakes") << 9 << 2 << "7" << 77;
    QTest::newRow("all wrong") << 5 << 5 << "0" << 0;
}

void TestVocTestWindows::summaryShowsCountsAndScore()
{
    QFETCH(int, words);
    QFETCH(int, mistakes);
    TTestFinished window;
    TestSummary summary;
    summary.wordCount = words;
    summary.mistakeCount = mistakes;
    window.setContent(summary, germanCaptions());

    QCOMPARE(window.windowTitle(), QStringLiteral("Test beendet!"));
    QCOMPARE(window.TestFinishedLabel->text(), QStringLiteral("Test beendet!"));
    QCOMPARE(window.RightCountLabel->text(), QStringLiteral("Richtig:"));
    QCOMPARE(window.TotalScoreLabel->text(), QStringLiteral("Gesamt"));
    QCOMPARE(window.WordCountLabel->text(), QStringLiteral("Word count:"));
    QCOMPARE(window.ImformationLabel->text(), QStringLiteral("Information:"));
    QCOMPARE(window.InstrLabel->text(),
             QStringLiteral("See the logbook for further information about this test."));
    QCOMPARE(window.WordCount->text(), QString::number(words));
    QCOMPARE(window.MistakeCount->text(), QString::number(mistakes));
    QTEST(window.RightCount->text(), "right");
    QCOMPARE(window.TotalScore->kind(), TGauge::gkText);
    QCOMPARE(window.TotalScore->maxValue(), words);
    QTEST(window.TotalScore->percentDone(), "percent");
    QCOMPARE(window.TotalScore->height(), 21);
    QVERIFY(window.TotalScore->font().bold());
    QVERIFY(window.OkBtn->isDefault());
    if (mistakes == 2)
        saveScreenshot(window, QStringLiteral("test-finished"));
}

void TestVocTestWindows::summaryIsModalAndClosesWithOk()
{
    VocTestWindows windows;
    QString shownRight;
    bool wasModal = false;
    QTimer::singleShot(0, this, [&] {
        auto *window = qobject_cast<TTestFinished *>(QApplication::activeModalWidget());
        QVERIFY(window);
        wasModal = window->isModal();
        shownRight = window->RightCount->text();
        QTest::mouseClick(window->OkBtn, Qt::LeftButton);
    });
    TestSummary summary;
    summary.wordCount = 4;
    summary.mistakeCount = 1;
    windows.showSummary(summary, VocTestCaptions());
    QVERIFY(wasModal);
    QCOMPARE(shownRight, QStringLiteral("3"));
    QVERIFY(!QApplication::activeModalWidget());
}

QTEST_MAIN(TestVocTestWindows)
#include "tst_voctestwindows.moc"

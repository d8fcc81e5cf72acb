#include "app/ui/mainform.h"
#include "app/ui/windowtexts.h"
#include "exchange/ui/importdialog.h"
#include "input/ui/dbmediaplayer.h"
#include "input/ui/finddlg.h"
#include "input/ui/inputpage.h"
#include "logbook/ui/savemistakesform.h"
#include "mainformfixture.h"
#include "print/ui/printsetup.h"
#include "print/ui/printstatus.h"
#include "uilang/ui/languagedlg.h"
#include "units/ui/newvocfile.h"
#include "voctest/ui/configurediscardlist.h"
#include "voctest/ui/mistakereportform.h"
#include "voctest/ui/newtestprofile.h"
#include "voctest/ui/testfinished.h"
#include "voctest/ui/testpage.h"
#include "voctest/ui/testparamsdlg.h"
#include "widgets/customizechar.h"

#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <functional>

using Window = std::function<std::unique_ptr<QWidget>(MessageService &)>;
Q_DECLARE_METATYPE(Window)

// Texts reach a component by its name, so no two components of one window may share one:
// the second would keep its English text, or get the other one's.
class TestComponentNames : public QObject, public MainFormFixture
{
    Q_OBJECT

private slots:
    void init() { setUpFixture(); }
    void cleanup() { folder.reset(); }

    void mainWindowNamesAreUnique()
    {
        const auto form = createForm();
        const QStringList shared = WindowTexts::sharedNames(*form);
        QVERIFY2(shared.isEmpty(), qPrintable(shared.join(QStringLiteral(", "))));
    }

    void dialogNamesAreUnique_data()
    {
        QTest::addColumn<Window>("window");
        QTest::newRow("find") << Window([](MessageService &) { return std::make_unique<TFindDlg>(nullptr); });
        QTest::newRow("customize characters") << Window(
            [](MessageService &messages) { return std::make_unique<TCustomizeChar>(&messages, nullptr); });
        QTest::newRow("import") << Window(
            [](MessageService &messages) { return std::make_unique<TImportDialog>(messages); });
        QTest::newRow("language") << Window(
            [](MessageService &) { return std::make_unique<TLanguageSelect>(); });
        QTest::newRow("test profile")
            << Window([](MessageService &messages) { return std::make_unique<TNewTestProfile>(messages); });
        QTest::newRow("test settings")
            << Window([](MessageService &messages) { return std::make_unique<TTestParamsDlg>(messages); });
        QTest::newRow("discard list") << Window(
            [](MessageService &messages) { return std::make_unique<TConfigureDiscardList>(messages); });
        QTest::newRow("test finished")
            << Window([](MessageService &) { return std::make_unique<TTestFinished>(); });
        QTest::newRow("mistake") << Window(
            [](MessageService &) { return std::make_unique<TMistakeReportForm>(); });
        QTest::newRow("save mistakes") << Window(
            [](MessageService &messages) { return std::make_unique<TSaveMistakesForm>(messages, nullptr); });
        QTest::newRow("unit") << Window(
            [](MessageService &messages) { return std::make_unique<TNewVocFile>(messages); });
        QTest::newRow("print setup") << Window(
            [](MessageService &messages) { return std::make_unique<TPrintSetup>(messages, nullptr); });
        QTest::newRow("print status")
            << Window([](MessageService &) { return std::make_unique<TPrintStatus>(nullptr); });
    }

    void dialogNamesAreUnique()
    {
        QFETCH(Window, window);
        const std::unique_ptr<QWidget> dialog = window(messages);
        const QStringList shared = WindowTexts::sharedNames(*dialog);
        QVERIFY2(shared.isEmpty(), qPrintable(shared.join(QStringLiteral(", "))));
    }

    // The test page's Pause and Stop get their translated captions and hints; the recorder's
    // buttons, which live in the same window, get none of them.
    void testPageButtonsGetTheirTexts()
    {
        const QString german = folder->copyFromData(QStringLiteral("deutsch.llf"));
        const auto form = createForm();
        form->ApplyLanguageFile(german);
        QCOMPARE(form->testPage()->StopBtn->text(), QStringLiteral("Stopp"));
        QCOMPARE(form->testPage()->StopBtn->toolTip(), QStringLiteral("Den Test abbrechen"));
        const TDBMediaPlayer *recorder = form->inputPage()->DBMediaPlayer1;
        for (const auto which : {TDBMediaPlayer::btStop, TDBMediaPlayer::btPause})
            QVERIFY(!recorder->button(which)->toolTip().contains(QStringLiteral("Test")));
    }
};

QTEST_MAIN(TestComponentNames)
#include "tst_componentnames.moc"

// A flash-card test on the main window, taken with the keyboard alone: the grades reach the
// unit's Mistakes, its review states and its logbook.

#include "app/ui/mainformfixture.h"
#include "app/ui/pagecontrol.h"
#include "platform/ini/inifile.h"
#include "repetition/reviewstore.h"
#include "support/screenshot.h"
#include "units/ui/lumolistview.h"
#include "units/ui/unitpage.h"
#include "voctest/lumovoctest.h"
#include "voctest/ui/gauge.h"
#include "voctest/ui/mistakereportform.h"
#include "voctest/ui/testfinished.h"
#include "voctest/ui/testpage.h"
#include "voctest/ui/voctestwindows.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace {
enum Page { UnitManager = 0, Test = 1 };

QWidget *focus()
{
    return QApplication::focusWidget();
}

void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(focus() ? focus() : QApplication::activeWindow(), key, modifiers);
}

// The first grade of each card and its key; "word 0" is missed first and comes back. A key
// of 0 stands for the Next button's mnemonic.
struct Grade
{
    Qt::Key key;
    FsrsModel::Rating rating;
};
const QMap<QString, Grade> FirstGrades = {{"word 0", {Qt::Key_1, FsrsModel::Rating::Again}},
                                          {"word 1", {Qt::Key_2, FsrsModel::Rating::Hard}},
                                          {"word 2", {Qt::Key_Return, FsrsModel::Rating::Good}},
                                          {"word 3", {Qt::Key_4, FsrsModel::Rating::Easy}},
                                          {"word 4", {Qt::Key_3, FsrsModel::Rating::Good}}};
} // namespace

class TestFlashCardWindow : public QObject, protected MainFormFixture
{
    Q_OBJECT

    std::unique_ptr<TMainForm> form;
    int reportsShown = 0;
    int summariesShown = 0;

    TestPage *page() const { return form->testPage(); }

    // Closes whatever window of the engine shows while keys are pressed, counting it.
    void watchEngineWindows(QTimer &watch)
    {
        watch.setInterval(5);
        connect(&watch, &QTimer::timeout, this, [this] {
            TMistakeReportForm *report = form->testWindows()->mistakeReportForm();
            if (report && report->isVisible()) {
                ++reportsShown;
                QTest::keyClick(report, Qt::Key_Escape);
            }
            if (auto *summary = qobject_cast<TTestFinished *>(QApplication::activeModalWidget())) {
                ++summariesShown;
                QTest::keyClick(summary, Qt::Key_Return);
            }
        });
        watch.start();
    }

    void tabTo(QWidget *target)
    {
        for (int guard = 0; focus() != target && guard < 40; ++guard)
            press(Qt::Key_Tab);
        QCOMPARE(focus(), target);
    }

    // From the unit manager to a flash-card test started, by keys.
    void startByKeys(const QString &variant)
    {
        tabTo(form->unitPage()->LumoListView1->currentView());
        press(Qt::Key_Home);
        press(Qt::Key_Space);
        press(Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(form->PageControl()->currentIndex(), int(Test));
        tabTo(page()->TestVariants);
        press(Qt::Key_Down);
        QCOMPARE(page()->TestVariants->currentText(), variant);
        QVERIFY(!page()->AnswerEdit->isVisible());
        QVERIFY(!page()->CharGrid2->isVisible());
        QVERIFY(page()->ShowAnswerBtn->isVisible());
        QVERIFY(!page()->ShowAnswerBtn->isEnabled());
        press(Qt::Key_Return);
        QVERIFY(page()->StopBtn->isEnabled());
        QTRY_COMPARE(focus(), page()->ShowAnswerBtn);
    }

    // A key, or Alt and the Next button's underlined letter for 0.
    void pressOrNext(Qt::Key key)
    {
        if (key)
            press(key);
        else
            press(Qt::Key(QKeySequence::mnemonic(page()->StartBtn->text())[0].key()), Qt::AltModifier);
    }

    int answered() const { return form->LumoVocTest1()->rightCount() + form->LumoVocTest1()->mistakeCount(); }

private slots:
    void init()
    {
        setUpFixture();
        for (const char *variant : {"1-standard.ltf", "6-flashcards.ltf"})
            folder->copyFromData(QLatin1String(variant));
        makeUnit(QStringLiteral("unit"), 5, 1); // the longest language name asks
        reportsShown = summariesShown = 0;
    }
    void cleanup()
    {
        form.reset();
        folder.reset();
    }

    void wholeTestGradedByKeys_data()
    {
        QTest::addColumn<QString>("languageFile");
        QTest::addColumn<QString>("variant");
        QTest::addColumn<QString>("again");
        QTest::newRow("English") << "english.llf"
                                 << "Flash cards"
                                 << "&Again";
        QTest::newRow("German") << "deutsch.llf"
                                << "Karteikarten"
                                << "&Nochmal";
    }

    void wholeTestGradedByKeys()
    {
        QFETCH(QString, languageFile);
        QFETCH(QString, variant);
        form = createForm();
        form->ApplyLanguageFile(folder->copyFromData(languageFile));
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QTEST(page()->GradeAgain->text(), "again");
        startByKeys(variant);
        TLumoVocTest *engine = form->LumoVocTest1();
        QTimer watch;
        watchEngineWindows(watch);
        QStringList graded;
        for (int step = 0; page()->StopBtn->isEnabled() && step < 20; ++step) {
            const QString word = engine->question();
            QCOMPARE(page()->QuestionLabel->text(), word);
            const int before = answered();
            const int mistakes = engine->mistakeCount();
            // Before the answer shows no key grades.
            for (Qt::Key digit : {Qt::Key_1, Qt::Key_2, Qt::Key_3, Qt::Key_4})
                press(digit);
            QCOMPARE(answered(), before);
            QVERIFY(!page()->answerShown());
            QVERIFY(!page()->AnswerEdit->isVisible());
            QVERIFY(!page()->GradeGood->isVisible());
            const QString shot = QStringLiteral("testpage-flashcards-") + QFileInfo(languageFile).baseName();
            if (step == 0)
                saveScreenshot(*form, shot);

            const Qt::Key shows[] = {Qt::Key_Space, Qt::Key_Return, Qt::Key(0)};
            pressOrNext(shows[step % 3]);
            QTRY_VERIFY(page()->answerShown()); // a mnemonic clicks a moment later
            QVERIFY(page()->AnswerEdit->isVisible());
            QVERIFY(page()->AnswerEdit->isReadOnly());
            QCOMPARE(page()->AnswerEdit->text(), engine->answer());
            QCOMPARE(page()->AnswerEdit->geometry().topLeft(),
                     page()->ShowAnswerBtn->geometry().topLeft() + QPoint(0, 2));
            QTRY_COMPARE(focus(), page()->GradeGood);
            if (step == 0)
                saveScreenshot(*form, shot + QStringLiteral("-answer"));
            // The four grades stand side by side within the page.
            QVERIFY(page()->GradeEasy->geometry().right() < page()->MainPanel->contentsRect().right());
            QCOMPARE(page()->GradeAgain->y(), page()->GradeEasy->y());
            press(Qt::Key_Space); // shows nothing more and grades nothing
            QCOMPARE(answered(), before);
            QVERIFY(page()->answerShown());

            const bool first = !graded.contains(word);
            graded.append(word);
            pressOrNext(first ? FirstGrades.value(word).key : Qt::Key(0)); // Next grades Good
            QTRY_VERIFY(!page()->StopBtn->isEnabled() || answered() == before + 1);
            if (!page()->StopBtn->isEnabled())
                break; // the last card: the summary showed, the counters start afresh
            QCOMPARE(answered(), before + 1);
            const bool again = first && FirstGrades.value(word).rating == FsrsModel::Rating::Again;
            QCOMPARE(engine->mistakeCount(), mistakes + (again ? 1 : 0));
            QCOMPARE(page()->MistakesGauge->progress(), engine->mistakeCount());
            QVERIFY(!page()->answerShown());
            QCOMPARE(focus(), page()->ShowAnswerBtn);
        }
        QTRY_COMPARE(summariesShown, 1);
        QCOMPARE(reportsShown, 0); // the answer was on show already
        QCOMPARE(graded.count(QStringLiteral("word 0")), 2);
        QCOMPARE(graded.size(), 6);
        QVERIFY2(messages.texts().isEmpty(), qPrintable(messages.texts().join(u'|')));
        const IniFile log(units + QStringLiteral("unit.lif"));
        QCOMPARE(log.readString(QStringLiteral("general"), QStringLiteral("TestCount"), QString()),
                 QStringLiteral("1"));
        QCOMPARE(log.readString(QStringLiteral("general"), QStringLiteral("TestResult1"), QString()),
                 QStringLiteral("1"));

        // Back on the unit manager the table is closed, with everything stored.
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        press(Qt::Key_PageUp, Qt::ControlModifier);
        QCOMPARE(form->PageControl()->currentIndex(), int(UnitManager));
        TLumoTable table(messages);
        table.setVocabularyFile(units + QStringLiteral("unit.db"));
        table.open();
        const ReviewStore store(*table.connection());
        // The first stability of each grade, and a difficulty that falls from Again to Easy.
        const QMap<FsrsModel::Rating, double> firstStability = {{FsrsModel::Rating::Again, 0.212},
                                                                {FsrsModel::Rating::Hard, 1.2931},
                                                                {FsrsModel::Rating::Good, 2.3065},
                                                                {FsrsModel::Rating::Easy, 8.2956}};
        double difficulty = 11;
        for (qint64 count = 1; count <= 5; ++count) {
            QVERIFY(table.findKey(count));
            const QString word = table.fieldValue(TLumoTable::NativeLanguage).toString();
            const Grade grade = FirstGrades.value(word);
            QCOMPARE(table.fieldValue(TLumoTable::Mistakes).toInt(),
                     grade.rating == FsrsModel::Rating::Again ? 1 : 0);
            const std::optional<ReviewState> state = store.state(count, 0);
            QVERIFY2(state, qPrintable(word));
            QCOMPARE(state->reviews, 1); // the card missed and then known has one review, the miss
            QCOMPARE(state->memory.stability, firstStability.value(grade.rating));
            if (count <= 4) {
                QVERIFY2(state->memory.difficulty < difficulty, qPrintable(word));
                difficulty = state->memory.difficulty;
            }
            QVERIFY(!store.state(count, 1)); // only the direction asked
        }
        table.close();
    }

    void mnemonicsReachTheCardButtons_data()
    {
        QTest::addColumn<QString>("languageFile");
        QTest::newRow("English") << "english.llf";
        QTest::newRow("German") << "deutsch.llf";
    }

    // Each card button's underlined letter presses that button and no other control of the
    // window, in each shipped language.
    void mnemonicsReachTheCardButtons()
    {
        QFETCH(QString, languageFile);
        form = createForm();
        form->ApplyLanguageFile(folder->copyFromData(languageFile));
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        startByKeys(page()->TestVariants->itemText(1));
        const auto pressMnemonic = [](const QPushButton *button) {
            press(Qt::Key(QKeySequence::mnemonic(button->text())[0].key()), Qt::AltModifier);
        };
        for (QPushButton *grade :
             {page()->GradeAgain, page()->GradeHard, page()->GradeGood, page()->GradeEasy}) {
            QSignalSpy shown(page()->ShowAnswerBtn, &QPushButton::clicked);
            QSignalSpy graded(grade, &QPushButton::clicked);
            pressMnemonic(page()->ShowAnswerBtn);
            QTRY_COMPARE(shown.size(), 1);
            QVERIFY(page()->answerShown());
            pressMnemonic(grade);
            QTRY_COMPARE(graded.size(), 1);
            QVERIFY(!page()->answerShown());
        }
        QCOMPARE(answered(), 4);
        QCOMPARE(form->LumoVocTest1()->mistakeCount(), 1);
    }
};

QTEST_MAIN(TestFlashCardWindow)
#include "tst_flashcardwindow.moc"

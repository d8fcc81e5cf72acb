#include "app/ui/mainformfixture.h"
#include "app/ui/pagecontrol.h"
#include "units/ui/lumolistview.h"
#include "units/ui/lumotreeview.h"
#include "units/ui/unitpage.h"
#include "voctest/lumovoctest.h"
#include "voctest/ui/mistakereportform.h"
#include "voctest/ui/testfinished.h"
#include "voctest/ui/testpage.h"
#include "voctest/ui/voctestwindows.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>
#include <functional>

namespace {
enum Page { UnitManager = 0, Test = 1 };

QWidget *focus()
{
    return QApplication::focusWidget();
}

void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget *target = focus() ? focus() : QApplication::activeWindow();
    QTest::keyClick(target, key, modifiers);
}

// The entries of a unit's table: every field but Mistakes, and the Mistakes apart.
struct TableRows
{
    QList<QVariantList> fields;
    QMap<QString, int> mistakes; // by native word
};
} // namespace

// A whole test taken with the keyboard alone, from the unit manager, in the main window:
// every key goes where the focus is, as the user's keys do.
class TestTestPageKeys : public QObject, protected MainFormFixture
{
    Q_OBJECT

private:
    std::unique_ptr<TMainForm> form;

    TestPage *page() const { return form->testPage(); }

    TableRows readTable()
    {
        TableRows rows;
        TLumoTable table(messages);
        table.setVocabularyFile(units + QStringLiteral("unit.db"));
        table.open();
        for (table.first(); !table.eof(); table.next()) {
            QVariantList fields;
            for (int field = 0; field < TLumoTable::FieldCount; ++field)
                if (field != TLumoTable::Mistakes)
                    fields.append(table.fieldValue(field));
            rows.fields.append(fields);
            rows.mistakes.insert(table.fieldValue(TLumoTable::NativeLanguage).toString(),
                                 table.fieldValue(TLumoTable::Mistakes).toInt());
        }
        table.close();
        return rows;
    }

    // Runs check every few milliseconds, in whatever event loop runs, until it says done.
    void whenReady(const std::function<bool()> &check)
    {
        auto retry = std::make_shared<std::function<void(int)>>();
        *retry = [this, check, retry](int left) {
            if (!check() && left > 0)
                QTimer::singleShot(10, form.get(), [retry, left] { (*retry)(left - 1); });
        };
        QTimer::singleShot(0, form.get(), [retry] { (*retry)(500); });
    }

    // The mistake report is closed by a key once it shows, while the engine waits for it.
    void closeReportByKey(bool &closed)
    {
        whenReady([this, &closed] {
            TMistakeReportForm *report = form->testWindows()->mistakeReportForm();
            if (!report || !report->isVisible())
                return false;
            QTest::keyClick(QApplication::activeWindow() == report ? QApplication::activeWindow() : report,
                            Qt::Key_Escape);
            closed = true;
            return true;
        });
    }

    void closeSummaryByKey(bool &closed)
    {
        whenReady([&closed] {
            auto *summary = qobject_cast<TTestFinished *>(QApplication::activeModalWidget());
            if (!summary)
                return false;
            QTest::keyClick(focus() && summary->isAncestorOf(focus()) ? focus() : summary, Qt::Key_Return);
            closed = true;
            return true;
        });
    }

    void tabTo(QWidget *target)
    {
        for (int guard = 0; focus() != target && guard < 40; ++guard)
            press(Qt::Key_Tab);
        QCOMPARE(focus(), target);
    }

    // Gives the answer by keys: typed, or the choice of that text ticked.
    void answer(const QString &text, bool choices)
    {
        if (!choices) {
            QTest::keyClicks(focus(), text);
            return;
        }
        int index = 0;
        while (index < TestPage::ChoiceCount - 1 && page()->Choice[index]->text() != text)
            ++index;
        // From the first choice, which has the focus, to the one to tick.
        for (int i = 0; i < index; ++i)
            press(Qt::Key_Tab);
        QCOMPARE(focus(), page()->Choice[index]);
        press(Qt::Key_Space);
    }

    QWidget *answerField(bool choices) const
    {
        return choices ? static_cast<QWidget *>(page()->Choice[0]) : page()->AnswerEdit;
    }

private slots:
    void init()
    {
        setUpFixture();
        for (const char *variant : {"1-standard.ltf", "4-multichoice.ltf"})
            folder->copyFromData(QLatin1String(variant));
        makeUnit(QStringLiteral("unit"), 6);
    }
    void cleanup()
    {
        form.reset();
        folder.reset();
    }

    void wholeTestByKeys_data()
    {
        QTest::addColumn<bool>("choices");
        QTest::addColumn<bool>("mnemonics");
        QTest::newRow("typed, Enter") << false << false;
        QTest::newRow("typed, Alt+S and Alt+N") << false << true;
        QTest::newRow("multiple choice, Enter") << true << false;
        QTest::newRow("multiple choice, Alt+S and Alt+N") << true << true;
    }

    // Only the Mistakes of the entries answered wrongly change: no answer reaches the words.
    void wholeTestByKeys()
    {
        QFETCH(bool, choices);
        QFETCH(bool, mnemonics);
        const TableRows before = readTable();
        form = createForm();
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        TLumoVocTest *engine = form->LumoVocTest1();

        // The unit chosen in the file list, the test page entered by Ctrl+Tab.
        QAbstractItemView *files = form->unitPage()->LumoListView1->currentView();
        tabTo(files);
        press(Qt::Key_Home);
        press(Qt::Key_Space);
        QCOMPARE(form->unitPage()->LumoListView1->selectedCaption(), QStringLiteral("unit"));
        press(Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(form->PageControl()->currentIndex(), int(Test));
        tabTo(page()->TestVariants);
        if (choices)
            press(Qt::Key_Down);
        QCOMPARE(page()->Choice[0]->isVisible(), choices);

        mnemonics ? press(Qt::Key_S, Qt::AltModifier) : press(Qt::Key_Return);
        QTRY_VERIFY(page()->StopBtn->isEnabled());
        QTRY_COMPARE(focus(), answerField(choices));

        // The first two questions are answered wrongly, the rest rightly, until the end.
        QStringList missed;
        bool summaryClosed = false;
        for (int step = 0; page()->StopBtn->isEnabled() && step < 20; ++step) {
            const bool wrong = step < 2;
            const QString right = engine->answer();
            QString given = right;
            if (wrong && choices) {
                for (const QCheckBox *choice : page()->Choice)
                    if (choice->text() != right)
                        given = choice->text();
            } else if (wrong) {
                given = step == 0 ? QStringLiteral("TYPED") : QStringLiteral("CORRUPT");
            }
            if (wrong)
                missed.append(engine->question());
            answer(given, choices);
            bool reportClosed = false;
            if (wrong)
                closeReportByKey(reportClosed);
            const int answered = engine->rightCount() + engine->mistakeCount();
            if (!wrong && engine->rightCount() + 1 == engine->wordCount())
                closeSummaryByKey(summaryClosed);
            mnemonics ? press(Qt::Key_N, Qt::AltModifier) : press(Qt::Key_Return);
            QTRY_VERIFY(!page()->StopBtn->isEnabled() ||
                        engine->rightCount() + engine->mistakeCount() == answered + 1);
            QCOMPARE(reportClosed, wrong);
            if (page()->StopBtn->isEnabled())
                QTRY_COMPARE(focus(), answerField(choices));
        }
        QTRY_VERIFY(summaryClosed);
        QVERIFY(!page()->StopBtn->isEnabled());
        QCOMPARE(missed.size(), 2);
        QVERIFY2(messages.texts().isEmpty(), qPrintable(messages.texts().join(u'|')));

        // Back on the unit manager the table is closed, with whatever was pending stored. (The
        // offscreen platform has no window manager to give the window back after the summary.)
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        press(Qt::Key_PageUp, Qt::ControlModifier);
        QCOMPARE(form->PageControl()->currentIndex(), int(UnitManager));
        const TableRows after = readTable();
        QCOMPARE(after.fields, before.fields);
        for (auto entry = before.mistakes.cbegin(); entry != before.mistakes.cend(); ++entry)
            QCOMPARE(after.mistakes.value(entry.key()),
                     entry.value() + (missed.contains(entry.key()) ? 1 : 0));
    }

    void mnemonicsShownOnTheTestPage_data()
    {
        QTest::addColumn<QString>("languageFile");
        QTest::newRow("English") << "english.llf";
        QTest::newRow("German") << "deutsch.llf";
    }

    // The underlined letters of the test page's own controls and of the page tabs do what their
    // controls do, in each shipped language.
    void mnemonicsShownOnTheTestPage()
    {
        QFETCH(QString, languageFile);
        form = createForm();
        form->ApplyLanguageFile(folder->copyFromData(languageFile));
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        form->unitPage()->LumoListView1->selectCaption(QStringLiteral("unit"));
        QVERIFY(form->PageControl()->requestPage(Test));
        const auto letter = [](const QString &caption) {
            return Qt::Key(QKeySequence::mnemonic(caption)[0].key());
        };
        page()->TestVariants->setFocus();

        press(letter(page()->DueOrder->text()), Qt::AltModifier);
        QTRY_VERIFY(page()->DueOrder->isChecked());
        page()->RandomOrder->click();
        press(letter(page()->StartBtn->text()), Qt::AltModifier);
        QTRY_VERIFY(page()->StopBtn->isEnabled());
        messages.answerWith(MessageService::Yes); // the running test is given up
        const QString unitTab = form->PageControl()->tabText(UnitManager);
        press(letter(unitTab), Qt::AltModifier);
        QTRY_COMPARE(form->PageControl()->currentIndex(), int(UnitManager));
    }
};

QTEST_MAIN(TestTestPageKeys)
#include "tst_testpagekeys.moc"

// Tests of the due words, and the reviews every test writes, with the clock injected: a week
// of tests passes without waiting.

#include "enginefixture.h"

#include "platform/table/sqlitedatabase.h"
#include "repetition/reviewstore.h"

#include <sqlite3.h>

namespace {
const QDateTime Monday(QDate(2026, 3, 2), QTime(18, 0), Qt::UTC);

class DueFixture : public EngineFixture
{
public:
    explicit DueFixture(const QList<Entry> &entries, const QString &variant = variantText("standard"))
        : EngineFixture(entries, variant, TLumoVocTest::toDue)
    {
        setDay(0);
    }

    // Moves the clock to a day after Monday and builds the queue afresh, as opening the
    // test page on that day does.
    void setDay(int day)
    {
        now = Monday.addDays(day);
        engine.setReviewClock([this] { return now; });
        engine.Reload();
    }

    std::optional<ReviewState> state(qint64 entry, int direction = 0)
    {
        return ReviewStore(*table.connection()).state(entry, direction);
    }

    int dueInDays(qint64 entry, int direction = 0)
    {
        const std::optional<ReviewState> s = state(entry, direction);
        return s ? int((s->due - now.toSecsSinceEpoch()) / 86400) : -1;
    }

    // Answers every question; the native words in missWords are missed once each.
    QStringList runTest(const QStringList &missWords = {})
    {
        QStringList asked;
        QStringList missed;
        QSignalSpy finished(&engine, &TLumoVocTest::Finished);
        for (int guard = 0; finished.isEmpty() && guard < 1000; ++guard) {
            const QString word = engine.question();
            asked.append(word);
            if (missWords.contains(word) && !missed.contains(word)) {
                missed.append(word);
                answer(QStringLiteral("wrong"));
            } else {
                answer(engine.answer());
            }
        }
        return asked;
    }

    QDateTime now = Monday;
};
} // namespace

class TestDueOrder : public QObject
{
    Q_OBJECT

private slots:
    void firstTestLearnsNewWords();
    void nothingDueAfterLearning();
    void scriptedWeek();
    void newPerDayFromVariant();
    void kindsOfTest_data();
    void kindsOfTest();
    void multipleChoiceNeedsFiveInTheUnit();
    void directionsHaveTheirOwnStates();
    void everyOrderWritesOneReviewPerEntry();
    void missWrittenWithMistakesInOneTransaction();
    void missAndMistakesCommitTogether();
    void otherOrdersIgnoreAScheduleThatCannotBeWritten();
    void sameAnswerMissedTwiceStillReviewsBoth();
    void stoppedTestKeepsItsMisses();
    void emptyUnitHasNothingDue();
};

void TestDueOrder::firstTestLearnsNewWords()
{
    DueFixture f(letters(3));
    QVERIFY(f.engine.ready());
    QVERIFY(!f.engine.nothingDue());
    QCOMPARE(f.engine.wordCount(), 3);
    // New words in table order.
    QCOMPARE(f.runTest(), (QStringList{"A", "C", "B"}));
    for (qint64 entry = 1; entry <= 3; ++entry) {
        QCOMPARE(f.state(entry)->reviews, 1);
        QCOMPARE(f.dueInDays(entry), 2);
    }
    // The summary and log work as for the other orders.
    QCOMPARE(f.ui.summaries.size(), 1);
    QCOMPARE(f.logValue(QStringLiteral("TestCount")), QStringLiteral("1"));
}

void TestDueOrder::nothingDueAfterLearning()
{
    DueFixture f(letters(3));
    f.runTest();
    // Learned today and due in two days: nothing to ask.
    QVERIFY(!f.engine.ready());
    QVERIFY(f.engine.nothingDue());
    f.setDay(1);
    QVERIFY(f.engine.nothingDue());
    f.setDay(2);
    QVERIFY(f.engine.ready());
    QCOMPARE(f.engine.wordCount(), 3);
    // Another order is not affected.
    f.engine.setOrder(TLumoVocTest::toForward);
    QVERIFY(!f.engine.nothingDue());
}

void TestDueOrder::scriptedWeek()
{
    DueFixture f(letters(2));
    f.runTest(); // Monday: both new, both right: due Wednesday
    QCOMPARE(f.dueInDays(1), 2);

    f.setDay(2); // Wednesday: A right, B missed
    QCOMPARE(f.engine.wordCount(), 2);
    f.runTest({QStringLiteral("B")});
    const int grownA = f.dueInDays(1);
    QCOMPARE(grownA, 11); // worked out by hand: S = 10.96
    QCOMPARE(f.dueInDays(2), 1);
    QCOMPARE(f.state(2)->lapses, 1);
    QCOMPARE(f.mistakesOf(2).toInt(), 1);

    f.setDay(3); // Thursday: only B is due
    QCOMPARE(f.engine.wordCount(), 1);
    QCOMPARE(f.engine.question(), QStringLiteral("B"));
    f.runTest();
    QCOMPARE(f.dueInDays(2), 2); // worked out by hand: 0.61 after the lapse, then 2.40
    QCOMPARE(f.state(2)->reviews, 3);

    f.setDay(4); // Friday: nothing due
    QVERIFY(f.engine.nothingDue());
    f.setDay(13); // A due again, and intervals keep growing after right answers
    QVERIFY(f.engine.ready());
    const QList<qint64> queue = f.engine.testQueue();
    QVERIFY(queue.contains(1));
    f.runTest();
    QCOMPARE_GT(f.dueInDays(1), grownA);
}

void TestDueOrder::newPerDayFromVariant()
{
    DueFixture f(letters(5), variantText("standard", "NewPerDay=2\n"));
    QCOMPARE(f.engine.wordCount(), 2);
    f.runTest();
    QVERIFY(f.engine.nothingDue()); // today's two are learned
    f.setDay(1);
    QCOMPARE(f.engine.testQueue(), (QList<qint64>{3, 4}));
    // A negative allowance learns nothing new rather than failing.
    DueFixture none(letters(5), variantText("standard", "NewPerDay=-5\n"));
    QVERIFY(none.engine.nothingDue());
}

void TestDueOrder::kindsOfTest_data()
{
    QTest::addColumn<QString>("testType");
    QTest::newRow("standard") << "standard";
    QTest::newRow("multiple choice") << "multichoice";
    QTest::newRow("listening comprehension") << "comprehension";
    QTest::newRow("flash cards") << "flashcards";
}

void TestDueOrder::kindsOfTest()
{
    QFETCH(QString, testType);
    QList<Entry> entries = letters(7);
    for (int i = 0; i < 7; i += 2)
        entries[i].nativeSound = QByteArray("RIFF sound");
    DueFixture f(entries, variantText(testType, "NewPerDay=3\n"));
    QVERIFY(f.engine.ready());
    // Only entries the kind of test can ask become due or new.
    const QList<qint64> expected =
        testType == u"comprehension" ? QList<qint64>{1, 3, 5} : QList<qint64>{1, 2, 3};
    QCOMPARE(f.engine.testQueue(), expected);
    const bool cards = testType == u"flashcards";
    if (testType == u"multichoice") {
        // Choices come from the whole unit, as in the other orders.
        QCOMPARE(f.engine.choices().size(), 5);
        QVERIFY(f.engine.choices().contains(f.engine.answer()));
        f.engine.setGiven(f.engine.answer() + u';');
    } else {
        f.engine.setGiven(f.engine.answer());
    }
    // A card is graded by the learner; his grade is the review.
    QVERIFY(cards ? f.engine.GradeCard(FsrsModel::Rating::Hard) : f.engine.CheckAnswer());
    QCOMPARE(f.state(expected.first())->reviews, 1);
    QCOMPARE(f.state(expected.first())->memory.stability, cards ? 1.2931 : 2.3065);
    f.engine.setGiven(QStringLiteral("wrong"));
    QVERIFY(!(cards ? f.engine.GradeCard(FsrsModel::Rating::Again) : f.engine.CheckAnswer()));
    QCOMPARE(f.engine.mistakeCount(), 1);
    QCOMPARE(f.ui.reports.size(), cards ? 0 : 1);
}

void TestDueOrder::multipleChoiceNeedsFiveInTheUnit()
{
    // Two due of six: still a test, as the choices come from the whole unit.
    DueFixture six(letters(6), variantText("multichoice", "NewPerDay=2\n"));
    QVERIFY(six.engine.ready());
    QCOMPARE(six.engine.wordCount(), 2);
    // Four in the unit: no test, as in the other orders, and no message about due words.
    DueFixture four(letters(4), variantText("multichoice"));
    QVERIFY(!four.engine.ready());
    QVERIFY(!four.engine.nothingDue());
}

void TestDueOrder::directionsHaveTheirOwnStates()
{
    DueFixture f(letters(2));
    f.runTest();
    QVERIFY(f.state(1, 0).has_value());
    QVERIFY(!f.state(1, 1).has_value());
    f.engine.setSwap(true);
    QVERIFY(f.engine.ready()); // the other side is new
    QCOMPARE(f.engine.question(), QStringLiteral("a"));
    f.runTest({QStringLiteral("a")});
    QCOMPARE(f.state(1, 1)->lapses, 0); // a first review is no lapse
    QCOMPARE(f.dueInDays(1, 1), 1);
    QCOMPARE(f.dueInDays(1, 0), 2);
}

void TestDueOrder::everyOrderWritesOneReviewPerEntry()
{
    DueFixture f(letters(3));
    f.engine.setOrder(TLumoVocTest::toRandom);
    f.runTest({QStringLiteral("B")});
    QCOMPARE(f.state(1)->reviews, 1);
    QCOMPARE(f.state(2)->reviews, 1);
    QCOMPARE(f.dueInDays(2), 1); // missed: rated Again
    QCOMPARE(f.dueInDays(1), 2);
    f.runTest();
    QCOMPARE(f.state(1)->reviews, 2); // a second test the same day is a second review
}

void TestDueOrder::missWrittenWithMistakesInOneTransaction()
{
    DueFixture f(letters(2));
    f.engine.setGiven(QStringLiteral("wrong"));
    f.engine.CheckAnswer();
    // Written at the miss, before the entry leaves the queue.
    QCOMPARE(f.mistakesOf(1).toInt(), 1);
    QCOMPARE(f.state(1)->reviews, 1);
    QCOMPARE(f.dueInDays(1), 1);

    // A state that cannot be written is reported once, and costs no raised Mistakes.
    f.table.connection()->exec(QStringLiteral("DROP TABLE review_state"));
    f.table.connection()->exec(QStringLiteral("CREATE VIEW review_state AS SELECT 1 AS entry"));
    f.engine.NextQuestion();
    QCOMPARE(f.engine.question(), QStringLiteral("B"));
    f.messages.clear();
    f.answer(QStringLiteral("wrong"));
    QCOMPARE(f.messages.shown().size(), 1);
    QVERIFY(f.messages.texts().first().contains(QStringLiteral("review_state")));
    QCOMPARE(f.mistakesOf(2).toInt(), 1);
    QCOMPARE(f.engine.mistakeCount(), 2);
    QCOMPARE(f.ui.reports.size(), 2); // the miss is still shown
    QCOMPARE(f.table.state(), SqliteTable::State::Browse);
    f.answer(QStringLiteral("a"));
    QCOMPARE(f.messages.shown().size(), 1); // not tried again in this test
    // The states went with the dropped table; the mistakes raised before stay.
    QVERIFY(!f.state(1));
    QCOMPARE(f.mistakesOf(1).toInt(), 1);
}

void TestDueOrder::missAndMistakesCommitTogether()
{
    DueFixture f(letters(2));
    int commits = 0;
    sqlite3 *handle = f.table.connection()->handle();
    sqlite3_commit_hook(
        handle,
        [](void *count) {
            ++*static_cast<int *>(count);
            return 0;
        },
        &commits);
    f.answer(QStringLiteral("wrong"));
    sqlite3_commit_hook(handle, nullptr, nullptr);
    // The raised Mistakes, the state table made for the first time and the review: one commit.
    QCOMPARE(commits, 1);
    QCOMPARE(f.mistakesOf(1).toInt(), 1);
    QCOMPARE(f.state(1)->reviews, 1);
}

void TestDueOrder::otherOrdersIgnoreAScheduleThatCannotBeWritten()
{
    DueFixture f(letters(3));
    f.table.connection()->exec(QStringLiteral("CREATE VIEW review_state AS SELECT 1 AS entry"));
    f.engine.setOrder(TLumoVocTest::toForward);
    f.messages.clear();
    f.runTest({QStringLiteral("B")});
    QVERIFY(f.messages.texts().isEmpty()); // as before there was a schedule
    QCOMPARE(f.mistakesOf(2).toInt(), 1);
    QCOMPARE(f.ui.summaries.size(), 1);
}

void TestDueOrder::sameAnswerMissedTwiceStillReviewsBoth()
{
    DueFixture f(
        {{QStringLiteral("gehen"), QStringLiteral("go")}, {QStringLiteral("laufen"), QStringLiteral("go")}});
    f.answer(QStringLiteral("wrong"));
    f.answer(QStringLiteral("wrong"));
    QCOMPARE(f.engine.mistakeCount(), 1);
    QCOMPARE(f.mistakesOf(2).toInt(), 0);
    QCOMPARE(f.dueInDays(1), 1);
    QCOMPARE(f.dueInDays(2), 1);
    // Missed again and then right: still one review each in this test.
    f.answer(QStringLiteral("wrong"));
    f.answer(QStringLiteral("go"));
    f.answer(QStringLiteral("go"));
    QCOMPARE(f.state(1)->reviews, 1);
    QCOMPARE(f.state(2)->reviews, 1);
}

void TestDueOrder::stoppedTestKeepsItsMisses()
{
    DueFixture f(letters(3));
    f.answer(QStringLiteral("wrong")); // A missed
    f.answer(QStringLiteral("b"));     // B right
    f.engine.Finish();
    QCOMPARE(f.state(1)->reviews, 1);
    QCOMPARE(f.dueInDays(1), 1);
    QCOMPARE(f.dueInDays(2), 2);
    QVERIFY(!f.state(3).has_value()); // never answered
}

void TestDueOrder::emptyUnitHasNothingDue()
{
    DueFixture f({});
    QVERIFY(!f.engine.ready());
    QVERIFY(f.engine.nothingDue());
}

QTEST_GUILESS_MAIN(TestDueOrder)
#include "tst_dueorder.moc"

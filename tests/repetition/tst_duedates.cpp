// Due dates in calendar days of the local time zone: a review keeps its time of day across a
// change of daylight saving time, and the day ends at local midnight for the due queue and
// the logbook's counts alike. Runs under a time zone with daylight saving.

#include "repetition/duewords.h"
#include "repetition/reviewscheduler.h"
#include "repetition/reviewstore.h"
#include "repetition/testreviews.h"
#include "support/scriptedmessageservice.h"
#include "support/testfolder.h"
#include "vocfile/lumotable.h"

#include <QTest>
#include <ctime>

class TestDueDates : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void intervalsCountCalendarDays_data();
    void intervalsCountCalendarDays();
    void wordDueAtMidnightBelongsToTomorrow_data();
    void wordDueAtMidnightBelongsToTomorrow();
};

void TestDueDates::initTestCase()
{
    // Before anything reads the time.
    qputenv("TZ", "Europe/Berlin");
    tzset();
    QCOMPARE(QDateTime(QDate(2026, 3, 29), QTime(12, 0)).offsetFromUtc(), 7200);
    QCOMPARE(QDateTime(QDate(2026, 3, 28), QTime(12, 0)).offsetFromUtc(), 3600);
}

void TestDueDates::intervalsCountCalendarDays_data()
{
    QTest::addColumn<QDateTime>("reviewed");
    QTest::addColumn<int>("rating");
    QTest::addColumn<QDateTime>("due");
    const auto local = [](int month, int day, int hour, int minute) {
        return QDateTime(QDate(2026, month, day), QTime(hour, minute));
    };
    const int again = int(FsrsModel::Rating::Again);
    const int good = int(FsrsModel::Rating::Good);
    // The spring night has 23 hours, the autumn night 25.
    QTest::newRow("spring, before midnight") << local(3, 28, 23, 30) << again << local(3, 29, 23, 30);
    QTest::newRow("spring, over two days") << local(3, 27, 12, 0) << good << local(3, 29, 12, 0);
    QTest::newRow("autumn, after midnight") << local(10, 25, 0, 30) << again << local(10, 26, 0, 30);
    QTest::newRow("autumn, the evening before") << local(10, 24, 23, 30) << again << local(10, 25, 23, 30);
    QTest::newRow("autumn, over two days") << local(10, 24, 18, 0) << good << local(10, 26, 18, 0);
    QTest::newRow("summer") << local(6, 10, 8, 0) << again << local(6, 11, 8, 0);
}

void TestDueDates::intervalsCountCalendarDays()
{
    QFETCH(QDateTime, reviewed);
    QFETCH(int, rating);
    QFETCH(QDateTime, due);
    const ReviewState state =
        ReviewScheduler::review(std::nullopt, 1, 0, FsrsModel::Rating(rating), reviewed);
    QCOMPARE(QDateTime::fromSecsSinceEpoch(state.due), due);
}

void TestDueDates::wordDueAtMidnightBelongsToTomorrow_data()
{
    QTest::addColumn<QDateTime>("now");
    QTest::newRow("an ordinary day") << QDateTime(QDate(2026, 6, 10), QTime(10, 0));
    QTest::newRow("the day of 23 hours") << QDateTime(QDate(2026, 3, 29), QTime(10, 0));
    QTest::newRow("the day of 25 hours") << QDateTime(QDate(2026, 10, 25), QTime(10, 0));
    QTest::newRow("the last minute before") << QDateTime(QDate(2026, 10, 25), QTime(23, 59));
}

void TestDueDates::wordDueAtMidnightBelongsToTomorrow()
{
    QFETCH(QDateTime, now);
    TestFolder folder;
    ScriptedMessageService messages;
    TLumoTable table(messages);
    table.setVocabularyFile(folder.filePath(QStringLiteral("unit.db")));
    table.open();
    for (int i = 1; i <= 5; ++i)
        table.appendRecord({QVariant(), QStringLiteral("N%1").arg(i), QStringLiteral("f%1").arg(i), 1});

    // Entries 1 and 2 are due before the next midnight, 3 at it, 4 after it; 5 is new.
    const qint64 midnight = QDateTime(now.date().addDays(1), QTime(0, 0)).toSecsSinceEpoch();
    const QList<qint64> dueMoments{midnight - 1800, midnight - 1, midnight, midnight + 1800};
    ReviewStore store(*table.connection());
    store.ensureTable();
    for (int i = 0; i < dueMoments.size(); ++i) {
        ReviewState state;
        state.entry = i + 1;
        state.memory = FsrsModel::first(FsrsModel::Rating::Good);
        state.firstReview = state.lastReview = now.addDays(-3).toSecsSinceEpoch();
        state.due = dueMoments.at(i);
        state.reviews = 1;
        store.save(state);
    }

    QCOMPARE(DueWords::counts(table, now).today, 2);
    QCOMPARE(DueWords::counts(table, now.addDays(-7)).nextWeek, 2); // the week ends there too
    TestReviews reviews;
    reviews.setClock([now] { return now; });
    reviews.begin(&table, 0);
    QCOMPARE(reviews.dueQueue({1, 2, 3, 4, 5}, 0), (QList<qint64>{1, 2}));
}

QTEST_GUILESS_MAIN(TestDueDates)
#include "tst_duedates.moc"

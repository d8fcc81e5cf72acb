// The memory model against figures worked out by hand from its published formulas.

#include "repetition/fsrsmodel.h"
#include "repetition/reviewclock.h"
#include "repetition/reviewscheduler.h"

#include <QTest>
#include <cmath>
#include <limits>

using Rating = FsrsModel::Rating;

class TestFsrsModel : public QObject
{
    Q_OBJECT

private slots:
    void firstReview_data();
    void firstReview();
    void reviewsAfterDays_data();
    void reviewsAfterDays();
    void retrievability_data();
    void retrievability();
    void intervals_data();
    void intervals();
    void lapse();
    void sameDay();
    void damagedMemory();
    void schedulerCountsAndDueMoments();
    void schedulerClockSetBack();
    void schedulerAcrossTimeZones();
};

void TestFsrsModel::firstReview_data()
{
    QTest::addColumn<int>("rating");
    QTest::addColumn<double>("stability");
    QTest::addColumn<double>("difficulty");
    QTest::addColumn<int>("interval");
    // S0 = w[G-1]; D0 = w4 - e^(w5 (G-1)) + 1; interval = round(S) at 90 % retention.
    QTest::newRow("good") << int(Rating::Good) << 2.3065 << 2.118104 << 2;
    QTest::newRow("again") << int(Rating::Again) << 0.212 << 6.4133 << 1;
    // D0(Hard) = 6.4133 - e^0.8334 + 1; D0(Easy) = 6.4133 - e^2.5002 + 1 < 1, so 1.
    QTest::newRow("hard") << int(Rating::Hard) << 1.2931 << 5.112171 << 1;
    QTest::newRow("easy") << int(Rating::Easy) << 8.2956 << 1.0 << 8;
}

void TestFsrsModel::firstReview()
{
    QFETCH(int, rating);
    QFETCH(double, stability);
    QFETCH(double, difficulty);
    QFETCH(int, interval);
    const FsrsModel::Memory m = FsrsModel::first(Rating(rating));
    QCOMPARE_LT(std::abs(m.stability - stability), 1e-6);
    QCOMPARE_LT(std::abs(m.difficulty - difficulty), 1e-5);
    QCOMPARE(FsrsModel::intervalDays(m.stability), interval);
}

void TestFsrsModel::reviewsAfterDays_data()
{
    QTest::addColumn<double>("stability");
    QTest::addColumn<double>("difficulty");
    QTest::addColumn<double>("days");
    QTest::addColumn<double>("expectedStability");
    QTest::addColumn<double>("expectedDifficulty");
    QTest::addColumn<int>("interval");
    QTest::addColumn<int>("rating");
    // Good, Good on day 2: R = (1 + 0.980346 * 2 / 2.3065)^-0.1542 = 0.909493;
    // S' = S (e^w8 (11 - D) S^-w9 (e^(w10 (1 - R)) - 1) + 1).
    QTest::newRow("second good") << 2.3065 << 2.118104 << 2.0 << 10.964332 << 2.111214 << 11 << 3;
    // and the third on day 11 after that.
    QTest::newRow("third good") << 10.964332 << 2.111214 << 11.0 << 46.280217 << 2.104331 << 46 << 3;
    // Again first, Good the next day.
    QTest::newRow("good after again") << 0.212 << 6.4133 << 1.0 << 1.886788 << 6.402115 << 2 << 3;
    // Hard and Easy on day 2 after a first Good: the growth term times w15 = 0.6014 or
    // w16 = 1.8729; D moves by -w6 (G - 3), damped by (10 - D) / 9, drawn by w7 towards D0(4).
    QTest::newRow("hard after good") << 2.3065 << 2.118104 << 2.0 << 7.513320 << 4.752859 << 8 << 2;
    QTest::newRow("easy after good") << 2.3065 << 2.118104 << 2.0 << 18.521754 << 1.0 << 19 << 4;
    // A history of Hard (first), Hard the next day, Easy on the day it falls due.
    QTest::newRow("hard after hard") << 1.2931 << 5.112171 << 1.0 << 3.249412 << 6.740460 << 3 << 2;
    QTest::newRow("easy after hard") << 3.249412 << 6.740460 << 3.0 << 14.083626 << 5.636501 << 14 << 4;
    // Easy (first), Easy on day 8.
    QTest::newRow("easy after easy") << 8.2956 << 1.0 << 8.0 << 65.624226 << 1.0 << 66 << 4;
}

void TestFsrsModel::reviewsAfterDays()
{
    QFETCH(double, stability);
    QFETCH(double, difficulty);
    QFETCH(double, days);
    QFETCH(double, expectedStability);
    QFETCH(double, expectedDifficulty);
    QFETCH(int, interval);
    QFETCH(int, rating);
    const FsrsModel::Memory m = FsrsModel::next({stability, difficulty}, days, Rating(rating));
    QCOMPARE_LT(std::abs(m.stability - expectedStability), 1e-4);
    QCOMPARE_LT(std::abs(m.difficulty - expectedDifficulty), 1e-5);
    QCOMPARE(FsrsModel::intervalDays(m.stability), interval);
}

void TestFsrsModel::retrievability_data()
{
    QTest::addColumn<double>("days");
    QTest::addColumn<double>("stability");
    QTest::addColumn<double>("expected");
    QTest::newRow("no time") << 0.0 << 5.0 << 1.0;
    QTest::newRow("after stability days") << 10.0 << 10.0 << 0.9;
    QTest::newRow("after stability days, small") << 2.3065 << 2.3065 << 0.9;
    QTest::newRow("three times stability") << 30.0 << 10.0 << 0.809388;
    QTest::newRow("ten days, first good") << 10.0 << 2.3065 << 0.774367;
    QTest::newRow("negative days are none") << -3.0 << 10.0 << 1.0;
}

void TestFsrsModel::retrievability()
{
    QFETCH(double, days);
    QFETCH(double, stability);
    QFETCH(double, expected);
    QCOMPARE_LT(std::abs(FsrsModel::retrievability(days, stability) - expected), 1e-6);
}

void TestFsrsModel::intervals_data()
{
    QTest::addColumn<double>("stability");
    QTest::addColumn<int>("interval");
    QTest::newRow("tiny is a day") << 0.01 << 1;
    QTest::newRow("rounded down") << 10.4 << 10;
    QTest::newRow("rounded up") << 10.6 << 11;
    QTest::newRow("capped at a year") << 5000.0 << 365;
    QTest::newRow("infinite is capped") << std::numeric_limits<double>::infinity() << 365;
}

void TestFsrsModel::intervals()
{
    QFETCH(double, stability);
    QFETCH(int, interval);
    QCOMPARE(FsrsModel::intervalDays(stability), interval);
}

void TestFsrsModel::lapse()
{
    // S = 10, D = 5, missed after 10 days (R = 0.9):
    // S' = w11 D^-w12 ((S + 1)^w13 - 1) e^(w14 (1 - R)) = 1.391987, below the cap S / e^(w17 w18);
    // D' = 5 + 2 w6 (10 - 5) / 9, drawn towards D0(Easy) by w7 = 8.341762.
    const FsrsModel::Memory m = FsrsModel::next({10, 5}, 10, Rating::Again);
    QCOMPARE_LT(std::abs(m.stability - 1.391987), 1e-5);
    QCOMPARE_LT(std::abs(m.difficulty - 8.341762), 1e-5);
    QCOMPARE(FsrsModel::intervalDays(m.stability), 1);
    // A strong memory falls far: 100 days to 3.75.
    QCOMPARE_LT(std::abs(FsrsModel::next({100, 5}, 100, Rating::Again).stability - 3.747287), 1e-5);
    // Difficulty stays within 1 to 10 however often it is missed.
    FsrsModel::Memory hard{10, 9.9};
    for (int i = 0; i < 20; ++i)
        hard = FsrsModel::next(hard, 1, Rating::Again);
    QCOMPARE_LE(hard.difficulty, 10.0);
    QCOMPARE_GE(hard.stability, FsrsModel::MinimumStability);
}

void TestFsrsModel::sameDay()
{
    // S' = S e^(w17 (G - 3 + w18)) S^-w19; a right answer never lowers it.
    const FsrsModel::Memory again = FsrsModel::next({2.3065, 2.118104}, 0, Rating::Again);
    QCOMPARE_LT(std::abs(again.stability - 0.775084), 1e-5);
    const FsrsModel::Memory good = FsrsModel::next({2.3065, 2.118104}, 0, Rating::Good);
    QCOMPARE_LT(std::abs(good.stability - 2.3065), 1e-6);
    // Hard may weaken it (1.333379); Easy, e^(w17 (1 + w18)) S^-w19 = 1.7108, strengthens it.
    const FsrsModel::Memory hard = FsrsModel::next({2.3065, 2.118104}, 0, Rating::Hard);
    QCOMPARE_LT(std::abs(hard.stability - 1.333379), 1e-5);
    const FsrsModel::Memory easy = FsrsModel::next({2.3065, 2.118104}, 0, Rating::Easy);
    QCOMPARE_LT(std::abs(easy.stability - 3.946054), 1e-5);
    // Easy on a strong memory the same day is held at no loss, as Good is.
    QCOMPARE(FsrsModel::next({30000, 5}, 0, Rating::Easy).stability, 30000.0);
}

void TestFsrsModel::damagedMemory()
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (const FsrsModel::Memory &bad :
         {FsrsModel::Memory{nan, 5}, FsrsModel::Memory{-3, 5}, FsrsModel::Memory{0, 5},
          FsrsModel::Memory{inf, 5}, FsrsModel::Memory{5, nan}}) {
        QVERIFY(!FsrsModel::usable(bad));
        // Starts afresh, as a first review.
        const FsrsModel::Memory m = FsrsModel::next(bad, 3, Rating::Good);
        QCOMPARE(m.stability, FsrsModel::first(Rating::Good).stability);
        QCOMPARE(m.difficulty, FsrsModel::first(Rating::Good).difficulty);
    }
    // A difficulty outside the scale is taken at its nearest end.
    QCOMPARE(FsrsModel::next({10, 40}, 10, Rating::Good).stability,
             FsrsModel::next({10, 10}, 10, Rating::Good).stability);
}

void TestFsrsModel::schedulerCountsAndDueMoments()
{
    const QDateTime start(QDate(2026, 3, 2), QTime(9, 0), Qt::UTC);
    ReviewState s = ReviewScheduler::review(std::nullopt, 7, 1, Rating::Good, start);
    QCOMPARE(s.entry, qint64(7));
    QCOMPARE(s.direction, 1);
    QCOMPARE(s.reviews, 1);
    QCOMPARE(s.lapses, 0);
    QCOMPARE(s.firstReview, start.toSecsSinceEpoch());
    QCOMPARE(s.due, start.addDays(2).toSecsSinceEpoch());

    const QDateTime later = start.addDays(2);
    s = ReviewScheduler::review(s, 7, 1, Rating::Good, later);
    QCOMPARE(s.reviews, 2);
    QCOMPARE(s.due, later.addDays(11).toSecsSinceEpoch());
    QCOMPARE(s.firstReview, start.toSecsSinceEpoch());

    const QDateTime miss = later.addDays(11);
    s = ReviewScheduler::review(s, 7, 1, Rating::Again, miss);
    QCOMPARE(s.reviews, 3);
    QCOMPARE(s.lapses, 1);
    QCOMPARE_LT(s.due - miss.toSecsSinceEpoch(), 11 * ReviewScheduler::SecondsPerDay);
}

void TestFsrsModel::schedulerClockSetBack()
{
    const QDateTime now(QDate(2026, 3, 2), QTime(9, 0), Qt::UTC);
    ReviewState future;
    future.entry = 1;
    future.memory = {10, 5};
    future.reviews = 3;
    future.firstReview = now.addDays(40).toSecsSinceEpoch();
    future.lastReview = now.addDays(30).toSecsSinceEpoch();
    future.due = now.addDays(40).toSecsSinceEpoch();
    // Counts as a review on the same day: no growth from days that never passed.
    const ReviewState s = ReviewScheduler::review(future, 1, 0, Rating::Good, now);
    QCOMPARE(s.memory.stability, FsrsModel::next({10, 5}, 0, Rating::Good).stability);
    QCOMPARE(s.lastReview, now.toSecsSinceEpoch());
    QCOMPARE(s.firstReview, now.toSecsSinceEpoch());
    QCOMPARE(s.due, now.addDays(10).toSecsSinceEpoch());
}

void TestFsrsModel::schedulerAcrossTimeZones()
{
    // Reviewed late in the evening in Sydney (UTC+10), next reviewed the following morning in
    // New York (UTC-5): days are counted on the calendar of the machine reviewing now.
    const QDateTime sydney(QDate(2026, 3, 2), QTime(23, 30), Qt::OffsetFromUTC, 10 * 3600);
    const ReviewState first = ReviewScheduler::review(std::nullopt, 1, 0, Rating::Good, sydney);
    QCOMPARE(ReviewTime::dayOf(first.lastReview, sydney), QDate(2026, 3, 2));
    const QDateTime newYork(QDate(2026, 3, 2), QTime(20, 0), Qt::OffsetFromUTC, -5 * 3600);
    QVERIFY(newYork > sydney);
    QCOMPARE(ReviewTime::dayOf(first.lastReview, newYork), QDate(2026, 3, 2)); // 08:30 there
    const ReviewState second = ReviewScheduler::review(first, 1, 0, Rating::Good, newYork);
    // The same calendar day in New York: a same-day review, which never lowers a memory.
    QCOMPARE(second.memory.stability, FsrsModel::next(first.memory, 0, Rating::Good).stability);
    QCOMPARE_GE(second.due, first.due);
    // The end of today is midnight where the clock is.
    QCOMPARE(ReviewTime::startOfDay(newYork, 1),
             QDateTime(QDate(2026, 3, 3), QTime(0, 0), Qt::OffsetFromUTC, -5 * 3600).toSecsSinceEpoch());
    QCOMPARE(ReviewTime::startOfDay(sydney, 0),
             QDateTime(QDate(2026, 3, 2), QTime(0, 0), Qt::OffsetFromUTC, 10 * 3600).toSecsSinceEpoch());
}

QTEST_GUILESS_MAIN(TestFsrsModel)
#include "tst_fsrsmodel.moc"

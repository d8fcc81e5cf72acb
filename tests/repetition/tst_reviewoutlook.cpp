// The logbook's look ahead and back: entry sides due on each of the next 30 days, and the
// share of the last 30 days' reviews not graded Again, from the side tables of the unit's
// file, with what another program may have left there skipped.

#include "platform/table/sqlitedatabase.h"
#include "repetition/reviewhistory.h"
#include "repetition/reviewoutlook.h"
#include "repetition/reviewstore.h"
#include "support/scriptedmessageservice.h"
#include "support/testfolder.h"
#include "vocfile/lumotable.h"

#include <QTest>
#include <cmath>

namespace {
constexpr qint64 Hour = 3600;
constexpr qint64 Day = 86400;
// Seconds since the start of the day of now: 10:00.
constexpr qint64 Morning = 10 * Hour;
// An entry the unit does not have (deleted by a program that left its rows behind).
constexpr qint64 Gone = 99;

struct Side
{
    qint64 entry;
    int direction;
    qint64 due; // seconds from now
    bool damaged = false;
};
using Sides = QList<Side>;
// Entry, direction, time (seconds from now, or a value from elsewhere as it stands), grade,
// days since the review before (none: a first review).
using LogRows = QList<QVariantList>;
using DayCounts = QMap<int, int>;

const QDateTime Now(QDate(2026, 6, 10), QTime(10, 0), Qt::UTC);
} // namespace

Q_DECLARE_METATYPE(Sides)
Q_DECLARE_METATYPE(LogRows)

class TestReviewOutlook : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void sidesDuePerDay_data();
    void sidesDuePerDay();
    void retentionOfTheLastThirtyDays_data();
    void retentionOfTheLastThirtyDays();
    void unitWithoutSideTablesHasNothing();

private:
    SqliteDatabase &db() { return *m_table->connection(); }
    std::unique_ptr<TestFolder> m_folder;
    ScriptedMessageService m_messages;
    std::unique_ptr<TLumoTable> m_table;
};

void TestReviewOutlook::init()
{
    m_folder = std::make_unique<TestFolder>();
    m_table = std::make_unique<TLumoTable>(m_messages);
    m_table->setVocabularyFile(m_folder->filePath(QStringLiteral("unit.db")));
    m_table->open();
    for (int i = 1; i <= 5; ++i)
        m_table->appendRecord({QVariant(), QStringLiteral("N%1").arg(i), QStringLiteral("f%1").arg(i), 1});
}

void TestReviewOutlook::cleanup()
{
    m_table.reset();
    m_folder.reset();
}

void TestReviewOutlook::sidesDuePerDay_data()
{
    QTest::addColumn<Sides>("sides");
    QTest::addColumn<DayCounts>("expected");
    const qint64 midnight = Day - Morning; // the end of today
    QTest::newRow("later today") << Sides{{1, 0, 2 * Hour}} << DayCounts{{0, 1}};
    QTest::newRow("overdue counts today") << Sides{{1, 0, -5 * Day}, {2, 1, -Hour}} << DayCounts{{0, 2}};
    QTest::newRow("each direction is a side")
        << Sides{{1, 0, Day}, {1, 1, Day}, {2, 0, 3 * Day}} << DayCounts{{1, 2}, {3, 1}};
    QTest::newRow("midnight begins the next day")
        << Sides{{1, 0, midnight - 1}, {2, 0, midnight}} << DayCounts{{0, 1}, {1, 1}};
    QTest::newRow("the 30th day is the last shown")
        << Sides{{1, 0, midnight + 29 * Day - 1}, {2, 0, midnight + 29 * Day}, {3, 0, 200 * Day}}
        << DayCounts{{29, 1}};
    QTest::newRow("due in 1000 years, from elsewhere") << Sides{{1, 1, 365000 * Day}} << DayCounts{};
    QTest::newRow("a damaged state is due at once") << Sides{{4, 0, 9 * Day, true}} << DayCounts{{0, 1}};
    QTest::newRow("deleted entry") << Sides{{Gone, 0, Hour}, {3, 0, Hour}} << DayCounts{{0, 1}};
}

void TestReviewOutlook::sidesDuePerDay()
{
    QFETCH(Sides, sides);
    QFETCH(DayCounts, expected);
    ReviewStore store(db());
    store.ensureTable();
    for (const Side &side : sides) {
        ReviewState state;
        state.entry = side.entry;
        state.direction = side.direction;
        state.memory =
            side.damaged ? FsrsModel::Memory{std::nan(""), 5} : FsrsModel::first(FsrsModel::Rating::Good);
        state.firstReview = state.lastReview = Now.toSecsSinceEpoch() - 3 * Day;
        state.due = Now.toSecsSinceEpoch() + side.due;
        state.reviews = 1;
        store.save(state);
    }
    QList<int> counts(ReviewOutlook::Days, 0);
    for (auto day = expected.cbegin(); day != expected.cend(); ++day)
        counts[day.key()] = day.value();
    QCOMPARE(ReviewOutlook::duePerDay(db(), Now), counts);
    QCOMPARE(ReviewOutlook::of(*m_table, Now).duePerDay, counts);
}

void TestReviewOutlook::retentionOfTheLastThirtyDays_data()
{
    QTest::addColumn<LogRows>("rows");
    QTest::addColumn<int>("reviews");
    QTest::addColumn<int>("recalled");
    const QVariant first;
    const qint64 startOfWindow = -Morning - 29 * Day;
    QTest::newRow("none") << LogRows{} << 0 << 0;
    QTest::newRow("each grade after a day or more")
        << LogRows{{1, 0, -Day, 1, 1}, {1, 0, -Hour, 2, 1}, {2, 1, -3 * Day, 3, 4.5}, {3, 0, -Hour, 4, 30}}
        << 4 << 3;
    QTest::newRow("first and same-day reviews are not counted")
        << LogRows{{1, 0, -Day, 1, first}, {1, 0, -Hour, 1, 0}, {2, 0, -Hour, 3, 0.5}, {2, 0, -Hour, 3, 2}}
        << 1 << 1;
    QTest::newRow("the window opens at midnight 29 days ago")
        << LogRows{{1, 0, startOfWindow - 1, 1, 3}, {2, 0, startOfWindow, 1, 3}, {3, 0, 0, 3, 3}} << 2 << 1;
    QTest::newRow("a time after now, from elsewhere")
        << LogRows{{1, 0, Hour, 1, 3}, {2, 0, 40 * Day, 3, 3}, {3, 0, -Hour, 3, 3}} << 1 << 1;
    QTest::newRow("bad grades, from elsewhere") << LogRows{{1, 0, -Hour, 0, 3},
                                                           {1, 0, -Hour, 5, 3},
                                                           {1, 0, -Hour, 2.5, 3},
                                                           {1, 0, -Hour, QStringLiteral("Good"), 3},
                                                           {2, 0, -Hour, 1, 3}}
                                                << 1 << 0;
    QTest::newRow("bad intervals and times, from elsewhere")
        << LogRows{{1, 0, -Hour, 3, -2},
                   {1, 0, -Hour, 3, QStringLiteral("a week")},
                   {1, 0, QStringLiteral("yesterday"), 3, 3},
                   {2, 0, -Hour, 3, 3}}
        << 1 << 1;
    QTest::newRow("deleted entry") << LogRows{{Gone, 0, -Hour, 1, 3}, {4, 1, -Hour, 1, 3}} << 1 << 0;
}

void TestReviewOutlook::retentionOfTheLastThirtyDays()
{
    QFETCH(LogRows, rows);
    QFETCH(int, reviews);
    QFETCH(int, recalled);
    ReviewHistory(db()).ensureTable();
    for (const QVariantList &row : rows) {
        SqliteStatement insert(db(), QStringLiteral("INSERT INTO review_log (entry, direction, reviewed_at, "
                                                    "grade, elapsed_days) VALUES (?, ?, ?, ?, ?)"));
        for (int column = 0; column < row.size(); ++column)
            insert.bind(column + 1, row.at(column));
        if (row.at(2).typeId() == QMetaType::Int || row.at(2).typeId() == QMetaType::LongLong)
            insert.bindInt(3, Now.toSecsSinceEpoch() + row.at(2).toLongLong());
        insert.step();
    }
    const ReviewOutlook::Retention retention = ReviewOutlook::retention(db(), Now);
    QCOMPARE(retention.reviews, reviews);
    QCOMPARE(retention.recalled, recalled);
    QCOMPARE(retention.share().has_value(), reviews > 0);
    if (reviews > 0)
        QCOMPARE(*retention.share(), double(recalled) / reviews);
    QCOMPARE(ReviewOutlook::of(*m_table, Now).retention.reviews, reviews);
}

void TestReviewOutlook::unitWithoutSideTablesHasNothing()
{
    QVERIFY(!ReviewStore(db()).hasTable());
    QVERIFY(!ReviewHistory(db()).hasTable());
    const ReviewOutlook::Outlook outlook = ReviewOutlook::of(*m_table, Now);
    QCOMPARE(outlook.duePerDay, QList<int>(ReviewOutlook::Days, 0));
    QCOMPARE(outlook.retention.reviews, 0);
    QVERIFY(!outlook.retention.share());
    QCOMPARE(outlook.target, 0.9);
    // Nor does a closed table.
    m_table->close();
    QCOMPARE(ReviewOutlook::of(*m_table, Now).duePerDay, QList<int>(ReviewOutlook::Days, 0));
}

QTEST_GUILESS_MAIN(TestReviewOutlook)
#include "tst_reviewoutlook.moc"

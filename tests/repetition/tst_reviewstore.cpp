// The review states in the unit's file: made when first needed, beside the vocabulary table
// and never in its way, gone with their entry, kept by packing and copying, and sane when
// damaged or written by a later version.

#include "platform/table/sqlitedatabase.h"
#include "repetition/duequeue.h"
#include "repetition/duewords.h"
#include "repetition/reviewscheduler.h"
#include "repetition/reviewstore.h"
#include "repetition/testreviews.h"
#include "support/scriptedmessageservice.h"
#include "support/testfolder.h"
#include "vocfile/lumotable.h"
#include "vocfile/unitfiles.h"

#include <QTest>
#include <limits>

namespace {
const QDateTime Monday(QDate(2026, 3, 2), QTime(9, 0), Qt::UTC);

qint64 at(const QDateTime &moment)
{
    return moment.toSecsSinceEpoch();
}
} // namespace

class TestReviewStore : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void oldUnitHasNoStates();
    void firstReviewMakesTheTable();
    void tableOfOursStillOpens();
    void deletingAnEntryDeletesItsStates();
    void packingKeepsStates();
    void copyMoveRenameCarryStates();
    void laterVersionColumnsAreLeftAlone();
    void damagedRowsAreDueAtOnce();
    void dueCounts();
    void dueQueueOrder();
    void dueQueueNewAllowance();

private:
    ReviewStore store() { return ReviewStore(*m_table->connection()); }
    void review(qint64 entry, int direction, FsrsModel::Rating rating, const QDateTime &now);
    QString tablePath() const { return m_folder->filePath(QStringLiteral("unit.db")); }
    int stateRows();

    std::unique_ptr<TestFolder> m_folder;
    ScriptedMessageService m_messages;
    std::unique_ptr<TLumoTable> m_table;
};

void TestReviewStore::init()
{
    m_folder = std::make_unique<TestFolder>();
    m_folder->writeText(QStringLiteral("unit.lif"), QStringLiteral("[general]\nFileType=vokfile\n"));
    m_table = std::make_unique<TLumoTable>(m_messages);
    m_table->setVocabularyFile(tablePath());
    m_table->open();
    for (int i = 0; i < 5; ++i)
        m_table->appendRecord({QVariant(), QStringLiteral("N%1").arg(i), QStringLiteral("f%1").arg(i), 1});
}

void TestReviewStore::cleanup()
{
    m_table.reset();
    m_folder.reset();
}

void TestReviewStore::review(qint64 entry, int direction, FsrsModel::Rating rating, const QDateTime &now)
{
    ReviewStore s = store();
    s.ensureTable();
    s.save(ReviewScheduler::review(s.state(entry, direction), entry, direction, rating, now));
}

int TestReviewStore::stateRows()
{
    SqliteStatement count(*m_table->connection(), QStringLiteral("SELECT count(*) FROM review_state"));
    return count.step() ? int(count.int64(0)) : -1;
}

void TestReviewStore::oldUnitHasNoStates()
{
    QVERIFY(!store().hasTable());
    QVERIFY(!store().state(1, 0).has_value());
    QVERIFY(store().dueStates(0, at(Monday), 0).rows.isEmpty());
    QCOMPARE(store().dueStates(0, at(Monday), 0).introducedToday, 0);
    const ReviewStore::DueCounts counts = DueWords::counts(*m_table, Monday);
    QCOMPARE(counts.today, 0);
    QCOMPARE(counts.nextWeek, 0);
    // Asking leaves the file as it was.
    QVERIFY(!store().hasTable());
    // A closed table counts nothing rather than failing.
    m_table->close();
    QCOMPARE(DueWords::counts(*m_table, Monday).today, 0);
}

void TestReviewStore::firstReviewMakesTheTable()
{
    TestReviews reviews;
    reviews.setClock([] { return Monday; });
    reviews.begin(m_table.get(), 1);
    reviews.record(2, FsrsModel::Rating::Good);
    QVERIFY(reviews.reviewed(2));
    reviews.record(2, FsrsModel::Rating::Again); // once per test: ignored
    QVERIFY(store().hasTable());
    const std::optional<ReviewState> s = store().state(2, 1);
    QVERIFY(s.has_value());
    QCOMPARE(s->reviews, 1);
    QCOMPARE(s->lapses, 0);
    QCOMPARE(s->due, at(Monday.addDays(2)));
    QVERIFY(!store().state(2, 0).has_value()); // the other direction is its own
    // The vocabulary table is as it was.
    QCOMPARE(m_table->fieldDefs().size(), TLumoTable::FieldCount);
    QCOMPARE(m_table->recordCount(), 5);
    // Making it again changes nothing.
    store().ensureTable();
    QCOMPARE(stateRows(), 1);
}

void TestReviewStore::tableOfOursStillOpens()
{
    review(1, 0, FsrsModel::Rating::Good, Monday);
    m_table->close();
    m_table->open();
    QCOMPARE(m_table->fieldDefs().size(), TLumoTable::FieldCount);
    QCOMPARE(m_table->indexDefs().size(), 3);
    QCOMPARE(m_table->recordCount(), 5);
    QVERIFY(store().state(1, 0).has_value());
}

void TestReviewStore::deletingAnEntryDeletesItsStates()
{
    review(3, 0, FsrsModel::Rating::Good, Monday);
    review(3, 1, FsrsModel::Rating::Again, Monday);
    review(4, 0, FsrsModel::Rating::Good, Monday);
    QVERIFY(m_table->findKey(3));
    m_table->deleteRecord();
    QVERIFY(!store().state(3, 0).has_value());
    QVERIFY(!store().state(3, 1).has_value());
    QVERIFY(store().state(4, 0).has_value());
    // A new entry never takes the number, nor a state with it.
    m_table->appendRecord({QVariant(), QStringLiteral("new"), QStringLiteral("neu"), 1});
    QVERIFY(m_table->currentKey() > 5);
    QVERIFY(!store().state(m_table->currentKey(), 0).has_value());
}

void TestReviewStore::packingKeepsStates()
{
    review(1, 0, FsrsModel::Rating::Good, Monday);
    review(5, 1, FsrsModel::Rating::Good, Monday);
    QVERIFY(m_table->findKey(2));
    m_table->deleteRecord();
    m_table->close();
    QVERIFY(m_table->Pack());
    m_table->open();
    QCOMPARE(m_table->recordCount(), 4);
    QCOMPARE(store().state(1, 0)->due, at(Monday.addDays(2)));
    QVERIFY(store().state(5, 1).has_value());
    // The clean-up on deletion survives packing too.
    QVERIFY(m_table->findKey(1));
    m_table->deleteRecord();
    QVERIFY(!store().state(1, 0).has_value());
}

void TestReviewStore::copyMoveRenameCarryStates()
{
    review(2, 0, FsrsModel::Rating::Good, Monday);
    m_table->close();
    const QString descriptor = m_folder->filePath(QStringLiteral("unit.lif"));
    QDir().mkpath(m_folder->filePath(QStringLiteral("copies")));
    QDir().mkpath(m_folder->filePath(QStringLiteral("moved")));
    const QString copy = UnitFiles(descriptor).copyTo(m_folder->filePath(QStringLiteral("copies/")));
    const QString renamed = UnitFiles(descriptor).rename(QStringLiteral("other"));
    const QString moved = UnitFiles(renamed).moveTo(m_folder->filePath(QStringLiteral("moved/")));
    for (const QString &unit : {copy, moved}) {
        TLumoTable table(m_messages);
        table.setVocabularyFile(UnitFiles::tablePathOf(unit));
        table.open();
        const std::optional<ReviewState> s = ReviewStore(*table.connection()).state(2, 0);
        QVERIFY2(s.has_value(), qPrintable(unit));
        QCOMPARE(s->due, at(Monday.addDays(2)));
    }
}

void TestReviewStore::laterVersionColumnsAreLeftAlone()
{
    review(1, 0, FsrsModel::Rating::Good, Monday);
    m_table->connection()->exec(QStringLiteral("ALTER TABLE review_state ADD COLUMN ease REAL DEFAULT 2.5"));
    m_table->connection()->exec(QStringLiteral("UPDATE review_state SET ease = 3.5"));
    review(1, 0, FsrsModel::Rating::Good, Monday.addDays(2));
    QCOMPARE(store().state(1, 0)->reviews, 2);
    SqliteStatement ease(*m_table->connection(), QStringLiteral("SELECT ease FROM review_state"));
    QVERIFY(ease.step());
    QCOMPARE(ease.real(0), 3.5);
}

void TestReviewStore::damagedRowsAreDueAtOnce()
{
    for (qint64 entry = 1; entry <= 5; ++entry)
        review(entry, 0, FsrsModel::Rating::Good, Monday);
    const QDateTime friday = Monday.addDays(4);
    SqliteDatabase &db = *m_table->connection();
    db.exec(QStringLiteral("UPDATE review_state SET stability = -4 WHERE entry = 1"));
    SqliteStatement nan(db, QStringLiteral("UPDATE review_state SET stability = ? WHERE entry = 2"));
    nan.bindReal(1, std::numeric_limits<double>::quiet_NaN());
    nan.step();
    db.exec(QStringLiteral("UPDATE review_state SET due = 'soon' WHERE entry = 3"));
    db.exec(QStringLiteral("UPDATE review_state SET due = 99999999999 WHERE entry = 4")); // year 5138
    db.exec(QStringLiteral("UPDATE review_state SET due = -99999999999 WHERE entry = 5"));
    const qint64 latest = at(friday.addDays(365));
    QHash<qint64, qint64> due;
    for (const ReviewStore::DueRow &row : store().dueStates(0, latest, 0).rows)
        due.insert(row.entry, row.due);
    QCOMPARE(due.size(), 5);
    QCOMPARE(due.value(1), 0);
    QCOMPARE(due.value(2), 0);
    QCOMPARE(due.value(3), 0);
    QCOMPARE(due.value(4), latest);
    QCOMPARE(due.value(5), -99999999999LL);
    // A damaged memory starts afresh at its next review, its counts kept.
    review(1, 0, FsrsModel::Rating::Good, friday);
    const std::optional<ReviewState> s = store().state(1, 0);
    QCOMPARE(s->memory.stability, FsrsModel::first(FsrsModel::Rating::Good).stability);
    QCOMPARE(s->reviews, 2);
    // NaN reads back as a memory the model will not carry on from.
    QVERIFY(!FsrsModel::usable(store().state(2, 0)->memory));
}

void TestReviewStore::dueCounts()
{
    // Entry 1 both directions due Wednesday, entry 2 due Wednesday, entry 3 due in 11 days.
    review(1, 0, FsrsModel::Rating::Good, Monday);
    review(1, 1, FsrsModel::Rating::Good, Monday);
    review(2, 0, FsrsModel::Rating::Good, Monday);
    review(3, 0, FsrsModel::Rating::Good, Monday.addDays(-2));
    review(3, 0, FsrsModel::Rating::Good, Monday);
    QCOMPARE(store().state(3, 0)->due, at(Monday.addDays(11)));

    ReviewStore::DueCounts c = DueWords::counts(*m_table, Monday);
    QCOMPARE(c.today, 0);
    QCOMPARE(c.nextWeek, 2);                                              // entry 1 once, entry 2
    c = DueWords::counts(*m_table, Monday.addDays(2).addSecs(-8 * 3600)); // Wednesday 01:00
    QCOMPARE(c.today, 2);
    c = DueWords::counts(*m_table, Monday.addDays(5)); // seven days on reach day 12
    QCOMPARE(c.today, 2);
    QCOMPARE(c.nextWeek, 3);
    // A state whose entry another program deleted without it counts for nothing.
    review(99, 1, FsrsModel::Rating::Again, Monday);
    c = DueWords::counts(*m_table, Monday.addDays(5));
    QCOMPARE(c.today, 2);
    QVERIFY(store().dueStates(1, at(Monday.addDays(5)), 0).rows.size() == 1);
}

void TestReviewStore::dueQueueOrder()
{
    const qint64 end = 1000;
    const QList<ReviewStore::DueRow> states{{1, 900}, {2, 100}, {3, 5000}, {4, 100}, {9, 0}};
    // Most overdue first, ties in table order, not yet due left out, new ones after them;
    // states of entries that do not take part are passed over.
    QCOMPARE(DueQueue::build({5, 1, 3, 4, 2, 6}, states, end, 20), (QList<qint64>{4, 2, 1, 5, 6}));
    QCOMPARE(DueQueue::build({}, states, end, 20), QList<qint64>{});
}

void TestReviewStore::dueQueueNewAllowance()
{
    const QList<ReviewStore::DueRow> states{{2, 10}};
    QCOMPARE(DueQueue::build({1, 2, 3, 4}, states, 100, 2), (QList<qint64>{2, 1, 3}));
    QCOMPARE(DueQueue::build({1, 2, 3, 4}, states, 100, 0), (QList<qint64>{2}));

    // New entries learned earlier today use up the allowance.
    TestReviews reviews;
    reviews.setClock([] { return Monday; });
    reviews.begin(m_table.get(), 0);
    reviews.record(1, FsrsModel::Rating::Good);
    reviews.record(2, FsrsModel::Rating::Good);
    QCOMPARE(reviews.dueQueue({1, 2, 3, 4, 5}, 3), (QList<qint64>{3}));
    QCOMPARE(reviews.dueQueue({1, 2, 3, 4, 5}, 1), QList<qint64>{});
    // The next day a new allowance; nothing learned yet is due before Wednesday.
    reviews.setClock([] { return Monday.addDays(1); });
    QCOMPARE(reviews.dueQueue({1, 2, 3, 4, 5}, 2), (QList<qint64>{3, 4}));
    reviews.setClock([] { return Monday.addDays(2); });
    QCOMPARE(reviews.dueQueue({1, 2, 3, 4, 5}, 1), (QList<qint64>{1, 2, 3}));
}

QTEST_GUILESS_MAIN(TestReviewStore)
#include "tst_reviewstore.moc"

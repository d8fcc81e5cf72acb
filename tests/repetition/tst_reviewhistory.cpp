// The history of reviews in the unit's file: made at the first review, kept for a deleted
// entry until packing, read back for fitting with bad rows left out, and written in the
// column layout that FSRS tools read; each review written to the file open at the time.
#include "platform/table/sqlitedatabase.h"
#include "repetition/reviewhistory.h"
#include "repetition/reviewstore.h"
#include "repetition/testreviews.h"
#include "support/scriptedmessageservice.h"
#include "support/testfolder.h"
#include "vocfile/lumotable.h"

#include <QTest>
#include <cmath>

namespace {
using Row = ReviewHistory::Row;
constexpr qint64 Monday = 1772442000; // 2026-03-02 09:00 UTC
constexpr qint64 Day = 86400;
const double First = std::nan("");

Row row(qint64 entry, int direction, qint64 at, int grade, double elapsed = First, double stability = 2.3,
        double difficulty = 5.0)
{
    return Row{entry, direction, at, grade, elapsed, {stability, difficulty}};
}
} // namespace

class TestReviewHistory : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void madeAtTheFirstReviewAndReadBack();
    void deletedEntriesKeepTheirHistoryUntilPacking();
    void cardsForFittingLeaveOutBadRows();
    void csvForOtherTools();
    void eachReviewOfATestAddsARow();
    void reviewsFollowTheOpenFile_data();
    void reviewsFollowTheOpenFile();

private:
    ReviewHistory history() { return ReviewHistory(*m_table->connection()); }
    std::unique_ptr<TestFolder> m_folder;
    ScriptedMessageService m_messages;
    std::unique_ptr<TLumoTable> m_table;
};

void TestReviewHistory::init()
{
    m_folder = std::make_unique<TestFolder>();
    m_table = std::make_unique<TLumoTable>(m_messages);
    m_table->setVocabularyFile(m_folder->filePath(QStringLiteral("unit.db")));
    m_table->open();
    for (int i = 0; i < 5; ++i)
        m_table->appendRecord({QVariant(), QStringLiteral("N%1").arg(i), QStringLiteral("f%1").arg(i), 1});
}

void TestReviewHistory::cleanup()
{
    m_table.reset();
    m_folder.reset();
}

void TestReviewHistory::madeAtTheFirstReviewAndReadBack()
{
    QVERIFY(!history().hasTable());
    QVERIFY(history().rows().isEmpty());
    QCOMPARE(history().count(), 0);
    history().ensureTable();
    history().ensureTable(); // a second call changes nothing
    history().append(row(2, 1, Monday + 3 * Day, 3, 3.0, 4.5, 6.25));
    history().append(row(2, 1, Monday, 1));
    history().append(row(1, 0, Monday, 4));
    const QList<Row> rows = history().rows();
    QCOMPARE(rows.size(), 3);
    QCOMPARE(rows.at(0).entry, 1);
    QCOMPARE(rows.at(1).reviewedAt, Monday); // by entry, direction and time
    QVERIFY(rows.at(1).first());
    QVERIFY(std::isnan(rows.at(1).before.stability));
    QCOMPARE(rows.at(2).elapsedDays, 3.0);
    QCOMPARE(rows.at(2).before.stability, 4.5);
    QCOMPARE(rows.at(2).before.difficulty, 6.25);
    QCOMPARE(rows.at(2).grade, 3);
    // The vocabulary table itself is left as it was.
    QCOMPARE(m_table->recordCount(), 5);
}

void TestReviewHistory::deletedEntriesKeepTheirHistoryUntilPacking()
{
    history().ensureTable();
    for (qint64 entry : {1, 2, 3})
        history().append(row(entry, 0, Monday, 3));
    QVERIFY(m_table->findKey(2));
    m_table->deleteRecord();
    QCOMPARE(history().count(), 3);
    m_table->connection()->exec(QStringLiteral("VACUUM"));
    QCOMPARE(history().count(), 3);
    QVERIFY(m_table->Pack());
    m_table->open();
    const QList<Row> rows = history().rows();
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows.at(0).entry, 1);
    QCOMPARE(rows.at(1).entry, 3);
}

void TestReviewHistory::cardsForFittingLeaveOutBadRows()
{
    history().ensureTable();
    history().append(row(1, 0, Monday, 3));
    history().append(row(1, 0, Monday + 2 * Day, 1, 2.0));
    history().append(row(1, 0, Monday + 3 * Day, 5, 1.0));  // no such grade
    history().append(row(1, 1, Monday, 2));                 // the other direction is another card
    history().append(row(1, 1, Monday + Day, 0, 1.0));      // no such grade
    history().append(row(1, 1, Monday + 4 * Day, 3, -4.0)); // a negative interval
    history().append(row(2, 0, Monday, 4));
    history().append(row(2, 0, Monday + 400 * Day, 3, 400)); // in the future
    // Text where a grade belongs, as a file from elsewhere may hold.
    m_table->connection()->exec(QStringLiteral(
        "INSERT INTO review_log (entry, direction, reviewed_at, grade) VALUES (3, 0, 1772442000, 'good')"));
    const ReviewHistory::Cards cards = history().cards(Monday + 30 * Day);
    QCOMPARE(cards.skipped, 5);
    QCOMPARE(int(cards.cards.size()), 3);
    QCOMPARE(int(cards.cards.at(0).size()), 2);
    QCOMPARE(cards.cards.at(0).at(1).elapsedDays, 2.0);
    QCOMPARE(cards.cards.at(0).at(1).grade, 1);
    QCOMPARE(int(cards.cards.at(1).size()), 1);
    QCOMPARE(cards.cards.at(1).at(0).grade, 2);
    QCOMPARE(int(cards.cards.at(2).size()), 1);
}

void TestReviewHistory::csvForOtherTools()
{
    history().ensureTable();
    history().append(row(7, 1, Monday, 1));
    history().append(row(7, 1, Monday + Day, 3, 1.0));
    history().append(row(7, 1, Monday + 4 * Day, 2, 3.0));
    history().append(row(9, 0, Monday, 4));
    QCOMPARE(history().csv(), QByteArray("card_id,review_time,review_rating,review_state,review_duration\n"
                                         "15,1772442000000,1,0,0\n"
                                         "15,1772528400000,3,3,0\n"
                                         "15,1772787600000,2,2,0\n"
                                         "18,1772442000000,4,0,0\n"));
}

void TestReviewHistory::eachReviewOfATestAddsARow()
{
    QDateTime now = QDateTime::fromSecsSinceEpoch(Monday, Qt::UTC);
    TestReviews reviews;
    reviews.setClock([&now] { return now; });
    reviews.begin(m_table.get(), 1);
    reviews.record(2, FsrsModel::Rating::Good);
    reviews.record(2, FsrsModel::Rating::Again); // one review per entry and test
    const std::optional<ReviewState> afterFirst = ReviewStore(*m_table->connection()).state(2, 1);
    QVERIFY(afterFirst.has_value());
    now = now.addDays(3);
    reviews.begin(m_table.get(), 1);
    reviews.record(2, FsrsModel::Rating::Hard);
    // A review in a transaction that is taken back leaves neither its state nor its row.
    m_table->startTransaction();
    reviews.record(4, FsrsModel::Rating::Easy);
    m_table->rollback();
    const QList<Row> rows = history().rows();
    QCOMPARE(rows.size(), 2);
    QVERIFY(rows.at(0).first());
    QCOMPARE(rows.at(0).grade, 3);
    QCOMPARE(rows.at(0).direction, 1);
    QCOMPARE(rows.at(1).grade, 2);
    QCOMPARE(rows.at(1).reviewedAt, Monday + 3 * Day);
    QCOMPARE(rows.at(1).elapsedDays, 3.0);
    QCOMPARE(rows.at(1).before.stability, afterFirst->memory.stability);
    QCOMPARE(rows.at(1).before.difficulty, afterFirst->memory.difficulty);
    QVERIFY(!ReviewStore(*m_table->connection()).state(4, 1).has_value());
}

void TestReviewHistory::reviewsFollowTheOpenFile_data()
{
    // What happens between two reviews of one test, and the history rows then in the unit
    // open last (the first review's row included or not).
    QTest::addColumn<QString>("between");
    QTest::addColumn<int>("rows");
    QTest::newRow("its transaction rolled back") << "rollback" << 1;
    QTest::newRow("its savepoint rolled back") << "savepoint" << 1;
    QTest::newRow("the unit closed and opened again") << "reopen" << 2;
    QTest::newRow("another unit opened underneath") << "other" << 1;
}

void TestReviewHistory::reviewsFollowTheOpenFile()
{
    QFETCH(QString, between);
    QFETCH(int, rows);
    const QString first = m_table->vocabularyFile();
    TestReviews reviews;
    reviews.setClock([] { return QDateTime::fromSecsSinceEpoch(Monday, Qt::UTC); });
    reviews.begin(m_table.get(), 0);
    SqliteDatabase *db = m_table->connection();
    // The first review of the unit makes its side tables, which a rollback takes back.
    if (between == QLatin1String("rollback"))
        db->exec(QStringLiteral("BEGIN"));
    if (between == QLatin1String("savepoint"))
        db->exec(QStringLiteral("SAVEPOINT outer"));
    reviews.record(1, FsrsModel::Rating::Good);
    if (between == QLatin1String("rollback"))
        db->exec(QStringLiteral("ROLLBACK"));
    if (between == QLatin1String("savepoint")) {
        db->exec(QStringLiteral("ROLLBACK TO outer"));
        db->exec(QStringLiteral("RELEASE outer"));
    }
    if (between == QLatin1String("reopen") || between == QLatin1String("other")) {
        m_table->close();
        if (between == QLatin1String("other"))
            m_table->setVocabularyFile(m_folder->filePath(QStringLiteral("other.db")));
        m_table->open();
        if (between == QLatin1String("other"))
            for (int i = 0; i < 2; ++i)
                m_table->appendRecord({QVariant(), QStringLiteral("N%1").arg(i), QStringLiteral("f"), 1});
    }
    reviews.record(2, FsrsModel::Rating::Again);
    const QList<Row> written = history().rows();
    QCOMPARE(written.size(), rows);
    QCOMPARE(written.last().entry, 2);
    QCOMPARE(written.last().grade, 1);
    QCOMPARE(ReviewStore(*m_table->connection()).state(2, 0)->reviews, 1);
    // The unit opened first holds its own review only.
    m_table->close();
    m_table->setVocabularyFile(first);
    m_table->open();
    QCOMPARE(history().count(), between == QLatin1String("other") ? 1 : rows);
}

QTEST_GUILESS_MAIN(TestReviewHistory)
#include "tst_reviewhistory.moc"

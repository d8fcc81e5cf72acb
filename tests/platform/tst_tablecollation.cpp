#include "platform/table/sqlitedatabase.h"
#include "platform/table/tablecollation.h"
#include "support/testfolder.h"

#include <QFile>
#include <QTest>
#include <algorithm>
#include <sqlite3.h>

namespace {

// Words that test the folding: ASCII between the cases, accents, Greek with its final
// sigma, the German sharp s, letters that fold across scripts, characters beyond the
// basic plane, prefixes, blanks and the empty text.
const QStringList Words = {
    QString(),
    QStringLiteral(" "),
    QStringLiteral("\t"),
    QStringLiteral("a"),
    QStringLiteral("A"),
    QStringLiteral("ab"),
    QStringLiteral("Ab"),
    QStringLiteral("aB"),
    QStringLiteral("abc"),
    QStringLiteral("b"),
    QStringLiteral("Z"),
    QStringLiteral("z"),
    QStringLiteral("["),
    QStringLiteral("_"),
    QStringLiteral("`"),
    QStringLiteral("{"),
    QStringLiteral("@"),
    QStringLiteral("1"),
    QStringLiteral("10"),
    QStringLiteral("9"),
    QStringLiteral("a b"),
    QStringLiteral("Haus"),
    QStringLiteral("haus"),
    QStringLiteral("HAUSBOOT"),
    QStringLiteral("hausboot"),
    QStringLiteral("\u00e4pfel"),
    QStringLiteral("\u00c4pfel"),
    QStringLiteral("apfel"),
    QStringLiteral("Apfel"),
    QStringLiteral("\u00e4"),
    QStringLiteral("Stra\u00dfe"),
    QStringLiteral("STRASSE"),
    QStringLiteral("strasse"),
    QStringLiteral("stra\u00dfe"),
    QStringLiteral("\u00df"),
    QStringLiteral("\u1e9e"),
    QStringLiteral("ss"),
    QStringLiteral("\u03a9mega"),
    QStringLiteral("\u03c9mega"),
    QStringLiteral("\u03a3\u03af\u03c3\u03c5\u03c6\u03bf\u03c2"),
    QStringLiteral("\u03c3\u03af\u03c3\u03c5\u03c6\u03bf\u03c3"),
    QStringLiteral("\u03a3\u038a\u03a3\u03a5\u03a6\u039f\u03a3"),
    QStringLiteral("\u03c2"),
    QStringLiteral("\u03c3"),
    QStringLiteral("\u212a"),
    QStringLiteral("k"),
    QStringLiteral("K"),
    QStringLiteral("\u017f"),
    QStringLiteral("s"),
    QStringLiteral("\u00e9t\u00e9"),
    QStringLiteral("\u00c9T\u00c9"),
    QStringLiteral("e\u0301te\u0301"),
    QStringLiteral("\u0130stanbul"),
    QStringLiteral("istanbul"),
    QStringLiteral("\u0131"),
    QStringLiteral("I"),
    QStringLiteral("\U0001F600"),
    QStringLiteral("a\U0001F600"),
    QStringLiteral("a\U00010400"),
    QStringLiteral("a\U00010428"),
    QStringLiteral("a\uffff"),
    QStringLiteral("\u00ff"),
    QStringLiteral("\u0178"),
    QStringLiteral("zz\u00e4"),
    QStringLiteral("ZZ\u00c4x"),
    QStringLiteral("\u4e2d\u6587"),
    QStringLiteral("\u0416\u0443\u043a"),
    QStringLiteral("\u0436\u0443\u043a"),
};

int sign(int value)
{
    return value < 0 ? -1 : (value > 0 ? 1 : 0);
}

int qtOrder(const QString &a, const QString &b)
{
    return sign(QStringView(a).compare(QStringView(b), Qt::CaseInsensitive));
}

// The collation as files were first indexed with: UTF-16 texts through Qt's comparison.
int indexedOrder(void *, int lengthA, const void *a, int lengthB, const void *b)
{
    const QStringView left(static_cast<const char16_t *>(a), lengthA / 2);
    const QStringView right(static_cast<const char16_t *>(b), lengthB / 2);
    return sign(left.compare(right, Qt::CaseInsensitive));
}

} // namespace

class TestTableCollation : public QObject
{
    Q_OBJECT

private slots:
    void ordersAsQtComparesWithoutCase();
    void malformedTextStillOrdersConsistently();
    void sqliteSortsWithIt();
    void indexesWrittenBeforeStayValid();

private:
    TestFolder m_folder;
};

void TestTableCollation::ordersAsQtComparesWithoutCase()
{
    for (const QString &a : Words) {
        for (const QString &b : Words) {
            const int ours = sign(TableCollation::compare(a.toUtf8(), b.toUtf8()));
            QVERIFY2(ours == qtOrder(a, b), qPrintable(QStringLiteral("'%1' against '%2': %3, Qt says %4")
                                                           .arg(a, b)
                                                           .arg(ours)
                                                           .arg(qtOrder(a, b))));
        }
    }
}

void TestTableCollation::malformedTextStillOrdersConsistently()
{
    const QList<QByteArray> texts = {"\xff", "a\xc3", "a\xc3(", "\xed\xa0\x80", "\xc0\xaf", "a", "A\xe2\x82"};
    for (const QByteArray &a : texts) {
        QCOMPARE(TableCollation::compare(a, a), 0);
        for (const QByteArray &b : texts)
            QCOMPARE(sign(TableCollation::compare(a, b)), -sign(TableCollation::compare(b, a)));
    }
}

void TestTableCollation::sqliteSortsWithIt()
{
    SqliteDatabase db(m_folder.filePath(QStringLiteral("sorted.db")));
    SqliteDatabase::Options options;
    options.create = true;
    db.open(options);
    db.exec(QStringLiteral("CREATE TABLE words(word TEXT)"));
    SqliteStatement insert(db, QStringLiteral("INSERT INTO words VALUES (?)"));
    for (const QString &word : Words) {
        insert.bindText(1, word);
        insert.step();
        insert.reset();
    }
    SqliteStatement select(
        db,
        QStringLiteral("SELECT word FROM words ORDER BY word COLLATE %1, rowid").arg(TableCollation::Name));
    QStringList sorted;
    while (select.step())
        sorted.append(select.text(0));
    QStringList expected = Words;
    std::stable_sort(expected.begin(), expected.end(),
                     [](const QString &a, const QString &b) { return qtOrder(a, b) < 0; });
    QCOMPARE(sorted, expected);
}

void TestTableCollation::indexesWrittenBeforeStayValid()
{
    const QString path = m_folder.filePath(QStringLiteral("indexed.db"));
    sqlite3 *raw = nullptr;
    QCOMPARE(sqlite3_open(QFile::encodeName(path).constData(), &raw), SQLITE_OK);
    sqlite3_create_collation(raw, TableCollation::Name, SQLITE_UTF16_ALIGNED, nullptr, indexedOrder);
    QCOMPARE(
        sqlite3_exec(raw,
                     QByteArrayLiteral("CREATE TABLE words(word TEXT); CREATE INDEX byWord ON words(word "
                                       "COLLATE ") +
                         TableCollation::Name + ")",
                     nullptr, nullptr, nullptr),
        SQLITE_OK);
    sqlite3_stmt *insert = nullptr;
    sqlite3_prepare_v2(raw, "INSERT INTO words VALUES (?)", -1, &insert, nullptr);
    for (int round = 0; round < 20; ++round) { // enough rows for an index of several pages
        for (const QString &word : Words) {
            const QByteArray utf8 = (word + QString::number(round % 3)).toUtf8();
            sqlite3_bind_text(insert, 1, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
            QCOMPARE(sqlite3_step(insert), SQLITE_DONE);
            sqlite3_reset(insert);
        }
    }
    sqlite3_finalize(insert);
    sqlite3_close(raw);

    SqliteDatabase db(path);
    db.open(SqliteDatabase::Options());
    SqliteStatement check(db, QStringLiteral("PRAGMA integrity_check"));
    QVERIFY(check.step());
    QCOMPARE(check.text(0), QStringLiteral("ok"));
    // Every look-up through the index finds what a search of every row finds.
    SqliteStatement viaIndex(
        db,
        QStringLiteral("SELECT count(*) FROM words WHERE word = ?1 COLLATE %1").arg(TableCollation::Name));
    for (const QString &word : Words) {
        const QString probe = word + QStringLiteral("1");
        int expected = 0;
        for (const QString &other : Words)
            expected += qtOrder(other + QStringLiteral("1"), probe) == 0 ? 7 : 0; // rounds 1, 4, ..., 19
        viaIndex.bindText(1, probe);
        QVERIFY(viaIndex.step());
        QVERIFY2(viaIndex.int64(0) == expected, qPrintable(probe));
        viaIndex.reset();
    }
}

QTEST_GUILESS_MAIN(TestTableCollation)
#include "tst_tablecollation.moc"

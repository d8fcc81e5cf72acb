// A unit opened in the sqlite3 shell with the units' collation loaded as an extension counts,
// sorts and writes as the program does, and its indexes stay valid for the program.
#include "platform/table/sqlitedatabase.h"
#include "support/scriptedmessageservice.h"
#include "support/testfolder.h"
#include "vocfile/lumotable.h"

#include <QProcess>
#include <QTest>

namespace {

// Words whose order differs between this collation, SQLite's NOCASE and plain bytes.
const QStringList Words = {
    QStringLiteral("Zebra"),
    QStringLiteral("\u00e4pfel"),
    QStringLiteral("apfel"),
    QStringLiteral("\u00c4PFEL"),
    QStringLiteral("stra\u00dfe"),
    QStringLiteral("STRASSE"),
    QStringLiteral("\u03c9mega"),
    QStringLiteral("\u03a9MEGA"),
    QStringLiteral("b"),
    QStringLiteral("A"),
    QStringLiteral("\u00e9t\u00e9"),
    QStringLiteral("\u00c9T\u00c9"),
    QStringLiteral("\u0416\u0443\u043a"),
    QStringLiteral("\u0436\u0443\u043a"),
    QStringLiteral("Haus"),
};

struct ShellResult
{
    int exitCode = -1;
    QStringList lines;
    QString errors;
};

} // namespace

class TestCollationExtension : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void withoutItTheShellCannotReadTheUnit();
    void shellCountsAndSortsAsTheProgram_data();
    void shellCountsAndSortsAsTheProgram();
    void shellWritesKeepTheIndexesValid();

private:
    ShellResult shell(const QString &sql, bool load = true) const;
    QStringList programOrder(const QString &indexName, int field);
    QString unitPath() const { return m_folder->filePath(QStringLiteral("unit.db")); }

    std::unique_ptr<TestFolder> m_folder;
    ScriptedMessageService m_messages;
};

void TestCollationExtension::init()
{
    m_folder = std::make_unique<TestFolder>();
    m_folder->writeText(QStringLiteral("unit.lif"), QStringLiteral("[general]\nFileType=vokfile\n"));
    TLumoTable table(m_messages);
    table.setVocabularyFile(unitPath());
    table.open();
    for (qsizetype i = 0; i < Words.size(); ++i)
        table.appendRecord({QVariant(), Words.at(i), Words.at(Words.size() - 1 - i), 1});
}

void TestCollationExtension::cleanup()
{
    m_folder.reset();
}

ShellResult TestCollationExtension::shell(const QString &sql, bool load) const
{
    QStringList arguments = {QStringLiteral("-batch"), QStringLiteral("-bail")};
    if (load)
        arguments << QStringLiteral("-cmd")
                  << QStringLiteral(".load ") + QStringLiteral(LUMO_COLLATION_MODULE);
    arguments << unitPath() << sql;
    QProcess process;
    process.start(QStringLiteral("sqlite3"), arguments);
    ShellResult result;
    if (!process.waitForFinished(60000))
        return result;
    result.exitCode = process.exitCode();
    result.lines = QString::fromUtf8(process.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    result.errors = QString::fromUtf8(process.readAllStandardError());
    return result;
}

// The program holds a unit for itself while it is open, so the shell runs only in between.
QStringList TestCollationExtension::programOrder(const QString &indexName, int field)
{
    TLumoTable table(m_messages);
    table.setVocabularyFile(unitPath());
    table.open();
    table.setIndexName(indexName);
    QStringList order;
    for (int position = 0; position < table.recordCount(); ++position)
        order.append(table.valueAt(position, field).toString());
    return order;
}

void TestCollationExtension::withoutItTheShellCannotReadTheUnit()
{
    const ShellResult without =
        shell(QStringLiteral("SELECT count(*) FROM vocabulary INDEXED BY NativeIndex"), false);
    QVERIFY(without.exitCode != 0);
    QVERIFY2(without.errors.contains(QStringLiteral("no such collation sequence")),
             qPrintable(without.errors));
    const ShellResult with = shell(QStringLiteral("SELECT count(*) FROM vocabulary INDEXED BY NativeIndex"));
    QVERIFY2(with.exitCode == 0, qPrintable(with.errors));
    QCOMPARE(with.lines, QStringList{QString::number(Words.size())});
}

void TestCollationExtension::shellCountsAndSortsAsTheProgram_data()
{
    QTest::addColumn<QString>("index");
    QTest::addColumn<QString>("column");
    QTest::addColumn<int>("field");
    QTest::newRow("native") << QStringLiteral("NativeIndex") << QStringLiteral("NativeLanguage") << 1;
    QTest::newRow("foreign") << QStringLiteral("ForeignIndex") << QStringLiteral("ForeignLanguage") << 2;
}

void TestCollationExtension::shellCountsAndSortsAsTheProgram()
{
    QFETCH(QString, index);
    QFETCH(QString, column);
    QFETCH(int, field);
    // Through the index itself, so the order read is the one stored in the file.
    const ShellResult sorted =
        shell(QStringLiteral("SELECT %1 FROM vocabulary INDEXED BY %2 ORDER BY %1 COLLATE "
                             "LUMO_NOCASE, rowid")
                  .arg(column, index));
    QVERIFY2(sorted.exitCode == 0, qPrintable(sorted.errors));
    const QStringList expected = programOrder(index, field);
    QCOMPARE(expected.size(), Words.size());
    QCOMPARE(sorted.lines, expected);
}

void TestCollationExtension::shellWritesKeepTheIndexesValid()
{
    const ShellResult written = shell(
        QStringLiteral("INSERT INTO vocabulary (NativeLanguage, ForeignLanguage, Type, Mistakes) VALUES "
                       "('\u00c4rger', 'anger', 1, 0), ('aal', 'eel', 1, 0); "
                       "UPDATE vocabulary SET NativeLanguage = 'ZEBRA' WHERE NativeLanguage = 'b'; "
                       "PRAGMA integrity_check;"));
    QVERIFY2(written.exitCode == 0, qPrintable(written.errors));
    QCOMPARE(written.lines, QStringList{QStringLiteral("ok")});

    {
        SqliteDatabase db(unitPath());
        db.open(SqliteDatabase::Options());
        SqliteStatement check(db, QStringLiteral("PRAGMA integrity_check"));
        QVERIFY(check.step());
        QCOMPARE(check.text(0), QStringLiteral("ok"));
    }
    const QStringList order = programOrder(QStringLiteral("NativeIndex"), 1);
    QCOMPARE(order.size(), Words.size() + 2);
    QVERIFY(!order.contains(QStringLiteral("b")));
    // The program's own comparison agrees with the order the shell's writes left in the index.
    for (qsizetype i = 1; i < order.size(); ++i)
        QVERIFY2(QStringView(order.at(i - 1)).compare(order.at(i), Qt::CaseInsensitive) <= 0,
                 qPrintable(order.at(i - 1) + QStringLiteral(" before ") + order.at(i)));
}

QTEST_GUILESS_MAIN(TestCollationExtension)
#include "tst_collationextension.moc"

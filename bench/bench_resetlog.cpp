// Emptying the logbook of a 100,000-entry unit against one plain UPDATE of every row on the
// same file, with the same open flags, page cache, locking mode and collation, in one run;
// and, first, opening its logbook with the filter run by SQLite against a callback filter.
// The reset does on top what the logbook page needs: the descriptor's log rewritten, the
// transaction around both, and the filtered key list read again. Each side runs several
// times in turn from the same starting data and the best time counts.

#include "benchmessages.h"
#include "benchsqlite.h"
#include "logbook/logbookstore.h"
#include "vocfile/lumotable.h"
#include "vocfile/unitdescriptor.h"
#include "vocfile/unittestlog.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <limits>
#include <sqlite3.h>

namespace {

constexpr int EntryCount = 100000;
constexpr int Rounds = 5;

QString randomWord(QRandomGenerator &generator)
{
    QString word;
    for (int i = 0; i < 10; ++i)
        word.append(QChar(u'a' + generator.bounded(26)));
    return word;
}

void buildUnit(TLumoTable &table)
{
    QRandomGenerator generator(42);
    table.open();
    table.startTransaction();
    for (int i = 0; i < EntryCount; ++i)
        table.appendRecord(
            {QVariant(), randomWord(generator), randomWord(generator), i % 11, QVariant(), QVariant(), 0});
    table.commit();
    table.close();
}

// One entry in a hundred with mistakes, and a log of a dozen tests: the same start for both.
void prepare(const QString &tablePath, const QString &descriptor)
{
    sqlite3 *db = openLikeTheTable(tablePath, SQLITE_OPEN_READWRITE);
    sqlite3_exec(db, "UPDATE vocabulary SET Mistakes = CASE WHEN Count % 100 = 0 THEN 3 ELSE 0 END", nullptr,
                 nullptr, nullptr);
    sqlite3_close(db);
    UnitDescriptor(descriptor).write(2, 6, QStringLiteral("Bench"), QStringLiteral("DejaVu Sans"));
    UnitTestLog log(descriptor);
    for (int i = 0; i < 12; ++i)
        log.append(i, QStringLiteral("01.12.26"));
}

qint64 withTable(TLumoTable &table, const QString &descriptor)
{
    table.open(); // as the logbook page has it: filtered to the entries with mistakes
    QElapsedTimer timer;
    timer.start();
    LogbookStore::resetLog(table, descriptor);
    const qint64 elapsed = timer.nsecsElapsed();
    if (!table.isEmpty())
        std::fprintf(stderr, "reset left %d entries in the logbook\n", table.recordCount());
    table.close();
    return elapsed;
}

qint64 withSqlite(const QString &path, const char *update)
{
    sqlite3 *db = openLikeTheTable(path, SQLITE_OPEN_READWRITE);
    QElapsedTimer timer;
    timer.start();
    sqlite3_exec(db, update, nullptr, nullptr, nullptr);
    const qint64 elapsed = timer.nsecsElapsed();
    sqlite3_close(db);
    return elapsed;
}

// Opening the logbook of the unit with 1,000 mistaken entries: the filter run by SQLite
// against the same filter as a callback that sees every record.
qint64 openLogbook(TLumoTable &table, bool inSql)
{
    table.setFilterCondition(inSql ? LogbookStore::mistakesCondition() : QString());
    table.setFilter(inSql ? RecordFilter() : [](const TableRecord &record) {
        return record.values.at(TLumoTable::Mistakes).toInt() > 0;
    });
    QElapsedTimer timer;
    timer.start();
    table.open();
    const int shown = table.recordCount();
    const qint64 elapsed = timer.nsecsElapsed();
    table.close();
    if (shown != EntryCount / 100)
        std::fprintf(stderr, "the logbook showed %d entries\n", shown);
    return elapsed;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    SilentMessages messages;
    const QString tablePath = dir.filePath(QStringLiteral("unit.db"));
    const QString descriptor = dir.filePath(QStringLiteral("unit.lif"));
    TLumoTable table(messages);
    table.setVocabularyFile(tablePath);
    buildUnit(table);
    table.setFiltered(true);

    prepare(tablePath, descriptor);
    qint64 bestSql = std::numeric_limits<qint64>::max();
    qint64 bestCallback = std::numeric_limits<qint64>::max();
    for (int round = 0; round < Rounds; ++round) {
        bestSql = std::min(bestSql, openLogbook(table, true));
        bestCallback = std::min(bestCallback, openLogbook(table, false));
    }
    std::printf("opening the logbook, filter in SQL:   %.1f ms\n", bestSql / 1e6);
    std::printf("opening the logbook, filter callback: %.1f ms\n", bestCallback / 1e6);
    std::printf("ratio: %.2f\n\n", double(bestSql) / double(bestCallback));
    table.setFilter(RecordFilter());
    table.setFilterCondition(LogbookStore::mistakesCondition());

    qint64 bestTable = std::numeric_limits<qint64>::max();
    qint64 bestSqlite = std::numeric_limits<qint64>::max();
    qint64 bestMistaken = std::numeric_limits<qint64>::max();
    for (int round = 0; round < Rounds; ++round) {
        prepare(tablePath, descriptor);
        bestTable = std::min(bestTable, withTable(table, descriptor));
        prepare(tablePath, descriptor);
        bestSqlite = std::min(bestSqlite, withSqlite(tablePath, "UPDATE vocabulary SET Mistakes = 0"));
        prepare(tablePath, descriptor);
        bestMistaken = std::min(
            bestMistaken, withSqlite(tablePath, "UPDATE vocabulary SET Mistakes = 0 WHERE Mistakes IS NOT 0"));
    }
    std::printf("reset of the logbook, %d entries: %.1f ms\n", EntryCount, bestTable / 1e6);
    std::printf("one plain UPDATE of all rows:    %.1f ms, ratio %.2f\n", bestSqlite / 1e6,
                double(bestTable) / double(bestSqlite));
    // The reset skips rows already at 0, as this UPDATE does: the same work, like with like.
    std::printf("plain UPDATE of the rows not 0:  %.1f ms, ratio %.2f\n", bestMistaken / 1e6,
                double(bestTable) / double(bestMistaken));
    return 0;
}

// The table component against plain SQLite on the same file, with the same open flags, page
// cache, locking mode and collation, in one run:
// - walking a 100,000-entry unit in word order reading every field;
// - editing the word of 1,000 records while the word order is active;
// - inserting 100,000 words into a table with a case-blind index, with our collation and
//   with SQLite's own NOCASE.
// Each case runs several times in turn and the best time counts, so that other work on the
// machine weighs little.

#include "benchmessages.h"
#include "benchsqlite.h"
#include "platform/table/sqlitedatabase.h"
#include "platform/table/tablecollation.h"
#include "vocfile/lumotable.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>
#include <sqlite3.h>
#include <sys/resource.h>

namespace {

constexpr int EntryCount = 100000;
constexpr int EditCount = 1000;
constexpr int Rounds = 5;

QString randomWord(QRandomGenerator &generator, const QString &letters)
{
    QString word;
    for (int i = 0; i < 10; ++i)
        word.append(letters.at(generator.bounded(int(letters.size()))));
    if (generator.bounded(4) == 0)
        word[0] = word.at(0).toUpper();
    return word;
}

const QString AsciiLetters = QStringLiteral("abcdefghijklmnopqrstuvwxyz");
// Mostly ASCII with the accents of the Western languages, and some Greek words.
const QString MixedLetters =
    QStringLiteral("abcdefghijklmnopqrstuvwxyz\u00e4\u00f6\u00fc\u00df\u00e9\u00e8\u00e7");
const QString GreekLetters =
    QStringLiteral("\u03b1\u03b2\u03b3\u03b4\u03b5\u03b6\u03b7\u03b8\u03bb\u03bc\u03c3");

QStringList words(int count, bool mixed)
{
    QRandomGenerator generator(7);
    QStringList list;
    for (int i = 0; i < count; ++i)
        list.append(
            randomWord(generator, !mixed ? AsciiLetters : (i % 5 == 0 ? GreekLetters : MixedLetters)));
    return list;
}

void buildUnit(TLumoTable &table)
{
    QRandomGenerator generator(42);
    const QByteArray sound(2000, '\x80');
    table.open();
    table.startTransaction();
    for (int i = 0; i < EntryCount; ++i)
        table.appendRecord({QVariant(), randomWord(generator, AsciiLetters),
                            randomWord(generator, AsciiLetters), i % 11, i % 50 == 0 ? sound : QByteArray(),
                            QVariant(), 0});
    table.commit();
    table.close();
}

// What a walk read, to prove both sides read the same.
struct Tally
{
    qint64 characters = 0;
    qint64 numbers = 0;
    bool operator==(const Tally &) const = default;
};

// defended false takes back the connection's defences against a file's own SQL once it is
// open, to show what they cost.
qint64 walkWithTable(TLumoTable &table, Tally &tally, bool defended = true)
{
    QElapsedTimer timer;
    timer.start();
    table.open();
    if (!defended)
        withoutDefences(table.connection()->handle());
    table.setIndexName(QStringLiteral("NativeIndex"));
    for (table.first(); !table.eof(); table.next()) {
        tally.numbers += table.fieldValue(TLumoTable::Count).toLongLong();
        tally.characters += table.fieldValue(TLumoTable::NativeLanguage).toString().size();
        tally.characters += table.fieldValue(TLumoTable::ForeignLanguage).toString().size();
        tally.numbers += table.fieldValue(TLumoTable::Type).toInt();
        tally.numbers += table.fieldIsNull(TLumoTable::NativeSound) ? 0 : 1;
        tally.numbers += table.fieldIsNull(TLumoTable::ForeignSound) ? 0 : 1;
        tally.numbers += table.fieldValue(TLumoTable::Mistakes).toInt();
    }
    const qint64 elapsed = timer.nsecsElapsed();
    table.close();
    return elapsed;
}

QString columnText(sqlite3_stmt *select, int column)
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(select, column));
    return QString::fromUtf8(text, sqlite3_column_bytes(select, column));
}

qint64 walkWithSqlite(const QString &path, Tally &tally)
{
    QElapsedTimer timer;
    timer.start();
    sqlite3 *db = openLikeTheTable(path, SQLITE_OPEN_READWRITE);
    sqlite3_stmt *select = nullptr;
    sqlite3_prepare_v2(db,
                       "SELECT Count, NativeLanguage, ForeignLanguage, Type, length(NativeSound), "
                       "length(ForeignSound), Mistakes FROM vocabulary "
                       "ORDER BY NativeLanguage COLLATE LUMO_NOCASE, Count",
                       -1, &select, nullptr);
    while (sqlite3_step(select) == SQLITE_ROW) {
        tally.numbers += sqlite3_column_int64(select, 0);
        tally.characters += columnText(select, 1).size();
        tally.characters += columnText(select, 2).size();
        tally.numbers += sqlite3_column_int(select, 3);
        tally.numbers += sqlite3_column_int64(select, 4) > 0 ? 1 : 0;
        tally.numbers += sqlite3_column_int64(select, 5) > 0 ? 1 : 0;
        tally.numbers += sqlite3_column_int(select, 6);
    }
    sqlite3_finalize(select);
    sqlite3_close(db);
    return timer.nsecsElapsed();
}

// Some records and the new words they get.
using Edits = QList<QPair<qint64, QString>>;

Edits someEdits()
{
    QRandomGenerator generator(3);
    Edits edits;
    for (int i = 0; i < EditCount; ++i)
        edits.append({1 + generator.bounded(EntryCount), randomWord(generator, AsciiLetters)});
    return edits;
}

// Editing the word of records while the word order is active. Beside the UPDATE the plain
// side runs, the data set finds the record in its order, reads the page around it and puts
// the record at its new place: the ratio is the price of keeping a live order.
qint64 postWithTable(TLumoTable &table, const Edits &edits)
{
    table.open();
    table.setIndexName(QStringLiteral("NativeIndex"));
    QElapsedTimer timer;
    timer.start();
    table.startTransaction();
    for (const auto &[key, word] : edits) {
        table.findKey(key);
        table.edit();
        table.setFieldValue(TLumoTable::NativeLanguage, word);
        table.post();
    }
    table.commit();
    const qint64 elapsed = timer.nsecsElapsed();
    table.close();
    return elapsed;
}

qint64 updateWithSqlite(const QString &path, const Edits &edits)
{
    sqlite3 *db = openLikeTheTable(path, SQLITE_OPEN_READWRITE);
    sqlite3_stmt *update = nullptr;
    sqlite3_prepare_v2(db, "UPDATE vocabulary SET NativeLanguage = ? WHERE Count = ?", -1, &update, nullptr);
    QElapsedTimer timer;
    timer.start();
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    for (const auto &[key, word] : edits) {
        const QByteArray utf8 = word.toUtf8();
        sqlite3_bind_text(update, 1, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
        sqlite3_bind_int64(update, 2, key);
        sqlite3_step(update);
        sqlite3_reset(update);
    }
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    const qint64 elapsed = timer.nsecsElapsed();
    sqlite3_finalize(update);
    sqlite3_close(db);
    return elapsed;
}

// Inserts every word into a new file whose one index orders by collation.
qint64 insertWords(const QString &path, const QStringList &list, const char *collation)
{
    QFile::remove(path);
    sqlite3 *db = openLikeTheTable(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    const QByteArray schema = QByteArrayLiteral("CREATE TABLE words(word VARCHAR(255)); "
                                                "CREATE INDEX byWord ON words(word COLLATE ") +
                              collation + ")";
    sqlite3_exec(db, schema.constData(), nullptr, nullptr, nullptr);
    sqlite3_stmt *insert = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO words(word) VALUES (?)", -1, &insert, nullptr);
    QElapsedTimer timer;
    timer.start();
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    for (const QString &word : list) {
        const QByteArray utf8 = word.toUtf8();
        sqlite3_bind_text(insert, 1, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    const qint64 elapsed = timer.nsecsElapsed();
    sqlite3_finalize(insert);
    sqlite3_close(db);
    return elapsed;
}

// The best of some rounds of each case, run in turn.
QList<qint64> best(const QList<std::function<qint64()>> &cases)
{
    QList<qint64> times(cases.size(), std::numeric_limits<qint64>::max());
    for (int round = 0; round < Rounds; ++round)
        for (int i = 0; i < cases.size(); ++i)
            times[i] = std::min(times[i], cases.at(i)());
    return times;
}

long peakMemoryKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;
    SilentMessages messages;
    TLumoTable table(messages);
    const QString path = folder.filePath(QStringLiteral("bench.db"));

    QElapsedTimer build;
    build.start();
    table.setVocabularyFile(path);
    buildUnit(table);
    std::printf("built %d entries in %.0f ms (%.1f MB)\n", EntryCount, build.nsecsElapsed() / 1e6,
                QFile(path).size() / 1e6);
    const long memoryAfterBuild = peakMemoryKiB();

    Tally tableTally, sqliteTally, undefendedTally;
    const QList<qint64> walks = best({[&] {
                                          tableTally = Tally();
                                          return walkWithTable(table, tableTally);
                                      },
                                      [&] {
                                          sqliteTally = Tally();
                                          return walkWithSqlite(path, sqliteTally);
                                      },
                                      [&] {
                                          undefendedTally = Tally();
                                          return walkWithTable(table, undefendedTally, false);
                                      }});
    std::printf("walk in word order, every field (best of %d):\n", Rounds);
    std::printf("  TLumoTable open + NativeIndex + walk:  %7.1f ms\n", walks.at(0) / 1e6);
    std::printf("  plain sqlite3 SELECT, same order:     %7.1f ms\n", walks.at(1) / 1e6);
    std::printf("  ratio: %.2f (goal at most 1.5)\n", double(walks.at(0)) / double(walks.at(1)));
    std::printf("  TLumoTable, defences taken back:      %7.1f ms\n", walks.at(2) / 1e6);
    std::printf("  defended / undefended: %.2f\n", double(walks.at(0)) / double(walks.at(2)));

    const Edits edits = someEdits();
    const QList<qint64> posts =
        best({[&] { return postWithTable(table, edits); }, [&] { return updateWithSqlite(path, edits); }});
    std::printf("edit the word of %d records, word order active, one transaction (best of %d):\n", EditCount,
                Rounds);
    std::printf("  TLumoTable find, edit, post:          %7.1f ms\n", posts.at(0) / 1e6);
    std::printf("  plain sqlite3 UPDATE by key:          %7.1f ms\n", posts.at(1) / 1e6);
    std::printf("  ratio: %.2f\n", double(posts.at(0)) / double(posts.at(1)));

    const QString scratch = folder.filePath(QStringLiteral("words.db"));
    for (const bool mixed : {false, true}) {
        const QStringList list = words(EntryCount, mixed);
        const QList<qint64> inserts = best({[&] { return insertWords(scratch, list, TableCollation::Name); },
                                            [&] { return insertWords(scratch, list, "NOCASE"); }});
        std::printf("insert %d %s words into a case-blind index (best of %d):\n", EntryCount,
                    mixed ? "accented and Greek" : "ASCII", Rounds);
        std::printf("  %s: %7.1f ms\n", TableCollation::Name, inserts.at(0) / 1e6);
        std::printf("  NOCASE:      %7.1f ms\n", inserts.at(1) / 1e6);
        std::printf("  ratio: %.2f\n", double(inserts.at(0)) / double(inserts.at(1)));
    }
    std::printf("peak memory: %ld KiB (after building: %ld KiB)\n", peakMemoryKiB(), memoryAfterBuild);
    if (!(tableTally == sqliteTally) || !(tableTally == undefendedTally)) {
        std::printf("MISMATCH: %lld/%lld against %lld/%lld\n", tableTally.characters, tableTally.numbers,
                    sqliteTally.characters, sqliteTally.numbers);
        return 1;
    }
    return 0;
}

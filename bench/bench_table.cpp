// Walking a 100,000-entry unit in alphabetical order through the table component, against
// a plain SQLite query of the same rows, columns and order.

#include "platform/messageservice.h"
#include "vocfile/lumotable.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <cstdio>
#include <sqlite3.h>
#include <sys/resource.h>

namespace {

constexpr int EntryCount = 100000;

class SilentMessages : public MessageService
{
public:
    Button show(Kind, const QString &text, int) override
    {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
        return Ok;
    }
};

QString randomWord(QRandomGenerator &generator)
{
    QString word;
    for (int i = 0; i < 10; ++i)
        word.append(QChar(u'a' + generator.bounded(26)));
    if (generator.bounded(4) == 0)
        word[0] = word.at(0).toUpper();
    return word;
}

void buildUnit(TLumoTable &table)
{
    QRandomGenerator generator(42);
    const QByteArray sound(2000, '\x80');
    table.open();
    table.startTransaction();
    for (int i = 0; i < EntryCount; ++i)
        table.appendRecord({QVariant(), randomWord(generator), randomWord(generator), i % 11,
                            i % 50 == 0 ? sound : QByteArray(), QVariant(), 0});
    table.commit();
    table.close();
}

qint64 walkWithTable(TLumoTable &table, qint64 &characters)
{
    QElapsedTimer timer;
    timer.start();
    table.open();
    table.setIndexName(QStringLiteral("NativeIndex"));
    for (table.first(); !table.eof(); table.next()) {
        characters += table.fieldValue(TLumoTable::NativeLanguage).toString().size();
        characters += table.fieldValue(TLumoTable::ForeignLanguage).toString().size();
    }
    const qint64 elapsed = timer.nsecsElapsed();
    table.close();
    return elapsed;
}

int compareNoCase(void *, int lengthA, const void *a, int lengthB, const void *b)
{
    const QStringView left(static_cast<const char16_t *>(a), lengthA / 2);
    const QStringView right(static_cast<const char16_t *>(b), lengthB / 2);
    return left.compare(right, Qt::CaseInsensitive);
}

qint64 walkWithSqlite(const QString &path, const char *pragma, qint64 &characters)
{
    QElapsedTimer timer;
    timer.start();
    sqlite3 *db = nullptr;
    sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_create_collation(db, "LUMO_NOCASE", SQLITE_UTF16_ALIGNED, nullptr, compareNoCase);
    sqlite3_exec(db, pragma, nullptr, nullptr, nullptr);
    sqlite3_stmt *select = nullptr;
    sqlite3_prepare_v2(db,
                       "SELECT NativeLanguage, ForeignLanguage FROM vocabulary "
                       "ORDER BY NativeLanguage COLLATE LUMO_NOCASE, Count",
                       -1, &select, nullptr);
    while (sqlite3_step(select) == SQLITE_ROW) {
        for (int column = 0; column < 2; ++column) {
            const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(select, column));
            characters += QString::fromUtf8(text, sqlite3_column_bytes(select, column)).size();
        }
    }
    sqlite3_finalize(select);
    sqlite3_close(db);
    return timer.nsecsElapsed();
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

    // Each walk twice; the second, with the file in the system's cache, counts. The plain
    // query runs with SQLite's default page cache and with the component's larger one.
    const char *defaultCache = "PRAGMA cache_size=-2000";
    const char *sameCache = "PRAGMA cache_size=-16384";
    qint64 tableCharacters = 0, sqliteCharacters = 0, sameCacheCharacters = 0;
    walkWithSqlite(path, defaultCache, sqliteCharacters);
    walkWithTable(table, tableCharacters);
    sqliteCharacters = tableCharacters = 0;
    const qint64 plain = walkWithSqlite(path, defaultCache, sqliteCharacters);
    const qint64 plainSameCache = walkWithSqlite(path, sameCache, sameCacheCharacters);
    const qint64 component = walkWithTable(table, tableCharacters);

    std::printf("TLumoTable open + NativeIndex + walk:        %7.1f ms\n", component / 1e6);
    std::printf("plain sqlite3 SELECT, same order:           %7.1f ms\n", plain / 1e6);
    std::printf("plain sqlite3 SELECT, 16 MiB page cache:    %7.1f ms\n", plainSameCache / 1e6);
    std::printf("ratio: %.2f (goal at most 1.5); against the same cache: %.2f\n",
                double(component) / double(plain), double(component) / double(plainSameCache));
    std::printf("peak memory: %ld KiB (after building: %ld KiB)\n", peakMemoryKiB(), memoryAfterBuild);
    if (tableCharacters != sqliteCharacters) {
        std::printf("MISMATCH: %lld against %lld characters\n", tableCharacters, sqliteCharacters);
        return 1;
    }
    return 0;
}

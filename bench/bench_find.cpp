// Finding a word in a unit of 100,000 entries when the only match is the last entry in the
// current order, in entry order and in word order, against the plain SQLite queries that
// scan the same file for the same text (LIKE, which folds A to Z only). Same file, same
// connection set-up and page cache, both warmed by one run first; best of several rounds.

#include "benchsqlite.h"
#include "benchunit.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <algorithm>

namespace {

constexpr int EntryCount = 100000;
constexpr int Rounds = 7;

// Native "word <i>", foreign "Wörter <i>": half of the texts are not plain ASCII.
QStringList words(int i)
{
    return {QStringLiteral("word %1").arg(i), QStringLiteral("Wörter %1").arg(i)};
}

double searchInTable(TLumoTable &table, const QString &text)
{
    const QList<int> sides{TLumoTable::NativeLanguage, TLumoTable::ForeignLanguage};
    return bestOf(
        Rounds, [&] { table.first(); },
        [&] {
            if (!table.findText(sides, text) || table.recNo() != table.recordCount() - 1)
                std::fprintf(stderr, "the search did not end on the last entry\n");
        });
}

// The same queries as the search, one a field, with SQLite's own LIKE.
double plainQuery(const QString &path, const QByteArray &text)
{
    sqlite3 *db = openLikeTheTable(path, SQLITE_OPEN_READONLY);
    const QByteArray pattern = '%' + text + '%';
    QList<sqlite3_stmt *> selects;
    for (const char *sql : {"SELECT rowid FROM vocabulary WHERE NativeLanguage LIKE ?1",
                            "SELECT rowid FROM vocabulary WHERE ForeignLanguage LIKE ?1"}) {
        sqlite3_stmt *select = nullptr;
        sqlite3_prepare_v2(db, sql, -1, &select, nullptr);
        sqlite3_bind_text(select, 1, pattern.constData(), int(pattern.size()), SQLITE_TRANSIENT);
        selects.append(select);
    }
    const double ms = bestOf(Rounds, [&] {
        int rows = 0;
        for (sqlite3_stmt *select : selects) {
            while (sqlite3_step(select) == SQLITE_ROW)
                ++rows;
            sqlite3_reset(select);
        }
        if (rows != 1)
            std::fprintf(stderr, "the plain query found %d rows\n", rows);
    });
    for (sqlite3_stmt *select : selects)
        sqlite3_finalize(select);
    sqlite3_close(db);
    return ms;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    SilentMessages messages;
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    const QString descriptor = makeBenchUnit(folder, QStringLiteral("large"), EntryCount, messages, words);
    const QString path = descriptor.chopped(4) + QStringLiteral(".db");

    // Capitals, on both sides: "WORD 99999" and "WÖRTER 99999" hold only in the last entry,
    // which is the last one in entry order and in word order.
    const QString ascii = QStringLiteral("WORD %1").arg(EntryCount - 1);
    const QString accented = QStringLiteral("WÖRTER %1").arg(EntryCount - 1);
    TLumoTable table(messages);
    table.setVocabularyFile(path);
    table.open();
    const double entryOrder = searchInTable(table, ascii);
    const double entryOrderAccented = searchInTable(table, accented);
    table.setIndexField(QStringLiteral("NativeLanguage"));
    const double wordOrder = searchInTable(table, ascii);
    table.close();
    const double plain = plainQuery(path, ascii.toUtf8());

    std::printf("find in %d entries, ending on the last one:\n", EntryCount);
    std::printf("  entry order, \"%s\":   %.1f ms\n", qPrintable(ascii), entryOrder);
    std::printf("  entry order, \"%s\": %.1f ms\n", qPrintable(accented), entryOrderAccented);
    std::printf("  word order, \"%s\":    %.1f ms\n", qPrintable(ascii), wordOrder);
    std::printf("  plain SQLite LIKE scan:        %.1f ms\n", plain);
    const double slowest = std::max({entryOrder, entryOrderAccented, wordOrder});
    std::printf("slowest search %.1f ms (goal under 100), %.2fx the plain query\n", slowest,
                slowest / std::max(0.01, plain));
    return 0;
}

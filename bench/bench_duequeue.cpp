// Speed of building the queue of the due words of a 100,000-entry unit with 100,000 review
// states, against the plain SQLite query underneath it (the same file, connection and page
// cache in one run), and the whole queue build of the engine in due order against forward.

#include "benchengine.h"
#include "platform/programfolder.h"
#include "platform/sound/waveplayer.h"
#include "platform/table/sqlitedatabase.h"
#include "repetition/duequeue.h"
#include "repetition/reviewscheduler.h"
#include "repetition/reviewstore.h"
#include "repetition/testreviews.h"
#include "support/scriptedmessageservice.h"
#include "vocfile/lumotable.h"
#include "voctest/lumovoctest.h"
#include "voctest/voctestui.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <ctime>
#include <functional>

namespace {
constexpr int EntryCount = 100000;
const QDateTime Now(QDate(2026, 3, 2), QTime(18, 0), Qt::UTC);

struct Timing
{
    double wall = 1e300; // ms
    double cpu = 1e300;  // ms of this process, which a crowded machine disturbs less
};

Timing bestOf(int runs, const std::function<void()> &work)
{
    Timing best;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        const std::clock_t cpuStart = std::clock();
        timer.start();
        work();
        best.wall = std::min(best.wall, timer.nsecsElapsed() / 1e6);
        best.cpu = std::min(best.cpu, double(std::clock() - cpuStart) * 1000.0 / CLOCKS_PER_SEC);
    }
    return best;
}

QString shown(const Timing &t)
{
    return QStringLiteral("%1 ms (cpu %2 ms)").arg(t.wall, 0, 'f', 1).arg(t.cpu, 0, 'f', 1);
}

// Every entry reviewed before, due anywhere from a month ago to two months ahead.
void fill(TLumoTable &table)
{
    table.startTransaction();
    for (int i = 0; i < EntryCount; ++i)
        table.appendRecord({QVariant(), QStringLiteral("Wort %1").arg(i), QStringLiteral("word %1").arg(i),
                            i % 11, QVariant(), QVariant(), QVariant()});
    ReviewStore store(*table.connection());
    store.ensureTable();
    for (int i = 0; i < EntryCount; ++i) {
        ReviewState state;
        state.entry = i + 1;
        state.memory = {double(1 + i % 50), 5};
        state.firstReview = state.lastReview = Now.addDays(-60).toSecsSinceEpoch();
        state.due = Now.addDays(-30 + (i * 7919) % 90).toSecsSinceEpoch();
        state.reviews = 3;
        store.save(state);
    }
    table.commit();
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    SetProgramFolder(dir.path() + u'/');
    QTextStream out(stdout);

    ScriptedMessageService messages;
    TLumoTable table(messages);
    table.setVocabularyFile(dir.filePath(QStringLiteral("big.db")));
    table.open();
    QElapsedTimer filling;
    filling.start();
    fill(table);
    out << "filled " << EntryCount << " entries and states in " << filling.elapsed() << " ms\n";

    QList<qint64> eligible;
    for (int i = 1; i <= EntryCount; ++i)
        eligible.append(i);

    // The query underneath, its columns read and nothing more done with them.
    SqliteDatabase &db = *table.connection();
    double sink = 0;
    const Timing plain = bestOf(15, [&] {
        SqliteStatement query(db,
                              QStringLiteral("SELECT entry, due, stability, difficulty, first_review FROM "
                                             "review_state WHERE direction = 0 ORDER BY entry"));
        while (query.step())
            sink += query.int64(0) + query.int64(1) + query.real(2) + query.real(3) + query.int64(4);
    });

    TestReviews reviews;
    reviews.setClock([] { return Now; });
    reviews.begin(&table, 0);
    QList<qint64> queue;
    const Timing dueQueue = bestOf(15, [&] { queue = reviews.dueQueue(eligible, 20); });
    out << "the plain query over " << EntryCount << " states: " << shown(plain) << '\n';
    out << "the due queue (damaged rows checked, due ones sorted, new ones added): " << shown(dueQueue)
        << ", " << queue.size() << " due; ratio to the plain query " << dueQueue.wall / plain.wall << " (cpu "
        << dueQueue.cpu / plain.cpu << "; goal < 50 ms)\n";

    // The engine's whole queue build, which reads the table's columns too.
    const QString variant = dir.filePath(QStringLiteral("standard.ltf"));
    QFile file(variant);
    if (file.open(QIODevice::WriteOnly))
        file.write("[settings]\nTestType=standard\n");
    file.close();
    SilentUi ui;
    SilentPlayer player;
    TLumoVocTest engine(messages, ui, player);
    engine.setReviewClock([] { return Now; });
    engine.setOrder(TLumoVocTest::toForward);
    engine.setTestFile(variant);
    engine.setDataSet(&table);
    const Timing forward = bestOf(5, [&] { engine.Reload(); });
    engine.setOrder(TLumoVocTest::toDue);
    const Timing due = bestOf(5, [&] { engine.Reload(); });
    out << "Reload, forward order: " << shown(forward) << "; due order: " << shown(due) << " ("
        << engine.wordCount() << " words); ratio " << due.wall / forward.wall << " (cpu "
        << due.cpu / forward.cpu << ")\n";
    if (sink == 42.5)
        out << sink;
    return 0;
}

// A whole test as the user meets it, on a unit of 100,000 entries: the test page entered
// (the unit's table opened and the test engine's queue built with the first shipped variant,
// in random order), then 50 questions answered, every third wrongly, so that mistakes and
// review states are written. Against the plain SQLite work underneath on the same file, with
// the same open flags, page cache, locking mode and collation: reading the keys and types the
// queue needs, reading each question's row by its key, and writing each answer in the
// transactions the engine uses (a miss: the raised Mistakes, the review state and its history
// row in one; a right answer: the review state and its history row). Rounds alternate; the
// best of each counts.

#include "benchengine.h"
#include "benchmessages.h"
#include "benchsqlite.h"
#include "benchunit.h"
#include "platform/programfolder.h"
#include "vocfile/lumotable.h"
#include "vocfile/unitfiles.h"
#include "voctest/lumovoctest.h"
#include "voctest/testsettings.h"
#include "voctest/testvariantlist.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <ctime>
#include <random>

namespace {
constexpr int EntryCount = 100000;
constexpr int QuestionCount = 50;
constexpr int Rounds = 7;

bool answersWrongly(int question)
{
    return question % 3 == 0;
}

// Wall time and this process's processor time, which a busy machine disturbs less; the
// writes' waits for the disk show in the first only.
struct Lap
{
    double wall = 1e300;
    double cpu = 1e300;

    void keepBest(const Lap &other)
    {
        wall = std::min(wall, other.wall);
        cpu = std::min(cpu, other.cpu);
    }
};

class Stopwatch
{
public:
    Stopwatch() { restart(); }

    // The time since the start or the last lap, then starts again.
    Lap lap()
    {
        const Lap lap{double(m_wall.nsecsElapsed()) / 1e6,
                      double(std::clock() - m_cpu) * 1000.0 / CLOCKS_PER_SEC};
        restart();
        return lap;
    }

private:
    void restart()
    {
        m_wall.start();
        m_cpu = std::clock();
    }

    QElapsedTimer m_wall;
    std::clock_t m_cpu = 0;
};

struct Times
{
    Lap prepare, questions, total;

    void keepBest(const Lap &p, const Lap &q)
    {
        prepare.keepBest(p);
        questions.keepBest(q);
        total.keepBest({p.wall + q.wall, p.cpu + q.cpu});
    }
};

// The engine as the test page drives it: entering the page opens the table and builds the
// queue; each press of Next hands in the answer, lets the engine judge it and load the next.
// defended false takes back the connection's defences against a file's own SQL once the
// table is open, to show what they cost.
void runEngine(TLumoTable &table, TLumoVocTest &engine, const QString &descriptor, Times &times,
               int &mistakes, bool defended = true)
{
    Stopwatch watch;
    table.setVocabularyFile(UnitFiles::tablePathOf(descriptor));
    table.open();
    if (!defended)
        withoutDefences(table.connection()->handle());
    engine.setVocabularyFile(descriptor);
    engine.Reload();
    const Lap prepared = watch.lap();
    for (int question = 0; question < QuestionCount; ++question) {
        engine.setGiven(answersWrongly(question) ? QStringLiteral("falsch") : engine.answer());
        engine.CheckAnswer();
        engine.NextQuestion();
    }
    times.keepBest(prepared, watch.lap());
    mistakes = engine.mistakeCount();
    table.close();
}

// Plain SQLite doing the same work; reviews false leaves out the review states, to show what
// they cost.
class PlainTest
{
public:
    PlainTest(const QString &path, const TestSettings &settings, bool reviews)
        : m_path(path), m_settings(settings), m_reviews(reviews)
    {}

    // Empty when every statement did its work.
    QByteArray failure() const { return m_failure; }

    void run(Times &times)
    {
        Stopwatch watch;
        m_db = openLikeTheTable(m_path, SQLITE_OPEN_READWRITE);
        buildQueue();
        prepareStatements();
        readRow(m_queue.at(0));
        const Lap prepared = watch.lap();
        for (int question = 0; question < QuestionCount; ++question) {
            answer(m_queue.at(question), answersWrongly(question));
            readRow(m_queue.at(question + 1));
        }
        times.keepBest(prepared, watch.lap());
        for (sqlite3_stmt *statement : {m_row, m_raise, m_state, m_save, m_log})
            sqlite3_finalize(statement);
        sqlite3_close(m_db);
    }

private:
    void buildQueue()
    {
        m_queue.clear();
        sqlite3_stmt *select = nullptr;
        sqlite3_prepare_v2(m_db, "SELECT rowid, Type FROM vocabulary ORDER BY rowid", -1, &select, nullptr);
        while (sqlite3_step(select) == SQLITE_ROW)
            if (m_settings.includesType(sqlite3_column_int(select, 1)))
                m_queue.append(sqlite3_column_int64(select, 0));
        sqlite3_finalize(select);
        std::shuffle(m_queue.begin(), m_queue.end(),
                     std::mt19937(unsigned(QDateTime::currentMSecsSinceEpoch())));
    }

    // A statement that does not prepare or run would make the plain side look fast: noted.
    void check(int result, std::initializer_list<int> expected)
    {
        if (std::find(expected.begin(), expected.end(), result) == expected.end() && m_failure.isEmpty())
            m_failure = sqlite3_errmsg(m_db);
    }

    sqlite3_stmt *prepared(const char *sql)
    {
        sqlite3_stmt *statement = nullptr;
        check(sqlite3_prepare_v2(m_db, sql, -1, &statement, nullptr), {SQLITE_OK});
        return statement;
    }

    void prepareStatements()
    {
        m_row = prepared("SELECT NativeLanguage, ForeignLanguage, NativeSound IS NULL, Type FROM vocabulary "
                         "WHERE rowid = ?");
        m_raise = prepared("UPDATE vocabulary SET Mistakes = coalesce(Mistakes, 0) + 1 WHERE rowid = ?");
        if (!m_reviews)
            return;
        // The review state and the history row each review writes, in tables and an index as
        // the program's own, whichever side makes them first.
        check(sqlite3_exec(
                  m_db,
                  "CREATE TABLE IF NOT EXISTS review_state (entry INTEGER NOT NULL, "
                  "direction INTEGER NOT NULL, stability REAL, difficulty REAL, first_review INTEGER, "
                  "last_review INTEGER, due INTEGER, "
                  "reviews INTEGER, lapses INTEGER, PRIMARY KEY (entry, direction)) WITHOUT ROWID;"
                  "CREATE TABLE IF NOT EXISTS review_log (id INTEGER PRIMARY KEY, entry INTEGER NOT NULL, "
                  "direction INTEGER NOT NULL, reviewed_at INTEGER NOT NULL, grade INTEGER NOT NULL, "
                  "elapsed_days REAL, stability_before REAL, difficulty_before REAL);"
                  "CREATE INDEX IF NOT EXISTS review_log_card ON review_log (entry, direction, reviewed_at)",
                  nullptr, nullptr, nullptr),
              {SQLITE_OK});
        m_state = prepared("SELECT stability, difficulty, first_review, last_review, due, reviews, lapses "
                           "FROM review_state WHERE entry = ? AND direction = 0");
        m_save = prepared("INSERT INTO review_state (entry, direction, stability, difficulty, first_review, "
                          "last_review, due, reviews, lapses) VALUES (?, 0, 2.5, 5.0, ?, ?, ?, 1, ?) "
                          "ON CONFLICT (entry, direction) DO UPDATE SET stability = excluded.stability, "
                          "difficulty = excluded.difficulty, first_review = excluded.first_review, "
                          "last_review = excluded.last_review, due = excluded.due, reviews = reviews + 1, "
                          "lapses = lapses + excluded.lapses");
        m_log = prepared("INSERT INTO review_log (entry, direction, reviewed_at, grade, elapsed_days, "
                         "stability_before, difficulty_before) VALUES (?, 0, ?, ?, 1.0, 2.5, 5.0)");
    }

    void readRow(qint64 key)
    {
        sqlite3_bind_int64(m_row, 1, key);
        const int found = sqlite3_step(m_row);
        check(found, {SQLITE_ROW});
        // Texts as a question shows them.
        if (found == SQLITE_ROW)
            for (int column : {0, 1})
                m_characters +=
                    QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(m_row, column)),
                                      sqlite3_column_bytes(m_row, column))
                        .size();
        sqlite3_reset(m_row);
    }

    // Runs statement for key; a state not there yet is no failure.
    void step(sqlite3_stmt *statement, qint64 key, std::initializer_list<int> expected)
    {
        sqlite3_bind_int64(statement, 1, key);
        check(sqlite3_step(statement), expected);
        sqlite3_reset(statement);
    }

    void answer(qint64 key, bool wrong)
    {
        if (!wrong && !m_reviews)
            return;
        check(sqlite3_exec(m_db, "BEGIN", nullptr, nullptr, nullptr), {SQLITE_OK});
        if (wrong)
            step(m_raise, key, {SQLITE_DONE});
        if (m_reviews) {
            step(m_state, key, {SQLITE_ROW, SQLITE_DONE});
            const qint64 now = QDateTime::currentSecsSinceEpoch();
            sqlite3_bind_int64(m_save, 1, key);
            for (int column : {2, 3, 4})
                sqlite3_bind_int64(m_save, column, now);
            sqlite3_bind_int(m_save, 5, wrong ? 1 : 0);
            check(sqlite3_step(m_save), {SQLITE_DONE});
            sqlite3_reset(m_save);
            sqlite3_bind_int64(m_log, 1, key);
            sqlite3_bind_int64(m_log, 2, now);
            sqlite3_bind_int(m_log, 3, wrong ? 1 : 3);
            check(sqlite3_step(m_log), {SQLITE_DONE});
            sqlite3_reset(m_log);
        }
        check(sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr), {SQLITE_OK});
    }

    QString m_path;
    const TestSettings &m_settings;
    bool m_reviews;
    sqlite3 *m_db = nullptr;
    sqlite3_stmt *m_row = nullptr;
    sqlite3_stmt *m_raise = nullptr;
    sqlite3_stmt *m_state = nullptr;
    sqlite3_stmt *m_save = nullptr;
    sqlite3_stmt *m_log = nullptr;
    QList<qint64> m_queue;
    qint64 m_characters = 0;
    QByteArray m_failure;
};

void print(const char *what, const Lap &ours, const Lap &plain, const char *against = "plain")
{
    std::printf("  %-22s ours %7.1f ms (cpu %6.1f), %s %7.1f ms (cpu %6.1f), ratio %5.2f (cpu %5.2f)\n", what,
                ours.wall, ours.cpu, against, plain.wall, plain.cpu, ours.wall / plain.wall,
                ours.cpu / plain.cpu);
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    // The built program folder: its variants and discard list, as the test page finds them.
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/../program/");
    SetProgramFolder(QFileInfo(program).canonicalFilePath() + u'/');
    TestVariantList variants;
    variants.load(ProgramFolder());
    if (variants.count() == 0) {
        std::printf("No test variants in %s\n", qPrintable(ProgramFolder()));
        return 1;
    }
    const QString variant = variants.paths().at(0);
    TestSettings settings;
    settings.load(variant);

    QTemporaryDir dir;
    SilentMessages messages;
    const QString descriptor =
        makeBenchUnit(dir.path() + u'/', QStringLiteral("large"), EntryCount, messages, [](int i) {
            return QStringList{QStringLiteral("word %1").arg(i), QStringLiteral("Wort %1").arg(i)};
        });
    const QString path = descriptor.chopped(4) + QStringLiteral(".db");

    SilentUi ui;
    SilentPlayer player;
    TLumoTable table(messages);
    TLumoVocTest engine(messages, ui, player);
    engine.setOrder(TLumoVocTest::toRandom);
    engine.setTestFile(variant);
    engine.setDataSet(&table);

    // A first round of each, untimed: the file cache is warm and the review table exists.
    Times ours, undefended, plain, plainNoReviews, unused;
    int mistakes = 0, undefendedMistakes = 0;
    PlainTest withReviews(path, settings, true), withoutReviews(path, settings, false);
    runEngine(table, engine, descriptor, unused, mistakes);
    runEngine(table, engine, descriptor, unused, mistakes, false);
    withReviews.run(unused);
    withoutReviews.run(unused);
    for (int round = 0; round < Rounds; ++round) {
        runEngine(table, engine, descriptor, ours, mistakes);
        runEngine(table, engine, descriptor, undefended, undefendedMistakes, false);
        withReviews.run(plain);
        withoutReviews.run(plainNoReviews);
    }
    int wrongly = 0;
    for (int question = 0; question < QuestionCount; ++question)
        wrongly += answersWrongly(question) ? 1 : 0;
    if (mistakes != wrongly || undefendedMistakes != wrongly) {
        std::printf("The engine counted %d mistakes of %d\n", mistakes, wrongly);
        return 1;
    }
    for (const PlainTest *plainTest : {&withReviews, &withoutReviews})
        if (!plainTest->failure().isEmpty()) {
            std::printf("The plain side failed: %s\n", plainTest->failure().constData());
            return 1;
        }
    std::printf("A test of %d questions (%d answered wrongly) on %d entries, variant \"%s\", random order, "
                "best of %d alternating rounds:\n",
                QuestionCount, mistakes, EntryCount, qPrintable(variants.descriptions().at(0)), Rounds);
    print("prepare (page entered):", ours.prepare, plain.prepare);
    print("50 questions:", ours.questions, plain.questions);
    print("total:", ours.total, plain.total);
    std::printf(
        "  plain without the review states: questions %.1f ms (cpu %.1f), total %.1f ms (ours / that: "
        "%.2f)\n",
        plainNoReviews.questions.wall, plainNoReviews.questions.cpu, plainNoReviews.total.wall,
        ours.total.wall / plainNoReviews.total.wall);
    std::printf("ours with the defences against a file's own SQL taken back, same rounds:\n");
    print("prepare (page entered):", ours.prepare, undefended.prepare, "undefended");
    print("50 questions:", ours.questions, undefended.questions, "undefended");
    print("total:", ours.total, undefended.total, "undefended");
    return 0;
}

// Time and peak memory from starting the program with a unit of 100,000 entries on its
// command line until its input page shows the unit scrolled to the last entry (its scroll bar
// dragged to the end) and has painted. The reference is a plain Qt program showing the same rows from
// the same file: a main window with a table view over a small model that reads the rows with
// sqlite3 on demand, a page at a time, opened like the table component opens its files. Both
// run from the same executable, alternating, in one program folder copy with settings of
// their own, so that they pay the same loading of libraries and the same state of the file
// cache. Prints the medians, the peak memory of each and the ratios.

#include "app/ui/mainform.h"
#include "app/ui/pagecontrol.h"
#include "app/ui/programstart.h"
#include "benchmessages.h"
#include "benchprocess.h"
#include "benchsqlite.h"
#include "benchunit.h"
#include "input/ui/inputpage.h"
#include "input/ui/lumodbgrid.h"
#include "platform/ui/qmessageboxservice.h"
#include "vocfile/unitfiles.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QMainWindow>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <cstdio>

namespace {
constexpr int EntryCount = 100000;
constexpr int Rounds = 15;
constexpr int InputPageIndex = 2; // unit manager, test, input, logbook

// The rows of the vocabulary table in key order, the texts read a page at a time as they are
// shown; what a plain program needs to show a unit in a table view.
class PlainRows : public QAbstractTableModel
{
public:
    PlainRows(sqlite3 *db, QObject *parent) : QAbstractTableModel(parent)
    {
        // Without an order asked for, SQLite reads the keys from its smallest index rather
        // than from the rows with their sounds; sorting them here costs less than that walk.
        sqlite3_stmt *keys = nullptr;
        sqlite3_prepare_v2(db, "SELECT rowid FROM vocabulary", -1, &keys, nullptr);
        while (sqlite3_step(keys) == SQLITE_ROW)
            m_keys.append(sqlite3_column_int64(keys, 0));
        sqlite3_finalize(keys);
        std::sort(m_keys.begin(), m_keys.end());
        // Without the rows' statement no row would be read: then there are none to show, and
        // the run counts as failed.
        if (sqlite3_prepare_v2(
                db,
                "SELECT NativeLanguage, ForeignLanguage, Type, length(NativeSound) > 0, "
                "length(ForeignSound) > 0 FROM vocabulary WHERE rowid >= ? ORDER BY rowid LIMIT ?",
                -1, &m_page, nullptr) != SQLITE_OK)
            m_keys.clear();
    }
    ~PlainRows() override { sqlite3_finalize(m_page); }

    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : int(m_keys.size());
    }
    int columnCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : 3; }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role != Qt::DisplayRole || !index.isValid())
            return {};
        const QStringList &row = rowAt(index.row());
        return row.value(index.column());
    }

private:
    static constexpr int PageRows = 64;

    const QStringList &rowAt(int row) const
    {
        const int first = row - row % PageRows;
        if (first != m_first) {
            m_first = first;
            m_rows.clear();
            sqlite3_bind_int64(m_page, 1, m_keys.at(first));
            sqlite3_bind_int(m_page, 2, PageRows);
            while (sqlite3_step(m_page) == SQLITE_ROW) {
                const auto text = [this](int column, int sound) {
                    const QString value =
                        QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(m_page, column)),
                                          sqlite3_column_bytes(m_page, column));
                    return sqlite3_column_int(m_page, sound) ? value + QStringLiteral(" \u266a") : value;
                };
                m_rows.append({text(0, 3), text(1, 4), QString::number(sqlite3_column_int(m_page, 2))});
            }
            sqlite3_reset(m_page);
        }
        static const QStringList none;
        return row - first < m_rows.size() ? m_rows.at(row - first) : none;
    }

    QList<qint64> m_keys;
    sqlite3_stmt *m_page = nullptr;
    mutable int m_first = -1;
    mutable QList<QStringList> m_rows;
};

// The grid scrolled to its end, as the user drags the scroll bar down once the page is laid out.
void scrollToEnd(QTableView &grid)
{
    QCoreApplication::processEvents();
    grid.verticalScrollBar()->setValue(grid.verticalScrollBar()->maximum());
    QCoreApplication::processEvents();
}

// What a child tells the parent: when it had painted, whether the last row was shown whole
// (its number, else -1) and how many there are, the window's size and its peak memory.
void report(qint64 paintedNs, const QTableView *grid, const QWidget &window)
{
    const int rows = grid && grid->model() ? grid->model()->rowCount() : 0;
    const int top = grid ? grid->rowViewportPosition(rows - 1) : -1;
    const bool shown = top >= 0 && top + grid->rowHeight(rows - 1) <= grid->viewport()->height();
    std::printf("painted %lld\nrows %d %d\nsize %d %d\npeak %lld\n", paintedNs, shown ? rows - 1 : -1, rows,
                window.width(), window.height(), peakResidentKiB());
}

int runProgram(int argc, char *argv[])
{
    // As the program's own main() starts it.
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumo"));
    QApplication::setOrganizationName(QStringLiteral("Halvet"));
    QMessageBoxService messages;
    if (!PrepareProgramFolder(messages))
        return 1;
    const std::unique_ptr<TMainForm> form = StartProgram(messages, QString::fromLocal8Bit(argv[2]));
    if (!form)
        return 1;
    qint64 painted = 0;
    QTableView *grid = nullptr;
    const int code = quitWhenShown(
        app, *form,
        [&] {
            if (!form->PageControl()->requestPage(InputPageIndex))
                return;
            grid = form->inputPage()->LumoDBGrid1;
            scrollToEnd(*grid);
        },
        &painted);
    report(painted, grid, *form);
    return code;
}

int runBare(int argc, char *argv[])
{
    QApplication app(argc, argv);
    sqlite3 *db = openLikeTheTable(QString::fromLocal8Bit(argv[2]), SQLITE_OPEN_READWRITE);
    QMainWindow window;
    auto *grid = new QTableView(&window);
    grid->setModel(new PlainRows(db, grid));
    window.setCentralWidget(grid);
    window.resize(QString::fromLatin1(argv[3]).toInt(), QString::fromLatin1(argv[4]).toInt());
    window.show();
    qint64 painted = 0;
    const int code = quitWhenShown(
        app, window, [&] { scrollToEnd(*grid); }, &painted);
    report(painted, grid, window);
    delete grid;
    sqlite3_close(db);
    return code;
}

// What one run of a child told.
struct Figures
{
    qint64 toPaintedUs = -1;
    qint64 toEndUs = -1;
    qint64 peakKiB = -1;
    QList<int> rows;
    QStringList size;
};

std::optional<Figures> timeRun(const ChildSetup &setup, const QStringList &arguments)
{
    const std::optional<ChildRun> run = runChild(setup, arguments);
    if (!run)
        return std::nullopt;
    Figures figures;
    figures.toEndUs = run->elapsedUs;
    for (const QByteArray &line : run->output.split('\n')) {
        const QList<QByteArray> words = line.split(' ');
        if (words.first() == "painted")
            figures.toPaintedUs = (words.value(1).toLongLong() - run->startedNs) / 1000;
        else if (words.first() == "peak")
            figures.peakKiB = words.value(1).toLongLong();
        else if (words.first() == "rows")
            figures.rows = {words.value(1).toInt(), words.value(2).toInt()};
        else if (words.first() == "size")
            figures.size = {QString::fromLatin1(words.value(1)), QString::fromLatin1(words.value(2))};
    }
    // A run that did not reach the last of all entries measured something else.
    if (figures.rows != QList<int>{EntryCount - 1, EntryCount} || figures.toPaintedUs < 0)
        return std::nullopt;
    return figures;
}

struct Series
{
    QList<qint64> painted, ended, peak;

    void add(const Figures &figures)
    {
        painted.append(figures.toPaintedUs);
        ended.append(figures.toEndUs);
        peak.append(figures.peakKiB);
    }
};

void print(const char *what, const Series &series)
{
    std::printf("  %-34s %7.1f ms to painted, %7.1f ms to exit, peak %6.1f MB\n", what,
                medianMs(series.painted), medianMs(series.ended),
                double(*std::max_element(series.peak.begin(), series.peak.end())) / 1024.0);
}

int measure(const QString &self)
{
    QTemporaryDir folder;
    const std::optional<ChildSetup> setup = copyProgramWithSelf(self, folder.path());
    if (!setup) {
        std::printf("Could not copy the program folder beside %s\n", qPrintable(self));
        return 1;
    }
    const QString units = folder.path() + QStringLiteral("/units/");
    QDir().mkpath(units);
    SilentMessages messages;
    const QString descriptor = makeBenchUnit(units, QStringLiteral("large"), EntryCount, messages, [](int i) {
        return QStringList{QStringLiteral("word %1").arg(i), QStringLiteral("Wort %1").arg(i)};
    });
    const QString table = UnitFiles::tablePathOf(descriptor);

    // One run of the program first: the settings file is made, the file cache is warm, and
    // the size of its window is what the plain program gets.
    const std::optional<Figures> first = timeRun(*setup, {QStringLiteral("--program"), descriptor});
    if (!first) {
        std::printf("The program did not show the last entry of the unit\n");
        return 1;
    }
    const QStringList bare = QStringList{QStringLiteral("--bare"), table} + first->size;
    Series program, plain;
    for (int round = 0; round < Rounds; ++round) {
        const std::optional<Figures> p = timeRun(*setup, {QStringLiteral("--program"), descriptor});
        const std::optional<Figures> b = timeRun(*setup, bare);
        if (!p || !b) {
            std::printf("A run failed or did not reach the last entry\n");
            return 1;
        }
        program.add(*p);
        plain.add(*b);
    }
    std::printf("From process start to a %d-entry unit on the input page, scrolled to its last entry and "
                "painted (window %sx%s), median of %d alternating runs:\n",
                EntryCount, qPrintable(first->size.at(0)), qPrintable(first->size.at(1)), Rounds);
    print("program (lumo unit.lif, input page):", program);
    print("plain Qt table view, sqlite3 rows:", plain);
    const double peakProgram = double(*std::max_element(program.peak.begin(), program.peak.end()));
    const double peakPlain = double(*std::max_element(plain.peak.begin(), plain.peak.end()));
    std::printf("  ratio: %.2f to painted, %.2f to exit, %.2f peak memory (goal under 500 ms and 100 MB)\n",
                medianMs(program.painted) / medianMs(plain.painted),
                medianMs(program.ended) / medianMs(plain.ended), peakProgram / peakPlain);
    return 0;
}
} // namespace

int main(int argc, char *argv[])
{
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (mode == QLatin1String("--program") && argc == 3)
        return runProgram(argc, argv);
    if (mode == QLatin1String("--bare") && argc == 5)
        return runBare(argc, argv);
    QCoreApplication app(argc, argv);
    return measure(QCoreApplication::applicationFilePath());
}

// Time from starting a process to its main window on screen: the program against a bare Qt
// window with an empty table view. Both run from the same executable, alternating, in one
// program folder copy and with settings of their own, so that they pay the same loading of
// libraries and the same state of the file cache. Prints the medians and their ratio.

#include "app/ui/mainform.h"
#include "app/ui/programstart.h"
#include "platform/ui/qmessageboxservice.h"

#include "benchprocess.h"

#include <QApplication>
#include <QMainWindow>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextStream>

namespace {
constexpr int Rounds = 15;

int runBare(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setCentralWidget(new QTableView(&window));
    window.resize(600, 460);
    window.show();
    return quitWhenShown(app, window);
}

int runProgram(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumo"));
    QApplication::setOrganizationName(QStringLiteral("Halvet"));
    QMessageBoxService messages;
    const std::unique_ptr<TMainForm> form = StartProgram(messages);
    return form ? quitWhenShown(app, *form) : 1;
}

qint64 timeRun(const ChildSetup &setup, const QString &mode)
{
    const std::optional<ChildRun> run = runChild(setup, {mode});
    return run ? run->elapsedUs : -1;
}

int measure(const QString &self)
{
    QTextStream out(stdout);
    QTemporaryDir folder;
    const std::optional<ChildSetup> setup = copyProgramWithSelf(self, folder.path());
    if (!setup) {
        out << "Could not copy the program folder beside " << self << "\n";
        return 1;
    }
    // One run of each first: the settings file is created and the file cache is warm.
    timeRun(*setup, QStringLiteral("--program"));
    timeRun(*setup, QStringLiteral("--bare"));
    QList<qint64> program, bare;
    for (int round = 0; round < Rounds; ++round) {
        const qint64 p = timeRun(*setup, QStringLiteral("--program"));
        const qint64 b = timeRun(*setup, QStringLiteral("--bare"));
        if (p < 0 || b < 0) {
            out << "A run failed\n";
            return 1;
        }
        program.append(p);
        bare.append(b);
    }
    const double p = medianMs(program);
    const double b = medianMs(bare);
    out << "Launch to the main window, median of " << Rounds << " alternating runs:\n";
    out << "  program:          " << QString::number(p, 'f', 1) << " ms\n";
    out << "  bare window:      " << QString::number(b, 'f', 1) << " ms\n";
    out << "  ratio:            " << QString::number(p / b, 'f', 2) << " (goal <= 1.30)\n";
    return 0;
}
} // namespace

int main(int argc, char *argv[])
{
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (mode == QLatin1String("--bare"))
        return runBare(argc, argv);
    if (mode == QLatin1String("--program"))
        return runProgram(argc, argv);
    QCoreApplication app(argc, argv);
    return measure(QCoreApplication::applicationFilePath());
}

// Time from starting a process to its main window on screen: the program against a bare Qt
// window with an empty table view. Both run from the same executable, alternating, in one
// program folder copy and with settings of their own, so that they pay the same loading of
// libraries and the same state of the file cache. Prints the medians and their ratio.

#include "app/ui/mainform.h"
#include "app/ui/programstart.h"
#include "platform/ui/qmessageboxservice.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QMainWindow>
#include <QProcess>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <algorithm>

namespace {
constexpr int Rounds = 15;

// Quits as soon as the window has been shown and painted once.
int quitWhenShown(QApplication &app, QWidget &window)
{
    QTimer::singleShot(0, &app, [&] {
        window.repaint();
        QApplication::quit();
    });
    return QApplication::exec();
}

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

bool copyTree(const QString &from, const QString &to)
{
    QDirIterator it(from, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + source.mid(from.size());
        if (!QDir().mkpath(QFileInfo(target).path()) || !QFile::copy(source, target))
            return false;
    }
    return true;
}

qint64 timeRun(const QString &executable, const QString &mode, const QProcessEnvironment &environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    QElapsedTimer timer;
    timer.start();
    process.start(executable, {mode});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return -1;
    return timer.nsecsElapsed() / 1000;
}

double median(QList<qint64> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2) / 1000.0;
}

int measure(const QString &self)
{
    QTextStream out(stdout);
    // The program folder of the build with this executable in it, so that the program finds
    // its language files, variants and sample units as it does when installed.
    const QString built = QFileInfo(self).absolutePath() + QStringLiteral("/../program");
    QTemporaryDir folder;
    const QString copy = folder.path() + QStringLiteral("/program");
    if (!copyTree(built, copy) || !QFile::copy(self, copy + QStringLiteral("/bench_launch"))) {
        out << "Could not copy the program folder " << built << "\n";
        return 1;
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), folder.path() + QStringLiteral("/config"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), folder.path() + QStringLiteral("/data"));
    if (!environment.contains(QStringLiteral("DISPLAY")))
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    const QString executable = copy + QStringLiteral("/bench_launch");
    // One run of each first: the settings file is created and the file cache is warm.
    timeRun(executable, QStringLiteral("--program"), environment);
    timeRun(executable, QStringLiteral("--bare"), environment);
    QList<qint64> program, bare;
    for (int round = 0; round < Rounds; ++round) {
        const qint64 p = timeRun(executable, QStringLiteral("--program"), environment);
        const qint64 b = timeRun(executable, QStringLiteral("--bare"), environment);
        if (p < 0 || b < 0) {
            out << "A run failed\n";
            return 1;
        }
        program.append(p);
        bare.append(b);
    }
    const double p = median(program);
    const double b = median(bare);
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

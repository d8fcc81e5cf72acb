#pragma once

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>
#include <algorithm>
#include <ctime>
#include <functional>
#include <optional>

// Benchmarks that start the program as a process: the executable runs again as its own child
// in modes, inside a copy of the built program folder, so that the program finds its language
// files and variants as it does when installed, and with settings folders of its own.

// A copy of the built program folder with the benchmark's executable in it, and the
// environment its children run in.
struct ChildSetup
{
    QString executable;
    QProcessEnvironment environment;
};

inline bool copyTree(const QString &from, const QString &to)
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

// self is the benchmark's executable beside "../program" of the build; folder a temporary
// folder that takes the copy and the settings. Offscreen when there is no display.
inline std::optional<ChildSetup> copyProgramWithSelf(const QString &self, const QString &folder)
{
    const QString built = QFileInfo(self).absolutePath() + QStringLiteral("/../program");
    const QString copy = folder + QStringLiteral("/program");
    ChildSetup setup;
    setup.executable = copy + u'/' + QFileInfo(self).fileName();
    if (!copyTree(built, copy) || !QFile::copy(self, setup.executable))
        return std::nullopt;
    setup.environment = QProcessEnvironment::systemEnvironment();
    setup.environment.insert(QStringLiteral("XDG_CONFIG_HOME"), folder + QStringLiteral("/config"));
    setup.environment.insert(QStringLiteral("XDG_DATA_HOME"), folder + QStringLiteral("/data"));
    if (!setup.environment.contains(QStringLiteral("DISPLAY")))
        setup.environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    return setup;
}

// The clock that parent and child share.
inline qint64 monotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// The peak resident memory of this process so far (VmHWM), in KiB; what a child reports
// just before it ends.
inline qint64 peakResidentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine())
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

// One run of a child: the moment it was started (the monotonic clock every process shares),
// how long until it ended, and what it printed. Empty when it failed.
struct ChildRun
{
    qint64 startedNs = 0;
    qint64 elapsedUs = 0;
    QByteArray output;
};

inline std::optional<ChildRun> runChild(const ChildSetup &setup, const QStringList &arguments)
{
    QProcess process;
    process.setProcessEnvironment(setup.environment);
    ChildRun run;
    QElapsedTimer timer;
    timer.start();
    run.startedNs = monotonicNs();
    process.start(setup.executable, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return std::nullopt;
    run.elapsedUs = timer.nsecsElapsed() / 1000;
    run.output = process.readAllStandardOutput();
    return run;
}

// The median in milliseconds of times in microseconds.
inline double medianMs(QList<qint64> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2) / 1000.0;
}

// Runs work once the window has been shown, paints it, and quits; paintedNs, if given, gets
// the moment the paint was done.
inline int quitWhenShown(QApplication &app, QWidget &window, const std::function<void()> &work = {},
                         qint64 *paintedNs = nullptr)
{
    QTimer::singleShot(0, &app, [&] {
        if (work)
            work();
        window.repaint();
        if (paintedNs)
            *paintedNs = monotonicNs();
        QApplication::quit();
    });
    return QApplication::exec();
}

#include "support/withoutsounddevice.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTest>

namespace {
constexpr char ChildFlag[] = "LUMO_WITHOUT_SOUND_CHILD";
// Far more than opening a missing device may take; a child still running then hangs.
constexpr int ChildTimeoutMs = 30000;
} // namespace

bool WithoutSoundDevice::inChild()
{
    return qEnvironmentVariableIsSet(ChildFlag);
}

WithoutSoundDevice::Result WithoutSoundDevice::run()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(ChildFlag), QStringLiteral("1"));
    environment.insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:/nonexistent"));
    QProcess child;
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(QTest::currentTestFunction())});
    Result result;
    if (!child.waitForFinished(ChildTimeoutMs)) {
        child.kill();
        child.waitForFinished();
        result.report = QStringLiteral("The child without a sound device hangs:\n") +
                        QString::fromLocal8Bit(child.readAll());
        return result;
    }
    result.report = QString::fromLocal8Bit(child.readAll());
    result.passed = child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0;
    return result;
}

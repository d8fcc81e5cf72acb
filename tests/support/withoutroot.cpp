#include "support/withoutroot.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr char ChildFlag[] = "LUMO_WITHOUT_ROOT_CHILD";
constexpr char ChildValues[] = "LUMO_WITHOUT_ROOT_VALUES";
constexpr uid_t Nobody = 65534;
constexpr int ChildTimeoutMs = 120000;

bool isRoot()
{
    return geteuid() == 0;
}

void giveToNobody(const QString &path)
{
    if (::lchown(QFile::encodeName(path).constData(), Nobody, Nobody) != 0)
        std::fprintf(stderr, "WithoutRoot: cannot hand over %s\n", qPrintable(path));
}

// Search permission for others on the folders between the system's temporary folder and
// path; nothing outside the temporary folder is changed.
void openWayTo(const QString &path)
{
    const QString temp = QFileInfo(QDir::tempPath()).canonicalFilePath();
    QString folder = QFileInfo(QFileInfo(path).absolutePath()).canonicalFilePath();
    while (folder.startsWith(temp + u'/')) {
        struct stat info;
        const QByteArray name = QFile::encodeName(folder);
        if (::stat(name.constData(), &info) == 0 && !(info.st_mode & S_IXOTH))
            ::chmod(name.constData(), info.st_mode | S_IXOTH);
        folder = QFileInfo(folder).path();
    }
}

QString currentTest()
{
    QString test = QString::fromLatin1(QTest::currentTestFunction());
    const char *tag = QTest::currentDataTag();
    if (tag && *tag)
        test += u':' + QString::fromUtf8(tag);
    return test;
}
} // namespace

bool WithoutRoot::inChild()
{
    if (!qEnvironmentVariableIsSet(ChildFlag))
        return false;
    if (isRoot()) {
        std::fprintf(stderr, "WithoutRoot: the child still has root's rights\n");
        std::_Exit(3);
    }
    return true;
}

QStringList WithoutRoot::values()
{
    QStringList list;
    const QJsonArray array = QJsonDocument::fromJson(qgetenv(ChildValues)).array();
    for (const QJsonValue &value : array)
        list.append(value.toString());
    return list;
}

void WithoutRoot::handOver(const QString &path)
{
    if (!isRoot())
        return;
    openWayTo(path);
    giveToNobody(path);
    QDirIterator below(path, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                       QDirIterator::Subdirectories);
    while (below.hasNext())
        giveToNobody(below.next());
}

WithoutRoot::Result WithoutRoot::run(const QStringList &values)
{
    Result result;
    // A home of its own, so that nothing the child does reaches the real one.
    QTemporaryDir home;
    if (!home.isValid()) {
        result.report = QStringLiteral("No temporary home folder for the child");
        return result;
    }
    handOver(home.path());

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(ChildFlag), QStringLiteral("1"));
    environment.insert(QString::fromLatin1(ChildValues),
                       QString::fromUtf8(QJsonDocument(QJsonArray::fromStringList(values)).toJson()));
    environment.insert(QStringLiteral("HOME"), home.path());
    environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));

    const QString test = currentTest();
    QString program = QCoreApplication::applicationFilePath();
    QStringList arguments{test};
    if (isRoot()) {
        arguments = QStringList{QStringLiteral("--reuid=65534"),
                                QStringLiteral("--regid=65534"),
                                QStringLiteral("--clear-groups"),
                                QStringLiteral("--"),
                                program,
                                test};
        program = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
        if (program.isEmpty()) {
            result.report = QStringLiteral("setpriv (util-linux) is not installed");
            return result;
        }
    }

    QProcess child;
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(program, arguments);
    if (!child.waitForFinished(ChildTimeoutMs)) {
        child.kill();
        child.waitForFinished();
        result.report = QStringLiteral("The child for %1 did not finish: %2").arg(test, child.errorString());
        return result;
    }
    const QString output = QString::fromLocal8Bit(child.readAll());
    // The child must really have run this function, not merely started.
    const QRegularExpression passed(
        QStringLiteral("^PASS   : \\w+::%1\\(")
            .arg(QRegularExpression::escape(QString::fromLatin1(QTest::currentTestFunction()))),
        QRegularExpression::MultilineOption);
    const bool ranTest = passed.match(output).hasMatch();
    result.passed = child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0 && ranTest;
    // Only what went wrong: the failure text is cut short when it grows long.
    QStringList lines = output.split(u'\n');
    lines.removeIf([](const QString &line) {
        return line.startsWith(QStringLiteral("PASS")) || line.startsWith(QStringLiteral("*********")) ||
               line.startsWith(QStringLiteral("Config:"));
    });
    result.report =
        QStringLiteral("The child for %1 without root's rights reported:\n%2").arg(test, lines.join(u'\n'));
    return result;
}

// Creating a table where a killed process left its half-built scratch file behind.

#include "platform/sqlitetable.h"
#include "support/testfolder.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QTest>

#include <sys/wait.h>
#include <unistd.h>

namespace {
// The id of a process that has ended and been reaped.
qint64 deadProcessId()
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

void createTable(const QString &folder, const QString &name)
{
    SqliteTable table;
    table.setDatabaseName(folder);
    table.setTableName(name);
    table.setFieldDefs(
        {{QStringLiteral("Id"), FieldType::AutoInc, 0}, {QStringLiteral("Word"), FieldType::String, 40}});
    table.setIndexDefs({{QString(), QStringLiteral("Id"), true, false}});
    table.createTable();
}

QString leaveScratch(const TestFolder &folder, const QString &name, qint64 pid, qint64 ageSeconds)
{
    const QString path = folder.writeFile(name + QStringLiteral(".new-%1-0badf00d").arg(pid), "half a table");
    QFile file(path);
    file.open(QIODevice::ReadWrite);
    file.setFileTime(QDateTime::currentDateTime().addSecs(-ageSeconds), QFileDevice::FileModificationTime);
    return path;
}
} // namespace

class TestTableFile : public QObject
{
    Q_OBJECT

private slots:
    void scratchFilesOfEndedProcessesAreRemovedOthersKept();
};

void TestTableFile::scratchFilesOfEndedProcessesAreRemovedOthersKept()
{
    TestFolder folder;
    const qint64 dead = deadProcessId();
    const QString abandoned = leaveScratch(folder, QStringLiteral("unit.db"), dead, 3600);
    // Still being written by a living process, or perhaps by one on another machine.
    const QString living =
        leaveScratch(folder, QStringLiteral("unit.db"), QCoreApplication::applicationPid(), 3600);
    const QString recent = leaveScratch(folder, QStringLiteral("unit.db"), dead + 1000000, 10);
    const QString otherTable = leaveScratch(folder, QStringLiteral("other.db"), dead, 3600);

    createTable(folder.path(), QStringLiteral("unit.db"));

    QVERIFY(QFile::exists(folder.filePath(QStringLiteral("unit.db"))));
    QVERIFY(!QFile::exists(abandoned));
    QVERIFY(QFile::exists(living));
    QVERIFY(QFile::exists(recent));
    QVERIFY(QFile::exists(otherTable));
}

QTEST_GUILESS_MAIN(TestTableFile)
#include "tst_tablefile.moc"

// Creating a table where a killed process left its half-built scratch file behind.

#include "platform/table/sqlitetable.h"
#include "support/testfolder.h"
#include "vocfile/unitfiles.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
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

// A file named pattern, with "%1" for the process id, aged by ageSeconds.
QString leaveFile(const TestFolder &folder, const QString &pattern, qint64 pid, qint64 ageSeconds)
{
    const QString path = folder.writeFile(pattern.arg(pid), "half a table");
    QFile file(path);
    file.open(QIODevice::ReadWrite);
    file.setFileTime(QDateTime::currentDateTime().addSecs(-ageSeconds), QFileDevice::FileModificationTime);
    return path;
}

QStringList filesIn(const TestFolder &folder)
{
    return QDir(folder.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}
} // namespace

class TestTableFile : public QObject
{
    Q_OBJECT

private slots:
    void scratchFilesOfEndedProcessesAreRemovedOthersKept_data();
    void scratchFilesOfEndedProcessesAreRemovedOthersKept();
    void aLongNameGetsItsTable();
};

void TestTableFile::scratchFilesOfEndedProcessesAreRemovedOthersKept_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("living");
    QTest::addColumn<qint64>("ageSeconds");
    QTest::addColumn<QString>("descriptor"); // beside the file, or none
    QTest::addColumn<bool>("removed");
    const QString none;
    QTest::newRow("scratch") << ".lumo-new-%1-0badf00d.db" << false << qint64(3600) << none << true;
    QTest::newRow("scratch journal") << ".lumo-new-%1-0badf00d.db-journal" << false << qint64(3600) << none
                                     << true;
    QTest::newRow("descriptor scratch")
        << ".lumo-new-%1-0badf00d.tmp" << false << qint64(3600) << none << true;
    QTest::newRow("older scratch") << "unit.db.new-%1-0badf00d" << false << qint64(3600) << none << true;
    QTest::newRow("older scratch journal")
        << "unit.db.new-%1-0badf00d-journal" << false << qint64(3600) << none << true;
    // Still being written by a living process, or perhaps by one on another machine.
    QTest::newRow("living") << ".lumo-new-%1-0badf00d.db" << true << qint64(3600) << none << false;
    QTest::newRow("living, older") << "unit.db.new-%1-0badf00d" << true << qint64(3600) << none << false;
    QTest::newRow("recent") << ".lumo-new-%1-0badf00d.db" << false << qint64(10) << none << false;
    // Other units' files.
    QTest::newRow("another table's older scratch")
        << "other.db.new-%1-0badf00d" << false << qint64(3600) << none << false;
    QTest::newRow("a unit named like an older scratch")
        << "unit.db.new-%1-0badf00d.db" << false << qint64(3600) << none << false;
    QTest::newRow("a unit named like a scratch")
        << ".lumo-new-%1-0badf00d.db" << false << qint64(3600)
        << QStringLiteral(".lumo-new-%1-0badf00d") + UnitFiles::descriptorExtension().toUpper() << false;
    QTest::newRow("another unit's journal") << "other%1.db-journal" << false << qint64(3600) << none << false;
}

void TestTableFile::scratchFilesOfEndedProcessesAreRemovedOthersKept()
{
    QFETCH(QString, pattern);
    QFETCH(bool, living);
    QFETCH(qint64, ageSeconds);
    QFETCH(QString, descriptor);
    QFETCH(bool, removed);
    TestFolder folder;
    const qint64 pid = living ? QCoreApplication::applicationPid() : deadProcessId();
    const QString left = leaveFile(folder, pattern, pid, ageSeconds);
    if (!descriptor.isEmpty())
        leaveFile(folder, descriptor, pid, ageSeconds);

    createTable(folder.path(), QStringLiteral("unit.db"));

    QVERIFY(QFile::exists(folder.filePath(QStringLiteral("unit.db"))));
    QCOMPARE(QFile::exists(left), !removed);
}

// The scratch file's name does not grow with the table's: a name of 80 CJK characters (240
// bytes) leaves room for the table's journal, but not for "<name>.db.new-<pid>-<random>".
void TestTableFile::aLongNameGetsItsTable()
{
    TestFolder folder;
    const QString name = QString(80, QChar(0x8A9E)) + QStringLiteral(".db");
    createTable(folder.path(), name);
    QCOMPARE(filesIn(folder), QStringList({name}));
}

QTEST_GUILESS_MAIN(TestTableFile)
#include "tst_tablefile.moc"

#include "support/testfolder.h"
#include "support/withoutroot.h"
#include "vocfile/unitfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {
// A unit with a descriptor, a table, a journal and two of the old companions.
QString makeUnit(const TestFolder &folder, const QString &name)
{
    for (const char *extension : {".lif", ".db", ".PX", ".YG1", ".db-journal"})
        folder.writeFile(name + QLatin1String(extension), name.toUtf8() + extension);
    return folder.filePath(name + QStringLiteral(".lif"));
}

QStringList namesIn(const TestFolder &folder, const QString &subfolder = QString())
{
    return QDir(folder.filePath(subfolder)).entryList(QDir::Files, QDir::Name);
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

class TestUnitFiles : public QObject
{
    Q_OBJECT

private slots:
    void namesOfAUnit();
    void descriptorNames_data();
    void descriptorNames();
    void existingFilesInTheirOrder();
    void renameTakesEveryFile();
    void renameOntoAnotherUnitIsRefused();
    void caseOnlyRenameLeavesNoSecondDescriptor();
    void moveAndCopy();
    void failedCopyLeavesNoHalfUnit();
    void failedMoveHalfWayPutsEveryFileBack_data();
    void failedMoveHalfWayPutsEveryFileBack();
    void extensionsAreMatchedWithoutRegardToCase_data();
    void extensionsAreMatchedWithoutRegardToCase();
    void twoSpellingsOfOneFileStopEveryOperation_data();
    void twoSpellingsOfOneFileStopEveryOperation();
    void removeMovesEveryFileToTheTrash();
    void removeWithoutDescriptorTouchesNothing();
};

void TestUnitFiles::namesOfAUnit()
{
    const UnitFiles unit(QStringLiteral("/units/Other/English - German.lif"));
    QCOMPARE(unit.name(), QStringLiteral("English - German"));
    QCOMPARE(unit.folder(), QStringLiteral("/units/Other/"));
    QCOMPARE(unit.tablePath(), QStringLiteral("/units/Other/English - German.db"));
    QCOMPARE(UnitFiles::descriptorPath(QStringLiteral("/a"), QStringLiteral("b.c")),
             QStringLiteral("/a/b.c.lif"));
    QCOMPARE(UnitFiles::tableExtensions(),
             QStringList({".db", ".MB", ".PX", ".XG0", ".XG1", ".YG0", ".YG1"}));
}

void TestUnitFiles::descriptorNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("descriptor");
    QTest::addColumn<QString>("unit");
    QTest::newRow("a unit") << "/u/verbs.lif" << true << "/u/verbs";
    QTest::newRow("in capitals") << "VERBS.LIF" << true << "VERBS";
    QTest::newRow("extension inside the name") << "Q.lifts.lif" << true << "Q.lifts";
    QTest::newRow("only inside") << "Q.lifts" << false << "Q.lifts";
    QTest::newRow("a table") << "verbs.db" << false << "verbs.db";
    QTest::newRow("no dot") << "verbslif" << false << "verbslif";
    QTest::newRow("empty") << "" << false << "";
}

void TestUnitFiles::descriptorNames()
{
    QFETCH(QString, name);
    QFETCH(bool, descriptor);
    QCOMPARE(UnitFiles::isDescriptor(name), descriptor);
    QTEST(UnitFiles::withoutDescriptorExtension(name), "unit");
    // The suffix the unit views list names the same files.
    QCOMPARE(QFileInfo(name).suffix().compare(UnitFiles::descriptorSuffix(), Qt::CaseInsensitive) == 0,
             descriptor);
}

void TestUnitFiles::existingFilesInTheirOrder()
{
    TestFolder folder;
    const QString descriptor = makeUnit(folder, QStringLiteral("unit"));
    folder.writeFile(QStringLiteral("unit2.db"), "other unit");
    const QString base = folder.filePath(QStringLiteral("unit"));
    QCOMPARE(UnitFiles(descriptor).existingFiles(),
             QStringList({base + ".lif", base + ".db", base + ".PX", base + ".YG1", base + ".db-journal"}));
}

void TestUnitFiles::renameTakesEveryFile()
{
    TestFolder folder;
    UnitFiles unit(makeUnit(folder, QStringLiteral("old")));
    folder.writeFile(QStringLiteral("old.txt"), "not part of the unit");
    const QString renamed = unit.rename(QStringLiteral("new"));
    QCOMPARE(renamed, folder.filePath(QStringLiteral("new.lif")));
    QCOMPARE(unit.descriptorPath(), renamed);
    QCOMPARE(namesIn(folder),
             QStringList({"new.PX", "new.YG1", "new.db", "new.db-journal", "new.lif", "old.txt"}));
    QCOMPARE(contents(folder.filePath(QStringLiteral("new.db-journal"))), QByteArray("old.db-journal"));
}

void TestUnitFiles::renameOntoAnotherUnitIsRefused()
{
    TestFolder folder;
    UnitFiles unit(makeUnit(folder, QStringLiteral("a")));
    // Only one companion of the other unit is there: that alone must stop the rename.
    folder.writeFile(QStringLiteral("b.YG1"), "b's index");
    const QStringList before = namesIn(folder);
    QVERIFY_THROWS_EXCEPTION(UnitFileError, unit.rename(QStringLiteral("b")));
    QCOMPARE(namesIn(folder), before);
    QCOMPARE(contents(folder.filePath(QStringLiteral("b.YG1"))), QByteArray("b's index"));
    QCOMPARE(unit.descriptorPath(), folder.filePath(QStringLiteral("a.lif")));
}

void TestUnitFiles::caseOnlyRenameLeavesNoSecondDescriptor()
{
    TestFolder folder;
    UnitFiles unit(makeUnit(folder, QStringLiteral("verbs")));
    unit.rename(QStringLiteral("Verbs"));
    QCOMPARE(namesIn(folder),
             QStringList({"Verbs.PX", "Verbs.YG1", "Verbs.db", "Verbs.db-journal", "Verbs.lif"}));
}

void TestUnitFiles::moveAndCopy()
{
    TestFolder folder;
    QVERIFY(QDir().mkpath(folder.filePath(QStringLiteral("moved"))));
    QVERIFY(QDir().mkpath(folder.filePath(QStringLiteral("copied"))));
    UnitFiles unit(makeUnit(folder, QStringLiteral("unit")));
    const QString copy = unit.copyTo(folder.filePath(QStringLiteral("copied")));
    QCOMPARE(copy, folder.filePath(QStringLiteral("copied/unit.lif")));
    QCOMPARE(namesIn(folder, QStringLiteral("copied")).size(), 5);
    QCOMPARE(unit.descriptorPath(), folder.filePath(QStringLiteral("unit.lif")));
    unit.moveTo(folder.filePath(QStringLiteral("moved/")));
    QVERIFY(namesIn(folder).isEmpty());
    QCOMPARE(namesIn(folder, QStringLiteral("moved")), namesIn(folder, QStringLiteral("copied")));
    QCOMPARE(unit.descriptorPath(), folder.filePath(QStringLiteral("moved/unit.lif")));
    // A copy into a folder that already holds the unit is refused.
    QVERIFY_THROWS_EXCEPTION(UnitFileError, UnitFiles(copy).copyTo(folder.filePath(QStringLiteral("moved"))));
}

void TestUnitFiles::failedCopyLeavesNoHalfUnit()
{
    TestFolder folder;
    QVERIFY(QDir().mkpath(folder.filePath(QStringLiteral("target"))));
    const QString descriptor = makeUnit(folder, QStringLiteral("unit"));
    // A companion that cannot be copied (a folder in its place) stops the copy half-way.
    QVERIFY(QFile::remove(folder.filePath(QStringLiteral("unit.YG1"))));
    QVERIFY(QDir().mkpath(folder.filePath(QStringLiteral("unit.YG1"))));
    UnitFiles unit(descriptor);
    try {
        unit.copyTo(folder.filePath(QStringLiteral("target")));
        QFAIL("a copy that failed half-way reported success");
    } catch (const UnitFileError &error) {
        QVERIFY2(error.message().contains(QStringLiteral("unit.YG1")), qPrintable(error.message()));
    }
    QVERIFY(namesIn(folder, QStringLiteral("target")).isEmpty());
    QCOMPARE(contents(descriptor), QByteArray("unit.lif"));
}

void TestUnitFiles::failedMoveHalfWayPutsEveryFileBack_data()
{
    QTest::addColumn<bool>("rename");
    QTest::newRow("rename") << true;
    QTest::newRow("move") << false;
}

// The descriptor goes first; the table after it cannot go: in a shared folder with the sticky
// bit, a user may move only his own files, and the table is root's.
void TestUnitFiles::failedMoveHalfWayPutsEveryFileBack()
{
    QFETCH(bool, rename);
    if (WithoutRoot::inChild()) {
        const QString descriptor = WithoutRoot::values().at(0);
        const QString target = WithoutRoot::values().at(1);
        UnitFiles unit(descriptor);
        if (rename)
            QVERIFY_THROWS_EXCEPTION(UnitFileError, unit.rename(QStringLiteral("moved")));
        else
            QVERIFY_THROWS_EXCEPTION(UnitFileError, unit.moveTo(target));
        QCOMPARE(unit.descriptorPath(), descriptor);
        return;
    }
    TestFolder folder;
    const QString shared = folder.filePath(QStringLiteral("shared/"));
    const QString target = folder.filePath(QStringLiteral("target/"));
    QVERIFY(QDir().mkpath(shared));
    QVERIFY(QDir().mkpath(target));
    for (const char *extension : {".lif", ".db", ".PX", ".db-journal"})
        folder.writeFile(QStringLiteral("shared/unit") + QLatin1String(extension), extension);
    WithoutRoot::handOver(folder.path());
    QCOMPARE(::chown(QFile::encodeName(shared).constData(), 0, 0), 0);
    QCOMPARE(::chmod(QFile::encodeName(shared).constData(), 01777), 0);
    QCOMPARE(::chown(QFile::encodeName(shared + QStringLiteral("unit.db")).constData(), 0, 0), 0);
    VERIFY_WITHOUT_ROOT({shared + QStringLiteral("unit.lif"), target});
    QCOMPARE(namesIn(folder, QStringLiteral("shared")),
             QStringList({"unit.PX", "unit.db", "unit.db-journal", "unit.lif"}));
    QVERIFY(namesIn(folder, QStringLiteral("target")).isEmpty());
    QCOMPARE(contents(shared + QStringLiteral("unit.lif")), QByteArray(".lif"));
}

void TestUnitFiles::extensionsAreMatchedWithoutRegardToCase_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QStringList>("source");
    QTest::addColumn<QStringList>("target");
    const QStringList unit{"SHOUT.DB", "SHOUT.DB-journal", "SHOUT.LIF", "SHOUT.Px"};
    QTest::newRow("rename") << "rename" << QStringList()
                            << QStringList({"LOUD.DB", "LOUD.DB-journal", "LOUD.LIF", "LOUD.Px"});
    QTest::newRow("move") << "move" << QStringList() << unit;
    QTest::newRow("copy") << "copy" << unit << unit;
    QTest::newRow("remove") << "remove" << QStringList() << QStringList();
}

void TestUnitFiles::extensionsAreMatchedWithoutRegardToCase()
{
    QFETCH(QString, operation);
    QFETCH(QStringList, source);
    QFETCH(QStringList, target);
    TestFolder folder;
    for (const char *name :
         {"SHOUT.LIF", "SHOUT.DB", "SHOUT.Px", "SHOUT.DB-journal", "shout.db", "SHOUTS.db"})
        folder.writeFile(QStringLiteral("units/") + QLatin1String(name), name);
    QVERIFY(QDir().mkpath(folder.filePath(QStringLiteral("target"))));
    const QString units = folder.filePath(QStringLiteral("units/"));
    UnitFiles unit(units + QStringLiteral("SHOUT.LIF"));
    QCOMPARE(unit.existingFiles(), QStringList({units + "SHOUT.LIF", units + "SHOUT.DB", units + "SHOUT.Px",
                                                units + "SHOUT.DB-journal"}));
    QCOMPARE(unit.tablePath(), units + QStringLiteral("SHOUT.DB"));
    QCOMPARE(UnitFiles::findDescriptor(units, QStringLiteral("SHOUT")), unit.descriptorPath());
    const QString targetFolder =
        operation == QLatin1String("rename") ? units : folder.filePath(QStringLiteral("target/"));
    QString result;
    if (operation == QLatin1String("rename"))
        result = unit.rename(QStringLiteral("LOUD"));
    else if (operation == QLatin1String("move"))
        result = unit.moveTo(targetFolder);
    else if (operation == QLatin1String("copy"))
        result = unit.copyTo(targetFolder);
    else
        unit.remove();
    if (!target.isEmpty())
        QCOMPARE(result, targetFolder + target.at(2));
    // The other units' files, "shout" and "SHOUTS", stay where they are.
    QStringList staying = source + QStringList({"SHOUTS.db", "shout.db"});
    if (operation == QLatin1String("rename"))
        staying = target + staying;
    staying.sort();
    QCOMPARE(namesIn(folder, QStringLiteral("units")), staying);
    if (operation != QLatin1String("rename"))
        QCOMPARE(namesIn(folder, QStringLiteral("target")), target);
    if (operation == QLatin1String("remove"))
        QCOMPARE(QDir(folder.dataHome() + QStringLiteral("/Trash/files")).entryList(QDir::Files, QDir::Name),
                 QStringList({"SHOUT.DB", "SHOUT.DB-journal", "SHOUT.LIF", "SHOUT.Px"}));
}

void TestUnitFiles::twoSpellingsOfOneFileStopEveryOperation_data()
{
    QTest::addColumn<QString>("operation");
    for (const char *operation : {"rename", "move", "copy", "remove", "table"})
        QTest::newRow(operation) << QString::fromLatin1(operation);
}

void TestUnitFiles::twoSpellingsOfOneFileStopEveryOperation()
{
    QFETCH(QString, operation);
    TestFolder folder;
    for (const char *name : {"SHOUT.LIF", "SHOUT.db", "SHOUT.DB", "SHOUT.PX"})
        folder.writeFile(QLatin1String(name), name);
    QVERIFY(QDir().mkpath(folder.filePath(QStringLiteral("target"))));
    UnitFiles unit(folder.filePath(QStringLiteral("SHOUT.LIF")));
    const QStringList clashing{folder.filePath(QStringLiteral("SHOUT.DB")),
                               folder.filePath(QStringLiteral("SHOUT.db"))};
    QStringList found = unit.clashingFiles();
    found.sort();
    QCOMPARE(found, clashing);
    try {
        if (operation == QLatin1String("rename"))
            unit.rename(QStringLiteral("LOUD"));
        else if (operation == QLatin1String("move"))
            unit.moveTo(folder.filePath(QStringLiteral("target/")));
        else if (operation == QLatin1String("copy"))
            unit.copyTo(folder.filePath(QStringLiteral("target/")));
        else if (operation == QLatin1String("remove"))
            unit.remove();
        else
            unit.tablePath();
        QFAIL("a unit with two spellings of its table was worked on");
    } catch (const UnitFileClash &clash) {
        found = clash.files();
        found.sort();
        QCOMPARE(found, clashing);
    }
    QCOMPARE(namesIn(folder), QStringList({"SHOUT.DB", "SHOUT.LIF", "SHOUT.PX", "SHOUT.db"}));
    QVERIFY(namesIn(folder, QStringLiteral("target")).isEmpty());
}

void TestUnitFiles::removeMovesEveryFileToTheTrash()
{
    TestFolder folder;
    UnitFiles(makeUnit(folder, QStringLiteral("unit"))).remove();
    folder.writeFile(QStringLiteral("keep.lif"), "another unit");
    QCOMPARE(namesIn(folder), QStringList({"keep.lif"}));
    // The user can get the unit back from the trash, contents and all.
    const QDir trash(folder.dataHome() + QStringLiteral("/Trash/files"));
    QCOMPARE(trash.entryList(QDir::Files, QDir::Name),
             QStringList({"unit.PX", "unit.YG1", "unit.db", "unit.db-journal", "unit.lif"}));
    QCOMPARE(contents(trash.filePath(QStringLiteral("unit.db"))), QByteArray("unit.db"));
    QVERIFY(!QDir(QDir::currentPath() + QStringLiteral("/files")).exists(QStringLiteral("unit.lif")));
}

void TestUnitFiles::removeWithoutDescriptorTouchesNothing()
{
    TestFolder folder;
    const QString descriptor = makeUnit(folder, QStringLiteral("unit"));
    QVERIFY(QFile::remove(descriptor));
    QVERIFY_THROWS_EXCEPTION(UnitFileError, UnitFiles(descriptor).remove());
    QCOMPARE(namesIn(folder).size(), 4);
}

QTEST_GUILESS_MAIN(TestUnitFiles)
#include "tst_unitfiles.moc"

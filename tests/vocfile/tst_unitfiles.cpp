#include "support/testfolder.h"
#include "vocfile/unitfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

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
    void existingFilesInTheirOrder();
    void renameTakesEveryFile();
    void renameOntoAnotherUnitIsRefused();
    void caseOnlyRenameLeavesNoSecondDescriptor();
    void moveAndCopy();
    void failedCopyLeavesNoHalfUnit();
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

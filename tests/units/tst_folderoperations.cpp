#include "support/testfolder.h"
#include "support/withoutroot.h"
#include "units/folderoperations.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QtTest>

class TestFolderOperations : public QObject
{
    Q_OBJECT

private slots:
    void subfoldersAreSortedAndDotFoldersHidden()
    {
        TestFolder folder;
        for (const char *name : {"beta", "Alpha", ".hidden", "gamma"})
            QVERIFY(QDir().mkpath(folder.filePath(QString::fromLatin1(name))));
        folder.writeText(QStringLiteral("delta.lif"), QStringLiteral("a file, not a folder"));
        QCOMPARE(SubfolderNames(folder.path()), QStringList({"Alpha", "beta", "gamma"}));
        QVERIFY(HasSubfolder(folder.path()));
        QVERIFY(!HasSubfolder(folder.filePath(QStringLiteral("Alpha/"))));
        QVERIFY(SubfolderNames(folder.filePath(QStringLiteral("missing/"))).isEmpty());
    }

    void namesOddOnLinuxAreListed()
    {
        TestFolder folder;
        const QStringList odd{QStringLiteral("line\nbreak"), QStringLiteral("back\\slash"),
                              QStringLiteral("ä ö")};
        for (const QString &name : odd)
            QVERIFY(QDir().mkpath(folder.filePath(name)));
        QCOMPARE(SubfolderNames(folder.path()).size(), 3);
        QVERIFY(RenameFolder(folder.filePath(odd.at(0)), QStringLiteral("plain")));
        QVERIFY(QFileInfo(folder.filePath(QStringLiteral("plain"))).isDir());
    }

    void unitsAreFoundByTheirDescriptorOnly()
    {
        TestFolder folder;
        folder.writeText(QStringLiteral("table/x.db"), QStringLiteral("table"));
        folder.writeText(QStringLiteral("unit/x.lif"), QStringLiteral("[Header]"));
        QVERIFY(!HoldsUnits(folder.filePath(QStringLiteral("table/")), QStringLiteral("lif")));
        QVERIFY(HoldsUnits(folder.filePath(QStringLiteral("unit/")), QStringLiteral("lif")));
        // The one-pass look sees the same, and a subfolder beside the descriptor.
        folder.writeText(QStringLiteral("unit/.hidden/y.lif"), QStringLiteral("x"));
        const FolderLook unit = LookInto(folder.filePath(QStringLiteral("unit/")), QStringLiteral("lif"));
        QVERIFY(unit.holdsUnits);
        QVERIFY(!unit.hasSubfolder);
        folder.writeText(QStringLiteral("table/sub/x.LIF"), QStringLiteral("x"));
        const FolderLook table = LookInto(folder.filePath(QStringLiteral("table/")), QStringLiteral("lif"));
        QVERIFY(!table.holdsUnits);
        QVERIFY(table.hasSubfolder);
        QVERIFY(LookInto(folder.filePath(QStringLiteral("table/sub/")), QStringLiteral("lif")).holdsUnits);
    }

    void freeNamesCountUp()
    {
        TestFolder folder;
        QCOMPARE(FreeFolderName(folder.path(), QStringLiteral("New Folder")), QStringLiteral("New Folder"));
        QVERIFY(QDir().mkdir(folder.filePath(QStringLiteral("New Folder"))));
        QCOMPARE(FreeFolderName(folder.path(), QStringLiteral("New Folder")),
                 QStringLiteral("New Folder (1)"));
        // A file of that name takes the name as well.
        folder.writeText(QStringLiteral("New Folder (1)"), QString());
        QCOMPARE(FreeFolderName(folder.path(), QStringLiteral("New Folder")),
                 QStringLiteral("New Folder (2)"));
    }

    void renameNeverReplaces()
    {
        TestFolder folder;
        QVERIFY(QDir().mkpath(folder.filePath(QStringLiteral("a"))));
        QVERIFY(QDir().mkpath(folder.filePath(QStringLiteral("b"))));
        folder.writeText(QStringLiteral("a/keep.lif"), QStringLiteral("x"));
        // rename(2) would put a over the empty b.
        QVERIFY(!RenameFolder(folder.filePath(QStringLiteral("a/")), QStringLiteral("b")));
        QVERIFY(QFile::exists(folder.filePath(QStringLiteral("a/keep.lif"))));
        QVERIFY(!RenameFolder(folder.filePath(QStringLiteral("a")), QStringLiteral("x/y")));
        QVERIFY(!RenameFolder(folder.filePath(QStringLiteral("a")), QString()));
        QVERIFY(!RenameFolder(folder.filePath(QStringLiteral("a")), QStringLiteral("..")));
        QVERIFY(RenameFolder(folder.filePath(QStringLiteral("a/")), QStringLiteral("c")));
        QVERIFY(QFile::exists(folder.filePath(QStringLiteral("c/keep.lif"))));
    }

    void removalGoesToTheTrashAndLeavesLinkTargets()
    {
        TestFolder folder;
        folder.writeText(QStringLiteral("outside/precious.lif"), QStringLiteral("keep me"));
        folder.writeText(QStringLiteral("doomed/sub/unit.lif"), QStringLiteral("x"));
        QVERIFY(QFile::link(folder.filePath(QStringLiteral("outside")),
                            folder.filePath(QStringLiteral("doomed/link"))));
        QVERIFY(RemoveFolderTree(folder.filePath(QStringLiteral("doomed/")), QByteArray()));
        QVERIFY(!QFileInfo::exists(folder.filePath(QStringLiteral("doomed"))));
        QVERIFY(QFile::exists(folder.filePath(QStringLiteral("outside/precious.lif"))));
        QVERIFY(QFileInfo(folder.dataHome() + QStringLiteral("/Trash/files/doomed/sub/unit.lif")).isFile());
    }

    void withoutTrashNothingIsRemoved()
    {
        TestFolder folder;
        folder.writeText(QStringLiteral("doomed/sub/unit.lif"), QStringLiteral("x"));
        folder.writeText(QStringLiteral("doomed/top.lif"), QStringLiteral("y"));
        // A file where the trash's folder must go leaves no trash to use.
        const QString dataHome = folder.dataHome();
        QDir(dataHome).removeRecursively();
        QVERIFY(QDir().mkpath(QFileInfo(dataHome).path()));
        QFile blocker(dataHome);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QVERIFY(!RemoveFolderTree(folder.filePath(QStringLiteral("doomed/")), QByteArray()));
        QVERIFY(QFile::exists(folder.filePath(QStringLiteral("doomed/sub/unit.lif"))));
        QVERIFY(QFile::exists(folder.filePath(QStringLiteral("doomed/top.lif"))));
    }

    // Paths against a copy of a mount table: only the very place of a mount counts.
    void mountPointsAreFoundExactly_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("mounted");
        QTest::newRow("mount") << "/mnt/data" << true;
        QTest::newRow("mount with slash") << "/mnt/data/" << true;
        QTest::newRow("longer name") << "/mnt/data2" << false;
        QTest::newRow("shorter name") << "/mnt/dat" << false;
        QTest::newRow("parent") << "/mnt" << false;
        QTest::newRow("folder on the mount") << "/mnt/data/units" << false;
        QTest::newRow("blank in the name") << "/media/me/MY STICK/" << true;
        QTest::newRow("first word of it") << "/media/me/MY" << false;
        QTest::newRow("escape written out") << "/media/me/MY\\040STICK" << false;
        QTest::newRow("root") << "/" << true;
        QTest::newRow("like /dev") << "/devel" << false;
        QTest::newRow("/dev") << "/dev" << true;
        QTest::newRow("home folder") << "/home/me/Vocabulary" << false;
    }

    void mountPointsAreFoundExactly()
    {
        QFETCH(QString, path);
        QFETCH(bool, mounted);
        const QByteArray table = "24 27 0:6 / /dev rw,relatime - devtmpfs devtmpfs rw,mode=755\n"
                                 "27 1 254:0 / / rw,relatime shared:1 - ext4 /dev/vda rw\n"
                                 "40 27 8:17 / /mnt/data rw,relatime shared:5 - ext4 /dev/sdb1 rw\n"
                                 "44 27 8:33 / /media/me/MY\\040STICK rw - vfat /dev/sdc1 rw\n";
        QCOMPARE(IsMountPoint(path, table), mounted);
    }

    void mountedFoldersAreNeverRemoved()
    {
        TestFolder folder;
        folder.writeText(QStringLiteral("Base/Stick/unit.lif"), QStringLiteral("x"));
        folder.writeText(QStringLiteral("Base/Stick2/unit.lif"), QStringLiteral("y"));
        QVERIFY(
            QFile::link(folder.filePath(QStringLiteral("Base")), folder.filePath(QStringLiteral("Alias"))));
        const QString stick = folder.filePath(QStringLiteral("Base/Stick"));
        const QByteArray table = "27 1 254:0 / / rw - ext4 /dev/vda rw\n40 27 8:17 / " +
                                 QFile::encodeName(stick) + " rw - vfat /dev/sdb1 rw\n";
        QVERIFY(!IsRemovableFolder(stick + u'/', table));
        QVERIFY(!RemoveFolderTree(stick + u'/', table));
        // Reached through a link, it is the same mount.
        QVERIFY(!RemoveFolderTree(folder.filePath(QStringLiteral("Alias/Stick/")), table));
        QVERIFY(QFile::exists(stick + QStringLiteral("/unit.lif")));
        QVERIFY(!RemoveFolderTree(QStringLiteral("/"), table));
        // Its look-alike beside it is a plain folder.
        QVERIFY(RemoveFolderTree(folder.filePath(QStringLiteral("Base/Stick2/")), table));
        QVERIFY(QFileInfo(folder.dataHome() + QStringLiteral("/Trash/files/Stick2/unit.lif")).isFile());
    }

    void aLinkOrAFileIsNotRemovedAsAFolder()
    {
        TestFolder folder;
        folder.writeText(QStringLiteral("real/unit.lif"), QStringLiteral("x"));
        QVERIFY(
            QFile::link(folder.filePath(QStringLiteral("real")), folder.filePath(QStringLiteral("alias"))));
        QVERIFY(!RemoveFolderTree(folder.filePath(QStringLiteral("alias/")), QByteArray()));
        QVERIFY(!RemoveFolderTree(folder.filePath(QStringLiteral("real/unit.lif")), QByteArray()));
        QVERIFY(!RemoveFolderTree(folder.filePath(QStringLiteral("missing/")), QByteArray()));
        QVERIFY(QFile::exists(folder.filePath(QStringLiteral("alias/unit.lif"))));
    }

    void unreadableFolderHasNoSubfolders()
    {
        if (WithoutRoot::inChild()) {
            const QString locked = WithoutRoot::values().at(0);
            QVERIFY(SubfolderNames(locked).isEmpty());
            QVERIFY(!HasSubfolder(locked));
            QVERIFY(!HoldsUnits(locked, QStringLiteral("lif")));
            return;
        }
        TestFolder folder;
        folder.writeText(QStringLiteral("locked/inner/unit.lif"), QStringLiteral("x"));
        const QString locked = folder.filePath(QStringLiteral("locked/"));
        WithoutRoot::handOver(folder.path());
        QVERIFY(QFile::setPermissions(locked, QFileDevice::Permissions()));
        const auto restore = qScopeGuard([&locked] {
            QFile::setPermissions(locked,
                                  QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        });
        VERIFY_WITHOUT_ROOT({locked});
        QVERIFY(QFile::exists(folder.filePath(QStringLiteral("locked/inner/unit.lif"))));
    }
};

QTEST_GUILESS_MAIN(TestFolderOperations)
#include "tst_folderoperations.moc"

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
        QVERIFY(RemoveFolderTree(folder.filePath(QStringLiteral("doomed/"))));
        QVERIFY(!QFileInfo::exists(folder.filePath(QStringLiteral("doomed"))));
        QVERIFY(QFile::exists(folder.filePath(QStringLiteral("outside/precious.lif"))));
        QVERIFY(QFileInfo(folder.dataHome() + QStringLiteral("/Trash/files/doomed/sub/unit.lif")).isFile());
    }

    void deletingWithoutTrashDoesNotFollowLinks()
    {
        TestFolder folder;
        folder.writeText(QStringLiteral("outside/precious.lif"), QStringLiteral("keep me"));
        folder.writeText(QStringLiteral("doomed/sub/unit.lif"), QStringLiteral("x"));
        QVERIFY(QFile::link(folder.filePath(QStringLiteral("outside")),
                            folder.filePath(QStringLiteral("doomed/link"))));
        // A file where the trash's folder must go leaves no trash to use.
        const QString dataHome = folder.dataHome();
        QDir(dataHome).removeRecursively();
        QVERIFY(QDir().mkpath(QFileInfo(dataHome).path()));
        QFile blocker(dataHome);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QVERIFY(RemoveFolderTree(folder.filePath(QStringLiteral("doomed/"))));
        QVERIFY(!QFileInfo::exists(folder.filePath(QStringLiteral("doomed"))));
        QVERIFY(QFile::exists(folder.filePath(QStringLiteral("outside/precious.lif"))));
    }

    void aLinkOrAFileIsNotRemovedAsAFolder()
    {
        TestFolder folder;
        folder.writeText(QStringLiteral("real/unit.lif"), QStringLiteral("x"));
        QVERIFY(
            QFile::link(folder.filePath(QStringLiteral("real")), folder.filePath(QStringLiteral("alias"))));
        QVERIFY(!RemoveFolderTree(folder.filePath(QStringLiteral("alias/"))));
        QVERIFY(!RemoveFolderTree(folder.filePath(QStringLiteral("real/unit.lif"))));
        QVERIFY(!RemoveFolderTree(folder.filePath(QStringLiteral("missing/"))));
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

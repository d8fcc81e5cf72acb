#include "support/testfolder.h"
#include "units/drivekinds.h"

#include <QtTest>

Q_DECLARE_METATYPE(DriveKind)

class TestDriveKinds : public QObject
{
    Q_OBJECT

private slots:
    void mountsAreClassified_data()
    {
        QTest::addColumn<QByteArray>("fsType");
        QTest::addColumn<QByteArray>("device");
        QTest::addColumn<bool>("removable");
        QTest::addColumn<DriveKind>("kind");
        QTest::newRow("system disk") << QByteArray("ext4") << QByteArray("/dev/nvme0n1p2") << false
                                     << DriveKind::Fixed;
        QTest::newRow("usb stick") << QByteArray("vfat") << QByteArray("/dev/sdb1") << true
                                   << DriveKind::Removable;
        QTest::newRow("usb disk with ntfs")
            << QByteArray("fuseblk") << QByteArray("/dev/sdc1") << true << DriveKind::Removable;
        QTest::newRow("nfs share") << QByteArray("nfs4") << QByteArray("server:/export/home") << false
                                   << DriveKind::Remote;
        QTest::newRow("windows share")
            << QByteArray("cifs") << QByteArray("//nas/units") << false << DriveKind::Remote;
        QTest::newRow("sshfs") << QByteArray("fuse.sshfs") << QByteArray("me@host:") << false
                               << DriveKind::Remote;
        QTest::newRow("dvd") << QByteArray("iso9660") << QByteArray("/dev/sr0") << true << DriveKind::CdRom;
        QTest::newRow("blu-ray") << QByteArray("udf") << QByteArray("/dev/sr1") << true << DriveKind::CdRom;
        QTest::newRow("tmpfs") << QByteArray("tmpfs") << QByteArray("tmpfs") << false << DriveKind::RamDisk;
        QTest::newRow("ramfs") << QByteArray("ramfs") << QByteArray("none") << false << DriveKind::RamDisk;
        QTest::newRow("container root")
            << QByteArray("overlay") << QByteArray("overlay") << false << DriveKind::Fixed;
        QTest::newRow("unknown fuse")
            << QByteArray("fuse.mystery") << QByteArray("mystery") << false << DriveKind::None;
    }

    void mountsAreClassified()
    {
        QFETCH(QByteArray, fsType);
        QFETCH(QByteArray, device);
        QFETCH(bool, removable);
        QFETCH(DriveKind, kind);
        QCOMPARE(ClassifyDrive(fsType, device, removable), kind);
    }

    void partitionsBelongToTheirDisk_data()
    {
        QTest::addColumn<QByteArray>("device");
        QTest::addColumn<QString>("disk");
        QTest::newRow("sata") << QByteArray("/dev/sdb1") << "sdb";
        QTest::newRow("whole disk") << QByteArray("/dev/sdb") << "sdb";
        QTest::newRow("many disks") << QByteArray("/dev/sdab12") << "sdab";
        QTest::newRow("nvme") << QByteArray("/dev/nvme0n1p2") << "nvme0n1";
        QTest::newRow("sd card") << QByteArray("/dev/mmcblk0p1") << "mmcblk0";
        QTest::newRow("virtio") << QByteArray("/dev/vda3") << "vda";
        QTest::newRow("optical") << QByteArray("/dev/sr0") << "sr0";
        QTest::newRow("mapper") << QByteArray("/dev/mapper/root") << "";
        QTest::newRow("no device") << QByteArray("tmpfs") << "";
    }

    void partitionsBelongToTheirDisk()
    {
        QFETCH(QByteArray, device);
        QFETCH(QString, disk);
        QCOMPARE(BlockDeviceName(device), disk);
    }

    void removableFlagIsReadForTheDisk()
    {
        TestFolder folder;
        folder.writeText(QStringLiteral("block/sdb/removable"), QStringLiteral("1\n"));
        folder.writeText(QStringLiteral("block/nvme0n1/removable"), QStringLiteral("0\n"));
        const QString sys = folder.filePath(QStringLiteral("block"));
        QVERIFY(ReadRemovableFlag(sys, "/dev/sdb1"));
        QVERIFY(!ReadRemovableFlag(sys, "/dev/nvme0n1p3"));
        // A disk the kernel does not list, or no disk at all, is not removable.
        QVERIFY(!ReadRemovableFlag(sys, "/dev/sdz1"));
        QVERIFY(!ReadRemovableFlag(sys, "tmpfs"));
    }

    void pseudoFileSystemsAreNotBrowsed()
    {
        QVERIFY(IsBrowsableFileSystem("ext4", QStringLiteral("/")));
        QVERIFY(IsBrowsableFileSystem("vfat", QStringLiteral("/media/me/STICK")));
        QVERIFY(IsBrowsableFileSystem("vfat", QStringLiteral("/run/media/me/STICK")));
        QVERIFY(IsBrowsableFileSystem("tmpfs", QStringLiteral("/tmp")));
        QVERIFY(!IsBrowsableFileSystem("proc", QStringLiteral("/proc")));
        QVERIFY(!IsBrowsableFileSystem("sysfs", QStringLiteral("/sys")));
        QVERIFY(!IsBrowsableFileSystem("cgroup2", QStringLiteral("/sys/fs/cgroup")));
        QVERIFY(!IsBrowsableFileSystem("tmpfs", QStringLiteral("/dev/shm")));
        QVERIFY(!IsBrowsableFileSystem("tmpfs", QStringLiteral("/run/user/1000")));
        QVERIFY(!IsBrowsableFileSystem("squashfs", QStringLiteral("/snap/core/1")));
    }

    void thisMachineShowsItsRoot()
    {
        const QList<DriveRoot> drives = MountedDrives();
        const auto root = std::find_if(drives.begin(), drives.end(),
                                       [](const DriveRoot &d) { return d.rootPath == QStringLiteral("/"); });
        QVERIFY(root != drives.end());
        QVERIFY(root->kind != DriveKind::None);
        for (const DriveRoot &d : drives)
            QVERIFY2(!d.rootPath.startsWith(QStringLiteral("/proc")), qPrintable(d.rootPath));
    }
};

QTEST_GUILESS_MAIN(TestDriveKinds)
#include "tst_drivekinds.moc"

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

    // A copy of a mount table with system places, look-alikes of them and mounts that hide
    // others.
    void drivesComeFromTheMountTable_data()
    {
        QTest::addColumn<QString>("rootPath");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<DriveKind>("kind");
        QTest::newRow("root") << "/" << true << DriveKind::Fixed;
        QTest::newRow("like /dev") << "/devel" << true << DriveKind::RamDisk; // tmpfs over the disk
        QTest::newRow("like /run") << "/runner" << true << DriveKind::Fixed;
        QTest::newRow("like /sys") << "/sysroot" << true << DriveKind::Fixed;
        QTest::newRow("like /proc") << "/proceedings" << true << DriveKind::Remote;
        QTest::newRow("stick with a blank") << "/run/media/me/MY STICK" << true << DriveKind::Removable;
        QTest::newRow("bound folder") << "/srv/bound" << true << DriveKind::Fixed;
        QTest::newRow("/dev") << "/dev" << false << DriveKind::None;
        QTest::newRow("/dev/shm") << "/dev/shm" << false << DriveKind::None;
        QTest::newRow("/run") << "/run" << false << DriveKind::None;
        QTest::newRow("/run/user") << "/run/user/1000" << false << DriveKind::None;
        QTest::newRow("/proc") << "/proc" << false << DriveKind::None;
        QTest::newRow("hidden by proc") << "/hidden" << false << DriveKind::None;
    }

    void drivesComeFromTheMountTable()
    {
        QFETCH(QString, rootPath);
        QFETCH(bool, shown);
        QFETCH(DriveKind, kind);
        TestFolder folder;
        folder.writeText(QStringLiteral("block/sdc/removable"), QStringLiteral("1\n"));
        const QByteArray table = "22 27 0:21 / /proc rw,relatime - proc proc rw\n"
                                 "24 27 0:6 / /dev rw,relatime - devtmpfs devtmpfs rw,mode=755\n"
                                 "25 24 0:23 / /dev/shm rw,relatime - tmpfs tmpfs rw\n"
                                 "27 1 254:0 / / rw,relatime shared:1 - ext4 /dev/vda rw\n"
                                 "40 27 8:17 / /devel rw,relatime shared:5 - ext4 /dev/sdb1 rw\n"
                                 "41 27 8:18 / /runner rw,relatime - xfs /dev/sdb2 rw\n"
                                 "42 27 0:40 / /run rw,nosuid shared:7 master:2 - tmpfs tmpfs rw\n"
                                 "43 42 0:41 / /run/user/1000 rw - tmpfs tmpfs rw\n"
                                 "44 42 8:33 / /run/media/me/MY\\040STICK rw - vfat /dev/sdc1 rw\n"
                                 "45 27 8:49 / /sysroot rw - ext4 /dev/sdd1 rw\n"
                                 "46 27 0:51 / /proceedings rw - nfs4 server:/export rw\n"
                                 "47 27 254:0 /srv/data /srv/bound rw - ext4 /dev/vda rw\n"
                                 "48 40 0:52 / /devel rw - tmpfs tmpfs rw\n"
                                 "49 27 8:50 / /hidden rw - ext4 /dev/sde1 rw\n"
                                 "50 49 0:53 / /hidden rw - proc proc rw\n"
                                 "not a mount line\n";
        const QList<DriveRoot> drives = DrivesIn(table, folder.filePath(QStringLiteral("block")));
        QStringList paths;
        for (const DriveRoot &drive : drives)
            paths.append(drive.rootPath);
        QVERIFY(std::is_sorted(paths.begin(), paths.end()));
        QCOMPARE(paths.count(rootPath), shown ? 1 : 0);
        if (shown)
            QCOMPARE(drives.at(paths.indexOf(rootPath)).kind, kind);
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

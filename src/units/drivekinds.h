#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The kinds of file-system roots the folder tree tells apart by their picture.
enum class DriveKind { None, Removable, Fixed, Remote, CdRom, RamDisk };

struct DriveRoot
{
    QString rootPath; // the mount point, as the user browses it
    DriveKind kind = DriveKind::None;
};

// Whether a file system of this type holds folders a user would browse; false for the
// kernel's pseudo file systems (proc, sysfs, cgroup, ...).
bool IsBrowsableFileSystem(const QByteArray &fsType, const QString &rootPath);

// The block device that holds a partition: "/dev/sdb1" gives "sdb", "/dev/nvme0n1p2"
// gives "nvme0n1", "/dev/mmcblk0p1" gives "mmcblk0"; empty for anything not below /dev.
QString BlockDeviceName(const QByteArray &device);

// The kind of a mount from its file-system type, its device and the removable flag that
// the kernel reports for the device's block device. No file is read here.
DriveKind ClassifyDrive(const QByteArray &fsType, const QByteArray &device, bool removable);

// The kernel's removable flag of the block device holding device, read below sysBlock
// ("/sys/block" on a running system); false when it cannot be read.
bool ReadRemovableFlag(const QString &sysBlock, const QByteArray &device);

// One line of the kernel's mount table (/proc/self/mountinfo).
struct MountEntry
{
    QString mountPoint; // escapes such as "\040" for a blank decoded
    QByteArray fsType;
    QByteArray device;
};

// The mounts listed in the text of a mount table, in its order; lines that are not mounts
// are passed over.
QList<MountEntry> ParseMountInfo(const QByteArray &mountInfo);

// The mount table of this process; empty when it cannot be read.
QByteArray ReadMountInfo();

// The file systems of a mount table that a user would browse, sorted by root path. Where
// two are mounted on one place, the later one, which hides the other, is taken.
QList<DriveRoot> DrivesIn(const QByteArray &mountInfo, const QString &sysBlock);

// Every mounted file system a user would browse whose root is a folder, sorted by root path.
QList<DriveRoot> MountedDrives(const QString &sysBlock = QStringLiteral("/sys/block"));

#include "units/drivekinds.h"

#include <QFile>
#include <QRegularExpression>
#include <QStorageInfo>

#include <algorithm>

namespace {
bool OneOf(const QByteArray &value, std::initializer_list<const char *> names)
{
    return std::any_of(names.begin(), names.end(), [&value](const char *name) { return value == name; });
}

bool IsRemote(const QByteArray &fsType)
{
    return OneOf(fsType, {"nfs", "nfs4", "cifs", "smb3", "smbfs", "9p", "afs", "ceph", "glusterfs", "davfs",
                          "fuse.sshfs", "fuse.glusterfs", "fuse.davfs2", "fuse.rclone", "fuse.s3fs"});
}
} // namespace

bool IsBrowsableFileSystem(const QByteArray &fsType, const QString &rootPath)
{
    if (OneOf(fsType, {"proc",       "sysfs",      "cgroup",    "cgroup2", "devpts",      "devtmpfs",
                       "securityfs", "debugfs",    "tracefs",   "pstore",  "bpf",         "mqueue",
                       "hugetlbfs",  "configfs",   "fusectl",   "autofs",  "binfmt_misc", "efivarfs",
                       "nsfs",       "rpc_pipefs", "selinuxfs", "squashfs"}))
        return false;
    // The kernel's and the system's own places, even where they are tmpfs; removable media
    // that the desktop mounts below /run/media stay.
    for (const char *place : {"/proc", "/sys", "/dev", "/run"}) {
        const QString prefix = QString::fromLatin1(place);
        if (rootPath == prefix || rootPath.startsWith(prefix + u'/'))
            return rootPath.startsWith(QStringLiteral("/run/media/"));
    }
    return !rootPath.isEmpty();
}

QString BlockDeviceName(const QByteArray &device)
{
    if (!device.startsWith("/dev/"))
        return QString();
    QString name = QString::fromLocal8Bit(device.mid(5));
    if (name.contains(u'/'))
        return QString();
    // nvme0n1p2, mmcblk0p1, loop0p1: the partition is "p" + number after a digit.
    static const QRegularExpression numbered(QStringLiteral("^((?:nvme|mmcblk|loop|md)\\S*?\\d)p\\d+$"));
    const QRegularExpressionMatch match = numbered.match(name);
    if (match.hasMatch())
        return match.captured(1);
    if (name.startsWith(QStringLiteral("nvme")) || name.startsWith(QStringLiteral("mmcblk")))
        return name;
    // sda1, vdb2, hdc3: the disk is the name without its partition number.
    static const QRegularExpression disk(QStringLiteral("^((?:sd|vd|hd|xvd)[a-z]+)\\d*$"));
    const QRegularExpressionMatch diskMatch = disk.match(name);
    return diskMatch.hasMatch() ? diskMatch.captured(1) : name;
}

DriveKind ClassifyDrive(const QByteArray &fsType, const QByteArray &device, bool removable)
{
    if (IsRemote(fsType) || device.startsWith("//") || (device.contains(":/") && !device.startsWith("/")))
        return DriveKind::Remote;
    if (OneOf(fsType, {"iso9660", "udf"}) || device.startsWith("/dev/sr") || device.startsWith("/dev/cdrom"))
        return DriveKind::CdRom;
    if (OneOf(fsType, {"tmpfs", "ramfs"}))
        return DriveKind::RamDisk;
    if (device.startsWith("/dev/"))
        return removable ? DriveKind::Removable : DriveKind::Fixed;
    // Containers mount their root from an overlay; it is the machine's disk to the user.
    if (OneOf(fsType, {"overlay", "zfs", "btrfs"}))
        return DriveKind::Fixed;
    return DriveKind::None;
}

bool ReadRemovableFlag(const QString &sysBlock, const QByteArray &device)
{
    const QString name = BlockDeviceName(device);
    if (name.isEmpty())
        return false;
    QFile flag(sysBlock + u'/' + name + QStringLiteral("/removable"));
    if (!flag.open(QIODevice::ReadOnly))
        return false;
    return flag.readAll().trimmed() == "1";
}

QList<DriveRoot> MountedDrives(const QString &sysBlock)
{
    QList<DriveRoot> drives;
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        const QByteArray type = volume.fileSystemType();
        if (!volume.isValid() || !IsBrowsableFileSystem(type, volume.rootPath()))
            continue;
        const QByteArray device = volume.device();
        drives.append({volume.rootPath(), ClassifyDrive(type, device, ReadRemovableFlag(sysBlock, device))});
    }
    std::sort(drives.begin(), drives.end(),
              [](const DriveRoot &a, const DriveRoot &b) { return a.rootPath < b.rootPath; });
    return drives;
}

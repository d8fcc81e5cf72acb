#include "units/drivekinds.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

#include <algorithm>

namespace {
bool OneOf(const QByteArray &value, std::initializer_list<const char *> names)
{
    return std::any_of(names.begin(), names.end(), [&value](const char *name) { return value == name; });
}

// The mount table writes a blank, a tab, a line break and a backslash in a path as a
// backslash and three octal digits.
QString DecodeMountPath(const QByteArray &field)
{
    QByteArray path;
    for (qsizetype i = 0; i < field.size(); ++i) {
        const auto octal = [&field](qsizetype at) { return field.at(at) >= '0' && field.at(at) <= '7'; };
        if (field.at(i) == '\\' && i + 3 < field.size() && octal(i + 1) && octal(i + 2) && octal(i + 3)) {
            path.append(char(field.mid(i + 1, 3).toInt(nullptr, 8)));
            i += 3;
        } else {
            path.append(field.at(i));
        }
    }
    return QFile::decodeName(path);
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

QList<MountEntry> ParseMountInfo(const QByteArray &mountInfo)
{
    // "36 35 98:0 /root /mount/point options [optional fields] - type device super-options"
    QList<MountEntry> mounts;
    for (const QByteArray &line : mountInfo.split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        const qsizetype separator = fields.indexOf("-", 6);
        if (fields.size() < 6 || separator < 0 || separator + 2 >= fields.size() ||
            !fields.at(4).startsWith('/'))
            continue;
        mounts.append({DecodeMountPath(fields.at(4)), fields.at(separator + 1), fields.at(separator + 2)});
    }
    return mounts;
}

QByteArray ReadMountInfo()
{
    QFile table(QStringLiteral("/proc/self/mountinfo"));
    return table.open(QIODevice::ReadOnly) ? table.readAll() : QByteArray();
}

QList<DriveRoot> DrivesIn(const QByteArray &mountInfo, const QString &sysBlock)
{
    QHash<QString, DriveRoot> byPlace;
    for (const MountEntry &mount : ParseMountInfo(mountInfo)) {
        if (!IsBrowsableFileSystem(mount.fsType, mount.mountPoint)) {
            byPlace.remove(mount.mountPoint);
            continue;
        }
        byPlace.insert(mount.mountPoint,
                       {mount.mountPoint, ClassifyDrive(mount.fsType, mount.device,
                                                        ReadRemovableFlag(sysBlock, mount.device))});
    }
    QList<DriveRoot> drives = byPlace.values();
    std::sort(drives.begin(), drives.end(),
              [](const DriveRoot &a, const DriveRoot &b) { return a.rootPath < b.rootPath; });
    return drives;
}

QList<DriveRoot> MountedDrives(const QString &sysBlock)
{
    QList<DriveRoot> drives = DrivesIn(ReadMountInfo(), sysBlock);
    // Containers mount single files (/etc/hosts) as well: nothing to browse there.
    drives.removeIf([](const DriveRoot &drive) { return !QFileInfo(drive.rootPath).isDir(); });
    return drives;
}

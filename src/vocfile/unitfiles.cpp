#include "vocfile/unitfiles.h"

#include "platform/trash.h"

#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace {
QString ensureSlash(const QString &folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

QString withoutExtension(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    return dot > slash ? path.left(dot) : path;
}

bool sameFile(const QString &a, const QString &b)
{
    return QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}

// Two names of one file, as a change of letter case is on a file system that ignores case.
bool sameInode(const QString &a, const QString &b)
{
    struct stat first
    {
    };
    struct stat second
    {
    };
    return ::stat(QFile::encodeName(a).constData(), &first) == 0 &&
           ::stat(QFile::encodeName(b).constData(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}
} // namespace

QString UnitFiles::descriptorExtension()
{
    return QStringLiteral(".lif");
}

const QStringList &UnitFiles::tableExtensions()
{
    static const QStringList extensions{
        QStringLiteral(".db"),  QStringLiteral(".MB"),  QStringLiteral(".PX"), QStringLiteral(".XG0"),
        QStringLiteral(".XG1"), QStringLiteral(".YG0"), QStringLiteral(".YG1")};
    return extensions;
}

QString UnitFiles::journalExtension()
{
    return QStringLiteral(".db-journal");
}

QString UnitFiles::descriptorPath(const QString &folder, const QString &name)
{
    return ensureSlash(folder) + name + descriptorExtension();
}

QString UnitFiles::tablePathOf(const QString &descriptorPath)
{
    return withoutExtension(descriptorPath) + tableExtensions().first();
}

UnitFiles::UnitFiles(QString descriptorPath) : m_descriptor(std::move(descriptorPath)) {}

QString UnitFiles::folder() const
{
    return m_descriptor.left(m_descriptor.lastIndexOf(QLatin1Char('/')) + 1);
}

QString UnitFiles::name() const
{
    return withoutExtension(m_descriptor).mid(folder().size());
}

QString UnitFiles::tablePath() const
{
    return tablePathOf(m_descriptor);
}

QStringList UnitFiles::allFiles(const QString &folder, const QString &name) const
{
    const QString base = ensureSlash(folder) + name;
    QStringList files{base + descriptorExtension()};
    for (const QString &extension : tableExtensions())
        files.append(base + extension);
    files.append(base + journalExtension());
    return files;
}

QStringList UnitFiles::existingFiles() const
{
    QStringList files;
    for (const QString &file : allFiles(folder(), name()))
        if (QFileInfo::exists(file))
            files.append(file);
    return files;
}

QString UnitFiles::rename(const QString &newName)
{
    return transfer(folder(), newName, Operation::Rename);
}

QString UnitFiles::moveTo(const QString &targetFolder)
{
    return transfer(targetFolder, name(), Operation::Rename);
}

QString UnitFiles::copyTo(const QString &targetFolder)
{
    return transfer(targetFolder, name(), Operation::Copy);
}

QString UnitFiles::transfer(const QString &targetFolder, const QString &targetName, Operation operation)
{
    const QStringList sources = allFiles(folder(), name());
    const QStringList targets = allFiles(targetFolder, targetName);
    const QString newDescriptor = targets.first();
    if (sameFile(m_descriptor, newDescriptor))
        return m_descriptor;
    for (int i = 0; i < sources.size(); ++i) {
        // A change of letter case alone names the same file where the file system ignores case.
        if (!QFileInfo::exists(targets.at(i)) ||
            (operation == Operation::Rename && sameInode(sources.at(i), targets.at(i))))
            continue;
        throw UnitFileError(QStringLiteral("A file of that name already exists: ") + targets.at(i));
    }
    QList<int> done;
    for (int i = 0; i < sources.size(); ++i) {
        if (!QFileInfo::exists(sources.at(i)))
            continue; // a companion this table engine does not make
        const bool ok = operation == Operation::Copy ? QFile::copy(sources.at(i), targets.at(i))
                                                     : QFile::rename(sources.at(i), targets.at(i));
        if (!ok) {
            for (int j : std::as_const(done)) // put the unit back as it was
                operation == Operation::Copy ? QFile::remove(targets.at(j))
                                             : QFile::rename(targets.at(j), sources.at(j));
            throw UnitFileError((operation == Operation::Copy ? QStringLiteral("Could not copy ")
                                                              : QStringLiteral("Could not move ")) +
                                sources.at(i) + QStringLiteral(" to ") + targets.at(i));
        }
        done.append(i);
    }
    if (operation == Operation::Rename)
        m_descriptor = newDescriptor;
    return newDescriptor;
}

void UnitFiles::remove()
{
    const QStringList files = existingFiles();
    if (!files.contains(m_descriptor) || !MoveToTrashOrDelete(m_descriptor))
        throw UnitFileError(QStringLiteral("Could not delete ") + m_descriptor);
    for (const QString &file : files)
        if (file != m_descriptor)
            MoveToTrashOrDelete(file);
}

#include "vocfile/unitfiles.h"

#include "platform/trash.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

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

// The descriptor, the table files and the journal, in the order they are handled.
QStringList unitExtensions()
{
    QStringList extensions{UnitFiles::descriptorExtension()};
    extensions.append(UnitFiles::tableExtensions());
    extensions.append(UnitFiles::journalExtension());
    return extensions;
}

// The entries of folder named base + extension, the extension in any spelling.
QList<QStringList> spellingsIn(const QString &folder, const QString &base)
{
    const QStringList extensions = unitExtensions();
    QList<QStringList> found(extensions.size());
    if (base.isEmpty())
        return found;
    // Compared by hand: a wildcard would read "[" in a unit's name as a pattern.
    QDirIterator entries(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    while (entries.hasNext()) {
        entries.next();
        const QString entry = entries.fileName();
        if (!entry.startsWith(base))
            continue;
        const QString extension = entry.mid(base.size());
        for (int i = 0; i < extensions.size(); ++i)
            if (extension.compare(extensions.at(i), Qt::CaseInsensitive) == 0)
                found[i].append(folder + entry);
    }
    for (QStringList &spellings : found)
        spellings.sort();
    return found;
}
} // namespace

UnitFileClash::UnitFileClash(QStringList files)
    : UnitFileError(QStringLiteral("Files of one unit differ only in the case of their extension: ") +
                    files.join(QStringLiteral(", "))),
      m_files(std::move(files))
{}

QString UnitFiles::descriptorExtension()
{
    return QStringLiteral(".lif");
}

QString UnitFiles::descriptorSuffix()
{
    return descriptorExtension().mid(1);
}

bool UnitFiles::isDescriptor(const QString &path)
{
    return path.endsWith(descriptorExtension(), Qt::CaseInsensitive);
}

QString UnitFiles::withoutDescriptorExtension(const QString &name)
{
    return isDescriptor(name) ? name.chopped(descriptorExtension().size()) : name;
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

QString UnitFiles::findDescriptor(const QString &folder, const QString &name)
{
    const QString path = descriptorPath(folder, name);
    const QStringList found = spellingsIn(ensureSlash(folder), name).first();
    return found.isEmpty() || found.contains(path) ? path : found.first();
}

QString UnitFiles::tablePathOf(const QString &descriptorPath)
{
    return UnitFiles(descriptorPath).tablePath();
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

QList<QStringList> UnitFiles::spellings() const
{
    return spellingsIn(folder(), name());
}

QString UnitFiles::spelledDescriptor(const QStringList &files) const
{
    const QString extension = descriptorExtension();
    if (!files.isEmpty() && files.first().endsWith(extension, Qt::CaseInsensitive) &&
        files.first().size() == folder().size() + name().size() + extension.size())
        return files.first();
    return m_descriptor;
}

QStringList UnitFiles::clashingFiles() const
{
    QStringList clashing;
    for (const QStringList &found : spellings())
        if (found.size() > 1)
            clashing.append(found);
    return clashing;
}

QString UnitFiles::tablePath() const
{
    const QStringList found = spellings().at(1);
    if (found.size() > 1)
        throw UnitFileClash(found);
    return found.isEmpty() ? withoutExtension(m_descriptor) + tableExtensions().first() : found.first();
}

QStringList UnitFiles::existingFiles() const
{
    QStringList files;
    for (const QStringList &found : spellings())
        files.append(found);
    return files;
}

QStringList UnitFiles::filesToHandle() const
{
    const QStringList clashing = clashingFiles();
    if (!clashing.isEmpty())
        throw UnitFileClash(clashing);
    return existingFiles();
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
    const QStringList sources = filesToHandle();
    // Each file keeps its own extension, spelt as it was.
    const QString targetBase = ensureSlash(targetFolder) + targetName;
    const qsizetype baseLength = folder().size() + name().size();
    QStringList targets;
    for (const QString &source : sources)
        targets.append(targetBase + source.mid(baseLength));
    const QString descriptor = spelledDescriptor(sources);
    const QString newDescriptor = targetBase + descriptor.mid(baseLength);
    if (sameFile(descriptor, newDescriptor))
        return descriptor;
    // Any file of a unit of the new name, in any spelling, stops the operation; a change of
    // letter case alone names the same file where the file system ignores case.
    for (const QStringList &found : spellingsIn(ensureSlash(targetFolder), targetName))
        for (const QString &present : found) {
            const bool ours = operation == Operation::Rename &&
                              std::any_of(sources.begin(), sources.end(),
                                          [&present](const QString &own) { return sameInode(own, present); });
            if (!ours)
                throw UnitFileError(QStringLiteral("A file of that name already exists: ") + present);
        }
    QList<int> done;
    for (int i = 0; i < sources.size(); ++i) {
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
    const QStringList files = filesToHandle();
    const QString descriptor = spelledDescriptor(files);
    if (!files.contains(descriptor) || !MoveToTrash(descriptor))
        throw UnitFileError(QStringLiteral("Could not delete ") + m_descriptor);
    for (const QString &file : files)
        if (file != descriptor)
            MoveToTrash(file);
}

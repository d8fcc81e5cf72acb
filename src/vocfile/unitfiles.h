#pragma once

#include "platform/lumoerror.h"

#include <QString>
#include <QStringList>

// A file operation on a unit that could not be done; the text names the file.
class UnitFileError : public LumoError
{
public:
    using LumoError::LumoError;
};

// A unit with one of its files in two spellings of the extension ("SHOUT.db" and
// "SHOUT.DB"): which of them is the unit's cannot be told, so nothing is done to it.
class UnitFileClash : public UnitFileError
{
public:
    explicit UnitFileClash(QStringList files);
    // Every spelling found, as full paths.
    const QStringList &files() const { return m_files; }

private:
    QStringList m_files;
};

// The files of one unit as a whole: the descriptor "<name>.lif", the table "<name>.db" with
// its companion files, and the table engine's journal, which holds what recovery after a
// crash needs and so travels with its table. Whoever renames, moves, copies or deletes a
// unit does it here, so that no file of a unit is ever left behind or lost.
//
// A unit's files share its base name exactly; their extensions are matched without regard
// to case, as on the file system the units come from ("SHOUT.LIF" with "SHOUT.DB"), and
// every file keeps its own spelling when the unit is renamed, moved or copied. Where one of
// them exists in two spellings, every operation throws UnitFileClash and touches nothing.
class UnitFiles
{
public:
    static QString descriptorExtension(); // ".lif"
    // The descriptor extension without its dot, as QFileInfo::suffix() spells it: "lif".
    static QString descriptorSuffix();
    // Whether the path names a descriptor: it ends in ".lif" in any spelling.
    static bool isDescriptor(const QString &path);
    // The name without its descriptor extension ("Q.lifts.lif" gives "Q.lifts"); a name that
    // does not end in one is given back as it is.
    static QString withoutDescriptorExtension(const QString &name);
    // The table and its companions in the order they are handled: ".db", ".MB", ".PX",
    // ".XG0", ".XG1", ".YG0", ".YG1".
    static const QStringList &tableExtensions();
    static QString journalExtension(); // ".db-journal"

    // The path a new unit's descriptor gets; folder ends in "/".
    static QString descriptorPath(const QString &folder, const QString &name);
    // The descriptor of the unit name in folder as it is spelt on disk; the path a new one
    // would get when there is none.
    static QString findDescriptor(const QString &folder, const QString &name);
    // The table of the unit whose descriptor this is (see tablePath).
    static QString tablePathOf(const QString &descriptorPath);

    // The descriptor's path as it is spelt on disk.
    explicit UnitFiles(QString descriptorPath);

    QString descriptorPath() const { return m_descriptor; }
    QString folder() const; // ends in "/"
    QString name() const;   // the base name, the unit's name everywhere in the program
    // The unit's table as it is spelt on disk, or the base name + ".db" for a unit without
    // one (the table is made there). Throws UnitFileClash.
    QString tablePath() const;
    // The unit's files that exist: the descriptor, the companion table files in their
    // order, then the journal; a file in two spellings gives both.
    QStringList existingFiles() const;
    // The files found in two or more spellings; empty when the unit can be worked on.
    QStringList clashingFiles() const;

    // Each gives the unit's new descriptor path. A unit of that name already there is never
    // touched: the operation is refused before anything is done. When one file fails, the
    // files already done are put back, so the unit stays whole where it was.
    QString rename(const QString &newName);
    QString moveTo(const QString &folder);
    QString copyTo(const QString &folder);
    // Moves every file of the unit to the desktop's trash, the descriptor first: when that
    // fails, UnitFileError names it and nothing else of the unit is touched. A companion file
    // that cannot go is left where it is. Nothing is deleted for good.
    void remove();

private:
    enum class Operation { Rename, Copy };
    QString transfer(const QString &targetFolder, const QString &targetName, Operation operation);
    // For each of the unit's extensions (descriptor, table files, journal), every file of
    // the folder that is the base name with that extension in any spelling.
    QList<QStringList> spellings() const;
    // existingFiles, or UnitFileClash when one of them is there in two spellings.
    QStringList filesToHandle() const;
    // The descriptor as spelt on disk, when files (as existingFiles gives them) hold it.
    QString spelledDescriptor(const QStringList &files) const;

    QString m_descriptor;
};

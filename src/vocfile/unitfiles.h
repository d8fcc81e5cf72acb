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

// The files of one unit as a whole: the descriptor "<name>.lif", the table "<name>.db" with
// its companion files, and the table engine's journal, which holds what recovery after a
// crash needs and so travels with its table. Whoever renames, moves, copies or deletes a
// unit does it here, so that no file of a unit is ever left behind or lost.
class UnitFiles
{
public:
    static QString descriptorExtension(); // ".lif"
    // The table and its companions in the order they are handled: ".db", ".MB", ".PX",
    // ".XG0", ".XG1", ".YG0", ".YG1".
    static const QStringList &tableExtensions();
    static QString journalExtension(); // ".db-journal"

    // folder ends in "/".
    static QString descriptorPath(const QString &folder, const QString &name);
    // The table of the unit whose descriptor this is: the same base name with ".db".
    static QString tablePathOf(const QString &descriptorPath);

    explicit UnitFiles(QString descriptorPath);

    QString descriptorPath() const { return m_descriptor; }
    QString folder() const; // ends in "/"
    QString name() const;   // the base name, the unit's name everywhere in the program
    QString tablePath() const;
    // The unit's files that exist: the descriptor, the companion table files in their
    // order, then the journal.
    QStringList existingFiles() const;

    // Each gives the unit's new descriptor path. A unit of that name already there is never
    // touched: the operation is refused before anything is done. When one file fails, the
    // files already done are put back, so the unit stays whole where it was.
    QString rename(const QString &newName);
    QString moveTo(const QString &folder);
    QString copyTo(const QString &folder);
    // Moves every file of the unit to the desktop's trash (or deletes it where there is
    // none), the descriptor first: when that fails, UnitFileError names it and nothing else
    // of the unit is touched. A companion file that cannot go is left where it is.
    void remove();

private:
    enum class Operation { Rename, Copy };
    QString transfer(const QString &targetFolder, const QString &targetName, Operation operation);
    // Every file path of the unit, whether it exists or not, in the order they are handled.
    QStringList allFiles(const QString &folder, const QString &name) const;

    QString m_descriptor;
};

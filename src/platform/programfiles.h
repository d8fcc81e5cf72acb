#pragma once

#include <QString>
#include <QStringList>

// The program's folder as the program sees it: the installed folder, read-only when the
// program is installed, overlaid by the user's own folder. Reading takes the user's copy of a
// file when there is one, else the installed one; writing always goes to the user's copy,
// which starts as a copy of the installed file, so key-by-key INI edits keep every other key.
// Deleting a file that only the installed folder holds hides it for this user through a small
// record in the user's folder. Without a user folder (a build folder, a test's folder) the one
// folder is read and written directly. Names are matched without regard to case.
class ProgramFiles
{
public:
    // Both folders end in "/" (added when missing); an empty user folder means one layer.
    explicit ProgramFiles(const QString &installedFolder, const QString &userFolder = QString());

    QString installedFolder() const { return m_installed; }
    // The folder writes go to: the user's folder, or the one folder.
    QString userFolder() const { return layered() ? m_user : m_installed; }
    bool layered() const { return !m_user.isEmpty(); }

    // The path to read name from: the user's copy, else the installed one; a hidden or
    // missing file gives the path it would have in the folder writes go to.
    QString readPath(const QString &name) const;
    // True when name is in either layer and not hidden.
    bool exists(const QString &name) const;

    // The path to write name to, ready for writing: the user's folder exists and holds a copy
    // of the installed file if there was one, and name is no longer hidden. Throws LumoError
    // when the user's folder or the copy cannot be made.
    QString writePath(const QString &name) const;

    // The full read paths of the files matching wildcard in both layers, the user's copy
    // winning on equal names, hidden ones left out, sorted by name without regard to case.
    QStringList list(const QString &wildcard) const;

    // Deletes the user's copy and hides an installed copy. Throws LumoError when the file
    // cannot be deleted or the record not be written; a missing file is no error.
    void remove(const QString &name) const;

    // The record of hidden installed files in the user's folder.
    static QString hiddenRecordName() { return QStringLiteral("hidden-files.lst"); }

private:
    QStringList hiddenNames() const;
    bool isHidden(const QString &name) const;
    void writeHidden(const QStringList &names) const;
    QString installedPath(const QString &name) const;
    QString userPath(const QString &name) const;
    void makeUserFolder() const;

    QString m_installed;
    QString m_user;
};

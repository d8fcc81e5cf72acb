#pragma once

#include <QString>
#include <QStringList>

// The file-system side of the folder tree. Folder paths end in "/".

// Whether folder holds at least one file "*.<extension>" (a unit descriptor); nothing is
// opened or read to tell.
bool HoldsUnits(const QString &folder, const QString &extension);

// The names of the folder's subfolders that a user browses: folders whose names begin with
// a dot are hidden, as in every Linux file manager. Sorted by name without regard to case.
// An unreadable or missing folder has none.
QStringList SubfolderNames(const QString &folder);

// Whether folder has at least one such subfolder; stops at the first one found.
bool HasSubfolder(const QString &folder);

// What the tree shows of a folder before it is opened, read in one pass over the folder.
struct FolderLook
{
    bool holdsUnits = false;   // as HoldsUnits
    bool hasSubfolder = false; // as HasSubfolder
};
FolderLook LookInto(const QString &folder, const QString &extension);

// The first of base, base + " (1)", base + " (2)", ... that does not exist in parent.
QString FreeFolderName(const QString &parent, const QString &base);

// Renames a folder within its parent; false, with nothing changed, when newName is not a
// plain name, a file or folder of that name exists, or the file system refuses.
bool RenameFolder(const QString &folder, const QString &newName);

// Removes a folder with everything below it: into the desktop's trash where the system has
// one, else deleted for good. A symbolic link is never followed; it goes as a link, and its
// target stays. Single entries that cannot be deleted are left; the result is whether the
// folder itself is gone. A path that is not a folder (or is a link to one) is refused.
bool RemoveFolderTree(const QString &folder);

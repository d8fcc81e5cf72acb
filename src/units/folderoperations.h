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

// Whether folder is the root of the file system or a place where a file system is mounted,
// by the text of a mount table (/proc/self/mountinfo). folder is taken as it is written,
// with or without its trailing "/"; symbolic links are resolved by the caller.
bool IsMountPoint(const QString &folder, const QByteArray &mountInfo);

// Whether the folder tree may remove folder: a folder that is neither the root of the file
// system nor, after its symbolic links are resolved, a mount point of the given mount table.
// A file system is never emptied from the tree.
bool IsRemovableFolder(const QString &folder, const QByteArray &mountInfo);

// Moves a folder with everything below it to the desktop's trash, where the user can get it
// back; nothing is deleted for good. False, with nothing removed, when the trash refuses it
// or the path is not a removable folder: a file, a symbolic link (whose target would
// otherwise be lost), the root, or a mount point of mountInfo.
bool RemoveFolderTree(const QString &folder, const QByteArray &mountInfo);

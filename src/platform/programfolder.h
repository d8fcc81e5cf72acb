#pragma once

#include <QString>
#include <QStringList>

class ProgramFiles;

// The program's installed folder, ending in "/": the home of the help, the flags and the
// shipped language files, test variants, discard list and special characters. Installed, it
// is read-only; every file the program reads or writes there goes through the lookups below,
// which overlay the user's own folder on it.
QString ProgramFolder();

// Tests point the program at a folder of their own: one layer, read and written directly.
void SetProgramFolder(const QString &folder);
// The installed layout: the installed folder overlaid by the user's folder.
void SetProgramFolders(const QString &installedFolder, const QString &userFolder);

// The program folder's files of this run (both layers).
const ProgramFiles &CurrentProgramFiles();

// The path to read a program-folder file from ("SpecChar.lcf", "DiscardList.ldl", a ".ltf"):
// the user's copy, else the installed one.
QString ProgramFileToRead(const QString &name);
// The path to write it to: the user's copy, made from the installed one first. Throws
// LumoError when the user's folder cannot be written.
QString ProgramFileToWrite(const QString &name);
// Present in either layer.
bool ProgramFileExists(const QString &name);
// Deletes the user's copy and hides an installed one for this user. Throws LumoError.
void DeleteProgramFile(const QString &name);
// The read paths of all program-folder files matching wildcard, sorted by name.
QStringList ListProgramFiles(const QString &wildcard);
// Lists folder as ListFiles would, but as full paths, and through both layers when folder is
// the program folder (a chooser given the program folder sees the user's files too).
QStringList ListFilePaths(const QString &folder, const QString &wildcard);

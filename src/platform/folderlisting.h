#pragma once

#include <QString>
#include <QStringList>

// Folder listings in the order users of the program know from their old file system: names
// sorted without regard to case. Listing in the file system's own order would differ between
// machines (ext4 yields hash order), and the first test variant listed is preselected.

// The names of the files (directories skipped, hidden files included) in folder that match
// the wildcard without regard to case, sorted by name without regard to case. A missing folder lists nothing.
QStringList ListFiles(const QString &folder, const QString &wildcard);

// The full path of the file in folder whose name equals name without regard to case: the
// exact spelling if it is there, else the first match in listing order; empty when there is
// none. For files the program looks for by a name it was given ("english.hlp" may ship as
// "English.hlp").
QString FindFileIgnoringCase(const QString &folder, const QString &name);

// The same for a file or a folder (a help made of pages is a folder).
QString FindEntryIgnoringCase(const QString &folder, const QString &name);

#pragma once

#include <QString>

class QObject;
class TImageList;

// The flag pictures of the vocabulary languages, one per language number, drawn from the SVG
// files in the program's "flags" folder.

constexpr int LargeFlagSize = 32; // the file list's large-icon view
constexpr int SmallFlagSize = 16; // the other views, the language pickers, the character bars

// The program's flag folder, ending in "/".
QString FlagFolder();

// The picture file of a language number in the flag folder; empty outside 0..18.
QString FlagFileName(int language);

// Replaces the pictures of list by the flags of the nineteen languages at the list's size,
// indexed by language number. A flag whose file is missing or unreadable stays blank.
void LoadFlags(TImageList &list, const QString &flagFolder = FlagFolder());

// The main window's two flag lists, named as the language file and the views know them.
TImageList *CreateLargeFlags(QObject *parent, const QString &flagFolder = FlagFolder());
TImageList *CreateSmallFlags(QObject *parent, const QString &flagFolder = FlagFolder());

#pragma once

#include <QString>

// The folder of the program's executable, ending in "/": the home of the language files,
// the test variants, the discard list and the default vocabulary folder.
QString ProgramFolder();

// Tests point the program at a folder of their own.
void SetProgramFolder(const QString &folder);

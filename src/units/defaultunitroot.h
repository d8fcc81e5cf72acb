#pragma once

#include <QString>

class ProgramFiles;

// The base folder of a first start: the "Vocabulary" folder beside the program, else the
// program's folder, else the file system's root. Ends in "/".
QString DefaultUnitRoot(const QString &programFolder);

// The same for the program's folder of this run: installed, it is the user's own
// "Vocabulary" folder, as units are never made in the installed folder.
QString DefaultUnitRoot(const ProgramFiles &files);

// Installed, gives the user's folder a "Vocabulary" folder at the first start, with copies of
// the installed sample units, so they can be tested, logged and edited. The copy is made
// beside and renamed into place, so a failure leaves no half-copied folder. Throws LumoError.
void SeedSampleUnits(const ProgramFiles &files);

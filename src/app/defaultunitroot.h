#pragma once

#include <QString>

// The base folder of a first start: the "Vocabulary" folder beside the program, else the
// program's folder, else the file system's root. Ends in "/".
QString DefaultUnitRoot(const QString &programFolder);

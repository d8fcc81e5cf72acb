#pragma once

#include <QString>

// Moves a file or a folder to the desktop's trash, where the user can get it back. False,
// with the entry where it was, when no trash takes it.
bool MoveToTrash(const QString &path);

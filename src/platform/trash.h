#pragma once

#include <QString>

// Moves a file or a folder to the desktop's trash, where the user can get it back. False,
// with the entry where it was, when no trash takes it.
bool MoveToTrash(const QString &path);

// Moves a file to the desktop's trash, where the user can get it back; deletes it where the
// system has no usable trash. False when the file is still where it was.
bool MoveToTrashOrDelete(const QString &path);

#pragma once

#include <QCursor>

// Cursor number 5 of the program: marks a question or an entry that has a sound.
QCursor SoundCursor();

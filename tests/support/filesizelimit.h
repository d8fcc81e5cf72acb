#pragma once

#include <QProcess>

// A full disk for a program the test starts: every file it writes is limited to limitBytes,
// and SIGXFSZ is ignored, so a write beyond the limit fails (EFBIG) as on a full disk instead
// of killing the program. For work inside the test process, see KilledChild.
class FileSizeLimit
{
public:
    // Applies to every later start of process.
    static void apply(QProcess &process, qint64 limitBytes);
};

#include "platform/atomicfile.h"

#include <QSaveFile>

#include <cerrno>
#include <cstring>

bool SaveFileAtomically(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile file(path);
    // Unbuffered: a buffered save file writes at commit, where Qt does not see a failed
    // write and would rename a cut-off file over the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    errno = 0;
    if (file.write(bytes) != bytes.size()) {
        // Qt keeps no reason for a failed write; the system's is the one that tells.
        const int reason = errno;
        if (error)
            *error = reason != 0 ? QString::fromLocal8Bit(std::strerror(reason)) : file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

#pragma once

#include <QByteArray>
#include <QString>

// Replaces the file at path by bytes in one step: a temporary file beside it is written and
// synced, then renamed over it. A crash leaves the old file or the new one. Returns false,
// leaving the old file as it was, when anything fails, a full disk included; error then gets
// the system's reason when given.
bool SaveFileAtomically(const QString &path, const QByteArray &bytes, QString *error = nullptr);

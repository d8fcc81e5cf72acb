#pragma once

#include <QByteArray>
#include <QString>

// A temporary folder of the fuzzing process, made on first use (in memory where it can be,
// else in the system's temp folder) and removed at exit. The readers under test take paths,
// so every input is written to a file there first.
QString FuzzFolder();
// Writes bytes to name inside the fuzz folder, replacing what was there; returns the path.
// The INI cache is told, so that a file rewritten within one clock tick is read afresh.
QString WriteFuzzFile(const QString &name, const QByteArray &bytes);

#pragma once

#include <QByteArray>
#include <QString>

// The whole content of a word list to be imported. Throws ExchangeError (CannotRead, with
// the system's reason) for a file that cannot be opened or read to its end.
QByteArray ReadWordListFile(const QString &path);

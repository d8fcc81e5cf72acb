#include "exchange/wordlistfile.h"

#include "exchange/exchangeerror.h"

#include <QFile>

QByteArray ReadWordListFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ExchangeError(ExchangeError::Kind::CannotRead, path, 0, file.errorString());
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw ExchangeError(ExchangeError::Kind::CannotRead, path, 0, file.errorString());
    return bytes;
}

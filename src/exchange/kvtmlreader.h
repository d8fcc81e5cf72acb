#pragma once

#include "exchange/wordtable.h"

#include <QByteArray>
#include <QString>

// Reads KVTML 2 word lists (<kvtml version="2.0"> with identifiers, entries and their
// translations, and word types as containers). Each identifier becomes a column; the file's
// locale codes give the columns' languages. A DOCTYPE naming an external DTD is accepted and
// never fetched; one declaring its own entities is refused, since they would be expanded.
class KvtmlReader
{
public:
    // Throws ExchangeError naming the line for a malformed file.
    static WordTable parse(const QByteArray &bytes, const QString &fileName);
    static WordTable read(const QString &path);
};

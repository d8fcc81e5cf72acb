#pragma once

#include "exchange/wordlist.h"

#include <QByteArray>

class QIODevice;

// Writes a unit's words as a KVTML 2 word list: the native language as identifier 0, the
// foreign one as identifier 1, an entry per pair in index order, and a word type container
// for every type in use.
class KvtmlWriter
{
public:
    static void write(QIODevice &device, const WordList &list);
    static QByteArray bytes(const WordList &list);
};

#pragma once

#include "platform/ini/inidocument.h"

#include <QString>

#include <memory>

// The parsed INI files of the process, keyed by absolute path. A file is parsed again only when
// it has changed (its inode, size, modification or status-change time), so hundreds of
// look-ups cost one parse and a replaced file is never read stale.
class IniCache
{
public:
    // Files kept at once; the least recently used one goes first.
    static constexpr int Capacity = 128;

    // An empty document when the file is missing or cannot be read.
    static std::shared_ptr<const IniDocument> document(const QString &path);
    // After our own write, so that the next look-up reads the new file.
    static void forget(const QString &path);
};

#pragma once

#include "platform/sound/wavefile.h"

#include <QByteArray>
#include <algorithm>

// The synthesiser carries a little state from one text to the next, so the same word spoken
// twice can differ by a few samples: two spoken waves are compared by their length.
inline bool SpokenAlike(const QByteArray &a, const QByteArray &b)
{
    const qint64 first = WaveFile::fromBytes(a).durationMs();
    const qint64 second = WaveFile::fromBytes(b).durationMs();
    return first > 0 && second > 0 && std::abs(first - second) * 10 <= std::max(first, second);
}

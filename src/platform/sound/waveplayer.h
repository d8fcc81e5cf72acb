#pragma once

#include <QByteArray>

// Plays a wave image held in memory and returns when it has ended. Failures (malformed data,
// no sound device) throw a LumoError whose text says what went wrong.
class WavePlayer
{
public:
    virtual ~WavePlayer() = default;
    virtual void playWave(const QByteArray &image) = 0;
};

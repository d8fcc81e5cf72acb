#pragma once

#include "platform/waveplayer.h"

#include <QObject>

// The system's sound device, for playing wave images held in memory.
class SoundDevice : public QObject, public WavePlayer
{
    Q_OBJECT

public:
    explicit SoundDevice(QObject *parent = nullptr);

    // Plays the image and returns when it has ended; user input waits meanwhile. Throws
    // WaveFormatError for malformed data and LumoError("Error opening multimedia device!")
    // when there is no sound device or it cannot be opened; never waits for a device that
    // is not there.
    void playWave(const QByteArray &image) override;

    static QString openErrorText();
};

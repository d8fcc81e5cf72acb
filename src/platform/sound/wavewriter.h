#pragma once

#include "platform/lumoerror.h"

#include <QByteArray>
#include <QString>

// Raised when a wave file cannot be written; the text names the file.
class WaveWriteError : public LumoError
{
public:
    using LumoError::LumoError;
};

// Writes PCM samples as a RIFF wave image: a "fmt " chunk and a "data" chunk. Made without
// arguments it writes the recorder's format: mono, 8000 samples per second, 8 bits unsigned.
class WaveWriter
{
public:
    WaveWriter() = default;
    // Mono or stereo, 8 or 16 bits; anything else throws WaveWriteError.
    WaveWriter(int channels, int sampleRate, int bitsPerSample);

    int channels() const { return m_channels; }
    int sampleRate() const { return m_sampleRate; }
    int bitsPerSample() const { return m_bitsPerSample; }

    // The complete file. A trailing partial frame is left out; data of odd length is
    // followed by the pad byte chunks need.
    QByteArray image(const QByteArray &samples) const;
    // Replaces the file at path as a whole; throws WaveWriteError "Unable to write to " + path.
    void save(const QString &path, const QByteArray &samples) const;
    // Replaces the file at path with bytes as a whole; the same error.
    static void saveBytes(const QString &path, const QByteArray &bytes);

private:
    int m_channels = 1;
    int m_sampleRate = 8000;
    int m_bitsPerSample = 8;
};

#pragma once

#include "platform/lumoerror.h"

#include <QAudioFormat>
#include <QByteArray>

// Raised for wave data that cannot be played; the text says what is wrong with it.
class WaveFormatError : public LumoError
{
public:
    using LumoError::LumoError;
};

// The playable content of a RIFF wave image: PCM samples, 8 or 16 bits, mono or stereo.
class WaveFile
{
public:
    // Reads the "fmt " and "data" chunks; throws WaveFormatError for anything else than such
    // an image. A data chunk that claims more bytes than present is cut to what is there.
    static WaveFile fromBytes(const QByteArray &image);

    int channels() const { return m_channels; }
    int sampleRate() const { return m_sampleRate; }
    int bitsPerSample() const { return m_bitsPerSample; }
    const QByteArray &samples() const { return m_samples; }
    QAudioFormat audioFormat() const;
    qint64 durationMs() const;

private:
    int m_channels = 0;
    int m_sampleRate = 0;
    int m_bitsPerSample = 0;
    QByteArray m_samples;
};

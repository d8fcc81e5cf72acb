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
    // Where the "data" chunk starts: the bytes before it, with its 8-byte chunk header, are
    // the header a recording of this format is saved with.
    qint64 dataChunkOffset() const { return m_dataChunkOffset; }
    int blockAlign() const { return m_channels * m_bitsPerSample / 8; }
    QAudioFormat audioFormat() const;
    qint64 durationMs() const;

private:
    int m_channels = 0;
    int m_sampleRate = 0;
    int m_bitsPerSample = 0;
    qint64 m_dataChunkOffset = 0;
    QByteArray m_samples;
};

#include "platform/sound/wavefile.h"

#include <QtEndian>

namespace {
constexpr qint64 ChunkHeaderSize = 8;
constexpr quint16 PcmFormat = 1;

quint32 readU32(const QByteArray &data, qint64 at)
{
    return qFromLittleEndian<quint32>(data.constData() + at);
}

quint16 readU16(const QByteArray &data, qint64 at)
{
    return qFromLittleEndian<quint16>(data.constData() + at);
}

[[noreturn]] void fail(const QString &what)
{
    throw WaveFormatError(QStringLiteral("The sound cannot be played: ") + what);
}
} // namespace

WaveFile WaveFile::fromBytes(const QByteArray &image)
{
    if (image.size() < 12 || !image.startsWith("RIFF") || image.mid(8, 4) != "WAVE")
        fail(QStringLiteral("it is not a wave file."));

    WaveFile wave;
    bool haveFormat = false;
    bool haveData = false;
    qint64 at = 12;
    while (at + ChunkHeaderSize <= image.size() && !(haveFormat && haveData)) {
        const QByteArray id = image.mid(at, 4);
        const qint64 size = readU32(image, at + 4);
        const qint64 body = at + ChunkHeaderSize;
        const qint64 available = qMin<qint64>(size, image.size() - body);
        if (id == "fmt ") {
            if (available < 16)
                fail(QStringLiteral("its format chunk is too short."));
            if (readU16(image, body) != PcmFormat)
                fail(QStringLiteral("only PCM sound is supported."));
            wave.m_channels = readU16(image, body + 2);
            wave.m_sampleRate = int(qMin<quint32>(readU32(image, body + 4), 1000000));
            wave.m_bitsPerSample = readU16(image, body + 14);
            haveFormat = true;
        } else if (id == "data") {
            wave.m_samples = image.mid(body, available);
            wave.m_dataChunkOffset = at;
            haveData = true;
        }
        at = body + size + (size & 1); // chunks are padded to an even length
    }

    if (!haveFormat)
        fail(QStringLiteral("it has no format chunk."));
    if (!haveData)
        fail(QStringLiteral("it has no sound data."));
    if (wave.m_channels < 1 || wave.m_channels > 2)
        fail(QStringLiteral("only mono and stereo sound is supported."));
    if (wave.m_bitsPerSample != 8 && wave.m_bitsPerSample != 16)
        fail(QStringLiteral("only 8 and 16 bit samples are supported."));
    if (wave.m_sampleRate < 1000)
        fail(QStringLiteral("its sample rate is not valid."));

    wave.m_samples.truncate(wave.m_samples.size() - wave.m_samples.size() % wave.blockAlign());
    return wave;
}

QAudioFormat WaveFile::audioFormat() const
{
    QAudioFormat format;
    format.setSampleRate(m_sampleRate);
    format.setChannelCount(m_channels);
    format.setSampleFormat(m_bitsPerSample == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
    return format;
}

qint64 WaveFile::durationMs() const
{
    if (blockAlign() == 0 || m_sampleRate == 0)
        return 0;
    return m_samples.size() / blockAlign() * 1000 / m_sampleRate;
}

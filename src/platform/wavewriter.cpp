#include "platform/wavewriter.h"

#include <QSaveFile>
#include <QtEndian>

namespace {
constexpr quint16 PcmFormat = 1;
constexpr quint32 FormatChunkSize = 16;

void putU16(QByteArray &bytes, quint16 value)
{
    char raw[2];
    qToLittleEndian(value, raw);
    bytes.append(raw, 2);
}

void putU32(QByteArray &bytes, quint32 value)
{
    char raw[4];
    qToLittleEndian(value, raw);
    bytes.append(raw, 4);
}
} // namespace

WaveWriter::WaveWriter(int channels, int sampleRate, int bitsPerSample)
    : m_channels(channels), m_sampleRate(sampleRate), m_bitsPerSample(bitsPerSample)
{
    if ((channels != 1 && channels != 2) || (bitsPerSample != 8 && bitsPerSample != 16) || sampleRate < 1)
        throw WaveWriteError(QStringLiteral("Unsupported wave format: %1 channels, %2 Hz, %3 bits")
                                 .arg(channels)
                                 .arg(sampleRate)
                                 .arg(bitsPerSample));
}

QByteArray WaveWriter::image(const QByteArray &samples) const
{
    const int frameSize = m_channels * m_bitsPerSample / 8;
    const quint32 dataSize = quint32(samples.size() - samples.size() % frameSize);
    const quint32 pad = dataSize & 1;

    QByteArray bytes;
    bytes.reserve(int(44 + dataSize + pad));
    bytes += "RIFF";
    putU32(bytes, 4 + (8 + FormatChunkSize) + (8 + dataSize + pad));
    bytes += "WAVE";
    bytes += "fmt ";
    putU32(bytes, FormatChunkSize);
    putU16(bytes, PcmFormat);
    putU16(bytes, quint16(m_channels));
    putU32(bytes, quint32(m_sampleRate));
    putU32(bytes, quint32(m_sampleRate) * quint32(frameSize));
    putU16(bytes, quint16(frameSize));
    putU16(bytes, quint16(m_bitsPerSample));
    bytes += "data";
    putU32(bytes, dataSize);
    bytes.append(samples.constData(), qsizetype(dataSize));
    if (pad)
        bytes.append('\0');
    return bytes;
}

void WaveWriter::save(const QString &path, const QByteArray &samples) const
{
    saveBytes(path, image(samples));
}

void WaveWriter::saveBytes(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw WaveWriteError(QStringLiteral("Unable to write to ") + path);
}

#include "platform/sound/wavewriter.h"

#include "platform/atomicfile.h"
#include "platform/sound/waveheader.h"

#include <QtEndian>

namespace {
constexpr quint16 PcmFormat = 1;
constexpr quint32 FormatChunkSize = 16;
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
    WaveHeader::appendU32(bytes, 4 + (8 + FormatChunkSize) + (8 + dataSize + pad));
    bytes += "WAVE";
    bytes += "fmt ";
    WaveHeader::appendU32(bytes, FormatChunkSize);
    WaveHeader::appendU16(bytes, PcmFormat);
    WaveHeader::appendU16(bytes, quint16(m_channels));
    WaveHeader::appendU32(bytes, quint32(m_sampleRate));
    WaveHeader::appendU32(bytes, quint32(m_sampleRate) * quint32(frameSize));
    WaveHeader::appendU16(bytes, quint16(frameSize));
    WaveHeader::appendU16(bytes, quint16(m_bitsPerSample));
    bytes += "data";
    WaveHeader::appendU32(bytes, dataSize);
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
    if (!SaveFileAtomically(path, bytes))
        throw WaveWriteError(QStringLiteral("Unable to write to ") + path);
}

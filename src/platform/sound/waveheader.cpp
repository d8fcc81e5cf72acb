#include "platform/sound/waveheader.h"

#include <QtEndian>

namespace {
constexpr int ChunkHeaderSize = 8;

void setU32(QByteArray &bytes, qsizetype at, quint32 value)
{
    if (at + 4 <= bytes.size())
        qToLittleEndian(value, bytes.data() + at);
}
} // namespace

void WaveHeader::appendU16(QByteArray &bytes, quint16 value)
{
    char raw[2];
    qToLittleEndian(value, raw);
    bytes.append(raw, 2);
}

void WaveHeader::appendU32(QByteArray &bytes, quint32 value)
{
    char raw[4];
    qToLittleEndian(value, raw);
    bytes.append(raw, 4);
}

QByteArray WaveHeader::emptyRecording()
{
    QByteArray bytes;
    bytes += "RIFF";
    appendU32(bytes, 50);
    bytes += "WAVE";
    bytes += "fmt ";
    appendU32(bytes, 18);
    appendU16(bytes, 1);    // PCM
    appendU16(bytes, 1);    // channels
    appendU32(bytes, 8000); // samples per second
    appendU32(bytes, 8000); // bytes per second
    appendU16(bytes, 1);    // block alignment
    appendU16(bytes, 8);    // bits per sample
    appendU16(bytes, 0);    // extra format bytes
    bytes += "fact";
    appendU32(bytes, 4);
    appendU32(bytes, 0); // sample count
    bytes += "data";
    appendU32(bytes, 0);
    return bytes;
}

QByteArray WaveHeader::withSamples(const QByteArray &header, const QByteArray &samples, int blockAlign)
{
    const qsizetype dataSize = samples.size() - samples.size() % qMax(blockAlign, 1);
    QByteArray bytes = header;
    bytes.append(samples.constData(), dataSize);
    if (dataSize & 1)
        bytes.append('\0');
    setU32(bytes, 4, quint32(bytes.size() - ChunkHeaderSize));
    // Every chunk before the data keeps its content; only the counts that follow the sound
    // change. The last chunk of the header is the data chunk.
    qsizetype at = 12;
    while (at + ChunkHeaderSize <= header.size()) {
        const QByteArray id = header.mid(at, 4);
        if (id == "data") {
            setU32(bytes, at + 4, quint32(dataSize));
            break;
        }
        if (id == "fact")
            setU32(bytes, at + ChunkHeaderSize, quint32(dataSize / qMax(blockAlign, 1)));
        const quint32 size = qFromLittleEndian<quint32>(header.constData() + at + 4);
        at += ChunkHeaderSize + size + (size & 1);
    }
    return bytes;
}

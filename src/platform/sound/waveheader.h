#pragma once

#include <QByteArray>

// The header the recorder writes before each recording, and the sizes a finished recording
// gets filled in.
class WaveHeader
{
public:
    static constexpr int EmptyRecordingSize = 58;

    // An empty wave of the recorder's format: PCM, mono, 8000 samples per second, 8 bits,
    // with a format chunk of 18 bytes and a "fact" chunk; every size that depends on the
    // sound is 0.
    static QByteArray emptyRecording();

    // header: a wave file's bytes up to and including the 8-byte header of its "data" chunk.
    // Returns the complete file with samples as its data: the RIFF size, the data size and
    // the sample count of a "fact" chunk fit the samples; data of odd length is padded.
    static QByteArray withSamples(const QByteArray &header, const QByteArray &samples, int blockAlign);

    // Appends a little-endian number, as every field of a wave header is stored.
    static void appendU16(QByteArray &bytes, quint16 value);
    static void appendU32(QByteArray &bytes, quint32 value);
};

#include "platform/sound/sounddevice.h"
#include "platform/sound/wavefile.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QTest>
#include <QtEndian>

namespace {
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

QByteArray chunk(const QByteArray &id, const QByteArray &body)
{
    QByteArray bytes = id;
    putU32(bytes, quint32(body.size()));
    bytes += body;
    if (body.size() % 2)
        bytes += '\0';
    return bytes;
}

QByteArray formatBody(quint16 tag, quint16 channels, quint32 rate, quint16 bits, int size = 16)
{
    QByteArray body;
    putU16(body, tag);
    putU16(body, channels);
    putU32(body, rate);
    putU32(body, rate * channels * bits / 8);
    putU16(body, quint16(channels * bits / 8));
    putU16(body, bits);
    body.resize(size, '\0');
    return body;
}

QByteArray riff(const QByteArray &chunks)
{
    QByteArray bytes("RIFF");
    putU32(bytes, quint32(4 + chunks.size()));
    return bytes + "WAVE" + chunks;
}

QByteArray wave(quint16 channels, quint32 rate, quint16 bits, const QByteArray &samples)
{
    return riff(chunk("fmt ", formatBody(1, channels, rate, bits)) + chunk("data", samples));
}

QString errorOf(const QByteArray &image)
{
    try {
        WaveFile::fromBytes(image);
    } catch (const WaveFormatError &error) {
        return error.message();
    }
    return QString();
}
} // namespace

// Reading wave images and playing them on the sound device.
class TestWaveFile : public QObject
{
    Q_OBJECT

private slots:
    void readsPcm_data();
    void readsPcm();
    void recorderHeaderWithFactChunk();
    void dataClaimingMoreThanPresentIsCut();
    void oddChunkIsFollowedByAPadByte_data();
    void oddChunkIsFollowedByAPadByte();
    void lowestSampleRate();
    void emptyDataChunkAtTheEnd();
    void malformedImagesAreRefused_data();
    void malformedImagesAreRefused();
    void playingReturnsWithOrWithoutDevice();
    void playingMalformedDataFails();
};

void TestWaveFile::readsPcm_data()
{
    QTest::addColumn<int>("channels");
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("bits");
    QTest::addColumn<int>("dataBytes");
    QTest::addColumn<int>("keptBytes");
    QTest::addColumn<int>("durationMs");
    QTest::addColumn<int>("sampleFormat");
    QTest::newRow("recorder format") << 1 << 8000 << 8 << 8000 << 8000 << 1000 << int(QAudioFormat::UInt8);
    QTest::newRow("16-bit stereo") << 2 << 44100 << 16 << 44100 * 4 << 44100 * 4 << 1000
                                   << int(QAudioFormat::Int16);
    QTest::newRow("odd data length padded")
        << 1 << 8000 << 8 << 801 << 801 << 100 << int(QAudioFormat::UInt8);
    QTest::newRow("half a frame dropped")
        << 2 << 22050 << 16 << 4410 * 4 + 3 << 4410 * 4 << 200 << int(QAudioFormat::Int16);
}

void TestWaveFile::readsPcm()
{
    QFETCH(int, channels);
    QFETCH(int, rate);
    QFETCH(int, bits);
    QFETCH(int, dataBytes);
    const WaveFile file = WaveFile::fromBytes(wave(channels, rate, bits, QByteArray(dataBytes, '\x80')));
    QCOMPARE(file.channels(), channels);
    QCOMPARE(file.sampleRate(), rate);
    QCOMPARE(file.bitsPerSample(), bits);
    QTEST(int(file.samples().size()), "keptBytes");
    QTEST(int(file.durationMs()), "durationMs");
    QTEST(int(file.audioFormat().sampleFormat()), "sampleFormat");
    QCOMPARE(file.audioFormat().channelCount(), channels);
}

void TestWaveFile::recorderHeaderWithFactChunk()
{
    // The header a recording starts with: an 18-byte format chunk and a fact chunk.
    QByteArray fact;
    putU32(fact, 0);
    const QByteArray image = riff(chunk("fmt ", formatBody(1, 1, 8000, 8, 18)) + chunk("fact", fact) +
                                  chunk("data", QByteArray(400, '\x80')));
    const WaveFile file = WaveFile::fromBytes(image);
    QCOMPARE(file.samples().size(), 400);
    QCOMPARE(file.durationMs(), 50);
}

void TestWaveFile::dataClaimingMoreThanPresentIsCut()
{
    QByteArray image = wave(1, 8000, 8, QByteArray(100, '\x80'));
    image.chop(40);
    QCOMPARE(WaveFile::fromBytes(image).samples().size(), 60);
}

void TestWaveFile::oddChunkIsFollowedByAPadByte_data()
{
    QTest::addColumn<QByteArray>("image");
    const QByteArray pcm = chunk("fmt ", formatBody(1, 1, 8000, 8));
    const QByteArray data = chunk("data", QByteArray(300, '\x80'));
    // The pad byte is zero, so a reader that misses it sees "\0dat" instead of "data".
    QTest::newRow("odd chunk before the format") << riff(chunk("junk", "abc") + pcm + data);
    QTest::newRow("odd chunk between format and data") << riff(pcm + chunk("LIST", "INFOx") + data);
    QTest::newRow("odd format chunk") << riff(chunk("fmt ", formatBody(1, 1, 8000, 8, 17)) + data);
}

void TestWaveFile::oddChunkIsFollowedByAPadByte()
{
    QFETCH(QByteArray, image);
    const WaveFile file = WaveFile::fromBytes(image);
    QCOMPARE(file.samples(), QByteArray(300, '\x80'));
    QCOMPARE(file.sampleRate(), 8000);
}

void TestWaveFile::emptyDataChunkAtTheEnd()
{
    // A header that just fits at the end of the image is still read.
    const WaveFile file = WaveFile::fromBytes(wave(1, 8000, 8, QByteArray()));
    QVERIFY(file.samples().isEmpty());
    QCOMPARE(file.durationMs(), 0);
}

void TestWaveFile::lowestSampleRate()
{
    QCOMPARE(WaveFile::fromBytes(wave(1, 1000, 8, QByteArray(10, '\x80'))).sampleRate(), 1000);
    QVERIFY(errorOf(wave(1, 999, 8, QByteArray(10, '\x80'))).contains(QStringLiteral("sample rate")));
}

void TestWaveFile::malformedImagesAreRefused_data()
{
    QTest::addColumn<QByteArray>("image");
    QTest::addColumn<QString>("reason");
    const QByteArray pcm = chunk("fmt ", formatBody(1, 1, 8000, 8));
    const QByteArray data = chunk("data", QByteArray(10, '\x80'));
    QByteArray hugeChunk("LIST");
    putU32(hugeChunk, 0xFFFFFFF0u);

    QTest::newRow("empty") << QByteArray() << "not a wave file";
    QTest::newRow("text") << QByteArray("hello, this is no sound") << "not a wave file";
    QTest::newRow("RIFF of another kind") << QByteArray("RIFF\x04\0\0\0AVI ", 12) << "not a wave file";
    QTest::newRow("header only") << riff(QByteArray()) << "no format chunk";
    QTest::newRow("no data chunk") << riff(pcm) << "no sound data";
    QTest::newRow("data before a missing format") << riff(data) << "no format chunk";
    QTest::newRow("chunk larger than the file") << riff(hugeChunk + pcm + data) << "no format chunk";
    QTest::newRow("short format chunk") << riff(chunk("fmt ", QByteArray(8, '\1')) + data) << "too short";
    QTest::newRow("format chunk one byte short")
        << riff(chunk("fmt ", formatBody(1, 1, 8000, 8, 15)) + data) << "too short";
    QTest::newRow("compressed") << riff(chunk("fmt ", formatBody(2, 1, 8000, 4)) + data) << "only PCM";
    QTest::newRow("24-bit") << riff(chunk("fmt ", formatBody(1, 1, 8000, 24)) + data) << "8 and 16 bit";
    QTest::newRow("no channels") << riff(chunk("fmt ", formatBody(1, 0, 8000, 8)) + data)
                                 << "mono and stereo";
    QTest::newRow("three channels") << riff(chunk("fmt ", formatBody(1, 3, 8000, 8)) + data)
                                    << "mono and stereo";
    QTest::newRow("six channels") << riff(chunk("fmt ", formatBody(1, 6, 8000, 8)) + data)
                                  << "mono and stereo";
    QTest::newRow("zero rate") << riff(chunk("fmt ", formatBody(1, 1, 0, 8)) + data) << "sample rate";
    QTest::newRow("truncated chunk header") << riff(pcm + QByteArray("dat", 3)) << "no sound data";
}

void TestWaveFile::malformedImagesAreRefused()
{
    QFETCH(QByteArray, image);
    QFETCH(QString, reason);
    const QString error = errorOf(image);
    QVERIFY2(error.contains(reason), qPrintable(error));
}

void TestWaveFile::playingReturnsWithOrWithoutDevice()
{
    SoundDevice device;
    const QByteArray image = wave(1, 8000, 8, QByteArray(400, '\x80')); // 50 ms of silence
    QString error;
    try {
        device.playWave(image);
    } catch (const LumoError &e) {
        error = e.message();
    }
    if (QMediaDevices::defaultAudioOutput().isNull())
        QCOMPARE(error, QStringLiteral("Error opening multimedia device!"));
    else
        QVERIFY2(error.isEmpty() || error == SoundDevice::openErrorText(), qPrintable(error));
}

void TestWaveFile::playingMalformedDataFails()
{
    SoundDevice device;
    QVERIFY_THROWS_EXCEPTION(WaveFormatError, device.playWave(QByteArray("RIFF")));
}

QTEST_GUILESS_MAIN(TestWaveFile)
#include "tst_wavefile.moc"

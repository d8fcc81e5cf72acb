#include "platform/sound/wavefile.h"
#include "platform/sound/wavewriter.h"
#include "support/testfolder.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <QtEndian>

namespace {
quint32 u32At(const QByteArray &bytes, int at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

quint16 u16At(const QByteArray &bytes, int at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

QByteArray rampOf(int size)
{
    QByteArray samples;
    for (int i = 0; i < size; ++i)
        samples.append(char(i * 7 + 3));
    return samples;
}
} // namespace

class TestWaveWriter : public QObject
{
    Q_OBJECT

private slots:
    void header_data();
    void header();
    void oddLengthDataIsPadded();
    void partialFrameIsLeftOut();
    void readsBackTheSameSamples_data();
    void readsBackTheSameSamples();
    void unsupportedFormatsAreRefused_data();
    void unsupportedFormatsAreRefused();
    void saveWritesTheImage();
    void saveIntoMissingFolderFails();
};

void TestWaveWriter::header_data()
{
    QTest::addColumn<int>("channels");
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("bits");

    QTest::newRow("recorder") << 1 << 8000 << 8;
    QTest::newRow("stereo 16 bits") << 2 << 22050 << 16;
    QTest::newRow("mono 16 bits") << 1 << 44100 << 16;
}

void TestWaveWriter::header()
{
    QFETCH(int, channels);
    QFETCH(int, rate);
    QFETCH(int, bits);

    const QByteArray samples = rampOf(400);
    const QByteArray image = WaveWriter(channels, rate, bits).image(samples);
    QCOMPARE(image.size(), 44 + 400);
    QCOMPARE(image.left(4), QByteArray("RIFF"));
    QCOMPARE(u32At(image, 4), quint32(image.size() - 8));
    QCOMPARE(image.mid(8, 8), QByteArray("WAVEfmt "));
    QCOMPARE(u32At(image, 16), 16u);
    QCOMPARE(u16At(image, 20), quint16(1)); // PCM
    QCOMPARE(u16At(image, 22), quint16(channels));
    QCOMPARE(u32At(image, 24), quint32(rate));
    QCOMPARE(u32At(image, 28), quint32(rate * channels * bits / 8));
    QCOMPARE(u16At(image, 32), quint16(channels * bits / 8));
    QCOMPARE(u16At(image, 34), quint16(bits));
    QCOMPARE(image.mid(36, 4), QByteArray("data"));
    QCOMPARE(u32At(image, 40), 400u);
    QCOMPARE(image.mid(44), samples);
}

void TestWaveWriter::oddLengthDataIsPadded()
{
    const WaveWriter recorder;
    QCOMPARE(recorder.channels(), 1);
    QCOMPARE(recorder.sampleRate(), 8000);
    QCOMPARE(recorder.bitsPerSample(), 8);

    const QByteArray image = recorder.image("\x80\x90\xa0");
    QCOMPARE(image.size(), 44 + 3 + 1);
    QCOMPARE(u32At(image, 40), 3u); // the pad byte is not part of the data
    QCOMPARE(u32At(image, 4), quint32(image.size() - 8));
    QCOMPARE(image.mid(44), QByteArray("\x80\x90\xa0\0", 4));

    const QByteArray even = recorder.image("\x80\x90");
    QCOMPARE(even.size(), 44 + 2);
    QCOMPARE(u32At(even, 40), 2u);
}

void TestWaveWriter::partialFrameIsLeftOut()
{
    // Two frames of 16-bit stereo and one byte of a third.
    const QByteArray image = WaveWriter(2, 8000, 16).image(rampOf(9));
    QCOMPARE(u32At(image, 40), 8u);
    QCOMPARE(image.size(), 44 + 8);
    QCOMPARE(image.mid(44), rampOf(8));
}

void TestWaveWriter::readsBackTheSameSamples_data()
{
    QTest::addColumn<int>("channels");
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("bits");
    QTest::addColumn<QByteArray>("samples");

    QTest::newRow("recorder, odd length") << 1 << 8000 << 8 << rampOf(8001);
    QTest::newRow("recorder, silence") << 1 << 8000 << 8 << QByteArray(16000, '\x80');
    QTest::newRow("recorder, empty") << 1 << 8000 << 8 << QByteArray();
    QTest::newRow("stereo 16 bits") << 2 << 11025 << 16 << rampOf(4 * 1000);
}

void TestWaveWriter::readsBackTheSameSamples()
{
    QFETCH(int, channels);
    QFETCH(int, rate);
    QFETCH(int, bits);
    QFETCH(QByteArray, samples);

    const WaveFile wave = WaveFile::fromBytes(WaveWriter(channels, rate, bits).image(samples));
    QCOMPARE(wave.channels(), channels);
    QCOMPARE(wave.sampleRate(), rate);
    QCOMPARE(wave.bitsPerSample(), bits);
    QCOMPARE(wave.samples(), samples);
    QCOMPARE(wave.durationMs(), qint64(samples.size()) * 1000 / (rate * channels * bits / 8));
}

void TestWaveWriter::unsupportedFormatsAreRefused_data()
{
    QTest::addColumn<int>("channels");
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("bits");

    QTest::newRow("no channel") << 0 << 8000 << 8;
    QTest::newRow("three channels") << 3 << 8000 << 8;
    QTest::newRow("24 bits") << 1 << 8000 << 24;
    QTest::newRow("no rate") << 1 << 0 << 8;
}

void TestWaveWriter::unsupportedFormatsAreRefused()
{
    QFETCH(int, channels);
    QFETCH(int, rate);
    QFETCH(int, bits);
    QVERIFY_THROWS_EXCEPTION(WaveWriteError, WaveWriter(channels, rate, bits));
}

void TestWaveWriter::saveWritesTheImage()
{
    TestFolder folder;
    const QString path = folder.writeFile(QStringLiteral("sound.wav"), "an older, longer file");
    const WaveWriter recorder;
    recorder.save(path, rampOf(5));

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), recorder.image(rampOf(5)));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"sound.wav"});
}

void TestWaveWriter::saveIntoMissingFolderFails()
{
    TestFolder folder;
    const QString path = folder.filePath(QStringLiteral("nowhere/sound.wav"));
    try {
        WaveWriter().save(path, rampOf(5));
        QFAIL("no error raised");
    } catch (const WaveWriteError &error) {
        QCOMPARE(error.message(), "Unable to write to " + path);
    }
    QVERIFY(!QDir(folder.filePath(QStringLiteral("nowhere"))).exists());
}

QTEST_GUILESS_MAIN(TestWaveWriter)
#include "tst_wavewriter.moc"

#include "platform/sound/sounddevice.h"
#include "platform/sound/wavefile.h"
#include "platform/sound/waveheader.h"
#include "platform/sound/wavewriter.h"
#include "support/testfolder.h"
#include "support/withoutsounddevice.h"

#include <QAudioDevice>
#include <QFile>
#include <QMediaDevices>
#include <QSignalSpy>
#include <QTest>
#include <QtEndian>

namespace {
quint32 u32At(const QByteArray &bytes, int at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

// The recorder's format: one byte is one sample, 8000 of them a second.
constexpr int BytesPerSecond = 8000;
// A recording from the null source arrives in blocks as the server hands them out; its
// length is plausible, not exact.
constexpr int ShortestPlausible = BytesPerSecond / 2;
constexpr int LongestPlausible = BytesPerSecond * 10;

QString messageOf(const std::function<void()> &work)
{
    try {
        work();
    } catch (const LumoError &error) {
        return error.message();
    }
    return QString();
}
} // namespace

// The sound device against a real sound server: the test run's private PulseAudio server
// with a null sink and a null source.
class TestSoundDevice : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestFolder> folder;

    QString writeWave(const QString &name, const QByteArray &image) { return folder->writeFile(name, image); }

    // A device opened on the recorder's empty header, as a recording starts.
    QString emptyRecording() { return writeWave(QStringLiteral("record.wav"), WaveHeader::emptyRecording()); }

private slots:
    void init() { folder = std::make_unique<TestFolder>(); }
    void cleanup() { folder.reset(); }

    void theServerOffersBothDirections()
    {
        QVERIFY2(!QMediaDevices::defaultAudioInput().isNull(), "no sound server with a source is running");
        QVERIFY(!QMediaDevices::defaultAudioOutput().isNull());
    }

    void theEmptyHeaderIsTheRecordersFormat()
    {
        const QByteArray expected = QByteArray::fromHex("52494646"
                                                        "32000000"
                                                        "57415645"
                                                        "666d7420"
                                                        "12000000"
                                                        "0100"
                                                        "0100"
                                                        "401f0000"
                                                        "401f0000"
                                                        "0100"
                                                        "0800"
                                                        "0000"
                                                        "66616374"
                                                        "04000000"
                                                        "00000000"
                                                        "64617461"
                                                        "00000000");
        QCOMPARE(WaveHeader::emptyRecording().size(), WaveHeader::EmptyRecordingSize);
        QCOMPARE(WaveHeader::emptyRecording().toHex(), expected.toHex());
        const WaveFile wave = WaveFile::fromBytes(WaveHeader::emptyRecording());
        QCOMPARE(wave.sampleRate(), 8000);
        QCOMPARE(wave.channels(), 1);
        QCOMPARE(wave.bitsPerSample(), 8);
        QCOMPARE(wave.dataChunkOffset(), 50);
    }

    void sizesFollowTheSamples_data()
    {
        QTest::addColumn<QByteArray>("header");
        QTest::addColumn<int>("blockAlign");
        QTest::addColumn<int>("samples");
        QTest::addColumn<int>("factAt");
        QTest::newRow("recorder, odd length") << WaveHeader::emptyRecording() << 1 << 3 << 46;
        QTest::newRow("recorder, two seconds") << WaveHeader::emptyRecording() << 1 << 16000 << 46;
        QTest::newRow("stereo 16 bits, no fact chunk")
            << WaveWriter(2, 44100, 16).image(QByteArray()) << 4 << 4410 << -1;
    }

    void sizesFollowTheSamples()
    {
        QFETCH(QByteArray, header);
        QFETCH(int, blockAlign);
        QFETCH(int, samples);
        QFETCH(int, factAt);
        const QByteArray image = WaveHeader::withSamples(header, QByteArray(samples, '\x80'), blockAlign);
        const int data = samples - samples % blockAlign;
        QCOMPARE(image.size(), header.size() + data + data % 2);
        QCOMPARE(u32At(image, 4), quint32(image.size() - 8));
        QCOMPARE(u32At(image, header.size() - 4), quint32(data));
        if (factAt >= 0)
            QCOMPARE(u32At(image, factAt), quint32(data / blockAlign));
        QCOMPARE(WaveFile::fromBytes(image).samples().size(), data);
    }

    void aRecordingIsSavedReadBackAndPlayed()
    {
        SoundDevice device;
        device.setFileName(emptyRecording());
        device.open();
        QCOMPARE(device.mode(), SoundDevice::Mode::Stopped);
        device.record();
        QCOMPARE(device.mode(), SoundDevice::Mode::Recording);
        // While recording, the position is the length recorded so far.
        QTRY_VERIFY(device.position() * BytesPerSecond / 1000 >= ShortestPlausible);
        device.stop();
        QCOMPARE(device.mode(), SoundDevice::Mode::Stopped);
        const QString saved = folder->filePath(QStringLiteral("saved.wav"));
        device.save(saved);
        device.close();
        QCOMPARE(device.mode(), SoundDevice::Mode::NotReady);

        QFile file(saved);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray image = file.readAll();
        const int data = int(u32At(image, 54));
        QVERIFY2(data >= ShortestPlausible && data <= LongestPlausible, qPrintable(QString::number(data)));
        QCOMPARE(image.left(38), WaveHeader::emptyRecording().left(38).replace(4, 4, image.mid(4, 4)));
        QCOMPARE(u32At(image, 4), quint32(image.size() - 8));
        QCOMPARE(u32At(image, 46), quint32(data));
        QCOMPARE(image.size(), 58 + data + data % 2);
        QCOMPARE(WaveFile::fromBytes(image).samples().size(), data);

        // Read back and played to the end: the device waits and reports the end.
        device.setFileName(saved);
        device.open();
        QCOMPARE(device.length(), qint64(data) * 1000 / BytesPerSecond);
        QSignalSpy ended(&device, &SoundDevice::notify);
        device.setWait(true);
        device.play();
        QCOMPARE(device.mode(), SoundDevice::Mode::Stopped);
        QCOMPARE(ended.count(), 1);
        QCOMPARE(device.position(), device.length());
    }

    void aRecordingStopsByItselfAtItsLimit()
    {
        SoundDevice device;
        device.setRecordLimitMs(500);
        device.setFileName(emptyRecording());
        device.open();
        QSignalSpy ended(&device, &SoundDevice::notify);
        device.record();
        QVERIFY(ended.wait(10000));
        QCOMPARE(device.mode(), SoundDevice::Mode::Stopped);
        QCOMPARE(device.length(), 500);
        QCOMPARE(WaveFile::fromBytes(device.recording()).samples().size(), BytesPerSecond / 2);
    }

    void recordingTwiceStartsAfresh()
    {
        SoundDevice device;
        device.setFileName(emptyRecording());
        device.open();
        device.record();
        QTRY_VERIFY(device.length() > 0);
        device.record();
        QCOMPARE(device.mode(), SoundDevice::Mode::Recording);
        QCOMPARE(device.length(), 0);
        QTRY_VERIFY(device.length() > 0);
        device.stop();
        QVERIFY(device.length() > 0);
        QVERIFY(WaveFile::fromBytes(device.recording()).samples().size() > 0);
    }

    void pauseHoldsThePositionAndResumeGoesOn()
    {
        SoundDevice device;
        device.setFileName(writeWave(QStringLiteral("long.wav"),
                                     WaveWriter().image(QByteArray(3 * BytesPerSecond, '\x80'))));
        device.open();
        QSignalSpy ended(&device, &SoundDevice::notify);
        device.play();
        QTRY_VERIFY(device.position() > 0);
        device.pause();
        QCOMPARE(device.mode(), SoundDevice::Mode::Paused);
        const qint64 held = device.position();
        // Another sound played to its end meanwhile: the server's own clock runs on.
        SoundDevice(nullptr).playWave(WaveWriter().image(QByteArray(BytesPerSecond / 2, '\x80')));
        QCOMPARE(device.position(), held);
        QCOMPARE(ended.count(), 0);
        device.resume();
        QCOMPARE(device.mode(), SoundDevice::Mode::Playing);
        QVERIFY(ended.wait(10000));
        QCOMPARE(device.mode(), SoundDevice::Mode::Stopped);
    }

    void seekMovesInsideTheSound()
    {
        SoundDevice device;
        device.setFileName(writeWave(QStringLiteral("three.wav"),
                                     WaveWriter().image(QByteArray(3 * BytesPerSecond, '\x80'))));
        device.open();
        QCOMPARE(device.length(), 3000);
        device.seek(1500);
        QCOMPARE(device.position(), 1500);
        device.seek(99999);
        QCOMPARE(device.position(), 3000);
        device.seek(-5);
        QCOMPARE(device.position(), 0);
    }

    void wavesOfOtherFormatsPlayAsTheyAre_data()
    {
        QTest::addColumn<QByteArray>("image");
        QTest::newRow("16-bit stereo 44.1 kHz") << WaveWriter(2, 44100, 16).image(QByteArray(44100, '\0'));
        QByteArray huge = WaveWriter().image(QByteArray(800, '\x80'));
        qToLittleEndian<quint32>(0xfffffff0u, huge.data() + 40);
        QTest::newRow("huge data size") << huge;
        QTest::newRow("truncated") << WaveWriter().image(QByteArray(800, '\x80')).left(300);
    }

    void wavesOfOtherFormatsPlayAsTheyAre()
    {
        QFETCH(QByteArray, image);
        SoundDevice device;
        QCOMPARE(messageOf([&] { device.playWave(image); }), QString());
        QCOMPARE(device.mode(), SoundDevice::Mode::NotReady);
    }

    void aFileThatIsNoWaveIsRefused()
    {
        SoundDevice device;
        device.setFileName(writeWave(QStringLiteral("text.wav"), "just some text"));
        QVERIFY_THROWS_EXCEPTION(WaveFormatError, device.open());
        device.setFileName(folder->filePath(QStringLiteral("missing.wav")));
        QCOMPARE(messageOf([&] { device.open(); }), SoundDevice::openErrorText());
        QCOMPARE(messageOf([&] { device.play(); }), SoundDevice::openErrorText());
        QCOMPARE(device.mode(), SoundDevice::Mode::NotReady);
    }

    void withoutADeviceEverythingSaysSo()
    {
        if (!WithoutSoundDevice::inChild()) {
            VERIFY_WITHOUT_SOUND_DEVICE();
            return;
        }
        QVERIFY(QMediaDevices::defaultAudioInput().isNull());
        SoundDevice device;
        device.setFileName(emptyRecording());
        device.open();
        QCOMPARE(messageOf([&] { device.record(); }), SoundDevice::openErrorText());
        QCOMPARE(device.mode(), SoundDevice::Mode::Stopped);
        QCOMPARE(messageOf([&] { device.play(); }), SoundDevice::openErrorText());
        const QByteArray image = WaveWriter().image(QByteArray(800, '\x80'));
        QCOMPARE(messageOf([&] { device.playWave(image); }), SoundDevice::openErrorText());
    }
};

QTEST_GUILESS_MAIN(TestSoundDevice)
#include "tst_sounddevice.moc"

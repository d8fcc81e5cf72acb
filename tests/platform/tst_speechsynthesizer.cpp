#include "platform/sound/sounddevice.h"
#include "platform/sound/speechsynthesizer.h"
#include "platform/sound/wavefile.h"
#include "support/spokenwave.h"
#include "support/testfolder.h"

#include <QFile>
#include <QTest>
#include <QtEndian>
#include <thread>

namespace {
quint32 u32At(const QByteArray &bytes, int at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

quint16 u16At(const QByteArray &bytes, int at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

// The loudest sample of 16-bit little-endian data.
int peak(const QByteArray &samples)
{
    int loudest = 0;
    for (qsizetype at = 0; at + 1 < samples.size(); at += 2)
        loudest = std::max(loudest, std::abs(int(qFromLittleEndian<qint16>(samples.constData() + at))));
    return loudest;
}
} // namespace

// The speech synthesiser: words spoken as waves our reader and sound device take, and the
// texts and voices it refuses.
class TestSpeechSynthesizer : public QObject
{
    Q_OBJECT

private:
    SpeechSynthesizer &synth = SpeechSynthesizer::instance();

private slots:
    void initTestCase()
    {
        if (!SpeechSynthesizer::compiledIn())
            QSKIP("built without speech");
        // The voice data is a dependency of the library's package.
        QVERIFY(synth.available());
    }

    void aSpokenWordIsAPlayableWave_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("voice");
        QTest::newRow("German") << QStringLiteral("Wasserflasche") << QStringLiteral("de");
        QTest::newRow("Greek") << QStringLiteral("\u03bd\u03b5\u03c1\u03cc") << QStringLiteral("el");
    }

    void aSpokenWordIsAPlayableWave()
    {
        QFETCH(QString, word);
        QFETCH(QString, voice);
        const QByteArray image = synth.speak(word, voice);

        // The header as written: RIFF size, PCM mono 16 bits, sizes that fit the data.
        QVERIFY(image.size() > 44);
        QCOMPARE(image.left(4), QByteArray("RIFF"));
        QCOMPARE(u32At(image, 4), quint32(image.size() - 8));
        QCOMPARE(image.mid(8, 8), QByteArray("WAVEfmt "));
        QCOMPARE(u16At(image, 20), quint16(1));
        QCOMPARE(u16At(image, 22), quint16(1));
        const quint32 rate = u32At(image, 24);
        QCOMPARE(u32At(image, 28), rate * 2);
        QCOMPARE(u16At(image, 32), quint16(2));
        QCOMPARE(u16At(image, 34), quint16(16));
        QCOMPARE(image.mid(36, 4), QByteArray("data"));
        QCOMPARE(u32At(image, 40), quint32(image.size() - 44));

        // Read back by the program's own reader: a word's length, and sound, not silence.
        const WaveFile wave = WaveFile::fromBytes(image);
        QCOMPARE(wave.channels(), 1);
        QCOMPARE(wave.bitsPerSample(), 16);
        QCOMPARE(quint32(wave.sampleRate()), rate);
        QVERIFY2(wave.sampleRate() >= 8000, qPrintable(QString::number(wave.sampleRate())));
        QVERIFY2(wave.durationMs() > 200 && wave.durationMs() < 5000,
                 qPrintable(QString::number(wave.durationMs())));
        QVERIFY2(peak(wave.samples()) > 1000, qPrintable(QString::number(peak(wave.samples()))));

        // The sound device opens it as it opens a recording.
        TestFolder folder;
        const QString path = folder.writeFile(QStringLiteral("spoken.wav"), image);
        SoundDevice device;
        device.setFileName(path);
        device.open();
        QCOMPARE(device.length(), wave.durationMs());
    }

    void theWaveFollowsTheText()
    {
        const QByteArray house = synth.speak(QStringLiteral("Haus"), QStringLiteral("de"));
        QVERIFY(SpokenAlike(synth.speak(QStringLiteral("Haus"), QStringLiteral("de")), house));
        const QByteArray longer =
            synth.speak(QStringLiteral("Donaudampfschifffahrtsgesellschaft"), QStringLiteral("de"));
        QVERIFY(WaveFile::fromBytes(longer).durationMs() > 2 * WaveFile::fromBytes(house).durationMs());
        QVERIFY(synth.speak(QStringLiteral("Haus"), QStringLiteral("el")) != house);
    }

    void whatCannotBeSpokenThrows_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("voice");
        QTest::addColumn<QString>("reason");
        QTest::newRow("empty text") << QString() << QStringLiteral("de") << "no text";
        QTest::newRow("blanks") << QStringLiteral(" \t ") << QStringLiteral("de") << "no text";
        QTest::newRow("unknown voice")
            << QStringLiteral("Haus") << QStringLiteral("xx-nowhere") << "no voice";
        QTest::newRow("no voice") << QStringLiteral("Haus") << QString() << "no voice";
    }

    void whatCannotBeSpokenThrows()
    {
        QFETCH(QString, text);
        QFETCH(QString, voice);
        QFETCH(QString, reason);
        try {
            synth.speak(text, voice);
            QFAIL("spoke what it cannot");
        } catch (const SpeechError &error) {
            QVERIFY2(error.message().contains(reason), qPrintable(error.message()));
        }
        // A voice refused leaves the synthesiser working.
        QVERIFY(!synth.speak(QStringLiteral("Haus"), QStringLiteral("de")).isEmpty());
    }

    void voicesAreKnownByName()
    {
        QVERIFY(synth.hasVoice(QStringLiteral("de")));
        QVERIFY(synth.hasVoice(QStringLiteral("pt-BR")));
        QVERIFY(!synth.hasVoice(QStringLiteral("xx-nowhere")));
        QVERIFY(!synth.hasVoice(QString()));
        // Asked again, from what it learnt.
        QVERIFY(!synth.hasVoice(QStringLiteral("xx-nowhere")));
    }

    void callsFromTwoThreadsTakeTurns()
    {
        const QByteArray german = synth.speak(QStringLiteral("Haus"), QStringLiteral("de"));
        const QByteArray greek =
            synth.speak(QStringLiteral("\u03c3\u03c0\u03af\u03c4\u03b9"), QStringLiteral("el"));
        QList<QByteArray> fromGerman, fromGreek;
        std::thread first([&] {
            for (int i = 0; i < 4; ++i)
                fromGerman.append(synth.speak(QStringLiteral("Haus"), QStringLiteral("de")));
        });
        std::thread second([&] {
            for (int i = 0; i < 4; ++i)
                fromGreek.append(
                    synth.speak(QStringLiteral("\u03c3\u03c0\u03af\u03c4\u03b9"), QStringLiteral("el")));
        });
        first.join();
        second.join();
        // Interleaved calls would mix their samples into each other's waves.
        QCOMPARE(fromGerman.size(), 4);
        QCOMPARE(fromGreek.size(), 4);
        for (const QByteArray &wave : fromGerman)
            QVERIFY(SpokenAlike(wave, german));
        for (const QByteArray &wave : fromGreek)
            QVERIFY(SpokenAlike(wave, greek));
    }
};

QTEST_GUILESS_MAIN(TestSpeechSynthesizer)
#include "tst_speechsynthesizer.moc"

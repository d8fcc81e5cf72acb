#include "platform/sounddevice.h"

#include "platform/wavefile.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QBuffer>
#include <QEventLoop>
#include <QMediaDevices>
#include <QTimer>

namespace {
// Extra time the device may take beyond the sound's length before playback is given up.
constexpr int GraceMs = 3000;
} // namespace

SoundDevice::SoundDevice(QObject *parent) : QObject(parent) {}

QString SoundDevice::openErrorText()
{
    return QStringLiteral("Error opening multimedia device!");
}

void SoundDevice::playWave(const QByteArray &image)
{
    const WaveFile wave = WaveFile::fromBytes(image);
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull())
        throw LumoError(openErrorText());
    if (wave.samples().isEmpty())
        return;

    // Both live only for this call, on the stack, so no parent owns them.
    QBuffer buffer;
    buffer.setData(wave.samples());
    buffer.open(QIODevice::ReadOnly);
    QAudioSink sink(device, wave.audioFormat());

    QEventLoop loop;
    connect(&sink, &QAudioSink::stateChanged, &loop, [&loop](QAudio::State state) {
        if (state == QAudio::IdleState || state == QAudio::StoppedState)
            loop.quit();
    });
    QTimer giveUp;
    giveUp.setSingleShot(true);
    connect(&giveUp, &QTimer::timeout, &loop, &QEventLoop::quit);

    sink.start(&buffer);
    const bool opened = sink.error() == QAudio::NoError && sink.state() != QAudio::StoppedState;
    if (opened) {
        giveUp.start(int(qMin<qint64>(wave.durationMs() + GraceMs, std::numeric_limits<int>::max())));
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    const QAudio::Error error = sink.error();
    sink.stop();
    if (!opened || error == QAudio::OpenError || error == QAudio::FatalError)
        throw LumoError(openErrorText());
}

#include "platform/sound/sounddevice.h"

#include "platform/sound/wavefile.h"
#include "platform/sound/waveheader.h"
#include "platform/sound/wavewriter.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QAudioSource>
#include <QBuffer>
#include <QEventLoop>
#include <QFile>
#include <QMediaDevices>
#include <QScopeGuard>
#include <QScopedValueRollback>
#include <QTimer>
#include <algorithm>
#include <limits>

namespace {
// Extra time the device may take beyond the sound's length before waiting is given up.
constexpr int GraceMs = 3000;
} // namespace

SoundDevice::SoundDevice(QObject *parent) : QObject(parent), m_sound(new QBuffer(this)) {}

SoundDevice::~SoundDevice()
{
    releaseStreams();
    // They still know the buffer they played from, which as the older child would go first.
    deleteRetired();
}

void SoundDevice::deleteRetired()
{
    qDeleteAll(std::exchange(m_retired, {}));
}

QString SoundDevice::openErrorText()
{
    return QStringLiteral("Error opening multimedia device!");
}

void SoundDevice::open()
{
    QFile file(m_fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw LumoError(openErrorText());
    const QByteArray image = file.readAll();
    load(WaveFile::fromBytes(image), image);
}

void SoundDevice::load(const WaveFile &wave, const QByteArray &image)
{
    close();
    m_format = wave.audioFormat();
    m_blockAlign = qMax(wave.blockAlign(), 1);
    m_header = image.left(wave.dataChunkOffset() + 8);
    m_sound->setData(wave.samples());
    m_startMs = 0;
    m_stoppedAtMs = 0;
    m_mode = Mode::Stopped;
}

void SoundDevice::close()
{
    releaseStreams();
    m_sound->close();
    m_sound->setData(QByteArray());
    m_header.clear();
    m_startMs = 0;
    m_stoppedAtMs = 0;
    m_mode = Mode::NotReady;
}

void SoundDevice::requireOpen() const
{
    if (m_mode == Mode::NotReady)
        throw LumoError(openErrorText());
}

bool SoundDevice::running() const
{
    return m_mode == Mode::Playing || m_mode == Mode::Recording;
}

void SoundDevice::play()
{
    requireOpen();
    if (m_mode == Mode::Recording || m_mode == Mode::Paused)
        stop();
    releaseStreams();
    startSink();
    if (m_wait)
        waitWhileRunning(length() - m_startMs + GraceMs);
}

void SoundDevice::startSink()
{
    deleteRetired();
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull())
        throw LumoError(openErrorText());
    // A sound played to its end starts again from the beginning.
    m_startMs = m_stoppedAtMs < length() ? m_stoppedAtMs : 0;
    m_sound->close();
    m_sound->open(QIODevice::ReadOnly);
    m_sound->seek(msToBytes(m_startMs));
    m_failed = false;
    m_sink = new QAudioSink(device, m_format, this);
    connect(m_sink, &QAudioSink::stateChanged, this, [this] {
        const QScopedValueRollback inSignal(m_inStreamSignal, true);
        sinkStateChanged();
    });
    m_mode = Mode::Playing;
    m_sink->start(m_sound);
    if (m_sink->error() != QAudio::NoError || m_sink->state() == QAudio::StoppedState) {
        releaseStreams();
        m_mode = Mode::Stopped;
        throw LumoError(openErrorText());
    }
}

void SoundDevice::sinkStateChanged()
{
    if (!m_sink || m_mode == Mode::Paused)
        return;
    const QAudio::State state = m_sink->state();
    if (state == QAudio::IdleState || state == QAudio::StoppedState) {
        m_failed = m_sink->error() == QAudio::OpenError || m_sink->error() == QAudio::FatalError;
        m_stoppedAtMs = m_failed ? position() : length();
        endByItself();
    }
}

void SoundDevice::record()
{
    requireOpen();
    releaseStreams();
    deleteRetired();
    const QAudioDevice device = QMediaDevices::defaultAudioInput();
    if (device.isNull())
        throw LumoError(openErrorText());
    // A recording replaces the sound.
    m_sound->close();
    m_sound->setData(QByteArray());
    m_startMs = 0;
    m_stoppedAtMs = 0;
    m_failed = false;
    m_source = new QAudioSource(device, m_format, this);
    connect(m_source, &QAudioSource::stateChanged, this, [this](QAudio::State state) {
        const QScopedValueRollback inSignal(m_inStreamSignal, true);
        if (state == QAudio::StoppedState && m_source && m_source->error() != QAudio::NoError) {
            m_failed = true;
            endByItself();
        }
    });
    m_input = m_source->start();
    if (!m_input || m_source->error() != QAudio::NoError) {
        releaseStreams();
        m_mode = Mode::Stopped;
        throw LumoError(openErrorText());
    }
    connect(m_input, &QIODevice::readyRead, this, [this] {
        const QScopedValueRollback inSignal(m_inStreamSignal, true);
        sourceDataArrived();
    });
    m_mode = Mode::Recording;
    if (m_wait && m_recordLimitMs > 0)
        waitWhileRunning(m_recordLimitMs + GraceMs);
}

void SoundDevice::sourceDataArrived()
{
    if (!m_input)
        return;
    const QByteArray chunk = m_input->readAll();
    const qint64 limit =
        m_recordLimitMs > 0 ? msToBytes(m_recordLimitMs) : std::numeric_limits<qint64>::max();
    const qint64 room = limit - m_sound->buffer().size();
    m_sound->buffer().append(chunk.constData(), qsizetype(qMin<qint64>(room, chunk.size())));
    if (m_sound->buffer().size() >= limit && m_mode == Mode::Recording) {
        m_stoppedAtMs = length();
        endByItself();
    }
}

void SoundDevice::endByItself()
{
    releaseStreams();
    m_mode = Mode::Stopped;
    emit notify();
}

void SoundDevice::stop()
{
    if (m_source)
        sourceDataArrived(); // what the device still holds belongs to the recording
    if (m_sink || m_source)
        m_stoppedAtMs = m_source ? length() : position();
    releaseStreams();
    if (m_mode != Mode::NotReady)
        m_mode = Mode::Stopped;
}

void SoundDevice::pause()
{
    if (m_mode == Mode::Playing && m_sink)
        m_sink->suspend();
    else if (m_mode == Mode::Recording && m_source)
        m_source->suspend();
    else
        return;
    m_pausedFrom = m_mode;
    m_mode = Mode::Paused;
}

void SoundDevice::resume()
{
    if (m_mode != Mode::Paused)
        return;
    m_mode = m_pausedFrom;
    if (m_sink)
        m_sink->resume();
    if (m_source)
        m_source->resume();
}

void SoundDevice::seek(qint64 ms)
{
    requireOpen();
    stop();
    m_stoppedAtMs = qBound<qint64>(0, ms, length());
}

void SoundDevice::releaseStreams()
{
    // Deleting a stream runs the event loop, so deleteLater would delete it twice. A stream
    // whose own signal is being handled is deleted once that is over, others at once, while
    // everything around is still whole.
    if (m_sink) {
        m_sink->disconnect(this);
        m_sink->stop();
        m_retired.append(m_sink);
        m_sink = nullptr;
    }
    if (m_source) {
        m_source->disconnect(this);
        if (m_input)
            m_input->disconnect(this);
        m_source->stop();
        m_retired.append(m_source);
        m_source = nullptr;
        m_input = nullptr;
    }
    m_sound->close();
    if (m_retired.isEmpty())
        return;
    if (m_inStreamSignal)
        QTimer::singleShot(0, this, &SoundDevice::deleteRetired);
    else
        deleteRetired();
}

qint64 SoundDevice::position() const
{
    if (m_source)
        return length();
    if (m_sink)
        return qMin(m_startMs + m_sink->processedUSecs() / 1000, length());
    return m_stoppedAtMs;
}

qint64 SoundDevice::length() const
{
    return bytesToMs(m_sound->buffer().size());
}

qint64 SoundDevice::bytesToMs(qint64 bytes) const
{
    const int rate = m_format.sampleRate();
    return rate > 0 ? bytes / m_blockAlign * 1000 / rate : 0;
}

qint64 SoundDevice::msToBytes(qint64 ms) const
{
    return ms * m_format.sampleRate() / 1000 * m_blockAlign;
}

QByteArray SoundDevice::recording() const
{
    return WaveHeader::withSamples(m_header, m_sound->buffer(), m_blockAlign);
}

void SoundDevice::save(const QString &path) const
{
    WaveWriter::saveBytes(path, recording());
}

void SoundDevice::waitWhileRunning(qint64 limitMs)
{
    if (!running())
        return;
    // Both live only for this call, on the stack, so no parent owns them.
    QEventLoop loop;
    connect(this, &SoundDevice::notify, &loop, &QEventLoop::quit);
    QTimer giveUp;
    giveUp.setSingleShot(true);
    connect(&giveUp, &QTimer::timeout, &loop, &QEventLoop::quit);
    giveUp.start(int(std::clamp<qint64>(limitMs, 0, std::numeric_limits<int>::max())));
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (running())
        stop();
    if (m_failed)
        throw LumoError(openErrorText());
}

void SoundDevice::playWave(const QByteArray &image)
{
    const WaveFile wave = WaveFile::fromBytes(image);
    if (QMediaDevices::defaultAudioOutput().isNull())
        throw LumoError(openErrorText());
    if (wave.samples().isEmpty())
        return;
    load(wave, image);
    const bool waited = m_wait;
    const auto restore = qScopeGuard([this, waited] {
        m_wait = waited;
        close();
    });
    m_wait = true;
    play();
}

#pragma once

#include "platform/sound/waveplayer.h"

#include <QAudioFormat>
#include <QList>
#include <QObject>

class QAudioSink;
class QBuffer;
class QAudioSource;
class QIODevice;
class WaveFile;

// The system's sound device for wave audio: opened on a wave file, it plays it from a
// position, pauses and resumes, records into it in the file's format and saves the
// recording; it also plays wave images held in memory. Playing and recording run while the
// event loop runs; notify() tells when one ended by itself.
class SoundDevice : public QObject, public WavePlayer
{
    Q_OBJECT

public:
    enum class Mode { NotReady, Stopped, Playing, Recording, Seeking, Paused, Open };
    Q_ENUM(Mode)

    explicit SoundDevice(QObject *parent = nullptr);
    ~SoundDevice() override;

    static QString openErrorText();

    QString fileName() const { return m_fileName; }
    void setFileName(const QString &path) { m_fileName = path; }
    // With wait on, play and record return only when they have ended.
    bool wait() const { return m_wait; }
    void setWait(bool on) { m_wait = on; }
    // A recording stops by itself at this length (0: no limit).
    qint64 recordLimitMs() const { return m_recordLimitMs; }
    void setRecordLimitMs(qint64 ms) { m_recordLimitMs = ms; }

    // Reads the file: its sound is what play plays, its format what record records. Throws
    // WaveFormatError for a file that is not a playable wave and LumoError("Error opening
    // multimedia device!") for one that cannot be read.
    void open();
    // Stops and forgets the sound; failures cannot happen.
    void close();
    // Both throw LumoError("Error opening multimedia device!") when there is no device or it
    // refuses to start; they never wait for a device that is not there.
    void play();
    void record();
    void stop();
    void pause();
    void resume();
    void seek(qint64 ms);
    // Writes the file as opened with the recorded sound as its data, sizes filled in;
    // throws WaveWriteError.
    void save(const QString &path) const;

    Mode mode() const { return m_mode; }
    // In milliseconds from the start of the sound.
    qint64 position() const;
    qint64 length() const;
    // The recorded sound as a complete wave file.
    QByteArray recording() const;

    // Plays the image and returns when it has ended; user input waits meanwhile. Throws
    // WaveFormatError for malformed data and LumoError("Error opening multimedia device!")
    // when there is no sound device or it cannot be opened.
    void playWave(const QByteArray &image) override;

signals:
    // Playing reached the end, a recording reached its limit, or the device gave up.
    void notify();

private:
    void load(const WaveFile &wave, const QByteArray &image);
    void requireOpen() const;
    void startSink();
    void startSource();
    void sinkStateChanged();
    void sourceDataArrived();
    void endByItself();
    void releaseStreams();
    void deleteRetired();
    void waitWhileRunning(qint64 limitMs);
    bool running() const;
    qint64 bytesToMs(qint64 bytes) const;
    qint64 msToBytes(qint64 ms) const;

    QString m_fileName;
    bool m_wait = false;
    qint64 m_recordLimitMs = 0;
    Mode m_mode = Mode::NotReady;
    Mode m_pausedFrom = Mode::Stopped;
    QAudioFormat m_format;
    int m_blockAlign = 1;
    QByteArray m_header; // the file's bytes up to the sound data
    QBuffer *m_sound;    // what plays and what a recording fills
    qint64 m_startMs = 0;
    qint64 m_stoppedAtMs = 0;
    QAudioSink *m_sink = nullptr;
    QAudioSource *m_source = nullptr;
    QIODevice *m_input = nullptr;
    QList<QObject *> m_retired; // stopped streams, children still
    bool m_inStreamSignal = false;
    bool m_failed = false; // the device gave up while running
};

#pragma once

#include "platform/lumoerror.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <mutex>

// Raised when a text cannot be spoken; the text says why.
class SpeechError : public LumoError
{
public:
    using LumoError::LumoError;
};

// The speech synthesiser that speaks words which have no recorded sound. The library behind it
// keeps global state, so there is one instance; it starts on first use and every call is
// serialised. Where the program was built without speech, or the synthesiser does not start
// (no voice data), it is simply unavailable and speaks nothing.
class SpeechSynthesizer
{
public:
    static SpeechSynthesizer &instance();

    // Whether this build can speak at all.
    static bool compiledIn();

    // The folder of the voice data ("espeak-ng-data" or its parent); empty for the system's.
    // Only the first start reads it.
    void setDataPath(const QString &path);

    // Starts the synthesiser once; false when it is missing or did not start.
    bool available();
    // Whether the voice exists; false while unavailable.
    bool hasVoice(const QString &voice);

    // The text spoken by the voice as a wave image: PCM, mono, 16 bits at the synthesiser's
    // rate, as the sound device plays it. Throws SpeechError for an empty text, an unknown
    // voice, a synthesiser that is unavailable or fails, and a result without sound.
    QByteArray speak(const QString &text, const QString &voice);

    SpeechSynthesizer(const SpeechSynthesizer &) = delete;
    SpeechSynthesizer &operator=(const SpeechSynthesizer &) = delete;

private:
    SpeechSynthesizer() = default;
    bool startLocked();
    bool selectVoiceLocked(const QString &voice);

    std::mutex m_mutex;
    QString m_dataPath;
    bool m_tried = false;
    int m_sampleRate = 0;          // 0 while not started or failed
    QHash<QString, bool> m_voices; // loading a voice takes a while; the answer never changes
};

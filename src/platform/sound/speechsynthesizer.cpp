#include "platform/sound/speechsynthesizer.h"

#include "platform/sound/wavewriter.h"

#include <QFile>
#include <QtEndian>

#ifdef LUMO_SPEECH
#include <espeak-ng/speak_lib.h>
#endif

namespace {
#ifdef LUMO_SPEECH
// Where the callback puts the samples of the text being spoken; set only under the mutex.
QByteArray *collected = nullptr;

int collectSamples(short *samples, int count, espeak_EVENT *)
{
    if (samples && collected) {
        for (int i = 0; i < count; ++i) {
            char bytes[2];
            qToLittleEndian<qint16>(samples[i], bytes);
            collected->append(bytes, 2);
        }
    }
    return 0; // go on
}
#endif
} // namespace

SpeechSynthesizer &SpeechSynthesizer::instance()
{
    static SpeechSynthesizer synthesizer;
    return synthesizer;
}

bool SpeechSynthesizer::compiledIn()
{
#ifdef LUMO_SPEECH
    return true;
#else
    return false;
#endif
}

void SpeechSynthesizer::setDataPath(const QString &path)
{
    const std::lock_guard lock(m_mutex);
    m_dataPath = path;
}

bool SpeechSynthesizer::available()
{
    const std::lock_guard lock(m_mutex);
    return startLocked();
}

bool SpeechSynthesizer::hasVoice(const QString &voice)
{
    const std::lock_guard lock(m_mutex);
    if (!startLocked())
        return false;
    const auto known = m_voices.constFind(voice);
    if (known != m_voices.constEnd())
        return known.value();
    const bool found = selectVoiceLocked(voice);
    m_voices.insert(voice, found);
    return found;
}

#ifdef LUMO_SPEECH

bool SpeechSynthesizer::startLocked()
{
    if (m_tried)
        return m_sampleRate > 0;
    m_tried = true;
    const QByteArray path = QFile::encodeName(m_dataPath);
    // Without DONT_EXIT the library ends the whole program when its data is missing.
    const int rate = espeak_Initialize(
        AUDIO_OUTPUT_SYNCHRONOUS, 0, path.isEmpty() ? nullptr : path.constData(), espeakINITIALIZE_DONT_EXIT);
    if (rate <= 0)
        return false;
    espeak_SetSynthCallback(collectSamples);
    m_sampleRate = rate;
    return true;
}

bool SpeechSynthesizer::selectVoiceLocked(const QString &voice)
{
    // An unknown name keeps the voice before it, so only the answer tells.
    return !voice.isEmpty() && espeak_SetVoiceByName(voice.toUtf8().constData()) == EE_OK;
}

QByteArray SpeechSynthesizer::speak(const QString &text, const QString &voice)
{
    const QString words = text.trimmed();
    if (words.isEmpty())
        throw SpeechError(QStringLiteral("There is no text to speak."));
    const std::lock_guard lock(m_mutex);
    if (!startLocked())
        throw SpeechError(QStringLiteral("The speech synthesiser is not available."));
    if (!selectVoiceLocked(voice))
        throw SpeechError(QStringLiteral("There is no voice for this language: ") + voice);
    QByteArray samples;
    collected = &samples;
    const QByteArray utf8 = words.toUtf8();
    const espeak_ERROR result = espeak_Synth(utf8.constData(), size_t(utf8.size()) + 1, 0, POS_CHARACTER, 0,
                                             espeakCHARS_UTF8, nullptr, nullptr);
    collected = nullptr;
    if (result != EE_OK)
        throw SpeechError(QStringLiteral("The speech synthesiser failed to speak: ") + words);
    if (samples.isEmpty())
        throw SpeechError(QStringLiteral("The speech synthesiser gave no sound for: ") + words);
    return WaveWriter(1, m_sampleRate, 16).image(samples);
}

#else

bool SpeechSynthesizer::startLocked()
{
    m_tried = true;
    return false;
}

bool SpeechSynthesizer::selectVoiceLocked(const QString &)
{
    return false;
}

QByteArray SpeechSynthesizer::speak(const QString &text, const QString &)
{
    if (text.trimmed().isEmpty())
        throw SpeechError(QStringLiteral("There is no text to speak."));
    throw SpeechError(QStringLiteral("The speech synthesiser is not available."));
}

#endif

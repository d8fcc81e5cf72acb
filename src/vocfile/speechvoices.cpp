#include "vocfile/speechvoices.h"

#include "platform/sound/speechsynthesizer.h"
#include "vocfile/vocabularylanguages.h"

#include <QRegularExpression>

namespace {
// By language number. One voice serves the countries of one tongue: the synthesiser's main
// English, French and German voices are closer to each country's speech than none, and it has
// no Australian, Belgian, Swiss or Austrian voice of its own.
const char *const Voices[LanguageCount] = {
    nullptr, // vlOther
    "en",    // vlAmericanEnglish
    "en",    // vlBritishEnglish
    "en",    // vlAustralianEnglish
    "fr",    // vlFrench
    "fr",    // vlBelgian
    "de",    // vlGerman
    "de",    // vlSwiss
    "de",    // vlAustrian
    "it",    // vlItalian
    "es",    // vlSpanish
    "el",    // vlGreek
    "nl",    // vlDutch
    "tr",    // vlTurkish
    "pt-BR", // vlBrazilian
    "da",    // vlDanish
    "fi",    // vlFinnish
    "nb",    // vlNorwegian
    "sv",    // vlSwedish
};
} // namespace

// As in the sample units' sounds, notes are not read and meanings get a short pause.
QString SpeechVoices::spokenText(const QString &text)
{
    static const QRegularExpression notes(QStringLiteral("\\([^)]*\\)"));
    QString spoken = text;
    spoken.remove(notes);
    spoken.replace(u';', u',');
    return spoken.simplified();
}

QString SpeechVoices::voiceOf(int language)
{
    if (!IsLanguageNumber(language) || !Voices[language])
        return QString();
    return QLatin1String(Voices[language]);
}

bool SpeechVoices::canSpeak(int language)
{
    const QString voice = voiceOf(language);
    return !voice.isEmpty() && SpeechSynthesizer::instance().hasVoice(voice);
}

QByteArray SpeechVoices::speak(const QString &text, int language)
{
    const QString spoken = spokenText(text);
    const QString voice = voiceOf(language);
    if (voice.isEmpty() && !spoken.isEmpty())
        throw SpeechError(QStringLiteral("There is no voice for this language."));
    return SpeechSynthesizer::instance().speak(spoken, voice);
}

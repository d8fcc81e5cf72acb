#pragma once

#include <QByteArray>
#include <QString>

// The synthesiser's voice for each vocabulary language, and the words of a language spoken.
// Languages of one tongue share its voice; "Other" has none.
class SpeechVoices
{
public:
    // The voice name for a language number; empty for "Other" and numbers outside 0 to 18.
    static QString voiceOf(int language);

    // The language has a voice and the synthesiser runs.
    static bool canSpeak(int language);

    // What is read aloud of an entry's text: notes in brackets left out, ";" between
    // meanings a short pause, blanks collapsed. Empty when there is nothing to say.
    static QString spokenText(const QString &text);

    // The text read aloud in the language as a wave image; throws SpeechError when it cannot
    // be (nothing to say, no voice, no synthesiser, no sound).
    static QByteArray speak(const QString &text, int language);
};

#include "platform/sound/speechsynthesizer.h"
#include "platform/sound/wavefile.h"
#include "vocfile/speechvoices.h"
#include "vocfile/vocabularylanguages.h"

#include <QTest>

// The voice of each vocabulary language and the words of a language spoken.
class TestSpeechVoices : public QObject
{
    Q_OBJECT

private slots:
    void eachLanguageHasItsVoice_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("voice");
        QTest::newRow("Other") << int(vlOther) << QString();
        // Countries of one tongue share its voice.
        QTest::newRow("American English") << int(vlAmericanEnglish) << "en";
        QTest::newRow("British English") << int(vlBritishEnglish) << "en";
        QTest::newRow("Australian English") << int(vlAustralianEnglish) << "en";
        QTest::newRow("French") << int(vlFrench) << "fr";
        QTest::newRow("Belgian") << int(vlBelgian) << "fr";
        QTest::newRow("German") << int(vlGerman) << "de";
        QTest::newRow("Swiss") << int(vlSwiss) << "de";
        QTest::newRow("Austrian") << int(vlAustrian) << "de";
        QTest::newRow("Italian") << int(vlItalian) << "it";
        QTest::newRow("Spanish") << int(vlSpanish) << "es";
        QTest::newRow("Greek") << int(vlGreek) << "el";
        QTest::newRow("Dutch") << int(vlDutch) << "nl";
        QTest::newRow("Turkish") << int(vlTurkish) << "tr";
        QTest::newRow("Brazilian") << int(vlBrazilian) << "pt-BR";
        QTest::newRow("Danish") << int(vlDanish) << "da";
        QTest::newRow("Finnish") << int(vlFinnish) << "fi";
        QTest::newRow("Norwegian") << int(vlNorwegian) << "nb";
        QTest::newRow("Swedish") << int(vlSwedish) << "sv";
        QTest::newRow("below the numbers") << -1 << QString();
        QTest::newRow("above the numbers") << LanguageCount << QString();
    }

    void eachLanguageHasItsVoice()
    {
        QFETCH(int, language);
        QFETCH(QString, voice);
        QCOMPARE(SpeechVoices::voiceOf(language), voice);
        // Every voice named is one the synthesiser has.
        if (SpeechSynthesizer::compiledIn())
            QCOMPARE(SpeechVoices::canSpeak(language), !voice.isEmpty());
        else
            QVERIFY(!SpeechVoices::canSpeak(language));
    }

    void notesAreNotReadAloud_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("spoken");
        QTest::newRow("plain") << "Haus"
                               << "Haus";
        QTest::newRow("note first") << "(to) go"
                                    << "go";
        QTest::newRow("note inside") << "der (m.) Hund"
                                     << "der Hund";
        QTest::newRow("two notes") << "(a) b (c)"
                                   << "b";
        QTest::newRow("meanings") << "walk;go ; run"
                                  << "walk,go , run";
        QTest::newRow("note only") << "(note)"
                                   << "";
        QTest::newRow("blanks") << " \t "
                                << "";
        QTest::newRow("unclosed bracket stays") << "go (to"
                                                << "go (to";
    }

    void notesAreNotReadAloud()
    {
        QFETCH(QString, text);
        QTEST(SpeechVoices::spokenText(text), "spoken");
    }

    void wordsAreSpokenInTheirLanguage()
    {
        if (!SpeechSynthesizer::compiledIn())
            QSKIP("built without speech");
        for (int language = vlAmericanEnglish; language < LanguageCount; ++language) {
            const WaveFile wave = WaveFile::fromBytes(SpeechVoices::speak(QStringLiteral("Haus"), language));
            QVERIFY2(wave.durationMs() > 100, qPrintable(LanguageEnglishName(language)));
        }
    }

    void otherHasNoVoiceToSpeakWith()
    {
        QVERIFY_THROWS_EXCEPTION(SpeechError, SpeechVoices::speak(QStringLiteral("Haus"), vlOther));
        QVERIFY_THROWS_EXCEPTION(SpeechError, SpeechVoices::speak(QString(), vlGerman));
        QVERIFY_THROWS_EXCEPTION(SpeechError, SpeechVoices::speak(QStringLiteral("(note)"), vlGerman));
        QVERIFY_THROWS_EXCEPTION(SpeechError, SpeechVoices::speak(QStringLiteral("Haus"), LanguageCount));
    }
};

QTEST_GUILESS_MAIN(TestSpeechVoices)
#include "tst_speechvoices.moc"

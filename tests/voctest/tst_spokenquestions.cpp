#include "voctest/enginefixture.h"

#include "platform/sound/speechsynthesizer.h"
#include "platform/sound/wavefile.h"
#include "support/spokenwave.h"
#include "vocfile/vocabularylanguages.h"

namespace {
const QByteArray Recorded("RIFF....WAVE recorded");

// A with a native sound, B with a foreign one, C with none; D has no native word, E blanks and
// F a note only, none of which can be read aloud.
QList<Entry> mixedEntries()
{
    return {{"A", "a", 1, Recorded, {}}, {"B", "b", 1, {}, Recorded}, {"C", "c", 1, {}, {}},
            {"", "d", 1, {}, {}},        {"  ", "e", 1, {}, {}},      {"(f)", "f", 1, {}, {}}};
}
} // namespace

// Questions without a recorded sound spoken by the synthesiser, as the variant key
// SpeakMissingSounds asks: which entries join a listening test and what is played.
class TestSpokenQuestions : public QObject
{
    Q_OBJECT

private:
    // The unit's languages changed under the engine, as another unit would bring them.
    static void setLanguages(EngineFixture &f, int first, int second)
    {
        f.descriptor = f.folder.writeText(
            QStringLiteral("Vocabulary/unit.lif"),
            QStringLiteral("[general]\nFirstLanguage=%1\nSecondLanguage=%2\n").arg(first).arg(second));
        f.engine.setVocabularyFile(f.descriptor);
        f.engine.Reload();
    }

private slots:
    void initTestCase()
    {
        if (!SpeechSynthesizer::compiledIn())
            QSKIP("built without speech");
        QVERIFY(SpeechSynthesizer::instance().available());
    }

    void entriesThatJoinAListeningTest_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("swap");
        QTest::addColumn<int>("questionLanguage");
        QTest::addColumn<QStringList>("asked");
        const QStringList recordedOnly{"A"};
        const QStringList spoken{"A", "B", "C"};
        QTest::newRow("no key") << QString() << false << int(vlGerman) << recordedOnly;
        QTest::newRow("0") << "SpeakMissingSounds=0\n" << false << int(vlGerman) << recordedOnly;
        QTest::newRow("no") << "SpeakMissingSounds=no\n" << false << int(vlGerman) << recordedOnly;
        QTest::newRow("1, German") << "SpeakMissingSounds=1\n" << false << int(vlGerman) << spoken;
        QTest::newRow("yes, Greek") << "SpeakMissingSounds=yes\n" << false << int(vlGreek) << spoken;
        QTest::newRow("1, Other has no voice") << "SpeakMissingSounds=1\n"
                                               << false << int(vlOther) << recordedOnly;
        QTest::newRow("0, swapped") << "SpeakMissingSounds=0\n" << true << int(vlGerman) << QStringList{"b"};
        QTest::newRow("1, swapped") << "SpeakMissingSounds=1\n"
                                    << true << int(vlBrazilian) << QStringList{"a", "b", "c", "d", "e", "f"};
        QTest::newRow("1, swapped to Other") << "SpeakMissingSounds=1\n"
                                             << true << int(vlOther) << QStringList{"b"};
    }

    void entriesThatJoinAListeningTest()
    {
        QFETCH(QString, key);
        QFETCH(bool, swap);
        QFETCH(int, questionLanguage);
        QFETCH(QStringList, asked);
        EngineFixture f(mixedEntries(), variantText("comprehension", key));
        f.engine.setSwap(swap);
        // The question language is the first with the sides as entered, the second swapped.
        setLanguages(f, swap ? int(vlGerman) : questionLanguage, swap ? questionLanguage : int(vlGerman));
        QVERIFY(f.engine.ready());
        QCOMPARE(f.engine.wordCount(), asked.size());
        // Each once; forward order moves past an entry answered, so only the set is fixed.
        QStringList all = f.askAllRight();
        all.sort();
        QCOMPARE(all, asked);
        QVERIFY(f.messages.shown().isEmpty());
    }

    void aQuestionWithoutASoundIsSpoken()
    {
        EngineFixture f(mixedEntries(), variantText("comprehension", "SpeakMissingSounds=1\n"));
        setLanguages(f, vlGerman, vlGreek);
        QCOMPARE(f.engine.question(), QStringLiteral("A"));
        QVERIFY(f.engine.questionHasSound());
        QVERIFY(f.engine.PlayQuestionSound());
        // A recorded sound is played as it is.
        QCOMPARE(f.player.played, QList<QByteArray>{Recorded});
        f.answer(QStringLiteral("A"));
        QCOMPARE(f.engine.question(), QStringLiteral("C"));
        QVERIFY(f.engine.questionHasSound());
        QVERIFY(f.engine.PlayQuestionSound());
        QCOMPARE(f.player.played.size(), 2);
        // In the question's language, German, not in the answer's.
        QVERIFY(SpokenAlike(f.player.played.last(),
                            SpeechSynthesizer::instance().speak(QStringLiteral("C"), QStringLiteral("de"))));
        QVERIFY(f.messages.shown().isEmpty());
    }

    void otherTestsSpeakOnlyWithTheKey_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("spoken");
        QTest::newRow("no key") << QString() << false;
        QTest::newRow("0") << "SpeakMissingSounds=0\n" << false;
        QTest::newRow("1") << "SpeakMissingSounds=1\n" << true;
    }

    void otherTestsSpeakOnlyWithTheKey()
    {
        QFETCH(QString, key);
        QFETCH(bool, spoken);
        // C has no sound; a standard test asks every entry either way.
        EngineFixture f({{"C", "c"}, {"", "d"}}, variantText("standard", key));
        setLanguages(f, vlFrench, vlGerman);
        QCOMPARE(f.engine.wordCount(), 2);
        QCOMPARE(f.engine.questionHasSound(), spoken);
        QCOMPARE(f.engine.PlayQuestionSound(), spoken);
        QCOMPARE(f.player.played.size(), spoken ? 1 : 0);
        // An entry without a word has nothing to speak.
        f.answer(QStringLiteral("c"));
        QVERIFY(!f.engine.questionHasSound());
        QVERIFY(!f.engine.PlayQuestionSound());
        QVERIFY(f.messages.shown().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestSpokenQuestions)
#include "tst_spokenquestions.moc"

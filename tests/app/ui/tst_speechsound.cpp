#include "app/ui/inputpagefixture.h"
#include "app/ui/mainform.h"
#include "app/ui/pagecontrol.h"
#include "input/ui/dbmediaplayer.h"
#include "input/ui/inputpage.h"
#include "input/ui/lumodbgrid.h"
#include "platform/sound/speechsynthesizer.h"
#include "platform/sound/wavefile.h"
#include "platform/sound/wavewriter.h"
#include "support/screenshot.h"
#include "support/spokenwave.h"
#include "units/ui/lumolistview.h"
#include "units/ui/unitpage.h"
#include "vocfile/speechvoices.h"
#include "vocfile/vocabularylanguages.h"
#include "widgets/lumotablemodel.h"
#include "widgets/speedbutton.h"

#include <QDir>
#include <QSignalSpy>
#include <QTest>

namespace {
using Mode = SoundDevice::Mode;
} // namespace

// Spoken words on the input page of the main window: the button that stores a side's word
// spoken, the message for a word that cannot be, and the recorder speaking a side without a
// sound, against the test run's private sound server.
class TestSpeechSound : public QObject, protected InputPageFixture
{
    Q_OBJECT

private:
    // Entries "word <i>" / "Wort <i>" in the two languages, the input page on the first.
    void openUnit(int native, int foreign) { openInputPage(native, foreign); }

    void setField(int field, const QVariant &value)
    {
        TLumoTable &table = *form->LumoTable1();
        table.edit();
        table.setFieldValue(field, value);
        table.post();
    }

    bool waitForTheEnd()
    {
        QSignalSpy ended(player()->device(), &SoundDevice::notify);
        return player()->mode() != Mode::Playing || ended.wait(10000);
    }

private slots:
    void initTestCase()
    {
        if (!SpeechSynthesizer::compiledIn())
            QSKIP("built without speech");
    }

    void init() { setUpFixture(); }

    void cleanup()
    {
        form.reset();
        folder.reset();
    }

    void theButtonStoresTheSpokenWordInTheUnit()
    {
        openUnit(vlBritishEnglish, vlGerman);
        goToColumn(LumoTableModel::ForeignColumn, 1);
        QVERIFY(page()->SpeakWordBtn->isVisibleTo(page()));
        QVERIFY(page()->SpeakWordBtn->isEnabled());
        page()->SpeakWordBtn->click();
        const QByteArray expected = SpeechVoices::speak(QStringLiteral("Wort 1"), vlGerman);
        const QByteArray stored = sound(TLumoTable::ForeignSound);
        QVERIFY(SpokenAlike(stored, expected));
        storedOnTheForeignSideOnly(1);

        // Kept with the unit: read back once the window has closed it.
        form.reset();
        TLumoTable reader(messages);
        reader.setVocabularyFile(units + QStringLiteral("unit.db"));
        reader.open();
        QVERIFY(reader.findKey(2));
        QCOMPARE(reader.blobValue(TLumoTable::ForeignSound), stored);
        QVERIFY(reader.fieldIsNull(TLumoTable::NativeSound));
        QVERIFY(reader.findKey(1));
        QVERIFY(reader.fieldIsNull(TLumoTable::ForeignSound));
    }

    void theButtonServesTheSideWhoseLanguageHasAVoice()
    {
        openUnit(vlOther, vlSwiss);
        QVERIFY(page()->SpeakWordBtn->isVisibleTo(page()));
        QVERIFY(!page()->SpeakWordBtn->isEnabled());
        goToColumn(LumoTableModel::ForeignColumn);
        QVERIFY(page()->SpeakWordBtn->isEnabled());
        // The type column counts as the foreign side, as for the recorder.
        goToColumn(LumoTableModel::TypeColumn);
        QVERIFY(page()->SpeakWordBtn->isEnabled());
        goToColumn(LumoTableModel::NativeColumn);
        QVERIFY(!page()->SpeakWordBtn->isEnabled());
    }

    void anUnspeakableWordIsReportedAndChangesNothing_data()
    {
        QTest::addColumn<int>("native");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("reason");
        QTest::newRow("empty word") << int(vlGerman) << QString() << "no text";
        QTest::newRow("blank word") << int(vlGerman) << QStringLiteral("   ") << "no text";
        QTest::newRow("no voice for Other") << int(vlOther) << QStringLiteral("word") << "no voice";
    }

    void anUnspeakableWordIsReportedAndChangesNothing()
    {
        QFETCH(int, native);
        QFETCH(QString, word);
        QFETCH(QString, reason);
        openUnit(native, vlGerman);
        const QByteArray before = WaveWriter().image(QByteArray(80, '\x80'));
        setField(TLumoTable::NativeLanguage, word);
        setField(TLumoTable::NativeSound, before);
        form->inputPage()->SpeakWordBtnClick();
        QCOMPARE(sound(TLumoTable::NativeSound), before);
        QCOMPARE(form->LumoTable1()->fieldValue(TLumoTable::NativeLanguage).toString(), word);
        QCOMPARE(messages.shown().size(), 1);
        const QString text = messages.shown().first().text;
        QVERIFY2(text.startsWith(QStringLiteral("This word cannot be spoken, so no sound was stored:\r\n")),
                 qPrintable(text));
        QVERIFY2(text.contains(reason), qPrintable(text));
    }

    void playSpeaksASideWithoutASound()
    {
        openUnit(vlBritishEnglish, vlGreek);
        goToColumn(LumoTableModel::ForeignColumn);
        player()->click(TDBMediaPlayer::btPlay);
        QCOMPARE(player()->mode(), Mode::Playing);
        const qint64 expected =
            WaveFile::fromBytes(SpeechVoices::speak(QStringLiteral("Wort 0"), vlGreek)).durationMs();
        QVERIFY(std::abs(player()->device()->length() - expected) * 10 <= expected);
        QVERIFY(waitForTheEnd());
        // Heard, not stored.
        QVERIFY(sound(TLumoTable::ForeignSound).isEmpty());
        QVERIFY(!form->inputPage()->TableNeedsPacking());
        QVERIFY(messages.shown().isEmpty());
    }

    void playOnASideWithoutAVoiceDoesNothing()
    {
        openUnit(vlOther, vlGreek);
        player()->click(TDBMediaPlayer::btPlay);
        QVERIFY(player()->mode() != Mode::Playing);
        QCOMPARE(player()->enabledButtons(), TDBMediaPlayer::IdleButtons);
        QVERIFY(messages.shown().isEmpty());
    }

    void theButtonTakesItsHintFromTheLanguageFile()
    {
        openUnit(vlBritishEnglish, vlGerman);
        QCOMPARE(page()->SpeakWordBtn->toolTip(),
                 QStringLiteral("Store the word, spoken by the speech synthesiser, as its sound"));
        form->ApplyLanguageFile(folder->copyFromData(QStringLiteral("deutsch.llf")));
        QCOMPARE(page()->SpeakWordBtn->toolTip(),
                 QStringLiteral("Das Wort, von der Sprachausgabe gesprochen, als seinen Klang speichern"));
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        saveScreenshot(*page(), QStringLiteral("inputpage-speakword"));
    }
};

QTEST_MAIN(TestSpeechSound)
#include "tst_speechsound.moc"

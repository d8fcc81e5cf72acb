#include "app/ui/mainform.h"
#include "app/ui/mainformfixture.h"
#include "app/ui/pagecontrol.h"
#include "input/ui/dbmediaplayer.h"
#include "input/ui/inputpage.h"
#include "input/ui/lumodbgrid.h"
#include "platform/ini/inifile.h"
#include "platform/sound/speechsynthesizer.h"
#include "units/ui/lumolistview.h"
#include "units/ui/unitpage.h"
#include "vocfile/speechvoices.h"
#include "vocfile/vocabularylanguages.h"
#include "voctest/enginefixture.h"
#include "voctest/ui/testparamsdlg.h"
#include "widgets/lumotablemodel.h"
#include "widgets/speedbutton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

// A synthesiser that does not start (its voice data folder is empty): the program behaves as
// one built without speech. The folder is set before anything starts the synthesiser, so this
// test runs in a process of its own.
class TestSpeechUnavailable : public QObject, protected MainFormFixture
{
    Q_OBJECT

private:
    QTemporaryDir noVoices;

private slots:
    void initTestCase()
    {
        QVERIFY(noVoices.isValid());
        SpeechSynthesizer::instance().setDataPath(noVoices.path());
    }

    void init() { setUpFixture(); }
    void cleanup() { folder.reset(); }

    void nothingCanBeSpoken()
    {
        SpeechSynthesizer &synth = SpeechSynthesizer::instance();
        QVERIFY(!synth.available());
        QVERIFY(!synth.hasVoice(QStringLiteral("de")));
        try {
            synth.speak(QStringLiteral("Haus"), QStringLiteral("de"));
            QFAIL("spoke without a synthesiser");
        } catch (const SpeechError &error) {
            QVERIFY2(error.message().contains(QStringLiteral("not available")), qPrintable(error.message()));
        }
        for (int language = 0; language < LanguageCount; ++language)
            QVERIFY(!SpeechVoices::canSpeak(language));
        // Setting the folder again does not start it a second time.
        synth.setDataPath(QString());
        QVERIFY(!synth.available());
    }

    void aListeningTestAsksOnlyRecordedSounds_data()
    {
        QTest::addColumn<QString>("key");
        QTest::newRow("0") << "SpeakMissingSounds=0\n";
        QTest::newRow("1") << "SpeakMissingSounds=1\n";
    }

    void aListeningTestAsksOnlyRecordedSounds()
    {
        QFETCH(QString, key);
        const QByteArray recorded("RIFF....WAVE");
        EngineFixture f({{"A", "a", 1, recorded, {}}, {"B", "b"}, {"C", "c"}},
                        variantText("comprehension", key));
        QVERIFY(f.engine.ready());
        QCOMPARE(f.askAllRight(), QStringList{"A"});
        // Without any sound there is no listening test at all.
        EngineFixture silent({{"B", "b"}, {"C", "c"}}, variantText("comprehension", key));
        QVERIFY(!silent.engine.ready());
        // A standard test plays nothing for an entry without a sound.
        EngineFixture standard({{"B", "b"}}, variantText("standard", key));
        QVERIFY(!standard.engine.questionHasSound());
        QVERIFY(!standard.engine.PlayQuestionSound());
        QVERIFY(standard.player.played.isEmpty());
        QVERIFY(f.messages.shown().isEmpty() && standard.messages.shown().isEmpty());
    }

    void theVariantDialogHidesTheBoxAndKeepsTheKey()
    {
        const QString path =
            folder->writeText(QStringLiteral("speak.ltf"),
                              QStringLiteral("[settings]\nDescription=Speak\nSpeakMissingSounds=1\n"));
        TTestParamsDlg dialog(messages);
        dialog.show();
        dialog.selectByDescription(QStringLiteral("Speak"));
        QVERIFY(!dialog.SpeakMissingSounds->isVisible());
        QVERIFY(dialog.IgnoreAccents->isVisible());
        dialog.MatchCase->setChecked(true);
        dialog.OkBtn->click();
        const IniFile saved(path);
        QCOMPARE(saved.readString(QStringLiteral("settings"), QStringLiteral("MatchCase"), QString()),
                 QStringLiteral("yes"));
        // What the user cannot see, the dialog does not rewrite, not even as "yes".
        QCOMPARE(
            saved.readString(QStringLiteral("settings"), QStringLiteral("SpeakMissingSounds"), QString()),
            QStringLiteral("1"));
    }

    void theInputPageShowsNoSpeechButtonAndPlaysNothing()
    {
        makeUnit(QStringLiteral("unit"), 2, vlBritishEnglish, vlGerman);
        auto form = createForm();
        form->unitPage()->LumoListView1->selectCaption(QStringLiteral("unit"));
        QVERIFY(form->PageControl()->requestPage(2));
        QCoreApplication::processEvents();
        InputPage *page = form->inputPage();
        page->LumoDBGrid1->setCurrentIndex(
            page->LumoDBGrid1->model()->index(0, LumoTableModel::ForeignColumn));
        QVERIFY(!page->SpeakWordBtn->isVisibleTo(page));
        QVERIFY(!page->SpeakWordBtn->isEnabled());
        TDBMediaPlayer *player = page->DBMediaPlayer1;
        player->click(TDBMediaPlayer::btPlay);
        QVERIFY(player->mode() != SoundDevice::Mode::Playing);
        QCOMPARE(player->enabledButtons(), TDBMediaPlayer::IdleButtons);
        QVERIFY(messages.shown().isEmpty());
        QVERIFY(form->LumoTable1()->blobValue(TLumoTable::ForeignSound).isEmpty());
    }
};

QTEST_MAIN(TestSpeechUnavailable)
#include "tst_speechunavailable.moc"

#include "input/ui/dbmediaplayer.h"
#include "platform/sound/wavefile.h"
#include "platform/sound/waveheader.h"
#include "platform/sound/wavewriter.h"
#include "support/scriptedmessageservice.h"
#include "support/testfolder.h"
#include "support/withoutsounddevice.h"
#include "vocfile/lumotable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QtEndian>

namespace {
using Mode = SoundDevice::Mode;
constexpr int BytesPerSecond = 8000;

quint32 u32At(const QByteArray &bytes, int at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

QByteArray silence(int ms)
{
    return WaveWriter().image(QByteArray(ms * BytesPerSecond / 1000, '\x80'));
}
} // namespace

// The recorder bound to a sound field of a unit's table, against the test run's private
// sound server (a null source to record from, a null sink to play into).
class TestDBMediaPlayer : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestFolder> folder;
    ScriptedMessageService messages;
    std::unique_ptr<TLumoTable> table;
    std::unique_ptr<TDBMediaPlayer> player;

    // Sounds as the table holds them; read from the file when it was closed.
    QByteArray storedSound(int field)
    {
        if (table->active())
            return table->blobValue(field);
        TLumoTable reader(messages);
        reader.setVocabularyFile(folder->filePath(QStringLiteral("unit.db")));
        reader.open();
        return reader.blobValue(field);
    }

    void setSound(int field, const QByteArray &sound)
    {
        table->edit();
        table->setFieldValue(field, sound);
        table->post();
    }

    // Waits until the device reports the end of its command.
    bool waitForTheEnd(int timeoutMs = 10000)
    {
        QSignalSpy ended(player->device(), &SoundDevice::notify);
        return player->mode() != Mode::Playing && player->mode() != Mode::Recording ? true
                                                                                    : ended.wait(timeoutMs);
    }

private slots:
    void init()
    {
        folder = std::make_unique<TestFolder>();
        messages = ScriptedMessageService();
        table = std::make_unique<TLumoTable>(messages);
        table->setVocabularyFile(folder->filePath(QStringLiteral("unit.db")));
        table->open();
        table->appendRecord({QVariant(), QStringLiteral("house"), QStringLiteral("Haus"), 1});
        table->appendRecord({QVariant(), QStringLiteral("tree"), QStringLiteral("Baum"), 1});
        table->first();
        player = std::make_unique<TDBMediaPlayer>(messages, nullptr);
        player->setDataSource(table.get());
        player->setDataField(QStringLiteral("NativeSound"));
    }

    void cleanup()
    {
        player.reset();
        table.reset();
        folder.reset();
    }

    void startsIdleWithAllButtons()
    {
        QCOMPARE(player->enabledButtons(), TDBMediaPlayer::IdleButtons);
        QVERIFY(player->button(TDBMediaPlayer::btPlay)->isEnabled());
        QVERIFY(!player->button(TDBMediaPlayer::btStop)->isEnabled());
        QVERIFY(player->button(TDBMediaPlayer::btRecord)->isEnabled());
        QCOMPARE(player->progressTimer()->interval(), 500);
        QVERIFY(!player->progressTimer()->isActive());
        QCOMPARE(player->device()->recordLimitMs(), 30000);
        QVERIFY(player->temporarySoundFile().isEmpty());
    }

    void stopAfterRecordingStoresAWaveAndPosts()
    {
        QSignalSpy progress(player.get(), &TDBMediaPlayer::Progress);
        player->click(TDBMediaPlayer::btRecord);
        QVERIFY(player->recording());
        QCOMPARE(player->mode(), Mode::Recording);
        QCOMPARE(player->enabledButtons(), TDBMediaPlayer::BusyButtons);
        QVERIFY(player->progressTimer()->isActive());
        QCOMPARE(progress.last().at(1).value<Mode>(), Mode::Recording);
        // The timer reports the growing position.
        QTRY_VERIFY(progress.count() >= 4);
        QVERIFY(progress.last().at(0).toLongLong() > 0);

        player->click(TDBMediaPlayer::btStop);
        QVERIFY(!player->recording());
        QCOMPARE(player->enabledButtons(), TDBMediaPlayer::IdleButtons);
        QVERIFY(!player->progressTimer()->isActive());
        QCOMPARE(progress.last().at(0).toLongLong(), 0);
        QCOMPARE(table->state(), SqliteTable::State::Browse);

        const QByteArray wave = storedSound(TLumoTable::NativeSound);
        QVERIFY(storedSound(TLumoTable::ForeignSound).isEmpty());
        const int data = int(u32At(wave, 54));
        QVERIFY2(data >= BytesPerSecond / 2 && data <= BytesPerSecond * 10,
                 qPrintable(QString::number(data)));
        // The format and chunk layout of the empty header, the sizes filled in.
        QCOMPARE(wave.mid(8, 30), WaveHeader::emptyRecording().mid(8, 30));
        QCOMPARE(wave.mid(38, 8), WaveHeader::emptyRecording().mid(38, 8));
        QCOMPARE(wave.mid(50, 4), QByteArray("data"));
        QCOMPARE(u32At(wave, 4), quint32(wave.size() - 8));
        QCOMPARE(u32At(wave, 46), quint32(data));
        QCOMPARE(WaveFile::fromBytes(wave).samples().size(), data);
    }

    void theTemporaryFileIsPrivateAndGoesWithTheRecorder()
    {
        player->click(TDBMediaPlayer::btRecord);
        const QString path = player->temporarySoundFile();
        const QFileInfo file(path);
        const QFileInfo folderInfo(file.absolutePath());
        QVERIFY(file.exists());
        QCOMPARE(file.fileName(), QStringLiteral("lumosnd.tmp"));
        QCOMPARE(QFileInfo(folderInfo.absolutePath()).canonicalFilePath(),
                 QFileInfo(QDir::tempPath()).canonicalFilePath());
        const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                          QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
        QVERIFY(file.permissions().testFlags(QFile::ReadOwner | QFile::WriteOwner));
        QCOMPARE(file.permissions() & others, QFile::Permissions());
        QCOMPARE(folderInfo.permissions() & others, QFile::Permissions());
        // A second recorder gets a folder of its own.
        TDBMediaPlayer other(messages, nullptr);
        other.setDataSource(table.get());
        other.setDataField(QStringLiteral("ForeignSound"));
        other.click(TDBMediaPlayer::btRecord);
        QVERIFY(other.temporarySoundFile() != path);
        other.click(TDBMediaPlayer::btStop);
        player.reset();
        QVERIFY(!QFileInfo::exists(path));
        QVERIFY(!QFileInfo::exists(folderInfo.absoluteFilePath()));
    }

    void playPlaysTheBoundSide()
    {
        setSound(TLumoTable::NativeSound, silence(400));
        setSound(TLumoTable::ForeignSound, silence(1200));
        player->setDataField(QStringLiteral("ForeignSound"));
        QSignalSpy progress(player.get(), &TDBMediaPlayer::Progress);
        player->click(TDBMediaPlayer::btPlay);
        QCOMPARE(player->mode(), Mode::Playing);
        QCOMPARE(player->enabledButtons(), TDBMediaPlayer::BusyButtons);
        QCOMPARE(progress.last().at(1).value<Mode>(), Mode::Playing);
        QCOMPARE(player->device()->length(), 1200);
        QVERIFY(waitForTheEnd());
        // The end of the sound comes as a notice: back to idle, the bar at 0.
        QCOMPARE(player->mode(), Mode::Stopped);
        QCOMPARE(player->enabledButtons(), TDBMediaPlayer::IdleButtons);
        QVERIFY(!player->progressTimer()->isActive());
        QCOMPARE(progress.last().at(0).toLongLong(), 0);
        QVERIFY(messages.shown().isEmpty());
    }

    void pauseAndPlayAgainResume()
    {
        setSound(TLumoTable::NativeSound, silence(3000));
        player->click(TDBMediaPlayer::btPlay);
        player->click(TDBMediaPlayer::btPause);
        QCOMPARE(player->mode(), Mode::Paused);
        QCOMPARE(player->enabledButtons(), TDBMediaPlayer::PausedButtons);
        player->click(TDBMediaPlayer::btPlay);
        QCOMPARE(player->mode(), Mode::Playing);
        QCOMPARE(player->enabledButtons(), TDBMediaPlayer::BusyButtons);
        player->click(TDBMediaPlayer::btStop);
        QCOMPARE(player->mode(), Mode::Stopped);
        QCOMPARE(player->device()->position(), 0);
    }

    void playWithoutASoundDoesNothing()
    {
        player->click(TDBMediaPlayer::btPlay);
        QVERIFY(player->mode() != Mode::Playing);
        QCOMPARE(player->enabledButtons(), TDBMediaPlayer::IdleButtons);
        QVERIFY(messages.shown().isEmpty());
    }

    void aSoundThatIsNoWaveSaysWhy()
    {
        setSound(TLumoTable::NativeSound, QByteArray("not a sound at all"));
        player->click(TDBMediaPlayer::btPlay);
        QVERIFY(player->mode() != Mode::Playing);
        QCOMPARE(messages.shown().size(), 1);
        QVERIFY2(messages.shown().first().text.contains(QStringLiteral("not a wave file")),
                 qPrintable(messages.shown().first().text));
        QCOMPARE(player->enabledButtons(), TDBMediaPlayer::IdleButtons);
    }

    // The sound passes through the private temporary file; when that cannot be written,
    // neither a sound nor a recording can start, and the user learns so.
    void aTemporaryFileThatCannotBeWrittenSaysSo_data()
    {
        QTest::addColumn<int>("button");
        QTest::newRow("play") << int(TDBMediaPlayer::btPlay);
        QTest::newRow("record") << int(TDBMediaPlayer::btRecord);
    }

    void aTemporaryFileThatCannotBeWrittenSaysSo()
    {
        QFETCH(int, button);
        setSound(TLumoTable::NativeSound, silence(100));
        player->click(TDBMediaPlayer::btPlay);
        QVERIFY(waitForTheEnd());
        player->click(TDBMediaPlayer::btStop);
        // A folder in the file's place: no write gets through, not even root's.
        const QString temporary = player->temporarySoundFile();
        QVERIFY(QFile::remove(temporary));
        QVERIFY(QDir().mkdir(temporary));
        messages.clear();

        player->click(TDBMediaPlayer::Button(button));
        QCOMPARE(messages.texts(), QStringList{QStringLiteral("Error opening multimedia device!")});
        QVERIFY(!player->recording());
        QCOMPARE(player->enabledButtons(), TDBMediaPlayer::IdleButtons);
        QCOMPARE(storedSound(TLumoTable::NativeSound), silence(100));
    }

    void aStereoSoundPlaysAsItIs()
    {
        setSound(TLumoTable::NativeSound, WaveWriter(2, 44100, 16).image(QByteArray(44100 * 4 / 2, '\0')));
        player->click(TDBMediaPlayer::btPlay);
        QCOMPARE(player->mode(), Mode::Playing);
        QCOMPARE(player->device()->length(), 500);
        QVERIFY(waitForTheEnd());
        QVERIFY(messages.shown().isEmpty());
    }

    void onlySoundFieldsAreRecorded()
    {
        player->setDataField(QStringLiteral("NativeLanguage"));
        player->click(TDBMediaPlayer::btRecord);
        QVERIFY(!player->recording());
        QVERIFY(player->mode() != Mode::Recording);
        player->setDataField(QStringLiteral("ForeignSound"));
        table->close();
        player->click(TDBMediaPlayer::btRecord);
        QVERIFY(!player->recording());
    }

    void recordingTwiceKeepsOneRecording()
    {
        player->click(TDBMediaPlayer::btRecord);
        QTRY_VERIFY(player->device()->length() > 0);
        player->click(TDBMediaPlayer::btRecord);
        QVERIFY(player->recording());
        QCOMPARE(player->mode(), Mode::Recording);
        QTRY_VERIFY(player->device()->length() > 0);
        player->click(TDBMediaPlayer::btStop);
        QVERIFY(!player->recording());
        QVERIFY(WaveFile::fromBytes(storedSound(TLumoTable::NativeSound)).samples().size() > 0);
    }

    void aRecordingAtItsLimitIsStoredByItself()
    {
        player->device()->setRecordLimitMs(600);
        player->click(TDBMediaPlayer::btRecord);
        QVERIFY(waitForTheEnd());
        QVERIFY(!player->recording());
        QCOMPARE(player->enabledButtons(), TDBMediaPlayer::IdleButtons);
        QVERIFY(!player->progressTimer()->isActive());
        QCOMPARE(WaveFile::fromBytes(storedSound(TLumoTable::NativeSound)).durationMs(), 600);
    }

    void closingTheUnitWhileRecordingStoresNothing()
    {
        player->click(TDBMediaPlayer::btRecord);
        QTRY_VERIFY(player->device()->length() > 0);
        table->close();
        QVERIFY(!player->recording());
        QVERIFY(player->mode() != Mode::Recording);
        QCOMPARE(player->enabledButtons(), TDBMediaPlayer::IdleButtons);
        // Stop now has nothing to store and the table stays as it was.
        player->click(TDBMediaPlayer::btStop);
        QVERIFY(storedSound(TLumoTable::NativeSound).isEmpty());
        QVERIFY(messages.shown().isEmpty());
    }

    void finishingARecordingStoresIt()
    {
        player->finishRecording();
        QVERIFY(storedSound(TLumoTable::NativeSound).isEmpty());
        player->click(TDBMediaPlayer::btRecord);
        QTRY_VERIFY(player->device()->length() > 0);
        player->finishRecording();
        QVERIFY(!player->recording());
        QVERIFY(!storedSound(TLumoTable::NativeSound).isEmpty());
    }

    void withoutADeviceRecordSaysSoAndChangesNothing()
    {
        if (!WithoutSoundDevice::inChild()) {
            VERIFY_WITHOUT_SOUND_DEVICE();
            return;
        }
        setSound(TLumoTable::ForeignSound, silence(200));
        player->click(TDBMediaPlayer::btRecord);
        QCOMPARE(messages.texts(), QStringList{QStringLiteral("Error opening multimedia device!")});
        QVERIFY(!player->recording());
        QCOMPARE(player->enabledButtons(), TDBMediaPlayer::IdleButtons);
        player->click(TDBMediaPlayer::btStop);
        QVERIFY(storedSound(TLumoTable::NativeSound).isEmpty());
        player->setDataField(QStringLiteral("ForeignSound"));
        messages.clear();
        player->click(TDBMediaPlayer::btPlay);
        QCOMPARE(messages.texts(), QStringList{QStringLiteral("Error opening multimedia device!")});
        QCOMPARE(storedSound(TLumoTable::ForeignSound), silence(200));
    }
};

QTEST_MAIN(TestDBMediaPlayer)
#include "tst_dbmediaplayer.moc"

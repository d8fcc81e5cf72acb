#include "app/ui/inputpagefixture.h"
#include "app/ui/mainform.h"
#include "app/ui/pagecontrol.h"
#include "input/ui/dbmediaplayer.h"
#include "input/ui/inputpage.h"
#include "input/ui/lumodbgrid.h"
#include "platform/sound/wavefile.h"
#include "platform/sound/wavewriter.h"
#include "support/screenshot.h"
#include "units/ui/lumolistview.h"
#include "units/ui/oldunitcommands.h"
#include "units/ui/unitpage.h"
#include "widgets/lumotablemodel.h"
#include "widgets/speedbutton.h"

#include <QFileDialog>
#include <QLabel>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QtEndian>

namespace {
enum Page { UnitManager = 0 };
using Mode = SoundDevice::Mode;
} // namespace

// The sound tools on the input page of the main window: which side the recorder serves, the
// status text and bar, loading and deleting a side's sound, and a recording through the
// window against the test run's private sound server.
class TestMainFormSound : public QObject, protected InputPageFixture
{
    Q_OBJECT

private:
    QString chosenWave;
    int chooserCalls = 0;

    // The file dialog is scripted unless the test wants the real one.
    void openUnit(bool scripted = true)
    {
        openInputPage(2, 6, [&] {
            if (scripted)
                form->inputPage()->setWaveFileChooser([this] {
                    ++chooserCalls;
                    return chosenWave;
                });
        });
    }

    QString wave(const QString &name, const QByteArray &bytes) { return folder->writeFile(name, bytes); }

private slots:
    void init()
    {
        setUpFixture();
        chosenWave.clear();
        chooserCalls = 0;
    }

    void cleanup()
    {
        form.reset();
        folder.reset();
    }

    void theRecorderServesTheSideOfTheCurrentColumn()
    {
        openUnit();
        goToColumn(LumoTableModel::ForeignColumn);
        QCOMPARE(player()->dataField(), QStringLiteral("ForeignSound"));
        goToColumn(LumoTableModel::NativeColumn);
        QCOMPARE(player()->dataField(), QStringLiteral("NativeSound"));
        goToColumn(LumoTableModel::TypeColumn);
        QCOMPARE(player()->dataField(), QStringLiteral("ForeignSound"));
        QCOMPARE(player()->dataSource(), form->LumoTable1());
        QCOMPARE(player()->visibleButtons(),
                 TDBMediaPlayer::btPlay | TDBMediaPlayer::btStop | TDBMediaPlayer::btRecord);
    }

    void progressShowsTheModeAndTheBar_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<qint64>("position");
        QTest::addColumn<int>("bar");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("playing") << int(Mode::Playing) << qint64(2500) << 25 << "Playing..."
                                 << QColor(0, 128, 0);
        QTest::newRow("recording") << int(Mode::Recording) << qint64(29999) << 299 << "Recording..."
                                   << QColor(255, 0, 0);
        QTest::newRow("paused") << int(Mode::Paused) << qint64(1250) << 12 << QString() << QColor();
        QTest::newRow("stopped") << int(Mode::Stopped) << qint64(0) << 0 << QString() << QColor();
    }

    void progressShowsTheModeAndTheBar()
    {
        QFETCH(int, mode);
        QFETCH(qint64, position);
        QFETCH(int, bar);
        QFETCH(QString, text);
        QFETCH(QColor, colour);
        openUnit();
        form->show();
        QLabel *status = page()->PlayerStatusLbl;
        form->inputPage()->DBMediaPlayer1Progress(position, Mode(mode));
        QCOMPARE(page()->ProgressBar1->value(), bar);
        QCOMPARE(status->isVisible(), !text.isEmpty());
        if (!text.isEmpty()) {
            QCOMPARE(status->text(), text);
            status->ensurePolished();
            QCOMPARE(status->palette().color(QPalette::WindowText), colour);
        }
    }

    void theSoundToolsButtonShowsAndHidesThemWithThePictures()
    {
        openUnit();
        QVERIFY(grid()->showSoundGlyph());
        page()->ShowSoundTools->click();
        QVERIFY(!page()->ShowSoundTools->down());
        QCOMPARE(page()->SoundTools->height(), 0);
        QVERIFY(!grid()->showSoundGlyph());
        page()->ShowSoundTools->click();
        QCOMPARE(page()->SoundTools->height(), InputPage::SoundToolsHeight);
        QVERIFY(grid()->showSoundGlyph());
    }

    void loadingAWaveStoresItUnchangedWithoutPacking_data()
    {
        QTest::addColumn<QByteArray>("image");
        QTest::newRow("recorder's format") << WaveWriter().image(QByteArray(800, '\x80'));
        QTest::newRow("16-bit stereo 44.1 kHz") << WaveWriter(2, 44100, 16).image(QByteArray(4410, '\0'));
        QByteArray huge = WaveWriter().image(QByteArray(800, '\x80'));
        qToLittleEndian<quint32>(0xfffffff0u, huge.data() + 40);
        QTest::newRow("huge data size") << huge;
        QTest::newRow("truncated") << WaveWriter().image(QByteArray(800, '\x80')).left(100);
    }

    void loadingAWaveStoresItUnchangedWithoutPacking()
    {
        QFETCH(QByteArray, image);
        openUnit();
        goToColumn(LumoTableModel::ForeignColumn, 1);
        chosenWave = wave(QStringLiteral("sound.WAV"), image);
        page()->OpenWaveBtn->click();
        QCOMPARE(sound(TLumoTable::ForeignSound), image);
        storedOnTheForeignSideOnly(1);
    }

    void aFileThatIsNoWaveIsRefused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        QTest::newRow("empty") << QByteArray() << "not a wave file";
        QTest::newRow("text") << QByteArray("Just some words.\n") << "not a wave file";
        QTest::newRow("another RIFF") << QByteArray("RIFF\x04\0\0\0AVI LIST", 16) << "not a wave file";
        QTest::newRow("header cut short")
            << WaveWriter().image(QByteArray(800, '\x80')).left(30) << "format chunk is too short";
    }

    void aFileThatIsNoWaveIsRefused()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        openUnit();
        const QByteArray before = WaveWriter().image(QByteArray(80, '\x80'));
        chosenWave = wave(QStringLiteral("before.wav"), before);
        page()->OpenWaveBtn->click();
        chosenWave = wave(QStringLiteral("picked.wav"), bytes);
        page()->OpenWaveBtn->click();
        QCOMPARE(sound(TLumoTable::NativeSound), before);
        QCOMPARE(messages.shown().size(), 1);
        const QString text = messages.shown().first().text;
        QVERIFY2(
            text.startsWith(QStringLiteral("This file was not loaded, because it is not a wave sound file "
                                           "that can be played:\r\n") +
                            chosenWave + QStringLiteral("\r\n")),
            qPrintable(text));
        QVERIFY2(text.contains(reason), qPrintable(text));
    }

    void theTypeColumnHasNoSoundToLoadOrDelete()
    {
        openUnit();
        chosenWave = wave(QStringLiteral("sound.wav"), WaveWriter().image(QByteArray(80, '\x80')));
        goToColumn(LumoTableModel::TypeColumn);
        page()->OpenWaveBtn->click();
        page()->DeleteSoundBtn->click();
        QCOMPARE(chooserCalls, 0);
        QVERIFY(!form->inputPage()->TableNeedsPacking());
        QVERIFY(sound(TLumoTable::ForeignSound).isEmpty());
    }

    void deletingASoundClearsItAndAsksForPacking()
    {
        openUnit();
        chosenWave = wave(QStringLiteral("sound.wav"), WaveWriter().image(QByteArray(80, '\x80')));
        goToColumn(LumoTableModel::ForeignColumn);
        page()->OpenWaveBtn->click();
        goToColumn(LumoTableModel::NativeColumn);
        page()->OpenWaveBtn->click();
        QVERIFY(!form->inputPage()->TableNeedsPacking());
        page()->DeleteSoundBtn->click();
        QVERIFY(sound(TLumoTable::NativeSound).isEmpty());
        QVERIFY(!sound(TLumoTable::ForeignSound).isEmpty());
        QVERIFY(form->inputPage()->TableNeedsPacking());
        QCOMPARE(form->LumoTable1()->state(), SqliteTable::State::Browse);
    }

    void theDialogOffersWaveFilesInEitherCase()
    {
        openUnit(false);
        // The dialog is closed as soon as it shows.
        QTimer::singleShot(0, form.get(), [this] { form->OpenDialog()->reject(); });
        page()->OpenWaveBtn->click();
        QCOMPARE(form->OpenDialog()->nameFilters(), QStringList{QStringLiteral("Sound Files (*.WAV *.wav)")});
        QCOMPARE(form->OpenDialog()->defaultSuffix(), QStringLiteral("wav"));
        QVERIFY(sound(TLumoTable::NativeSound).isEmpty());
        // The conversion still offers its own files afterwards.
        QVERIFY(form->oldUnits()->prepareOldUnitDialog()->nameFilters().first().contains(
            QStringLiteral("*.vok")));
    }

    void aRecordingThroughTheWindowIsStoredAndShown()
    {
        openUnit();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        goToColumn(LumoTableModel::ForeignColumn, 1);
        player()->button(TDBMediaPlayer::btRecord)->click();
        QVERIFY(player()->recording());
        QVERIFY(page()->PlayerStatusLbl->isVisible());
        QCOMPARE(page()->PlayerStatusLbl->text(), QStringLiteral("Recording..."));
        QTRY_VERIFY(page()->ProgressBar1->value() > 0);

        // Pictures for a person to look at.
        saveScreenshot(*form, QStringLiteral("inputpage-recording"));

        player()->button(TDBMediaPlayer::btStop)->click();
        QVERIFY(!page()->PlayerStatusLbl->isVisible());
        QCOMPARE(page()->ProgressBar1->value(), 0);
        const WaveFile stored = WaveFile::fromBytes(sound(TLumoTable::ForeignSound));
        QCOMPARE(stored.sampleRate(), 8000);
        QVERIFY(stored.durationMs() > 0);
        const QModelIndex cell = grid()->model()->index(1, LumoTableModel::ForeignColumn);
        QVERIFY(cell.data(LumoTableModel::HasSoundRole).toBool());
        QVERIFY(!grid()
                     ->model()
                     ->index(1, LumoTableModel::NativeColumn)
                     .data(LumoTableModel::HasSoundRole)
                     .toBool());
        QVERIFY(!form->inputPage()->TableNeedsPacking());
        QVERIFY(messages.shown().isEmpty());
        // The picture is drawn in that cell once the editor has left it.
        goToColumn(LumoTableModel::NativeColumn);
        QCoreApplication::processEvents();
        const QRect rect = grid()->visualRect(cell);
        const QImage withPicture = grid()->viewport()->grab(rect).toImage();
        grid()->setShowSoundGlyph(false);
        const QImage withoutPicture = grid()->viewport()->grab(rect).toImage();
        grid()->setShowSoundGlyph(true);
        QVERIFY(withPicture != withoutPicture);
        saveScreenshot(*form, QStringLiteral("inputpage-recorded"));
    }

    void aSoundThatCannotBePlayedIsReported_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        QTest::newRow("text") << QByteArray("Just some words.\n") << "not a wave file";
        QTest::newRow("header cut short")
            << WaveWriter().image(QByteArray(800, '\x80')).left(30) << "format chunk is too short";
    }

    void aSoundThatCannotBePlayedIsReported()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        openUnit();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        TLumoTable &table = *form->LumoTable1();
        table.edit();
        table.setFieldValue(TLumoTable::NativeSound, bytes);
        table.post();
        QToolButton *play = player()->button(TDBMediaPlayer::btPlay);
        QTest::mouseClick(play, Qt::LeftButton, {}, play->rect().center());
        QCOMPARE(messages.shown().size(), 1);
        QVERIFY2(messages.shown().first().text.contains(reason), qPrintable(messages.shown().first().text));
        QVERIFY(player()->mode() != Mode::Playing);
        QCOMPARE(sound(TLumoTable::NativeSound), bytes);
        QVERIFY(sound(TLumoTable::ForeignSound).isEmpty());
    }

    void leavingThePageWhileRecordingKeepsTheRecording_data()
    {
        QTest::addColumn<bool>("closing");
        QTest::newRow("to another page") << false;
        QTest::newRow("closing the program") << true;
    }

    void leavingThePageWhileRecordingKeepsTheRecording()
    {
        QFETCH(bool, closing);
        openUnit();
        goToColumn(LumoTableModel::NativeColumn);
        player()->click(TDBMediaPlayer::btRecord);
        QTRY_VERIFY(player()->device()->length() > 0);
        if (closing) {
            form->close();
            form.reset();
        } else {
            QVERIFY(form->PageControl()->requestPage(UnitManager));
            QVERIFY(!player()->recording());
        }
        TLumoTable reader(messages);
        reader.setVocabularyFile(units + QStringLiteral("unit.db"));
        reader.open();
        QVERIFY(WaveFile::fromBytes(reader.blobValue(TLumoTable::NativeSound)).samples().size() > 0);
    }
};

QTEST_MAIN(TestMainFormSound)
#include "tst_mainformsound.moc"

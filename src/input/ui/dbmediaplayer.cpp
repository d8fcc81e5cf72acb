#include "input/ui/dbmediaplayer.h"

#include "platform/busyindicator.h"
#include "platform/errorboundary.h"
#include "platform/messageservice.h"
#include "platform/privatetempfile.h"
#include "platform/sound/speechsynthesizer.h"
#include "platform/sound/waveheader.h"
#include "platform/table/sqlitetable.h"
#include "vocfile/speechvoices.h"
#include "widgets/speedbutton.h"

#include <QHBoxLayout>
#include <QTimer>
#include <QToolButton>

namespace {
constexpr int ButtonCount = 9;
constexpr int ButtonWidth = 27;
// A step or a step back moves the position by this much.
constexpr qint64 StepMs = 1000;

SpeedButton::Glyph glyphOf(int index)
{
    using G = SpeedButton::Glyph;
    constexpr G glyphs[ButtonCount] = {G::MediaPlay, G::MediaPause,  G::MediaStop,
                                       G::MediaNext, G::MediaPrev,   G::MediaStep,
                                       G::MediaBack, G::MediaRecord, G::MediaEject};
    return glyphs[index];
}

int indexOf(TDBMediaPlayer::Button which)
{
    int index = 0;
    while (index < ButtonCount && (1 << index) != which)
        ++index;
    return index;
}
} // namespace

TDBMediaPlayer::TDBMediaPlayer(MessageService &messages, QWidget *parent)
    : QWidget(parent), m_device(new SoundDevice(this)), m_progressTimer(new QTimer(this)),
      m_temporary(std::make_unique<PrivateTempFile>(QStringLiteral("lumosnd.tmp"))), m_messages(messages),
      m_busy(&BusyIndicator::none())
{
    setObjectName(QStringLiteral("DBMediaPlayer1"));
    m_device->setRecordLimitMs(EndPositionMs);
    m_progressTimer->setInterval(ProgressIntervalMs);
    connect(m_progressTimer, &QTimer::timeout, this, &TDBMediaPlayer::ProgressReport);
    connect(m_device, &SoundDevice::notify, this, &TDBMediaPlayer::Notify);
    buildButtons();
    setVisibleButtons(Buttons::fromInt(0x1ff));
    setEnabledButtons(IdleButtons);
}

// The device goes before the temporary file, so nothing holds the file any more, and
// before the buttons: deleting its streams runs the event loop, which must find this
// widget whole.
TDBMediaPlayer::~TDBMediaPlayer()
{
    m_progressTimer->stop();
    m_device->disconnect(this);
    delete m_device;
}

void TDBMediaPlayer::buildButtons()
{
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    const char *const names[ButtonCount] = {"Play", "Pause", "Stop",   "Next", "Prev",
                                            "Step", "Back",  "Record", "Eject"};
    for (int index = 0; index < ButtonCount; ++index) {
        auto *button = new QToolButton(this);
        // Prefixed with the recorder's name: the test page in the same window has a "StopBtn".
        button->setObjectName(objectName() + QLatin1String(names[index]) + QStringLiteral("Btn"));
        button->setAccessibleName(QLatin1String(names[index]));
        button->setIcon(SpeedButton::glyphIcon(glyphOf(index)));
        button->setFixedSize(ButtonWidth, 23);
        const auto which = Button(1 << index);
        connect(button, &QToolButton::clicked, this, [this, which] { click(which); });
        row->addWidget(button);
        m_buttons.append(button);
    }
}

QToolButton *TDBMediaPlayer::button(Button which) const
{
    return m_buttons.value(indexOf(which));
}

void TDBMediaPlayer::setVisibleButtons(Buttons buttons)
{
    m_visible = buttons;
    int shown = 0;
    for (int index = 0; index < ButtonCount; ++index) {
        const bool visible = buttons.testFlag(Button(1 << index));
        m_buttons.at(index)->setVisible(visible);
        shown += visible ? 1 : 0;
    }
    setFixedWidth(shown * ButtonWidth);
}

void TDBMediaPlayer::setEnabledButtons(Buttons buttons)
{
    m_enabled = buttons;
    for (int index = 0; index < ButtonCount; ++index)
        m_buttons.at(index)->setEnabled(buttons.testFlag(Button(1 << index)));
}

SqliteTable *TDBMediaPlayer::dataSource() const
{
    return m_dataSource;
}

void TDBMediaPlayer::setDataSource(SqliteTable *table)
{
    if (m_dataSource)
        disconnect(m_dataSource, nullptr, this, nullptr);
    m_dataSource = table;
    if (table)
        connect(table, &SqliteTable::dataSetChanged, this, &TDBMediaPlayer::dataSourceChanged);
}

void TDBMediaPlayer::setDataField(const QString &field)
{
    m_dataField = field;
}

QString TDBMediaPlayer::temporarySoundFile() const
{
    return m_temporary->path();
}

int TDBMediaPlayer::boundSoundField() const
{
    if (!m_dataSource || !m_dataSource->active())
        return -1;
    const int field = m_dataSource->fieldIndex(m_dataField);
    if (field < 0 || m_dataSource->fieldDefs().value(field).type != FieldType::Blob)
        return -1;
    return field;
}

bool TDBMediaPlayer::guarded(const std::function<void()> &work)
{
    return Guarded(m_messages, work);
}

void TDBMediaPlayer::showOpenError()
{
    m_messages.error(SoundDevice::openErrorText());
}

void TDBMediaPlayer::click(Button which)
{
    bool doDefault = true;
    Click(which, doDefault);
    if (doDefault)
        guarded([&] { runAction(which); });
    PostClick(which);
}

void TDBMediaPlayer::Click(Button which, bool &doDefault)
{
    const bool paused = mode() == Mode::Paused;
    switch (which) {
    case btStop:
        m_progressTimer->stop();
        setEnabledButtons(IdleButtons);
        break;
    case btPause: setEnabledButtons(PausedButtons); break;
    case btRecord:
        if (!paused) {
            doDefault = false;
            startRecording();
        }
        break;
    case btPlay:
        if (!paused) {
            doDefault = false;
            startPlaying();
        } else {
            setEnabledButtons(BusyButtons);
        }
        break;
    default: break;
    }
    ProgressReport();
}

// What the buttons do by themselves, unless the click handler vetoed it.
void TDBMediaPlayer::runAction(Button which)
{
    switch (which) {
    case btPlay:
    case btRecord: m_device->resume(); break;
    case btPause:
        if (mode() == Mode::Paused)
            m_device->resume();
        else
            m_device->pause();
        break;
    case btStop: m_device->stop(); break;
    case btNext: m_device->seek(m_device->length()); break;
    case btPrev: m_device->seek(0); break;
    case btStep: m_device->seek(m_device->position() + StepMs); break;
    case btBack: m_device->seek(m_device->position() - StepMs); break;
    case btEject: break; // a wave file has nothing to eject
    }
}

void TDBMediaPlayer::startRecording()
{
    if (boundSoundField() < 0)
        return;
    m_device->close();
    if (!m_temporary->write(WaveHeader::emptyRecording())) {
        showOpenError();
        return;
    }
    m_device->setFileName(m_temporary->path());
    try {
        m_device->open();
        m_recording = true;
        setEnabledButtons(BusyButtons);
        m_progressTimer->start();
        m_device->setWait(false);
        m_device->record();
    } catch (const std::exception &) {
        // A recording that never started leaves the entry as it was.
        m_recording = false;
        m_progressTimer->stop();
        m_device->close();
        setEnabledButtons(IdleButtons);
        showOpenError();
    }
}

void TDBMediaPlayer::startPlaying()
{
    setEnabledButtons(BusyButtons);
    const int field = boundSoundField();
    if (field < 0)
        return;
    QByteArray sound;
    if (!guarded([&] { sound = m_dataSource->blobValue(field); }))
        return;
    if (sound.isEmpty() && canSpeakBoundSide()) {
        try {
            sound = spokenWord();
        } catch (const SpeechError &) {
            // A word that cannot be spoken plays nothing, like a side without a sound.
        }
    }
    if (sound.isEmpty())
        return;
    {
        const BusyScope busy(*m_busy);
        m_device->close();
        if (!m_temporary->write(sound)) {
            showOpenError();
            return;
        }
        m_device->setFileName(m_temporary->path());
    }
    // A sound that is not a wave says what is wrong with it; the device's failures say that
    // it could not be opened.
    guarded([this] {
        m_device->setWait(true);
        m_device->open();
        m_progressTimer->start();
        m_device->setWait(false);
        m_device->play();
        if (mode() != Mode::Playing)
            m_device->play();
    });
}

void TDBMediaPlayer::PostClick(Button which)
{
    if (which == btStop) {
        if (mode() != Mode::NotReady)
            guarded([this] { m_device->seek(0); });
        if (m_recording)
            storeRecording();
    }
    ProgressReport();
}

void TDBMediaPlayer::storeRecording()
{
    m_recording = false;
    m_device->stop();
    const bool saved = guarded([this] { m_device->save(m_temporary->path()); });
    m_device->close();
    if (!saved)
        return;
    storeSound(m_temporary->read());
}

void TDBMediaPlayer::storeSound(const QByteArray &wave)
{
    const int field = boundSoundField();
    if (field < 0)
        return;
    guarded([&] {
        m_dataSource->edit();
        m_dataSource->setFieldValue(field, wave);
        m_dataSource->post();
    });
}

void TDBMediaPlayer::setSideLanguages(int nativeLanguage, int foreignLanguage)
{
    m_nativeLanguage = nativeLanguage;
    m_foreignLanguage = foreignLanguage;
}

bool TDBMediaPlayer::boundSideIsNative() const
{
    return m_dataField.compare(QStringLiteral("NativeSound"), Qt::CaseInsensitive) == 0;
}

bool TDBMediaPlayer::canSpeakBoundSide() const
{
    return SpeechVoices::canSpeak(boundSideIsNative() ? m_nativeLanguage : m_foreignLanguage);
}

QByteArray TDBMediaPlayer::spokenWord() const
{
    QString word;
    if (boundSoundField() >= 0)
        word = m_dataSource
                   ->fieldValue(boundSideIsNative() ? QStringLiteral("NativeLanguage")
                                                    : QStringLiteral("ForeignLanguage"))
                   .toString();
    return SpeechVoices::speak(word, boundSideIsNative() ? m_nativeLanguage : m_foreignLanguage);
}

void TDBMediaPlayer::finishRecording()
{
    if (m_recording)
        click(btStop);
}

void TDBMediaPlayer::ProgressReport()
{
    const Mode now = mode();
    if (now == Mode::Playing || now == Mode::Recording || now == Mode::Paused) {
        emit Progress(m_device->position(), now);
        return;
    }
    setEnabledButtons(IdleButtons);
    emit Progress(0, now);
}

void TDBMediaPlayer::Notify()
{
    const Mode now = mode();
    if (now == Mode::Stopped) {
        m_progressTimer->stop();
        // A recording that reached its end is kept, as if Stop had been pressed.
        if (m_recording)
            storeRecording();
        emit Progress(0, mode());
    }
    if (now != Mode::Playing)
        setEnabledButtons(IdleButtons);
}

void TDBMediaPlayer::dataSourceChanged()
{
    // The unit was closed under a recording: there is no entry left to store it in.
    if (m_recording && (!m_dataSource || !m_dataSource->active())) {
        m_recording = false;
        m_progressTimer->stop();
        m_device->close();
        setEnabledButtons(IdleButtons);
        emit Progress(0, mode());
    }
}

#pragma once

#include "platform/sound/sounddevice.h"

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

class BusyIndicator;
class MessageService;
class PrivateTempFile;
class QTimer;
class QToolButton;
class SqliteTable;

// The recorder of the input page: a row of media buttons bound to one sound field of the
// vocabulary table. Play plays the field's sound, Record records a new one from the
// microphone and Stop stores it in the field; sounds pass between the field and the sound
// device through one private temporary wave file.
class TDBMediaPlayer : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString DataField READ dataField WRITE setDataField)

public:
    enum Button {
        btPlay = 0x1,
        btPause = 0x2,
        btStop = 0x4,
        btNext = 0x8,
        btPrev = 0x10,
        btStep = 0x20,
        btBack = 0x40,
        btRecord = 0x80,
        btEject = 0x100
    };
    Q_DECLARE_FLAGS(Buttons, Button)
    using Mode = SoundDevice::Mode;

    static constexpr Buttons IdleButtons = Buttons::fromInt(btPlay | btRecord);
    static constexpr Buttons BusyButtons = Buttons::fromInt(btPause | btStop);
    static constexpr Buttons PausedButtons = Buttons::fromInt(btPlay | btStop);
    static constexpr qint64 EndPositionMs = 30000;
    static constexpr int ProgressIntervalMs = 500;

    // Failures are shown through messages, which outlive the recorder.
    TDBMediaPlayer(MessageService &messages, QWidget *parent);
    ~TDBMediaPlayer() override;

    // The field link: the table and the name of the bound sound field.
    SqliteTable *dataSource() const;
    void setDataSource(SqliteTable *table);
    QString dataField() const { return m_dataField; }
    void setDataField(const QString &field);
    // The hourglass shows through busy.
    void setBusyIndicator(BusyIndicator &busy) { m_busy = &busy; }

    // The languages of the unit's two sides: Play speaks a side's word when it has no sound
    // and its language has a voice. Negative numbers (the start) speak nothing.
    void setSideLanguages(int nativeLanguage, int foreignLanguage);
    // Whether the bound side's language has a voice that the synthesiser speaks.
    bool canSpeakBoundSide() const;
    // The bound side's word of the current entry, spoken; throws SpeechError when it cannot
    // be (empty word, no voice, no synthesiser, no sound).
    QByteArray spokenWord() const;
    // Stores a wave as the bound side's sound, as a finished recording is stored; nothing
    // without an open table. Failures are shown through messages.
    void storeSound(const QByteArray &wave);

    Buttons visibleButtons() const { return m_visible; }
    void setVisibleButtons(Buttons buttons);
    Buttons enabledButtons() const { return m_enabled; }
    void setEnabledButtons(Buttons buttons);
    QToolButton *button(Button which) const;

    // A press on a button as the user makes it: the own click handler (which may veto),
    // the button's action, the post-click handler.
    void click(Button which);
    // Stops a recording under way and stores it, as Stop does; nothing otherwise.
    void finishRecording();

    SoundDevice *device() const { return m_device; }
    Mode mode() const { return m_device->mode(); }
    bool recording() const { return m_recording; }
    // Empty until the first play or record.
    QString temporarySoundFile() const;
    QTimer *progressTimer() const { return m_progressTimer; }

signals:
    // The position in milliseconds and the device's mode, after every press, every
    // ProgressIntervalMs while the timer runs, and when the device ends a command.
    void Progress(qint64 positionMs, SoundDevice::Mode mode);

private:
    void buildButtons();
    void Click(Button which, bool &doDefault);
    void PostClick(Button which);
    void Notify();
    void ProgressReport();
    void runAction(Button which);
    void startRecording();
    void startPlaying();
    void storeRecording();
    void dataSourceChanged();
    int boundSoundField() const;
    bool boundSideIsNative() const;
    bool guarded(const std::function<void()> &work);
    void showOpenError();

    SoundDevice *m_device;
    QTimer *m_progressTimer;
    std::unique_ptr<PrivateTempFile> m_temporary;
    QPointer<SqliteTable> m_dataSource;
    QString m_dataField;
    MessageService &m_messages;
    BusyIndicator *m_busy;
    QList<QToolButton *> m_buttons;
    Buttons m_visible;
    Buttons m_enabled;
    bool m_recording = false;
    int m_nativeLanguage = -1;
    int m_foreignLanguage = -1;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TDBMediaPlayer::Buttons)

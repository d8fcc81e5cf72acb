#pragma once

#include "platform/sound/sounddevice.h"

#include <QObject>
#include <functional>

class InputPage;
struct PageServices;

// The sound tools of the input page: which side the recorder is bound to, what its status
// line and bar show, and loading and deleting the sound of the current side.
class InputSoundTools : public QObject
{
public:
    InputSoundTools(InputPage &page, const PageServices &services);

    void LumoDBGrid1ColEnter();
    void DBMediaPlayer1Progress(qint64 positionMs, SoundDevice::Mode mode);
    void ShowSoundToolsClick();
    void OpenWaveBtnClick();
    void DeleteSoundBtnClick();
    void setWaveFileChooser(std::function<QString()> chooser) { m_chooseWaveFile = std::move(chooser); }

private:
    QString chooseWaveFile() const;

    InputPage &m_page;
    const PageServices &m_services;
    std::function<QString()> m_chooseWaveFile;
};

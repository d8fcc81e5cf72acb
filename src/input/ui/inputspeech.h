#pragma once

#include <QObject>

class InputPage;
struct PageServices;

// Words spoken by the speech synthesiser on the input page: the recorder plays a side's word
// when the side has no sound, and a button stores the spoken word as the side's sound.
class InputSpeech : public QObject
{
public:
    InputSpeech(InputPage &page, const PageServices &services);

    // The button shows with a synthesiser and serves the side the recorder is bound to.
    void updateSpeechControls();
    void SpeakWordBtnClick();

private:
    InputPage &m_page;
    const PageServices &m_services;
};

#include "input/ui/inputspeech.h"

#include "input/ui/dbmediaplayer.h"
#include "input/ui/inputpage.h"
#include "input/ui/lumodbgrid.h"
#include "platform/errorboundary.h"
#include "platform/messageservice.h"
#include "platform/sound/speechsynthesizer.h"
#include "vocfile/lumotable.h"
#include "widgets/pageservices.h"
#include "widgets/speedbutton.h"

#include <QItemSelectionModel>

InputSpeech::InputSpeech(InputPage &page, const PageServices &services)
    : QObject(&page), m_page(page), m_services(services)
{
    connect(page.SpeakWordBtn, &QToolButton::clicked, this, &InputSpeech::SpeakWordBtnClick);
    // After the recorder has changed sides, so the button follows the side it serves.
    connect(page.LumoDBGrid1->selectionModel(), &QItemSelectionModel::currentColumnChanged, this,
            &InputSpeech::updateSpeechControls);
}

void InputSpeech::updateSpeechControls()
{
    TDBMediaPlayer *player = m_page.DBMediaPlayer1;
    player->setSideLanguages(m_services.unit.nativeLanguage, m_services.unit.foreignLanguage);
    // Without a synthesiser the page looks as it always did.
    m_page.SpeakWordBtn->setVisible(SpeechSynthesizer::instance().available());
    m_page.SpeakWordBtn->setEnabled(m_services.table.active() && player->canSpeakBoundSide());
}

void InputSpeech::SpeakWordBtnClick()
{
    if (!m_services.table.active() || !m_page.LumoDBGrid1->commitEditor())
        return;
    TDBMediaPlayer *player = m_page.DBMediaPlayer1;
    MessageService &messages = m_services.messages;
    // Any other failure on the way is reported by the boundary, never left to the event loop.
    Guarded(messages, [&] {
        QByteArray wave;
        try {
            wave = player->spokenWord();
        } catch (const SpeechError &error) {
            // Nothing is stored: the side keeps the sound it had.
            messages.error(m_services.keptText(QStringLiteral("MsgCannotSpeakWord")) +
                           QStringLiteral("\r\n") + error.message());
            return;
        }
        player->storeSound(wave);
    });
}

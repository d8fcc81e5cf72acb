// Words spoken by the speech synthesiser on the input page: the recorder plays a side's word
// when the side has no sound, and a button stores the spoken word as the side's sound.
#include "app/ui/mainform.h"
#include "app/ui/pagecontrol.h"
#include "input/ui/dbmediaplayer.h"
#include "input/ui/inputpage.h"
#include "input/ui/lumodbgrid.h"
#include "platform/errorboundary.h"
#include "platform/messageservice.h"
#include "platform/sound/speechsynthesizer.h"
#include "vocfile/lumotable.h"
#include "widgets/speedbutton.h"

#include <QItemSelectionModel>

void TMainForm::connectSpeech()
{
    connect(m_inputPage->SpeakWordBtn, &QToolButton::clicked, this, &TMainForm::SpeakWordBtnClick);
    // After the recorder has changed sides, so the button follows the side it serves.
    connect(m_inputPage->LumoDBGrid1->selectionModel(), &QItemSelectionModel::currentColumnChanged, this,
            &TMainForm::updateSpeechControls);
    connect(m_pageControl, &QTabWidget::currentChanged, this, [this] {
        if (m_pageControl->currentWidget() == m_inputPage)
            updateSpeechControls();
    });
}

void TMainForm::updateSpeechControls()
{
    TDBMediaPlayer *player = m_inputPage->DBMediaPlayer1;
    player->setSideLanguages(m_unit.nativeLanguage, m_unit.foreignLanguage);
    // Without a synthesiser the page looks as it always did.
    m_inputPage->SpeakWordBtn->setVisible(SpeechSynthesizer::instance().available());
    m_inputPage->SpeakWordBtn->setEnabled(m_lumoTable1->active() && player->canSpeakBoundSide());
}

void TMainForm::SpeakWordBtnClick()
{
    if (!m_lumoTable1->active() || !m_inputPage->LumoDBGrid1->commitEditor())
        return;
    TDBMediaPlayer *player = m_inputPage->DBMediaPlayer1;
    // Any other failure on the way is reported by the boundary, never left to the event loop.
    Guarded(m_messages, [&] {
        QByteArray wave;
        try {
            wave = player->spokenWord();
        } catch (const SpeechError &error) {
            // Nothing is stored: the side keeps the sound it had.
            m_messages.error(m_texts.kept(QStringLiteral("MsgCannotSpeakWord")) + QStringLiteral("\r\n") +
                             error.message());
            return;
        }
        player->storeSound(wave);
    });
}

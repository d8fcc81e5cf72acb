#include "input/ui/inputsoundtools.h"

#include "input/ui/dbmediaplayer.h"
#include "input/ui/inputpage.h"
#include "input/ui/lumodbgrid.h"
#include "platform/errorboundary.h"
#include "platform/messageservice.h"
#include "platform/sound/wavefile.h"
#include "vocfile/lumotable.h"
#include "vocfile/unitfields.h"
#include "widgets/lumotablemodel.h"
#include "widgets/pageservices.h"
#include "widgets/speedbutton.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QLabel>
#include <QSlider>

namespace {
// The field the grid's current column shows, in lower case; empty without a current cell.
QString currentColumnField(const InputPage &page)
{
    return page.LumoDBGrid1->currentIndex().data(LumoTableModel::FieldNameRole).toString().toLower();
}

// The table's sound field of the side whose column is current; -1 on the type column or
// where the table lacks it.
int currentSideSoundField(const InputPage &page, const SqliteTable &table)
{
    const QString field = currentColumnField(page);
    if (field == QStringLiteral("nativelanguage"))
        return UnitFields(table)[TLumoTable::NativeSound];
    if (field == QStringLiteral("foreignlanguage"))
        return UnitFields(table)[TLumoTable::ForeignSound];
    return -1;
}

void storeSound(TLumoTable &table, int field, const QVariant &sound)
{
    table.edit();
    table.setFieldValue(field, sound);
    table.post();
}
} // namespace

InputSoundTools::InputSoundTools(InputPage &page, const PageServices &services)
    : QObject(&page), m_page(page), m_services(services)
{
    connect(page.LumoDBGrid1->selectionModel(), &QItemSelectionModel::currentColumnChanged, this,
            &InputSoundTools::LumoDBGrid1ColEnter);
    connect(page.DBMediaPlayer1, &TDBMediaPlayer::Progress, this, &InputSoundTools::DBMediaPlayer1Progress);
    connect(page.ShowSoundTools, &QToolButton::clicked, this, &InputSoundTools::ShowSoundToolsClick);
    connect(page.OpenWaveBtn, &QToolButton::clicked, this, &InputSoundTools::OpenWaveBtnClick);
    connect(page.DeleteSoundBtn, &QToolButton::clicked, this, &InputSoundTools::DeleteSoundBtnClick);
    m_chooseWaveFile = [this] { return chooseWaveFile(); };
}

QString InputSoundTools::chooseWaveFile() const
{
    // The conversion uses the same dialog and sets its own filter each time. Linux names are
    // case-sensitive, so ".wav" is offered as well.
    QFileDialog *dialog = m_services.openDialog();
    dialog->setNameFilter(m_services.keptText(QStringLiteral("MsgSoundFiles")) +
                          QStringLiteral(" (*.WAV *.wav)"));
    dialog->setDefaultSuffix(QStringLiteral("wav"));
    dialog->setFileMode(QFileDialog::ExistingFile);
    return dialog->exec() == QDialog::Accepted ? dialog->selectedFiles().value(0) : QString();
}

void InputSoundTools::LumoDBGrid1ColEnter()
{
    if (!m_services.table.active())
        return;
    // The type column counts as the foreign side.
    const bool native = currentColumnField(m_page) == QStringLiteral("nativelanguage");
    m_page.DBMediaPlayer1->setDataField(native ? QStringLiteral("NativeSound")
                                               : QStringLiteral("ForeignSound"));
}

void InputSoundTools::DBMediaPlayer1Progress(qint64 positionMs, SoundDevice::Mode mode)
{
    QLabel *status = m_page.PlayerStatusLbl;
    if (mode == SoundDevice::Mode::Playing) {
        status->setText(m_services.keptText(QStringLiteral("LblPlaying")));
        status->setStyleSheet(QStringLiteral("color: rgb(0, 128, 0)"));
        status->show();
    } else if (mode == SoundDevice::Mode::Recording) {
        status->setText(m_services.keptText(QStringLiteral("LblRecording")));
        status->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0)"));
        status->show();
    } else {
        status->hide();
    }
    // The bar counts tenths of a second.
    m_page.ProgressBar1->setValue(int(positionMs / 100));
}

void InputSoundTools::ShowSoundToolsClick()
{
    m_page.setSoundToolsShown(m_page.ShowSoundTools->down());
}

void InputSoundTools::OpenWaveBtnClick()
{
    TLumoTable &table = m_services.table;
    const int field = currentSideSoundField(m_page, table);
    if (!table.active() || field < 0)
        return;
    const QString path = m_chooseWaveFile();
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return;
    // A file that cannot be read or played is refused, so the entry keeps its sound.
    QFile file(path);
    QByteArray wave;
    QString reason;
    if (!file.open(QIODevice::ReadOnly)) {
        reason = file.errorString();
    } else {
        wave = file.readAll();
        try {
            WaveFile::fromBytes(wave);
        } catch (const WaveFormatError &error) {
            reason = error.message();
        }
    }
    if (!reason.isEmpty()) {
        m_services.messages.error(m_services.keptText(QStringLiteral("MsgNotAWaveFile")) +
                                  QStringLiteral("\r\n") + path + QStringLiteral("\r\n") + reason);
        return;
    }
    Guarded(m_services.messages, [&] { storeSound(table, field, wave); });
}

void InputSoundTools::DeleteSoundBtnClick()
{
    TLumoTable &table = m_services.table;
    const int field = currentSideSoundField(m_page, table);
    if (!table.active() || field < 0)
        return;
    if (Guarded(m_services.messages, [&] { storeSound(table, field, QVariant()); }))
        m_page.setTableNeedsPacking();
}

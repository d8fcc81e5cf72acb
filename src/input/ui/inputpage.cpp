#include "input/ui/inputpage.h"

#include "input/entryhistory.h"
#include "input/ui/dbmediaplayer.h"
#include "input/ui/inputeditcommands.h"
#include "input/ui/inputfindsort.h"
#include "input/ui/inputsoundtools.h"
#include "input/ui/inputspeech.h"
#include "input/ui/lumodbgrid.h"
#include "platform/ini/settingslist.h"
#include "vocfile/lumotable.h"
#include "vocfile/specialcharacterfile.h"
#include "widgets/pageservices.h"
#include "widgets/speedbutton.h"
#include "widgets/toolbarpanel.h"

#include <QButtonGroup>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QVBoxLayout>

InputPage::InputPage(const PageServices &services, QWidget *parent)
    : QWidget(parent), isActivePage([this] { return isVisible(); }), m_services(services)
{
    setObjectName(QStringLiteral("VocInputPage"));
    buildToolBar();
    buildSoundTools();
    LumoDBGrid1 = new TLumoDBGrid(services.messages, this);
    LumoDBGrid1->setSoundGlyph(SpeedButton::glyphIcon(SpeedButton::Glyph::Speaker).pixmap(15, 15));
    LumoDBGrid1->setDataSet(&services.table);
    DBMediaPlayer1->setDataSource(&services.table);
    CharGrid1 = new TCharGrid(QStringLiteral("CharGrid1"), this);
    CharGrid1->setDestination(LumoDBGrid1);
    CharGrid1->setCharFileName(SpecialCharacterFileName());
    CharGrid1->setMessageService(services.messages);
    connect(CharGrid1, &TCharGrid::helpRequested, this,
            [&services](int context) { services.showHelp(context); });

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ToolBar2);
    layout->addWidget(SoundTools);
    layout->addWidget(LumoDBGrid1, 1);
    layout->addWidget(CharGrid1);

    // The recorder changes sides before the speech button follows the side it serves.
    m_soundTools = new InputSoundTools(*this, services);
    m_speech = new InputSpeech(*this, services);
    m_findSort = new InputFindSort(*this, services);
    m_edit = new InputEditCommands(*this, services);
}

InputPage::~InputPage() = default;

void InputPage::buildToolBar()
{
    using G = SpeedButton::Glyph;
    ToolBar2 = new ToolBarPanel(QStringLiteral("ToolBar2"), this);
    auto add = [this](const QString &name, G glyph) { return ToolBar2->addButton(name, glyph); };
    SortLeftBtn = add(QStringLiteral("SortLeftBtn"), G::SortLeft);
    SortNotBtn = add(QStringLiteral("SortNotBtn"), G::SortNot);
    SortRightBtn = add(QStringLiteral("SortRightBtn"), G::SortRight);
    auto *sortGroup = new QButtonGroup(this);
    for (SpeedButton *b : {SortLeftBtn, SortNotBtn, SortRightBtn}) {
        b->setCheckable(true);
        sortGroup->addButton(b);
    }
    SortNotBtn->setDown(true);
    ToolBar2->addGap();
    ShowTypeColBtn = add(QStringLiteral("ShowTypeColBtn"), G::TypeColumn);
    ShowTypeColBtn->setCheckable(true);
    InsertRecordBtn = add(QStringLiteral("InsertRecordBtn"), G::InsertRecord);
    DeleteRecords = add(QStringLiteral("DeleteRecords"), G::Delete);
    FindBtn = add(QStringLiteral("FindBtn"), G::Find);
    PrintSBtn2 = add(QStringLiteral("PrintSBtn2"), G::Print);
    ToolBar2->addGap();
    ShowSoundTools = add(QStringLiteral("ShowSoundTools"), G::SoundTools);
    ShowSoundTools->setCheckable(true);
    connect(ShowTypeColBtn, &QToolButton::clicked, this, &InputPage::ShowTypeColBtnClick);
    connect(InsertRecordBtn, &QToolButton::clicked, this, &InputPage::InsertRecordBtnClick);
    connect(DeleteRecords, &QToolButton::clicked, this, &InputPage::DeleteRecordsClick);
    ToolBar2->finish();
    // Sorting, find and printing arrive with their commands.
    for (SpeedButton *b : {SortLeftBtn, SortRightBtn, FindBtn, PrintSBtn2})
        b->setEnabled(false);
}

void InputPage::buildSoundTools()
{
    using G = SpeedButton::Glyph;
    SoundTools = new QWidget(this);
    SoundTools->setObjectName(QStringLiteral("SoundTools"));
    auto *row = new QHBoxLayout(SoundTools);
    row->setContentsMargins(2, 2, 2, 2);
    DBMediaPlayer1 = new TDBMediaPlayer(m_services.messages, SoundTools);
    DBMediaPlayer1->setBusyIndicator(m_services.busy);
    DBMediaPlayer1->setVisibleButtons(TDBMediaPlayer::btPlay | TDBMediaPlayer::btStop |
                                      TDBMediaPlayer::btRecord);
    DBMediaPlayer1->setEnabledButtons(TDBMediaPlayer::IdleButtons);
    DBMediaPlayer1->setDataField(QStringLiteral("NativeSound"));
    ProgressBar1 = new QSlider(Qt::Horizontal, SoundTools);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setMaximum(300);
    ProgressBar1->setEnabled(false);
    Label1 = new QLabel(QStringLiteral("0"), SoundTools);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label2 = new QLabel(QStringLiteral("30 sec"), SoundTools);
    Label2->setObjectName(QStringLiteral("Label2"));
    PlayerStatusLbl = new QLabel(SoundTools);
    PlayerStatusLbl->setObjectName(QStringLiteral("PlayerStatusLbl"));
    PlayerStatusLbl->setStyleSheet(QStringLiteral("color: red"));
    PlayerStatusLbl->hide();
    // The bar keeps its length whether the status shows or not.
    PlayerStatusLbl->setMinimumWidth(
        PlayerStatusLbl->fontMetrics().horizontalAdvance(QStringLiteral("Recording...")) + 8);
    QSizePolicy statusPolicy = PlayerStatusLbl->sizePolicy();
    statusPolicy.setRetainSizeWhenHidden(true);
    PlayerStatusLbl->setSizePolicy(statusPolicy);
    OpenWaveBtn = new SpeedButton(QStringLiteral("OpenWaveBtn"), G::OpenWave, SoundTools);
    DeleteSoundBtn = new SpeedButton(QStringLiteral("DeleteSoundBtn"), G::DeleteSound, SoundTools);
    SpeakWordBtn = new SpeedButton(QStringLiteral("SpeakWordBtn"), G::SpeakWord, SoundTools);
    SpeakWordBtn->hide();
    row->addWidget(DBMediaPlayer1);
    row->addWidget(Label1);
    row->addWidget(ProgressBar1, 1);
    row->addWidget(Label2);
    row->addWidget(PlayerStatusLbl);
    row->addWidget(OpenWaveBtn);
    row->addWidget(DeleteSoundBtn);
    row->addWidget(SpeakWordBtn);
    setSoundToolsShown(true);
}

void InputPage::setSoundToolsShown(bool shown)
{
    ShowSoundTools->setDown(shown);
    SoundTools->setFixedHeight(shown ? SoundToolsHeight : 0);
    SoundTools->setVisible(shown);
    if (LumoDBGrid1)
        LumoDBGrid1->setShowSoundGlyph(shown);
}

bool InputPage::soundToolsShown() const
{
    return ShowSoundTools->down();
}

void InputPage::declareSettings(SettingsList &settings)
{
    using namespace SettingOrder;
    settings.addBoolean(
        QStringLiteral("ShowSoundTools"), true, {ReadShowSoundTools, WriteShowSoundTools},
        [this] { return ShowSoundTools->down(); }, [this](bool shown) { setSoundToolsShown(shown); });
    // The grid hides its "Type" column while this button is down.
    settings.addBoolean(
        QStringLiteral("ShowTypeColBtn"), false, {ReadShowTypeColBtn, WriteShowTypeColBtn},
        [this] { return ShowTypeColBtn->down(); }, [this](bool down) { ShowTypeColBtn->setDown(down); });
}

void InputPage::setLanguageFile(const QString &fileName)
{
    LumoDBGrid1->setLanguageFile(fileName);
    CharGrid1->setLanguageFile(fileName);
}

void InputPage::enter(const std::function<void()> &openTable)
{
    // The bar and the speech button follow the unit even when its table cannot be opened.
    try {
        prepareGrid(openTable);
    } catch (...) {
        followUnitLanguages();
        throw;
    }
    followUnitLanguages();
}

void InputPage::prepareGrid(const std::function<void()> &openTable)
{
    TLumoTable &table = m_services.table;
    if (table.active())
        table.first();
    m_tableNeedsPacking = false;
    openTable();
    LumoDBGrid1->setVocabularyFile(m_services.unit.descriptor);
    ShowTypeColBtnClick();
    emit searchEnabled(true);
    enableEdit(true);
    // Words are typed at once, into the cell editor the grid opens with the focus.
    LumoDBGrid1->setFocus();
}

void InputPage::followUnitLanguages()
{
    CharGrid1->setLanguage(m_services.unit.foreignLanguage);
    m_speech->updateSpeechControls();
}

void InputPage::storePending()
{
    LumoDBGrid1->PostPending();
    DBMediaPlayer1->finishRecording();
}

void InputPage::leave()
{
    // Stored before the table is packed or closed.
    storePending();
    if (!m_tableNeedsPacking)
        return;
    emit statusMessage(m_services.keptText(QStringLiteral("MsgPackingTable")));
    m_services.table.Pack();
    m_tableNeedsPacking = false;
    emit statusMessage(QString());
    emit searchEnabled(false);
}

void InputPage::setTableNeedsPacking()
{
    m_tableNeedsPacking = true;
    emit tableNeedsPacking();
}

void InputPage::setCharBarMenu(TImageList *flags, QMenu *popup)
{
    CharGrid1->setImages(flags);
    CharGrid1->setPopupMenu(popup);
}

void InputPage::customizeCharBar()
{
    CharGrid1->Customize();
}

void InputPage::reloadCharBar()
{
    CharGrid1->setCharFileName(SpecialCharacterFileName());
    CharGrid1->LoadCharacters();
}

void InputPage::FindBtnClick()
{
    m_findSort->FindBtnClick();
}

void InputPage::SearchAgainItemClick()
{
    m_findSort->SearchAgainItemClick();
}

void InputPage::enableEdit(bool on)
{
    emit editEnabled(on);
    m_edit->setRecording(on);
}

void InputPage::EditUndoClick()
{
    m_edit->EditUndoClick();
}

void InputPage::EditRedoClick()
{
    m_edit->EditRedoClick();
}

void InputPage::EditCutClick()
{
    m_edit->EditCutClick();
}

void InputPage::EditCopyClick()
{
    m_edit->EditCopyClick();
}

void InputPage::EditPasteClick()
{
    m_edit->EditPasteClick();
}

EntryHistory *InputPage::entryHistory() const
{
    return &m_edit->history();
}

void InputPage::forgetEntrySteps()
{
    m_edit->history().clear();
}

void InputPage::SpeakWordBtnClick()
{
    m_speech->SpeakWordBtnClick();
}

void InputPage::DBMediaPlayer1Progress(qint64 positionMs, SoundDevice::Mode mode)
{
    m_soundTools->DBMediaPlayer1Progress(positionMs, mode);
}

void InputPage::setWaveFileChooser(std::function<QString()> chooser)
{
    m_soundTools->setWaveFileChooser(std::move(chooser));
}

void InputPage::InsertRecordBtnClick()
{
    TLumoTable &table = m_services.table;
    if (!table.active() || !LumoDBGrid1->commitEditor())
        return;
    LumoDBGrid1->guarded([&table] { table.insert(); });
    LumoDBGrid1->setFocus();
}

void InputPage::DeleteRecordsClick()
{
    TLumoTable &table = m_services.table;
    if (!table.active())
        return;
    // A new entry being typed is discarded; a stored one is deleted without a question.
    const bool inserting = table.state() == SqliteTable::State::Insert;
    if (!inserting && table.isEmpty())
        return;
    if (LumoDBGrid1->guarded([&table] { table.deleteRecord(); }) && !inserting)
        setTableNeedsPacking();
}

void InputPage::ShowTypeColBtnClick()
{
    LumoDBGrid1->setTypeColumnShown(!ShowTypeColBtn->down());
}

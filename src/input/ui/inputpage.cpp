#include "input/ui/inputpage.h"

#include "app/ui/speedbutton.h"

#include <QButtonGroup>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QVBoxLayout>

namespace {
QFrame *namedPlace(const QString &name, QWidget *parent)
{
    auto *frame = new QFrame(parent);
    frame->setObjectName(name);
    frame->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    return frame;
}
} // namespace

InputPage::InputPage(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("VocInputPage"));
    buildToolBar();
    buildSoundTools();
    LumoDBGrid1 = namedPlace(QStringLiteral("LumoDBGrid1"), this);
    CharGrid1 = namedPlace(QStringLiteral("CharGrid1"), this);
    CharGrid1->setFixedHeight(22);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ToolBar2);
    layout->addWidget(SoundTools);
    layout->addWidget(LumoDBGrid1, 1);
    layout->addWidget(CharGrid1);
}

void InputPage::buildToolBar()
{
    using G = SpeedButton::Glyph;
    ToolBar2 = new QWidget(this);
    ToolBar2->setObjectName(QStringLiteral("ToolBar2"));
    ToolBar2->setFixedHeight(29);
    auto *bar = new QHBoxLayout(ToolBar2);
    bar->setContentsMargins(2, 2, 2, 2);
    bar->setSpacing(0);
    auto add = [&](const QString &name, G glyph) {
        auto *b = new SpeedButton(name, glyph, ToolBar2);
        bar->addWidget(b);
        return b;
    };
    SortLeftBtn = add(QStringLiteral("SortLeftBtn"), G::SortLeft);
    SortNotBtn = add(QStringLiteral("SortNotBtn"), G::SortNot);
    SortRightBtn = add(QStringLiteral("SortRightBtn"), G::SortRight);
    auto *sortGroup = new QButtonGroup(this);
    for (SpeedButton *b : {SortLeftBtn, SortNotBtn, SortRightBtn}) {
        b->setCheckable(true);
        sortGroup->addButton(b);
    }
    SortNotBtn->setDown(true);
    bar->addSpacing(6);
    ShowTypeColBtn = add(QStringLiteral("ShowTypeColBtn"), G::TypeColumn);
    ShowTypeColBtn->setCheckable(true);
    InsertRecordBtn = add(QStringLiteral("InsertRecordBtn"), G::InsertRecord);
    DeleteRecords = add(QStringLiteral("DeleteRecords"), G::Delete);
    FindBtn = add(QStringLiteral("FindBtn"), G::Find);
    PrintSBtn2 = add(QStringLiteral("PrintSBtn2"), G::Print);
    bar->addSpacing(6);
    ShowSoundTools = add(QStringLiteral("ShowSoundTools"), G::SoundTools);
    ShowSoundTools->setCheckable(true);
    connect(ShowSoundTools, &QToolButton::clicked, this, &InputPage::setSoundToolsShown);
    bar->addStretch(1);
    // The grid's commands arrive with the grid.
    for (SpeedButton *b : {SortLeftBtn, SortRightBtn, InsertRecordBtn, DeleteRecords, FindBtn, PrintSBtn2})
        b->setEnabled(false);
}

void InputPage::buildSoundTools()
{
    using G = SpeedButton::Glyph;
    SoundTools = new QWidget(this);
    SoundTools->setObjectName(QStringLiteral("SoundTools"));
    auto *row = new QHBoxLayout(SoundTools);
    row->setContentsMargins(2, 2, 2, 2);
    DBMediaPlayer1 = namedPlace(QStringLiteral("DBMediaPlayer1"), SoundTools);
    DBMediaPlayer1->setFixedWidth(85);
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
    OpenWaveBtn = new SpeedButton(QStringLiteral("OpenWaveBtn"), G::OpenWave, SoundTools);
    DeleteSoundBtn = new SpeedButton(QStringLiteral("DeleteSoundBtn"), G::DeleteSound, SoundTools);
    OpenWaveBtn->setEnabled(false);
    DeleteSoundBtn->setEnabled(false);
    row->addWidget(DBMediaPlayer1);
    row->addWidget(Label1);
    row->addWidget(ProgressBar1, 1);
    row->addWidget(Label2);
    row->addWidget(PlayerStatusLbl);
    row->addWidget(OpenWaveBtn);
    row->addWidget(DeleteSoundBtn);
    setSoundToolsShown(true);
}

void InputPage::setSoundToolsShown(bool shown)
{
    ShowSoundTools->setDown(shown);
    SoundTools->setFixedHeight(shown ? SoundToolsHeight : 0);
    SoundTools->setVisible(shown);
}

bool InputPage::soundToolsShown() const
{
    return ShowSoundTools->down();
}

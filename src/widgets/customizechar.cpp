#include "widgets/customizechar.h"

#include "platform/lumoerror.h"
#include "platform/messageservice.h"
#include "vocfile/specialcharacterfile.h"
#include "widgets/chargrid.h"
#include "widgets/dialogbuttons.h"
#include "widgets/languagecombobox.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {
constexpr QSize DialogSize(445, 268);
constexpr QSize CellSize(12, 18);
} // namespace

TCustomizeChar::TCustomizeChar(MessageService *messages, QWidget *parent)
    : QDialog(parent), m_messages(messages)
{
    setObjectName(QStringLiteral("CustomizeChar"));
    setWindowTitle(QStringLiteral("Customize Character Bar"));
    buildControls();
    fillCharMap();
}

void TCustomizeChar::buildControls()
{
    CharMap = new QTableWidget(this);
    CharMap->setObjectName(QStringLiteral("CharMap"));
    TCharGrid::shapeGrid(*CharMap, MapRows, MapColumns, CellSize);
    const int frame = 2 * CharMap->frameWidth();
    CharMap->setFixedSize(MapColumns * CellSize.width() + frame, MapRows * CellSize.height() + frame);

    CharBar = new QTableWidget(this);
    CharBar->setObjectName(QStringLiteral("CharBar"));
    TCharGrid::shapeGrid(*CharBar, 1, SpecialCharacterFile::SlotCount, CellSize);
    // Seventy slots are wider than the dialog: the bar scrolls sideways.
    CharBar->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    CharBar->setFixedHeight(CellSize.height() + frame + CharBar->horizontalScrollBar()->sizeHint().height());
    CharBar->setCurrentCell(0, 0);

    LanguageComboBox = new TLanguageComboBox(this);
    LanguageComboBox->setObjectName(QStringLiteral("LanguageComboBox"));
    LanguageComboBox->setMinimumWidth(170);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(LanguageComboBox);
    const DialogButtons row(*this, *bottom, {"OKBtn", "OK", "Help"});
    OKBtn = row.ok;
    CancelBtn = row.cancel;
    HelpBtn = row.help;
    for (QPushButton *button : {OKBtn, CancelBtn, HelpBtn})
        button->setFixedWidth(75);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(CharMap, 0, Qt::AlignHCenter);
    layout->addWidget(CharBar);
    layout->addStretch(1);
    layout->addLayout(bottom);
    setFixedSize(DialogSize);

    connect(CharMap, &QTableWidget::cellPressed, this, &TCustomizeChar::CharMapMouseDown);
    connect(LanguageComboBox, &QComboBox::currentIndexChanged, this, &TCustomizeChar::LanguageComboBoxChange);
    connect(OKBtn, &QPushButton::clicked, this, &TCustomizeChar::OKBtnClick);
    connect(HelpBtn, &QPushButton::clicked, this, [this] { emit helpRequested(HelpContext); });
}

void TCustomizeChar::fillCharMap()
{
    for (int row = 0; row < MapRows; ++row)
        for (int column = 0; column < MapColumns; ++column) {
            const int code = FirstMapCode + row * MapColumns + column;
            QChar character = SpecialCharacterFile::characterOf(std::max(m_language, 0), code);
            // Bytes the code page leaves without a visible character are offered as nothing.
            if (!character.isPrint())
                character = QChar();
            TCharGrid::setCellCharacter(*CharMap, row, column, character);
        }
}

void TCustomizeChar::setLanguage(int language)
{
    m_language = language;
    fillCharMap();
    LoadBar();
}

void TCustomizeChar::LoadBar()
{
    const SpecialCharacterFile file(m_charFileName);
    if (!file.exists())
        return;
    CharBar->setColumnCount(SpecialCharacterFile::SlotCount);
    const QList<QChar> characters = file.slotCharacters(m_language);
    for (int slot = 0; slot < SpecialCharacterFile::SlotCount; ++slot)
        TCharGrid::setCellCharacter(*CharBar, 0, slot, characters.at(slot));
    CharBar->setCurrentCell(0, 0);
}

QList<QChar> TCustomizeChar::barCharacters() const
{
    QList<QChar> characters;
    for (int column = 0; column < CharBar->columnCount(); ++column)
        characters.append(TCharGrid::cellCharacter(*CharBar, 0, column));
    return characters;
}

bool TCustomizeChar::SaveBar()
{
    SpecialCharacterFile file(m_charFileName);
    try {
        file.writeSlots(m_language, barCharacters());
        return true;
    } catch (const LumoError &) {
        if (m_messages)
            m_messages->error(m_saveFailedText + QStringLiteral("\r\n") + m_charFileName);
        return false;
    }
}

void TCustomizeChar::LanguageComboBoxChange()
{
    // Before the first language is loaded there is nothing to save.
    const int chosen = LanguageComboBox->currentIndex();
    if (m_language < 0 || chosen < 0 || chosen == m_language)
        return;
    if (!SaveBar()) {
        // The set that could not be saved stays on screen, under its own language.
        const QSignalBlocker keep(LanguageComboBox);
        LanguageComboBox->setCurrentIndex(m_language);
        return;
    }
    setLanguage(chosen);
}

void TCustomizeChar::CharMapMouseDown(int row, int column)
{
    const QChar character = TCharGrid::cellCharacter(*CharMap, row, column);
    const int slot = CharBar->currentColumn();
    if (character.isNull() || slot < 0)
        return;
    TCharGrid::setCellCharacter(*CharBar, 0, slot, character);
    if (slot < CharBar->columnCount() - 1)
        CharBar->setCurrentCell(0, slot + 1);
    CharBar->setFocus();
}

void TCustomizeChar::OKBtnClick()
{
    // A set that could not be saved keeps the dialog open, so nothing typed is lost.
    if (SaveBar())
        accept();
}

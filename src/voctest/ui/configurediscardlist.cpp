#include "voctest/ui/configurediscardlist.h"

#include "platform/errorboundary.h"
#include "platform/ini/inibatch.h"
#include "platform/ini/inifile.h"
#include "platform/programfolder.h"
#include "platform/ui/helpkey.h"
#include "widgets/languagecombobox.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {
const QString Section = QStringLiteral("DiscardStrings");

QString languageKey(int language)
{
    return QStringLiteral("Language") + QString::number(language);
}
} // namespace

TConfigureDiscardList::TConfigureDiscardList(MessageService &messages, QWidget *parent)
    : QDialog(parent), m_messages(messages)
{
    setObjectName(QStringLiteral("ConfigureDiscardList"));
    setWindowTitle(QStringLiteral("Configure words to discard"));
    buildControls();
    FormCreate();
}

QString TConfigureDiscardList::fileName()
{
    return QStringLiteral("DiscardList.ldl");
}

void TConfigureDiscardList::buildControls()
{
    LanguageLabel = new QLabel(QStringLiteral("Language:"), this);
    LanguageLabel->setObjectName(QStringLiteral("LanguageLabel"));
    LanguageComboBox1 = new TLanguageComboBox(this);
    LanguageComboBox1->setObjectName(QStringLiteral("LanguageComboBox1"));
    LanguageLabel->setBuddy(LanguageComboBox1);
    DiscardStringLabel = new QLabel(QStringLiteral("Words to discard:"), this);
    DiscardStringLabel->setObjectName(QStringLiteral("DiscardStringLabel"));
    DiscardString = new QLineEdit(this);
    DiscardString->setObjectName(QStringLiteral("DiscardString"));
    DiscardString->setMinimumWidth(300);
    DiscardStringLabel->setBuddy(DiscardString);
    HelpLabel = new QLabel(
        QStringLiteral("Please seperate each word by a semicolon.                 (e.g. go; walk)"), this);
    HelpLabel->setObjectName(QStringLiteral("HelpLabel"));
    HelpLabel->setWordWrap(true);
    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    HelpBtn = new QPushButton(QStringLiteral("&Help"), this);
    HelpBtn->setObjectName(QStringLiteral("HelpBtn"));

    auto *fields = new QGridLayout;
    fields->addWidget(LanguageLabel, 0, 0);
    fields->addWidget(LanguageComboBox1, 0, 1);
    fields->addWidget(DiscardStringLabel, 1, 0);
    fields->addWidget(DiscardString, 1, 1);
    fields->addWidget(HelpLabel, 2, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton *button : {OKBtn, CancelBtn, HelpBtn})
        buttons->addWidget(button);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);

    connect(LanguageComboBox1, &QComboBox::currentIndexChanged, this, [this] {
        if (isVisible())
            LanguageComboBox1Change();
    });
    connect(OKBtn, &QPushButton::clicked, this, [this] { Guarded(m_messages, [this] { OKBtnClick(); }); });
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(HelpBtn, &QPushButton::clicked, this, &TConfigureDiscardList::HelpBtnClick);
    HelpKey::bind(*this, *HelpBtn);
}

void TConfigureDiscardList::FormCreate()
{
    m_strings = QStringList(LanguageCount, QString());
    const IniFile ini(ProgramFileToRead(fileName()));
    if (ini.exists())
        for (int language = 0; language < LanguageCount; ++language)
            m_strings[language] = ini.readString(Section, languageKey(language), QString());
    m_current = -1;
}

void TConfigureDiscardList::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TConfigureDiscardList::FormShow()
{
    m_current = -1;
    LanguageComboBox1Change();
}

void TConfigureDiscardList::storeEdit()
{
    if (m_current >= 0 && m_current < LanguageCount)
        m_strings[m_current] = DiscardString->text();
}

void TConfigureDiscardList::LanguageComboBox1Change()
{
    storeEdit();
    // Without a selection the field shows nothing and keeps nothing.
    const int selected = LanguageComboBox1->currentIndex();
    m_current = selected >= 0 && selected < LanguageCount ? selected : -1;
    DiscardString->setText(m_current >= 0 ? m_strings.at(m_current) : QString());
}

void TConfigureDiscardList::OKBtnClick()
{
    m_current = LanguageComboBox1->currentIndex();
    storeEdit();
    IniBatch file(ProgramFileToWrite(fileName()));
    for (int language = 0; language < LanguageCount; ++language)
        file.writeString(Section, languageKey(language), m_strings.at(language));
    file.commit();
    accept();
}

void TConfigureDiscardList::HelpBtnClick()
{
    emit helpRequested(HelpContext);
}

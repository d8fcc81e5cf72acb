#include "voctest/ui/configurediscardlist.h"

#include "platform/errorboundary.h"
#include "voctest/discardlist.h"
#include "widgets/dialogbuttons.h"
#include "widgets/languagecombobox.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

TConfigureDiscardList::TConfigureDiscardList(MessageService &messages, QWidget *parent)
    : QDialog(parent), m_messages(messages)
{
    setObjectName(QStringLiteral("ConfigureDiscardList"));
    setWindowTitle(QStringLiteral("Configure words to discard"));
    buildControls();
    FormCreate();
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
    auto *buttons = new QHBoxLayout;
    const DialogButtons row(*this, *buttons);
    OKBtn = row.ok;
    CancelBtn = row.cancel;
    HelpBtn = row.help;

    auto *fields = new QGridLayout;
    fields->addWidget(LanguageLabel, 0, 0);
    fields->addWidget(LanguageComboBox1, 0, 1);
    fields->addWidget(DiscardStringLabel, 1, 0);
    fields->addWidget(DiscardString, 1, 1);
    fields->addWidget(HelpLabel, 2, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);

    connect(LanguageComboBox1, &QComboBox::currentIndexChanged, this, [this] {
        if (isVisible())
            LanguageComboBox1Change();
    });
    connect(OKBtn, &QPushButton::clicked, this, [this] { Guarded(m_messages, [this] { OKBtnClick(); }); });
    connect(HelpBtn, &QPushButton::clicked, this, &TConfigureDiscardList::HelpBtnClick);
}

void TConfigureDiscardList::FormCreate()
{
    m_strings = DiscardList::texts(LanguageCount);
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
    DiscardList::save(m_strings);
    accept();
}

void TConfigureDiscardList::HelpBtnClick()
{
    emit helpRequested(HelpContext);
}

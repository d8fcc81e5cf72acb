#include "logbook/ui/savemistakesform.h"

#include "platform/errorboundary.h"
#include "uilang/translate.h"
#include "widgets/updown.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
template <typename Control> Control *named(Control *control, const char *name)
{
    control->setObjectName(QString::fromLatin1(name));
    return control;
}
} // namespace

TSaveMistakesForm::TSaveMistakesForm(MessageService &messages, QWidget *parent)
    : QDialog(parent), m_messages(messages)
{
    setObjectName(QStringLiteral("SaveMistakesForm"));
    setWindowTitle(QStringLiteral("Save Mistakes"));
    buildControls();
    layOut();
    connect(AllEntriesRadioBtn, &QRadioButton::clicked, this, &TSaveMistakesForm::AllEntriesRadioBtnClick);
    connect(SomeEntriesRadioBtn, &QRadioButton::clicked, this, &TSaveMistakesForm::SomeEntriesRadioBtnClick);
    connect(OKBtn, &QPushButton::clicked, this, &TSaveMistakesForm::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    FileNameEdit->setFocus();
}

void TSaveMistakesForm::buildControls()
{
    FileNameLabel = named(new QLabel(QStringLiteral("File name:"), this), "FileNameLabel");
    FileNameEdit = named(new QLineEdit(this), "FileNameEdit");
    DescriptionLabel = named(new QLabel(QStringLiteral("Description:"), this), "DescriptionLabel");
    DescriptionEdit = named(new QLineEdit(this), "DescriptionEdit");
    FileNameLabel->setBuddy(FileNameEdit);
    DescriptionLabel->setBuddy(DescriptionEdit);
    AllEntriesRadioBtn =
        named(new QRadioButton(QStringLiteral("Save all mistakes."), this), "AllEntriesRadioBtn");
    SomeEntriesRadioBtn = named(new QRadioButton(QStringLiteral("Save only entries with more than"), this),
                                "SomeEntriesRadioBtn");
    AllEntriesRadioBtn->setChecked(true);
    MistakesEdit = named(new QLineEdit(QStringLiteral("0"), this), "MistakesEdit");
    // Only a whole number can be compared with the counts.
    MistakesEdit->setValidator(new QIntValidator(0, MaxMistakes, MistakesEdit));
    MistakesEdit->setFixedWidth(40);
    MistakesEdit->setAlignment(Qt::AlignRight);
    MistakesUpDown = named(new TUpDown(MistakesEdit, 0, MaxMistakes, this), "MistakesUpDown");
    SomeEntriesLabel = named(new QLabel(QStringLiteral("mistakes."), this), "SomeEntriesLabel");
    SaveSound = named(new QCheckBox(QStringLiteral("Save assigned sound too."), this), "SaveSound");
    OKBtn = named(new QPushButton(QStringLiteral("OK"), this), "OKBtn");
    OKBtn->setDefault(true);
    CancelBtn = named(new QPushButton(QStringLiteral("Cancel"), this), "CancelBtn");
    enableNumber(false);
}

void TSaveMistakesForm::layOut()
{
    auto *names = new QGridLayout;
    names->addWidget(FileNameLabel, 0, 0);
    names->addWidget(FileNameEdit, 0, 1);
    names->addWidget(DescriptionLabel, 1, 0);
    names->addWidget(DescriptionEdit, 1, 1);
    names->setColumnMinimumWidth(1, 240);
    auto *some = new QHBoxLayout;
    some->setSpacing(2);
    some->addWidget(SomeEntriesRadioBtn);
    some->addSpacing(4);
    some->addWidget(MistakesEdit);
    some->addWidget(MistakesUpDown);
    some->addSpacing(4);
    some->addWidget(SomeEntriesLabel);
    some->addStretch(1);
    auto *left = new QVBoxLayout;
    left->addLayout(names);
    left->addSpacing(8);
    left->addWidget(AllEntriesRadioBtn);
    left->addLayout(some);
    left->addSpacing(8);
    left->addWidget(SaveSound);
    left->addStretch(1);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    buttons->addStretch(1);
    auto *all = new QHBoxLayout(this);
    all->addLayout(left, 1);
    all->addSpacing(8);
    all->addLayout(buttons);
    setFixedSize(sizeHint());
}

void TSaveMistakesForm::applyLanguageFile(const QString &languageFile, const QString &section)
{
    const auto text = [&](const char *key, const char *english, const QString &inSection) {
        return Translate(languageFile, inSection, QString::fromLatin1(key), QString::fromLatin1(english));
    };
    const QString general = QStringLiteral("general");
    setWindowTitle(text("SaveMistakesForm", "Save Mistakes", section));
    FileNameLabel->setText(text("FileNameLabel", "File name:", section));
    DescriptionLabel->setText(text("DescriptionLabel", "Description:", section));
    AllEntriesRadioBtn->setText(text("AllEntriesRadioBtn", "Save all mistakes.", section));
    SomeEntriesRadioBtn->setText(text("SomeEntriesRadioBtn", "Save only entries with more than", section));
    SomeEntriesLabel->setText(text("SomeEntriesLabel", "mistakes.", section));
    SaveSound->setText(text("SaveSound", "Save assigned sound too.", section));
    OKBtn->setText(text("OkBtn", "OK", general));
    CancelBtn->setText(text("CancelBtn", "Cancel", general));
    // Translated captions may be longer than the English ones.
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    adjustSize();
    setFixedSize(sizeHint());
}

void TSaveMistakesForm::enableNumber(bool on)
{
    MistakesEdit->setEnabled(on);
    MistakesUpDown->setEnabled(on);
}

void TSaveMistakesForm::AllEntriesRadioBtnClick()
{
    enableNumber(false);
}

void TSaveMistakesForm::SomeEntriesRadioBtnClick()
{
    enableNumber(true);
}

MistakesSaver::Choice TSaveMistakesForm::choice() const
{
    MistakesSaver::Choice choice;
    choice.name = FileNameEdit->text().trimmed();
    choice.description = DescriptionEdit->text();
    choice.allEntries = AllEntriesRadioBtn->isChecked();
    choice.moreThan = MistakesEdit->text().toInt();
    choice.withSounds = SaveSound->isChecked();
    return choice;
}

void TSaveMistakesForm::OKBtnClick()
{
    FileNameEdit->setText(FileNameEdit->text().trimmed());
    MistakesSaver saver(Source, m_messages);
    MistakesSaver::Outcome outcome = MistakesSaver::Outcome::StayOpen;
    Guarded(m_messages, [&] { outcome = saver.save(choice()); });
    if (outcome == MistakesSaver::Outcome::Closed)
        accept();
}

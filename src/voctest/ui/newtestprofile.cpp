#include "voctest/ui/newtestprofile.h"

#include "platform/errorboundary.h"
#include "platform/messageservice.h"
#include "platform/programfolder.h"
#include "voctest/testsettings.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TNewTestProfile::TNewTestProfile(MessageService &messages, QWidget *parent)
    : QDialog(parent), m_messages(messages)
{
    setObjectName(QStringLiteral("NewTestProfile"));
    setWindowTitle(QStringLiteral("Create new test profile:"));
    FileNameLabel = new QLabel(QStringLiteral("File name:"), this);
    FileNameLabel->setObjectName(QStringLiteral("FileNameLabel"));
    FileNameEdit = new QLineEdit(this);
    FileNameEdit->setObjectName(QStringLiteral("FileNameEdit"));
    FileNameEdit->setMinimumWidth(260);
    FileNameLabel->setBuddy(FileNameEdit);
    DescriptionLabel = new QLabel(QStringLiteral("Description:"), this);
    DescriptionLabel->setObjectName(QStringLiteral("DescriptionLabel"));
    DescriptionEdit = new QLineEdit(this);
    DescriptionEdit->setObjectName(QStringLiteral("DescriptionEdit"));
    DescriptionLabel->setBuddy(DescriptionEdit);
    OkBtn = new QPushButton(QStringLiteral("Ok"), this);
    OkBtn->setObjectName(QStringLiteral("OkBtn"));
    OkBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));

    auto *fields = new QGridLayout;
    fields->addWidget(FileNameLabel, 0, 0);
    fields->addWidget(FileNameEdit, 0, 1);
    fields->addWidget(DescriptionLabel, 1, 0);
    fields->addWidget(DescriptionEdit, 1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OkBtn);
    buttons->addWidget(CancelBtn);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    connect(OkBtn, &QPushButton::clicked, this, [this] { Guarded(m_messages, [this] { OkBtnClick(); }); });
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TNewTestProfile::setRenameMode(const QString &path, const QString &description)
{
    FileNameEdit->setText(path);
    FileNameEdit->setEnabled(false);
    DescriptionEdit->setText(description);
}

QString TNewTestProfile::targetPath()
{
    if (!FileNameEdit->isEnabled())
        return ProgramFileToWrite(QFileInfo(FileNameEdit->text()).fileName());
    // Only a name is taken: variants live in the program's folder.
    const QString name = QFileInfo(QString(FileNameEdit->text()).replace(u'\\', u'/')).fileName();
    FileNameEdit->setText(name);
    if (name.trimmed().isEmpty()) {
        m_messages.show(MessageService::Kind::Warning, EmptyNameMsg, MessageService::Ok);
        return QString();
    }
    const QString fileName = name + TestSettings::fileExtension();
    if (ProgramFileExists(fileName) &&
        m_messages.show(MessageService::Kind::Confirmation, OverwriteMsg,
                        MessageService::Yes | MessageService::No) != MessageService::Yes) {
        reject();
        return QString();
    }
    return ProgramFileToWrite(fileName);
}

void TNewTestProfile::OkBtnClick()
{
    const bool newMode = FileNameEdit->isEnabled();
    const QString path = targetPath();
    if (path.isEmpty())
        return;
    if (newMode)
        TestSettings::saveNew(path, DescriptionEdit->text());
    else
        TestSettings::saveDescription(path, DescriptionEdit->text());
    m_written = path;
    accept();
}

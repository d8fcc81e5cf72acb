#include "units/ui/newvocfile.h"

#include "platform/messageservice.h"
#include "vocfile/unitdescriptor.h"
#include "widgets/dialogbuttons.h"
#include "widgets/languagecombobox.h"

#include <QFontDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
std::optional<QString> askFont(QWidget *parent, const QString &current)
{
    QFontDialog dialog(QFont(current, 8), parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.selectedFont().family();
}
} // namespace

TNewVocFile::TNewVocFile(MessageService &messages, QWidget *parent) : QDialog(parent), m_messages(messages)
{
    setObjectName(QStringLiteral("NewVocFile"));
    setWindowTitle(QStringLiteral("New Vocabulary File"));
    m_chooseFont = [this](const QString &current) { return askFont(this, current); };
    buildControls();
    setFixedSize(sizeHint());
}

QString TNewVocFile::DefaultCreationFailedMessage()
{
    return QStringLiteral("A filename cannot contain any of the following characters:\r\n") +
           UnitDialogCommit::forbiddenCharacters();
}

void TNewVocFile::setFontChooser(std::function<std::optional<QString>(const QString &)> chooser)
{
    m_chooseFont = std::move(chooser);
}

void TNewVocFile::buildControls()
{
    const auto label = [this](const char *name, const char *text) {
        auto *l = new QLabel(QString::fromLatin1(text), this);
        l->setObjectName(QString::fromLatin1(name));
        return l;
    };
    Label1 = label("Label1", "File Name:");
    FileNameEdit = new QLineEdit(this);
    FileNameEdit->setObjectName(QStringLiteral("FileNameEdit"));
    Label1->setBuddy(FileNameEdit);
    Label2 = label("Label2", "Description:");
    DescriptionEdit = new QLineEdit(this);
    DescriptionEdit->setObjectName(QStringLiteral("DescriptionEdit"));
    Label3 = label("Label3", "Native Language:");
    NativeLanguageComboBox = new TLanguageComboBox(this);
    NativeLanguageComboBox->setObjectName(QStringLiteral("NativeLanguageComboBox"));
    Label4 = label("Label4", "Foreign Language:");
    ForeignLanguageComboBox = new TLanguageComboBox(this);
    ForeignLanguageComboBox->setObjectName(QStringLiteral("ForeignLanguageComboBox"));
    Label5 = label("Label5", "Use a special font for languages like Chinese, etc.");
    Label5->setWordWrap(true);
    FontBtn = new QPushButton(QStringLiteral("Special &Font..."), this);
    FontBtn->setObjectName(QStringLiteral("FontBtn"));
    auto *buttons = new QVBoxLayout;
    const DialogButtons column(*this, *buttons);
    OKBtn = column.ok;
    CancelBtn = column.cancel;
    HelpBtn = column.help;

    auto *fields = new QGridLayout;
    fields->addWidget(Label1, 0, 0);
    fields->addWidget(FileNameEdit, 0, 1);
    fields->addWidget(Label2, 1, 0);
    fields->addWidget(DescriptionEdit, 1, 1);
    fields->addWidget(Label3, 2, 0);
    fields->addWidget(NativeLanguageComboBox, 2, 1);
    fields->addWidget(Label4, 3, 0);
    fields->addWidget(ForeignLanguageComboBox, 3, 1);
    fields->setColumnMinimumWidth(1, 220);
    auto *font = new QHBoxLayout;
    font->addWidget(Label5, 1);
    font->addWidget(FontBtn);
    auto *left = new QVBoxLayout;
    left->addLayout(fields);
    left->addSpacing(8);
    left->addLayout(font);
    auto *all = new QHBoxLayout(this);
    all->addLayout(left, 1);
    all->addSpacing(8);
    all->addLayout(buttons);

    connect(OKBtn, &QPushButton::clicked, this, &TNewVocFile::OKBtnClick);
    connect(HelpBtn, &QPushButton::clicked, this, &TNewVocFile::HelpBtnClick);
    connect(FontBtn, &QPushButton::clicked, this, &TNewVocFile::FontBtnClick);
    FileNameEdit->setFocus();
}

void TNewVocFile::OKBtnClick()
{
    UnitDialogCommit::Texts texts;
    texts.fileExistsQuestion = FileExistsQuestion;
    texts.creationFailedMessage = CreationFailedMessage;
    texts.unitExistsMessage = UnitExistsMessage;
    texts.renameFailedMessage = RenameFailedMessage;
    texts.nameTooLongMessage = NameTooLongMessage;
    UnitDialogCommit commit(m_messages, texts);
    UnitDialogCommit::Input input;
    input.folder = Folder;
    input.extension = Extension;
    input.name = FileNameEdit->text();
    input.previousName = PreviousName;
    input.propertiesMode = PropertiesMode;
    // A box without a selection (a unit with a number outside the languages) keeps the
    // number the unit has.
    const UnitDescriptor previous(descriptorPath());
    input.nativeLanguage = NativeLanguageComboBox->currentIndex() >= 0
                               ? NativeLanguageComboBox->SelectedLanguage()
                               : previous.firstLanguage();
    input.foreignLanguage = ForeignLanguageComboBox->currentIndex() >= 0
                                ? ForeignLanguageComboBox->SelectedLanguage()
                                : previous.secondLanguage();
    input.description = DescriptionEdit->text();
    input.font = chosenFont();
    const UnitDialogCommit::Outcome outcome = commit.run(input);
    FileNameEdit->setText(input.name);
    if (outcome != UnitDialogCommit::Outcome::Written)
        return;
    m_written = commit.writtenDescriptor();
    accept();
}

QString TNewVocFile::descriptorPath() const
{
    return Folder + PreviousName + QLatin1Char('.') + Extension;
}

std::optional<QString> TNewVocFile::chosenFont() const
{
    if (PropertiesMode && !m_fontChosen && SpecialFont.isEmpty())
        return std::nullopt;
    return SpecialFont;
}

void TNewVocFile::FontBtnClick()
{
    const QString current = chosenFont().value_or(UnitDescriptor(descriptorPath()).font());
    if (const std::optional<QString> chosen = m_chooseFont(current)) {
        SpecialFont = chosen->left(MaxFontNameLength);
        m_fontChosen = true;
    }
}

void TNewVocFile::HelpBtnClick()
{
    emit helpRequested(HelpContext);
}

#include "voctest/ui/testparamsdlg.h"

#include "platform/errorboundary.h"
#include "platform/folderlisting.h"
#include "platform/ini/inibatch.h"
#include "platform/ini/inifile.h"
#include "platform/messageservice.h"
#include "platform/programfolder.h"
#include "platform/sound/speechsynthesizer.h"
#include "platform/ui/helpkey.h"
#include "uilang/translate.h"
#include "voctest/testvariantlist.h"
#include "voctest/ui/configurediscardlist.h"
#include "voctest/ui/newtestprofile.h"
#include "widgets/languagecombobox.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {
const QString Section = QStringLiteral("settings");

using Text = DialogTexts::Text;

// Every text of the dialog and of the two dialogs it opens, in the order of reading.
const Text Texts[] = {
    {"OkBtn", "Ok", true},
    {"CancelBtn", "Cancel", true},
    {"HelpBtn", "Help", true},
    {"Caption", "Test Settings", false},
    {"NewBtn", "New...", false},
    {"RenameBtn", "Rename...", false},
    {"DeleteBtn", "Delete", false},
    {"Standard", "Standard", false},
    {"MultiChoice", "Multiple Choice", false},
    {"Comprehension", "Listening Comprehension", false},
    {"DiscardNotes", "Allow notes \"(note...)\"", false},
    {"MatchCase", "Match case", false},
    {"UseDiscardList", "Use discard list", false},
    {"ConfigureBtn", "Configure...", false},
    {"Label", "Include the following word types in the test (check all that apply):", false},
    {"Type0", "other", false},
    {"Type1", "noun", false},
    {"Type2", "verb", false},
    {"Type3", "pronoun", false},
    {"Type4", "adverb", false},
    {"Type5", "adjective", false},
    {"Type6", "article", false},
    {"Type7", "numeral", false},
    {"Type8", "preposition", false},
    {"Type9", "conjunction", false},
    {"Type10", "exclamation", false},
    {"DeleteMsg", "Are you sure you want to delete the test profile:", false},
    {"FileNameLabel", "File name:", false},
    {"DescriptionLabel", "Description:", false},
    {"NewCaption", "Create new test profile:", false},
    {"RenameCaption", "Rename test profile:", false},
    {"OverwriteMsg", "File already exists! Overwrite the existing file?", false},
    {"MsgEmptyFileName", "Please enter a file name for the new test profile.", false},
    {"LanguageLabel", "Language:", false},
    {"DiscardStringLabel", "Words to discard:", false},
    {"HelpLabel", "Please seperate each word by a semicolon.                 (e.g. go; walk)", false},
    {"DiscardStringCaption", "Configure words to discard", false},
    {"IgnoreAccents", "Ignore accents (\u00e9 = e)", false},
    {"SpeakMissingSounds", "Speak words that have no sound", false},
    {"NewPerDayLabel", "New words a day (due words):", false},
    {"FlashCards", "Flash cards", false},
};

// Read as a test reads it: missing or negative is the default.
constexpr int DefaultNewPerDay = 20;

QString yesNo(bool value)
{
    return value ? QStringLiteral("yes") : QStringLiteral("no");
}

bool hasKey(const QString &path, const char *key)
{
    const QString absent = QStringLiteral("\x01");
    return IniFile(path).readString(Section, QLatin1String(key), absent) != absent;
}

// The keys added later are on for "yes" or "1" and off without the key.
bool addedSwitchOn(const QString &value)
{
    return value == QStringLiteral("yes") || value == QStringLiteral("1");
}

// A variant that never used an added key keeps its file as it was.
void writeAddedSwitch(IniBatch &file, const QString &path, const char *key, bool on)
{
    if (on || hasKey(path, key))
        file.writeString(Section, QLatin1String(key), yesNo(on));
}

QString wordTypeToken(int type)
{
    return u'[' + QString::number(type) + u']';
}
} // namespace

TTestParamsDlg::TTestParamsDlg(MessageService &messages, QWidget *parent)
    : QDialog(parent), m_messages(messages), m_texts(Texts)
{
    setObjectName(QStringLiteral("TestParamsDlg"));
    setWindowTitle(QStringLiteral("Test Parameters"));
    buildControls();
    connectControls();
    FormCreate();
}

QList<TTestParamsDlg::TextKey> TTestParamsDlg::textKeys()
{
    return DialogTexts(Texts).keys();
}

QString TTestParamsDlg::text(const QString &key) const
{
    return m_texts.text(key);
}

void TTestParamsDlg::buildControls()
{
    const auto button = [this](const char *name, const char *caption) {
        auto *b = new QPushButton(QString::fromUtf8(caption), this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        return b;
    };
    TestVariants = new QComboBox(this);
    TestVariants->setObjectName(QStringLiteral("TestVariants"));
    TestVariants->setMinimumWidth(240);
    NewBtn = button("NewBtn", "New...");
    RenameBtn = button("RenameBtn", "Rename...");
    DeleteBtn = button("DeleteBtn", "Delete");
    auto *variantRow = new QHBoxLayout;
    variantRow->addWidget(TestVariants, 1);
    for (QPushButton *b : {NewBtn, RenameBtn, DeleteBtn})
        variantRow->addWidget(b);

    auto *kinds = new QGroupBox(this);
    Standard = new QRadioButton(QStringLiteral("Standard"), kinds);
    MultiChoice = new QRadioButton(QStringLiteral("Multiple Choice"), kinds);
    Comprehension = new QRadioButton(QStringLiteral("Listening Comprehension"), kinds);
    Standard->setObjectName(QStringLiteral("Standard"));
    MultiChoice->setObjectName(QStringLiteral("MultiChoice"));
    Comprehension->setObjectName(QStringLiteral("Comprehension"));
    FlashCards = new QRadioButton(text(QStringLiteral("FlashCards")), kinds);
    FlashCards->setObjectName(QStringLiteral("FlashCards"));
    Standard->setChecked(true);
    auto *kindColumn = new QVBoxLayout(kinds);
    for (QRadioButton *kind : {Standard, MultiChoice, Comprehension, FlashCards})
        kindColumn->addWidget(kind);

    auto *checks = new QGroupBox(this);
    DiscardNotes = new QCheckBox(QStringLiteral("Allow notes \"(note...)\""), checks);
    MatchCase = new QCheckBox(QStringLiteral("Match case"), checks);
    UseDiscardList = new QCheckBox(QStringLiteral("Use discard list"), checks);
    DiscardNotes->setObjectName(QStringLiteral("DiscardNotes"));
    MatchCase->setObjectName(QStringLiteral("MatchCase"));
    UseDiscardList->setObjectName(QStringLiteral("UseDiscardList"));
    IgnoreAccents = new QCheckBox(text(QStringLiteral("IgnoreAccents")), checks);
    IgnoreAccents->setObjectName(QStringLiteral("IgnoreAccents"));
    SpeakMissingSounds = new QCheckBox(text(QStringLiteral("SpeakMissingSounds")), checks);
    SpeakMissingSounds->setObjectName(QStringLiteral("SpeakMissingSounds"));
    SpeakMissingSounds->setVisible(speechOffered());
    NewPerDayLabel = new QLabel(text(QStringLiteral("NewPerDayLabel")), checks);
    NewPerDayLabel->setObjectName(QStringLiteral("NewPerDayLabel"));
    NewPerDay = new QSpinBox(checks);
    NewPerDay->setObjectName(QStringLiteral("NewPerDay"));
    NewPerDay->setRange(0, 9999);
    NewPerDay->setValue(DefaultNewPerDay);
    NewPerDayLabel->setBuddy(NewPerDay);
    ConfigureBtn = new QPushButton(QStringLiteral("Configure..."), checks);
    ConfigureBtn->setObjectName(QStringLiteral("ConfigureBtn"));
    ConfigureBtn->setAutoDefault(false);
    auto *checkGrid = new QGridLayout(checks);
    checkGrid->addWidget(DiscardNotes, 0, 0);
    checkGrid->addWidget(MatchCase, 1, 0);
    checkGrid->addWidget(UseDiscardList, 2, 0);
    checkGrid->addWidget(ConfigureBtn, 2, 1);
    checkGrid->addWidget(IgnoreAccents, 3, 0);
    checkGrid->addWidget(SpeakMissingSounds, 4, 0);
    checkGrid->addWidget(NewPerDayLabel, 5, 0);
    checkGrid->addWidget(NewPerDay, 5, 1);
    auto *settingsRow = new QHBoxLayout;
    settingsRow->addWidget(kinds);
    settingsRow->addWidget(checks, 1);

    auto *types = new QGroupBox(this);
    Label1 = new QLabel(QString::fromUtf8(Texts[14].english), types);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    auto *typeGrid = new QGridLayout(types);
    typeGrid->addWidget(Label1, 0, 0, 1, 3);
    for (int type = 0; type < WordTypeCount; ++type) {
        WordType[type] = new QCheckBox(QString::fromUtf8(Texts[15 + type].english), types);
        WordType[type]->setObjectName(QStringLiteral("WordType") + QString::number(type));
        // Three columns: 0 to 3, 4 to 7, 8 to 10.
        typeGrid->addWidget(WordType[type], 1 + type % 4, type / 4);
    }

    OkBtn = button("OkBtn", "Ok");
    OkBtn->setDefault(true);
    CancelBtn = button("CancelBtn", "Cancel");
    HelpBtn = button("HelpBtn", "Help");
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton *b : {OkBtn, CancelBtn, HelpBtn})
        buttons->addWidget(b);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(variantRow);
    layout->addLayout(settingsRow);
    layout->addWidget(types);
    layout->addLayout(buttons);
}

void TTestParamsDlg::connectControls()
{
    const auto guarded = [this](void (TTestParamsDlg::*step)()) {
        return [this, step] { Guarded(m_messages, [this, step] { (this->*step)(); }); };
    };
    connect(TestVariants, &QComboBox::currentIndexChanged, this,
            guarded(&TTestParamsDlg::TestVariantsChange));
    connect(NewBtn, &QPushButton::clicked, this, guarded(&TTestParamsDlg::NewBtnClick));
    connect(RenameBtn, &QPushButton::clicked, this, guarded(&TTestParamsDlg::RenameBtnClick));
    connect(DeleteBtn, &QPushButton::clicked, this, guarded(&TTestParamsDlg::DeleteBtnClick));
    connect(ConfigureBtn, &QPushButton::clicked, this, guarded(&TTestParamsDlg::ConfigureBtnClick));
    connect(OkBtn, &QPushButton::clicked, this, guarded(&TTestParamsDlg::OkBtnClick));
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(HelpBtn, &QPushButton::clicked, this, &TTestParamsDlg::HelpBtnClick);
    HelpKey::bind(*this, *HelpBtn);
}

void TTestParamsDlg::applyLanguageFile(const QString &path)
{
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return;
    m_languageFile = path;
    m_texts.read(path, objectName());
    applyTexts();
    for (int i = 0; i < TestVariants->count(); ++i)
        TestVariants->setItemText(i, shownDescription(i));
}

QString TTestParamsDlg::shownDescription(int index) const
{
    const QString path = m_paths.value(index);
    return TestVariantList::shownDescription(
        path, IniFile(path).readString(Section, QStringLiteral("Description"), QStringLiteral("error")),
        m_languageFile);
}

void TTestParamsDlg::applyTexts()
{
    setWindowTitle(text(QStringLiteral("Caption")));
    const QList<QPair<QAbstractButton *, const char *>> captions = {
        {OkBtn, "OkBtn"},
        {CancelBtn, "CancelBtn"},
        {HelpBtn, "HelpBtn"},
        {NewBtn, "NewBtn"},
        {RenameBtn, "RenameBtn"},
        {DeleteBtn, "DeleteBtn"},
        {Standard, "Standard"},
        {MultiChoice, "MultiChoice"},
        {Comprehension, "Comprehension"},
        {FlashCards, "FlashCards"},
        {DiscardNotes, "DiscardNotes"},
        {MatchCase, "MatchCase"},
        {UseDiscardList, "UseDiscardList"},
        {IgnoreAccents, "IgnoreAccents"},
        {SpeakMissingSounds, "SpeakMissingSounds"},
        {ConfigureBtn, "ConfigureBtn"}};
    for (const auto &[control, key] : captions)
        control->setText(text(QLatin1String(key)));
    Label1->setText(text(QStringLiteral("Label")));
    NewPerDayLabel->setText(text(QStringLiteral("NewPerDayLabel")));
    for (int type = 0; type < WordTypeCount; ++type)
        WordType[type]->setText(text(QStringLiteral("Type") + QString::number(type)));
}

void TTestParamsDlg::setDiscardLanguages(const TImageList *smallFlags, int language)
{
    m_flags = smallFlags;
    m_discardLanguage = language;
}

int TTestParamsDlg::showModal(QDialog &dialog)
{
    return runDialog ? runDialog(dialog) : dialog.exec();
}

void TTestParamsDlg::FormCreate()
{
    m_current = -1;
    LoadList();
}

void TTestParamsDlg::LoadList()
{
    const QSignalBlocker quiet(TestVariants);
    TestVariants->clear();
    m_paths.clear();
    for (const QString &path : ListProgramFiles(QStringLiteral("*.ltf"))) {
        const QString description =
            IniFile(path).readString(Section, QStringLiteral("Description"), QStringLiteral("error"));
        if (description == QStringLiteral("error"))
            continue;
        m_paths.append(path);
        TestVariants->addItem(TestVariantList::shownDescription(path, description, m_languageFile));
    }
    if (TestVariants->count() > 0)
        TestVariants->setCurrentIndex(0);
}

QString TTestParamsDlg::selectedPath() const
{
    return m_paths.value(TestVariants->currentIndex());
}

void TTestParamsDlg::selectByDescription(const QString &description)
{
    {
        const QSignalBlocker quiet(TestVariants);
        for (int i = 0; i < TestVariants->count(); ++i)
            if (TestVariants->itemText(i) == description)
                TestVariants->setCurrentIndex(i);
    }
    m_current = TestVariants->currentIndex();
    LoadProfile();
}

void TTestParamsDlg::selectByPath(const QString &path)
{
    const int index = TestVariantList::indexOfFile(m_paths, path);
    if (index >= 0) {
        const QSignalBlocker quiet(TestVariants);
        TestVariants->setCurrentIndex(index);
    }
    m_current = TestVariants->currentIndex();
    LoadProfile();
}

void TTestParamsDlg::LoadProfile()
{
    const QString name = QFileInfo(selectedPath()).fileName();
    if (name.isEmpty() || !ProgramFileExists(name))
        return;
    const IniFile ini(ProgramFileToRead(name));
    const auto value = [&ini](const char *key, const char *fallback) {
        return ini.readString(Section, QLatin1String(key), QLatin1String(fallback)).toLower();
    };
    Standard->setChecked(true);
    const QString type = value("TestType", "standard");
    if (type == QStringLiteral("multichoice"))
        MultiChoice->setChecked(true);
    else if (type == QStringLiteral("comprehension"))
        Comprehension->setChecked(true);
    else if (type == QStringLiteral("flashcards"))
        FlashCards->setChecked(true);
    DiscardNotes->setChecked(value("DiscardNotes", "yes") != QStringLiteral("no"));
    MatchCase->setChecked(value("MatchCase", "no") == QStringLiteral("yes"));
    UseDiscardList->setChecked(value("UseDiscardList", "yes") != QStringLiteral("no"));
    IgnoreAccents->setChecked(addedSwitchOn(value("IgnoreAccents", "no")));
    SpeakMissingSounds->setChecked(addedSwitchOn(value("SpeakMissingSounds", "no")));
    NewPerDay->setValue(std::max(0, ini.readInteger(Section, QStringLiteral("NewPerDay"), DefaultNewPerDay)));
    const QString types = value("WordTypes", "[0],[1],[2],[3],[4],[5],[6],[7],[8],[9],[10]");
    for (int k = 0; k < WordTypeCount; ++k)
        WordType[k]->setChecked(types.contains(wordTypeToken(k)));
}

void TTestParamsDlg::SaveProfile(int index)
{
    const QString name = QFileInfo(m_paths.value(index)).fileName();
    if (index < 0 || name.isEmpty() || !ProgramFileExists(name))
        return;
    const QString type = MultiChoice->isChecked()     ? QStringLiteral("multichoice")
                         : Comprehension->isChecked() ? QStringLiteral("comprehension")
                         : FlashCards->isChecked()    ? QStringLiteral("flashcards")
                                                      : QStringLiteral("standard");
    QString types;
    for (int k = 0; k < WordTypeCount; ++k)
        if (WordType[k]->isChecked())
            types += wordTypeToken(k) + u',';
    // An installed variant is edited in the user's own copy, which is read from now on.
    const QString path = ProgramFileToWrite(name);
    m_paths[index] = path;
    IniBatch file(path);
    file.writeString(Section, QStringLiteral("TestType"), type);
    file.writeString(Section, QStringLiteral("DiscardNotes"), yesNo(DiscardNotes->isChecked()));
    file.writeString(Section, QStringLiteral("MatchCase"), yesNo(MatchCase->isChecked()));
    file.writeString(Section, QStringLiteral("UseDiscardList"), yesNo(UseDiscardList->isChecked()));
    file.writeString(Section, QStringLiteral("WordTypes"), types);
    writeAddedSwitch(file, path, "IgnoreAccents", IgnoreAccents->isChecked());
    // Hidden without a synthesiser: the variant keeps what it had.
    if (speechOffered())
        writeAddedSwitch(file, path, "SpeakMissingSounds", SpeakMissingSounds->isChecked());
    if (NewPerDay->value() != DefaultNewPerDay || hasKey(path, "NewPerDay"))
        file.writeInteger(Section, QStringLiteral("NewPerDay"), NewPerDay->value());
    file.commit();
}

bool TTestParamsDlg::speechOffered() const
{
    return SpeechSynthesizer::instance().available();
}

void TTestParamsDlg::TestVariantsChange()
{
    SaveProfile(m_current);
    m_current = TestVariants->currentIndex();
    LoadProfile();
}

void TTestParamsDlg::OkBtnClick()
{
    SaveProfile(TestVariants->currentIndex());
    accept();
}

void TTestParamsDlg::DeleteBtnClick()
{
    const int index = TestVariants->currentIndex();
    if (index < 0)
        return;
    const QString question =
        text(QStringLiteral("DeleteMsg")) + QStringLiteral("\r\n") + TestVariants->currentText();
    if (m_messages.show(MessageService::Kind::Confirmation, question,
                        MessageService::Yes | MessageService::No) != MessageService::Yes)
        return;
    DeleteProgramFile(QFileInfo(m_paths.at(index)).fileName());
    m_current = -1;
    LoadList();
    TestVariantsChange();
}

void TTestParamsDlg::afterProfileDialog(const QString &description)
{
    // The variant shown before is not saved: the new one's values are loaded first, and the
    // new one stays as the small dialog wrote it.
    LoadList();
    selectByDescription(description);
    m_current = -1;
    TestVariantsChange();
}

void TTestParamsDlg::NewBtnClick()
{
    TNewTestProfile profile(m_messages, this);
    profile.FileNameLabel->setText(text(QStringLiteral("FileNameLabel")));
    profile.DescriptionLabel->setText(text(QStringLiteral("DescriptionLabel")));
    profile.setWindowTitle(text(QStringLiteral("NewCaption")));
    profile.OkBtn->setText(OkBtn->text());
    profile.CancelBtn->setText(CancelBtn->text());
    profile.OverwriteMsg = text(QStringLiteral("OverwriteMsg"));
    profile.EmptyNameMsg = text(QStringLiteral("MsgEmptyFileName"));
    if (showModal(profile) == QDialog::Accepted)
        afterProfileDialog(profile.DescriptionEdit->text());
}

void TTestParamsDlg::RenameBtnClick()
{
    if (TestVariants->currentIndex() < 0)
        return;
    TNewTestProfile profile(m_messages, this);
    profile.FileNameLabel->setText(text(QStringLiteral("FileNameLabel")));
    profile.DescriptionLabel->setText(text(QStringLiteral("DescriptionLabel")));
    profile.setWindowTitle(text(QStringLiteral("RenameCaption")));
    profile.OkBtn->setText(OkBtn->text());
    profile.CancelBtn->setText(CancelBtn->text());
    profile.setRenameMode(selectedPath(), TestVariants->currentText());
    if (showModal(profile) == QDialog::Accepted)
        afterProfileDialog(profile.DescriptionEdit->text());
}

void TTestParamsDlg::ConfigureBtnClick()
{
    TConfigureDiscardList discard(m_messages, this);
    FillLanguagePicker(*discard.LanguageComboBox1, m_languageFile, m_flags);
    discard.LanguageComboBox1->setCurrentIndex(m_discardLanguage);
    discard.LanguageLabel->setText(text(QStringLiteral("LanguageLabel")));
    discard.DiscardStringLabel->setText(text(QStringLiteral("DiscardStringLabel")));
    discard.HelpLabel->setText(text(QStringLiteral("HelpLabel")));
    discard.setWindowTitle(text(QStringLiteral("DiscardStringCaption")));
    discard.OKBtn->setText(OkBtn->text());
    discard.CancelBtn->setText(CancelBtn->text());
    discard.HelpBtn->setText(HelpBtn->text());
    connect(&discard, &TConfigureDiscardList::helpRequested, this, &TTestParamsDlg::helpRequested);
    showModal(discard);
}

void TTestParamsDlg::HelpBtnClick()
{
    emit helpRequested(HelpContext);
}

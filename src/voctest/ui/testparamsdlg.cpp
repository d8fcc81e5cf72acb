#include "voctest/ui/testparamsdlg.h"

#include "platform/errorboundary.h"
#include "platform/folderlisting.h"
#include "platform/messageservice.h"
#include "platform/programfolder.h"
#include "platform/sound/speechsynthesizer.h"
#include "uilang/translate.h"
#include "voctest/testsettings.h"
#include "voctest/testvariantlist.h"
#include "voctest/ui/configurediscardlist.h"
#include "voctest/ui/newtestprofile.h"
#include "widgets/dialogbuttons.h"
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
    {"FitBtn", "Fit to my reviews", false},
    {"ResetWeightsBtn", "Reset to defaults", false},
    {"MsgFitting", "Fitting the memory model to your reviews...", false},
    {"MsgNotEnoughReviews",
     "There is not yet enough review history to fit the memory model, so the default weights stay "
     "in use. A fit needs 400 reviews that follow an earlier one by a day or more; so far there are:",
     false},
    {"MsgFitted", "The memory model now follows your reviews. Review states recomputed:", false},
    {"MsgFitNoGain",
     "Weights fitted to your reviews would not predict them clearly better, so the default weights "
     "stay in use. Review states recomputed:",
     false},
    {"MsgWeightsReset", "The default weights are in use again. Review states recomputed:", false},
    {"MsgWeightsUnchanged", "The weights could not be changed; the unit is left as it was.", false},
};

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
    NewPerDay->setValue(TestSettings::DefaultNewPerDay);
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

    // The weights belong to the unit, not to the variant: a row of their own.
    FitBtn = button("FitBtn", "Fit to my reviews");
    ResetWeightsBtn = button("ResetWeightsBtn", "Reset to defaults");
    auto *weightsRow = new QHBoxLayout;
    weightsRow->addWidget(FitBtn);
    weightsRow->addWidget(ResetWeightsBtn);
    weightsRow->addStretch(1);
    setUnitTable(nullptr);

    auto *buttons = new QHBoxLayout;
    const DialogButtons row(*this, *buttons, {"OkBtn", "Ok", "Help"});
    OkBtn = row.ok;
    CancelBtn = row.cancel;
    HelpBtn = row.help;
    for (QPushButton *b : {OkBtn, CancelBtn, HelpBtn})
        b->setAutoDefault(false);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(variantRow);
    layout->addLayout(settingsRow);
    layout->addWidget(types);
    layout->addLayout(weightsRow);
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
    connect(FitBtn, &QPushButton::clicked, this, guarded(&TTestParamsDlg::FitBtnClick));
    connect(ResetWeightsBtn, &QPushButton::clicked, this, guarded(&TTestParamsDlg::ResetWeightsBtnClick));
    connect(HelpBtn, &QPushButton::clicked, this, &TTestParamsDlg::HelpBtnClick);
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
    // A file changed meanwhile by another program shows what a variant without a description reads as.
    return TestVariantList::shownDescription(
        path, TestSettings::listedDescription(path).value_or(QStringLiteral("error")), m_languageFile);
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
        {ConfigureBtn, "ConfigureBtn"},
        {FitBtn, "FitBtn"},
        {ResetWeightsBtn, "ResetWeightsBtn"}};
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
    for (const QString &path : ListProgramFiles(u'*' + TestSettings::fileExtension())) {
        const std::optional<QString> description = TestSettings::listedDescription(path);
        if (!description)
            continue;
        m_paths.append(path);
        TestVariants->addItem(TestVariantList::shownDescription(path, *description, m_languageFile));
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
    TestSettings settings;
    settings.load(ProgramFileToRead(name));
    // In the order of TestType's numbers.
    QRadioButton *const kinds[] = {Standard, MultiChoice, Comprehension, FlashCards};
    kinds[int(settings.testType)]->setChecked(true);
    DiscardNotes->setChecked(settings.discardNotes);
    MatchCase->setChecked(settings.matchCase);
    UseDiscardList->setChecked(settings.useDiscardList);
    IgnoreAccents->setChecked(settings.ignoreAccents);
    SpeakMissingSounds->setChecked(settings.speakMissingSounds);
    NewPerDay->setValue(settings.newPerDay);
    for (int k = 0; k < WordTypeCount; ++k)
        WordType[k]->setChecked(settings.listedWordTypes & (1u << k));
}

void TTestParamsDlg::SaveProfile(int index)
{
    const QString name = QFileInfo(m_paths.value(index)).fileName();
    if (index < 0 || name.isEmpty() || !ProgramFileExists(name))
        return;
    TestSettings settings;
    settings.testType = MultiChoice->isChecked()     ? TestType::MultipleChoice
                        : Comprehension->isChecked() ? TestType::Comprehension
                        : FlashCards->isChecked()    ? TestType::FlashCards
                                                     : TestType::Standard;
    settings.discardNotes = DiscardNotes->isChecked();
    settings.matchCase = MatchCase->isChecked();
    settings.useDiscardList = UseDiscardList->isChecked();
    settings.ignoreAccents = IgnoreAccents->isChecked();
    settings.speakMissingSounds = SpeakMissingSounds->isChecked();
    settings.newPerDay = NewPerDay->value();
    settings.listedWordTypes = 0;
    for (int k = 0; k < WordTypeCount; ++k)
        if (WordType[k]->isChecked())
            settings.listedWordTypes |= quint16(1u << k);
    // An installed variant is edited in the user's own copy, which is read from now on.
    const QString path = ProgramFileToWrite(name);
    m_paths[index] = path;
    // Hidden without a synthesiser: the variant keeps what it had.
    settings.save(path, speechOffered());
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

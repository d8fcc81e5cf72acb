#include "exchange/ui/importdialog.h"

#include "exchange/csvreader.h"
#include "exchange/wordexchange.h"
#include "exchange/wordimporter.h"
#include "platform/lumoerror.h"
#include "platform/messageservice.h"
#include "uilang/translate.h"
#include "vocfile/unitdialogcommit.h"
#include "vocfile/unitfiles.h"
#include "widgets/dialogbuttons.h"
#include "widgets/languagecombobox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
using Text = DialogTexts::Text;

const Text Texts[] = {
    {"OKBtn", "OK", true},
    {"CancelBtn", "Cancel", true},
    {"HelpBtn", "&Help", true},
    {"Caption", "Import Words", false},
    {"SeparatorLabel", "&Separator:", false},
    {"SeparatorComma", "Comma ( , )", false},
    {"SeparatorSemicolon", "Semicolon ( ; )", false},
    {"SeparatorTab", "Tab", false},
    {"SeparatorBar", "Vertical bar ( | )", false},
    {"HeaderCheck", "&First row holds the column names", false},
    {"NativeColumnLabel", "&Native language:", false},
    {"ForeignColumnLabel", "F&oreign language:", false},
    {"TypeColumnLabel", "&Word type:", false},
    {"NoColumn", "(none)", false},
    {"FileTypes", "(from the file)", false},
    {"Column", "Column", false},
    {"PreviewLabel", "The first rows of the file:", false},
    {"TargetBox", "Import into", false},
    {"AppendRadio", "the selected unit:", false},
    {"NewUnitRadio", "a new unit named:", false},
    {"SkipExistingCheck", "S&kip the word pairs the unit holds already:", false},
    {"NativeLanguageLabel", "Native Language:", false},
    {"ForeignLanguageLabel", "Foreign Language:", false},
    {"MsgSameColumns", "Please choose two different columns for the two languages.", false},
    {"MsgCreationFailed", "A filename cannot contain any of the following characters:", false},
    {"MsgUnitExists", "Another unit of that name already exists.", false},
    {"MsgEncoding", "Character encoding:", false},
    {"MsgEncodingReplaced", "Bytes that are not UTF-8, shown as \"\xEF\xBF\xBD\":", false},
    {"MsgNameTooLong", "The name of the unit is too long for this folder. Please choose a shorter name.",
     false},
};

// The separators in the order of the box's items.
const QChar Separators[] = {u',', u';', u'\t', u'|'};
} // namespace

TImportDialog::TImportDialog(MessageService &messages, QWidget *parent)
    : QDialog(parent), m_messages(messages), m_texts(Texts)
{
    setObjectName(QLatin1String(Section));
    buildControls();
    for (TLanguageComboBox *box : {NativeLanguageBox, ForeignLanguageBox})
        FillLanguagePicker(*box, QString(), nullptr);
    applyTexts();
    connect(SeparatorBox, &QComboBox::currentIndexChanged, this, [this] { reread(); });
    connect(HeaderCheck, &QCheckBox::toggled, this, [this] {
        fillColumns();
        fillPreview();
    });
    for (QComboBox *box : {NativeColumnBox, ForeignColumnBox, TypeColumnBox})
        connect(box, &QComboBox::currentIndexChanged, this, [this] { fillPreview(); });
    connect(NewUnitRadio, &QRadioButton::toggled, this, [this] {
        updateTargets();
        updateExisting();
    });
    connect(OkBtn, &QPushButton::clicked, this, &TImportDialog::OkBtnClick);
    connect(HelpBtn, &QPushButton::clicked, this, [this] { emit helpRequested(HelpContext); });
}

QList<TImportDialog::TextKey> TImportDialog::textKeys()
{
    return DialogTexts(Texts).keys();
}

QString TImportDialog::text(const QString &key) const
{
    return m_texts.text(key);
}

void TImportDialog::buildControls()
{
    const auto named = [](QWidget *widget, const char *name) {
        widget->setObjectName(QLatin1String(name));
        return widget;
    };
    FileLabel = new QLabel(this);
    FileLabel->setObjectName(QStringLiteral("FileLabel"));
    EncodingLabel = new QLabel(this);
    EncodingLabel->setObjectName(QStringLiteral("EncodingLabel"));
    SeparatorLabel = new QLabel(this);
    SeparatorBox = new QComboBox(this);
    HeaderCheck = new QCheckBox(this);
    NativeColumnLabel = new QLabel(this);
    NativeColumnBox = new QComboBox(this);
    ForeignColumnLabel = new QLabel(this);
    ForeignColumnBox = new QComboBox(this);
    TypeColumnLabel = new QLabel(this);
    TypeColumnBox = new QComboBox(this);
    PreviewLabel = new QLabel(this);
    PreviewGrid = new QTableWidget(this);
    named(SeparatorLabel, "SeparatorLabel");
    named(SeparatorBox, "SeparatorBox");
    named(HeaderCheck, "HeaderCheck");
    named(NativeColumnLabel, "NativeColumnLabel");
    named(NativeColumnBox, "NativeColumnBox");
    named(ForeignColumnLabel, "ForeignColumnLabel");
    named(ForeignColumnBox, "ForeignColumnBox");
    named(TypeColumnLabel, "TypeColumnLabel");
    named(TypeColumnBox, "TypeColumnBox");
    named(PreviewLabel, "PreviewLabel");
    named(PreviewGrid, "PreviewGrid");
    SeparatorLabel->setBuddy(SeparatorBox);
    NativeColumnLabel->setBuddy(NativeColumnBox);
    ForeignColumnLabel->setBuddy(ForeignColumnBox);
    TypeColumnLabel->setBuddy(TypeColumnBox);
    for (int i = 0; i < 4; ++i)
        SeparatorBox->addItem(QString());
    PreviewGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    PreviewGrid->setSelectionMode(QAbstractItemView::NoSelection);
    PreviewGrid->verticalHeader()->setVisible(false);
    PreviewGrid->setMinimumSize(520, 200);

    auto *columns = new QGridLayout;
    columns->addWidget(SeparatorLabel, 0, 0);
    columns->addWidget(SeparatorBox, 0, 1);
    columns->addWidget(HeaderCheck, 0, 2, 1, 2);
    columns->addWidget(NativeColumnLabel, 1, 0);
    columns->addWidget(NativeColumnBox, 1, 1);
    columns->addWidget(ForeignColumnLabel, 1, 2);
    columns->addWidget(ForeignColumnBox, 1, 3);
    columns->addWidget(TypeColumnLabel, 2, 0);
    columns->addWidget(TypeColumnBox, 2, 1);
    columns->setColumnStretch(1, 1);
    columns->setColumnStretch(3, 1);

    auto *buttons = new QHBoxLayout;
    const DialogButtons row(*this, *buttons);
    OkBtn = row.ok;
    CancelBtn = row.cancel;
    HelpBtn = row.help;

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(FileLabel);
    layout->addWidget(EncodingLabel);
    layout->addLayout(columns);
    layout->addWidget(PreviewLabel);
    layout->addWidget(PreviewGrid, 1);
    layout->addLayout(buildTargetBox());
    layout->addLayout(buttons);
}

QLayout *TImportDialog::buildTargetBox()
{
    TargetBox = new QGroupBox(this);
    TargetBox->setObjectName(QStringLiteral("TargetBox"));
    AppendRadio = new QRadioButton(TargetBox);
    AppendRadio->setObjectName(QStringLiteral("AppendRadio"));
    NewUnitRadio = new QRadioButton(TargetBox);
    NewUnitRadio->setObjectName(QStringLiteral("NewUnitRadio"));
    NewUnitEdit = new QLineEdit(TargetBox);
    NewUnitEdit->setObjectName(QStringLiteral("NewUnitEdit"));
    NativeLanguageLabel = new QLabel(TargetBox);
    NativeLanguageLabel->setObjectName(QStringLiteral("NativeLanguageLabel"));
    NativeLanguageBox = new TLanguageComboBox(TargetBox);
    NativeLanguageBox->setObjectName(QStringLiteral("NativeLanguageBox"));
    ForeignLanguageLabel = new QLabel(TargetBox);
    ForeignLanguageLabel->setObjectName(QStringLiteral("ForeignLanguageLabel"));
    ForeignLanguageBox = new TLanguageComboBox(TargetBox);
    ForeignLanguageBox->setObjectName(QStringLiteral("ForeignLanguageBox"));
    NativeLanguageLabel->setBuddy(NativeLanguageBox);
    ForeignLanguageLabel->setBuddy(ForeignLanguageBox);
    SkipExistingCheck = new QCheckBox(TargetBox);
    SkipExistingCheck->setObjectName(QStringLiteral("SkipExistingCheck"));
    SkipExistingCheck->setChecked(true);
    SkipExistingCheck->setVisible(false);
    auto *grid = new QGridLayout(TargetBox);
    grid->addWidget(AppendRadio, 0, 0, 1, 4);
    grid->addWidget(SkipExistingCheck, 3, 0, 1, 4);
    grid->addWidget(NewUnitRadio, 1, 0);
    grid->addWidget(NewUnitEdit, 1, 1, 1, 3);
    grid->addWidget(NativeLanguageLabel, 2, 0);
    grid->addWidget(NativeLanguageBox, 2, 1);
    grid->addWidget(ForeignLanguageLabel, 2, 2);
    grid->addWidget(ForeignLanguageBox, 2, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    auto *row = new QVBoxLayout;
    row->addWidget(TargetBox);
    return row;
}

void TImportDialog::applyLanguageFile(const QString &path, const TImageList *flags)
{
    if (!path.isEmpty() && QFileInfo(path).isFile())
        m_texts.read(path, QLatin1String(Section));
    for (TLanguageComboBox *box : {NativeLanguageBox, ForeignLanguageBox}) {
        const int selected = box->currentIndex();
        FillLanguagePicker(*box, path, flags);
        box->setCurrentIndex(selected);
    }
    applyTexts();
}

void TImportDialog::applyTexts()
{
    setWindowTitle(text(QStringLiteral("Caption")));
    const QList<QPair<QWidget *, const char *>> captions = {{SeparatorLabel, "SeparatorLabel"},
                                                            {HeaderCheck, "HeaderCheck"},
                                                            {NativeColumnLabel, "NativeColumnLabel"},
                                                            {ForeignColumnLabel, "ForeignColumnLabel"},
                                                            {TypeColumnLabel, "TypeColumnLabel"},
                                                            {PreviewLabel, "PreviewLabel"},
                                                            {NewUnitRadio, "NewUnitRadio"},
                                                            {NativeLanguageLabel, "NativeLanguageLabel"},
                                                            {ForeignLanguageLabel, "ForeignLanguageLabel"},
                                                            {OkBtn, "OKBtn"},
                                                            {CancelBtn, "CancelBtn"},
                                                            {HelpBtn, "HelpBtn"}};
    for (const auto &[control, key] : captions) {
        if (auto *label = qobject_cast<QLabel *>(control))
            label->setText(text(QLatin1String(key)));
        else if (auto *button = qobject_cast<QAbstractButton *>(control))
            button->setText(text(QLatin1String(key)));
    }
    TargetBox->setTitle(text(QStringLiteral("TargetBox")));
    const char *separatorKeys[] = {"SeparatorComma", "SeparatorSemicolon", "SeparatorTab", "SeparatorBar"};
    for (int i = 0; i < 4; ++i)
        SeparatorBox->setItemText(i, text(QLatin1String(separatorKeys[i])));
    updateTargets();
    fillColumns();
    fillPreview();
    showEncoding();
}

void TImportDialog::showEncoding()
{
    QString shown;
    if (!m_encoding.isEmpty())
        shown = text(QStringLiteral("MsgEncoding")) + u' ' + m_encoding;
    if (m_replacedBytes > 0)
        shown +=
            u'\n' + text(QStringLiteral("MsgEncodingReplaced")) + u' ' + QString::number(m_replacedBytes);
    EncodingLabel->setText(shown);
}

void TImportDialog::setFile(const QString &path, WordListFormat format)
{
    m_path = path;
    m_format = format;
    FileLabel->setText(QFileInfo(path).fileName());
    const bool csv = format != WordListFormat::Kvtml;
    for (QWidget *w : {static_cast<QWidget *>(SeparatorLabel), static_cast<QWidget *>(SeparatorBox),
                       static_cast<QWidget *>(HeaderCheck)})
        w->setVisible(csv);
    if (csv) {
        const DecodedText decoded = CsvReader::readText(path);
        m_text = decoded.text;
        m_encoding = EncodingName(decoded.encoding);
        m_replacedBytes = decoded.replaced;
        const QChar separator = CsvReader::detectSeparator(m_text, WordListFormats::separator(format));
        const QSignalBlocker quiet(SeparatorBox);
        for (int i = 0; i < 4; ++i)
            if (Separators[i] == separator)
                SeparatorBox->setCurrentIndex(i);
        m_preview = CsvReader::parse(m_text, separator, path, PreviewRows + 1);
        m_whole = CsvReader::parse(m_text, separator, path);
    } else {
        m_whole = WordExchange::readFile(path, format);
        m_encoding = m_whole.encoding;
        m_replacedBytes = m_whole.replacedBytes;
        m_preview = m_whole;
        if (m_preview.rows.size() > PreviewRows)
            m_preview.rows.resize(PreviewRows);
    }
    const ImportChoice suggested = WordImporter::suggest(m_preview);
    {
        const QSignalBlocker quiet(HeaderCheck);
        HeaderCheck->setChecked(suggested.header);
    }
    fillColumns();
    NativeColumnBox->setCurrentIndex(suggested.nativeColumn);
    ForeignColumnBox->setCurrentIndex(std::min(suggested.foreignColumn, ForeignColumnBox->count() - 1));
    TypeColumnBox->setCurrentIndex(suggested.typeColumn + 1);
    // A list names its languages in KVTML's identifiers or a header row like "German;Greek".
    if (!csv || suggested.nativeLanguage != 0 || suggested.foreignLanguage != 0) {
        NativeLanguageBox->setCurrentIndex(suggested.nativeLanguage);
        ForeignLanguageBox->setCurrentIndex(suggested.foreignLanguage);
    }
    NewUnitEdit->setText(QFileInfo(path).completeBaseName());
    fillPreview();
    showEncoding();
}

void TImportDialog::reread()
{
    if (m_format == WordListFormat::Kvtml)
        return;
    // A separator the user chose may give other columns; the choice of columns starts anew.
    m_preview = CsvReader::parse(m_text, separator(), m_path, PreviewRows + 1);
    m_whole = CsvReader::parse(m_text, separator(), m_path);
    const ImportChoice suggested = WordImporter::suggest(m_preview);
    fillColumns();
    NativeColumnBox->setCurrentIndex(suggested.nativeColumn);
    ForeignColumnBox->setCurrentIndex(std::min(suggested.foreignColumn, ForeignColumnBox->count() - 1));
    TypeColumnBox->setCurrentIndex(suggested.typeColumn + 1);
    fillPreview();
}

QString TImportDialog::columnTitle(int column) const
{
    if (column < m_preview.columnNames.size())
        return m_preview.columnNames.at(column);
    const QString number = text(QStringLiteral("Column")) + u' ' + QString::number(column + 1);
    if (HeaderCheck->isChecked() && !m_preview.rows.isEmpty() && column < m_preview.rows.first().cells.size())
        return m_preview.rows.first().cells.at(column) + QStringLiteral(" (") + number + u')';
    return number;
}

void TImportDialog::fillColumns()
{
    const int native = NativeColumnBox->currentIndex();
    const int foreign = ForeignColumnBox->currentIndex();
    const int type = TypeColumnBox->currentIndex();
    const QSignalBlocker quietNative(NativeColumnBox);
    const QSignalBlocker quietForeign(ForeignColumnBox);
    const QSignalBlocker quietType(TypeColumnBox);
    NativeColumnBox->clear();
    ForeignColumnBox->clear();
    TypeColumnBox->clear();
    const bool kvtml = m_format == WordListFormat::Kvtml;
    TypeColumnBox->addItem(text(kvtml ? QStringLiteral("FileTypes") : QStringLiteral("NoColumn")));
    for (int column = 0; column < std::max(m_preview.columnCount, 1); ++column) {
        NativeColumnBox->addItem(columnTitle(column));
        ForeignColumnBox->addItem(columnTitle(column));
        if (!kvtml)
            TypeColumnBox->addItem(columnTitle(column));
    }
    NativeColumnBox->setCurrentIndex(std::max(native, 0));
    ForeignColumnBox->setCurrentIndex(foreign >= 0 ? foreign : std::min(1, ForeignColumnBox->count() - 1));
    TypeColumnBox->setCurrentIndex(std::max(type, 0));
    TypeColumnBox->setEnabled(!kvtml);
}

void TImportDialog::fillPreview()
{
    const qsizetype first = choice().header ? 1 : 0;
    const qsizetype shown = std::min<qsizetype>(m_preview.rows.size() - first, PreviewRows);
    PreviewGrid->clear();
    PreviewGrid->setColumnCount(m_preview.columnCount);
    PreviewGrid->setRowCount(int(std::max<qsizetype>(shown, 0)));
    const ImportChoice chosen = choice();
    QStringList titles;
    for (int column = 0; column < m_preview.columnCount; ++column) {
        QString title = columnTitle(column);
        // The chosen columns say what they become.
        if (column == chosen.nativeColumn)
            title = NativeColumnLabel->text().remove(u'&').remove(u':') + u'\n' + title;
        else if (column == chosen.foreignColumn)
            title = ForeignColumnLabel->text().remove(u'&').remove(u':') + u'\n' + title;
        else if (column == chosen.typeColumn)
            title = TypeColumnLabel->text().remove(u'&').remove(u':') + u'\n' + title;
        titles.append(title);
    }
    PreviewGrid->setHorizontalHeaderLabels(titles);
    for (qsizetype r = 0; r < shown; ++r) {
        const WordTable::Row &row = m_preview.rows.at(first + r);
        for (int column = 0; column < row.cells.size(); ++column)
            PreviewGrid->setItem(int(r), column, new QTableWidgetItem(row.cells.at(column).left(200)));
    }
    PreviewGrid->resizeColumnsToContents();
    updateExisting();
}

void TImportDialog::updateExisting()
{
    m_existing = 0;
    if (AppendRadio->isChecked() && !m_unitPairs.isEmpty()) {
        ImportResult counted;
        m_existing =
            WordImporter::countExisting(WordImporter::pairsOf(m_whole, choice(), counted), m_unitPairs);
    }
    SkipExistingCheck->setText(text(QStringLiteral("SkipExistingCheck")) + u' ' +
                               QString::number(m_existing));
    SkipExistingCheck->setVisible(m_existing > 0);
}

void TImportDialog::setTargets(const QString &selectedUnit, const QString &folder, int nativeLanguage,
                               int foreignLanguage)
{
    m_selectedUnit = selectedUnit;
    m_folder = folder;
    m_unitPairs.clear();
    try {
        if (!selectedUnit.isEmpty())
            m_unitPairs = WordImporter::unitPairs(selectedUnit);
    } catch (const LumoError &) {
        // A unit that cannot be read now reports its error when the words go in.
    }
    if (m_format != WordListFormat::Kvtml) {
        NativeLanguageBox->setCurrentIndex(nativeLanguage);
        ForeignLanguageBox->setCurrentIndex(foreignLanguage);
    }
    AppendRadio->setEnabled(!selectedUnit.isEmpty());
    (selectedUnit.isEmpty() ? NewUnitRadio : AppendRadio)->setChecked(true);
    updateTargets();
    updateExisting();
}

void TImportDialog::updateTargets()
{
    AppendRadio->setText(text(QStringLiteral("AppendRadio")) +
                         (m_selectedUnit.isEmpty() ? QString() : u' ' + UnitFiles(m_selectedUnit).name()));
    const bool fresh = NewUnitRadio->isChecked();
    for (QWidget *w : {static_cast<QWidget *>(NewUnitEdit), static_cast<QWidget *>(NativeLanguageBox),
                       static_cast<QWidget *>(ForeignLanguageBox)})
        w->setEnabled(fresh);
}

QChar TImportDialog::separator() const
{
    return Separators[std::clamp(SeparatorBox->currentIndex(), 0, 3)];
}

ImportChoice TImportDialog::choice() const
{
    ImportChoice c;
    c.nativeColumn = std::max(NativeColumnBox->currentIndex(), 0);
    c.foreignColumn = std::max(ForeignColumnBox->currentIndex(), 0);
    c.typeColumn = m_format == WordListFormat::Kvtml ? -1 : TypeColumnBox->currentIndex() - 1;
    c.header = m_format != WordListFormat::Kvtml && HeaderCheck->isChecked();
    c.skipExisting = m_existing > 0 && SkipExistingCheck->isChecked();
    c.nativeLanguage = std::max(NativeLanguageBox->currentIndex(), 0);
    c.foreignLanguage = std::max(ForeignLanguageBox->currentIndex(), 0);
    return c;
}

QString TImportDialog::targetDescriptor() const
{
    if (AppendRadio->isChecked())
        return m_selectedUnit;
    return UnitFiles::descriptorPath(m_folder, NewUnitEdit->text().trimmed());
}

void TImportDialog::OkBtnClick()
{
    const ImportChoice c = choice();
    if (c.nativeColumn == c.foreignColumn) {
        m_messages.show(MessageService::Kind::Warning, text(QStringLiteral("MsgSameColumns")),
                        MessageService::Ok);
        return;
    }
    if (NewUnitRadio->isChecked()) {
        NewUnitEdit->setText(NewUnitEdit->text().trimmed());
        if (NewUnitEdit->text().isEmpty())
            return;
        if (!UnitDialogCommit::isValidName(NewUnitEdit->text())) {
            m_messages.show(MessageService::Kind::Error,
                            text(QStringLiteral("MsgCreationFailed")) + QStringLiteral("\r\n") +
                                UnitDialogCommit::forbiddenCharacters(),
                            MessageService::Ok);
            return;
        }
        if (!UnitDialogCommit::fitsFolder(m_folder, NewUnitEdit->text())) {
            m_messages.show(MessageService::Kind::Error, text(QStringLiteral("MsgNameTooLong")),
                            MessageService::Ok);
            return;
        }
        // Words are never mixed into another unit by a name typed twice.
        if (QFileInfo::exists(targetDescriptor())) {
            m_messages.show(MessageService::Kind::Error, text(QStringLiteral("MsgUnitExists")),
                            MessageService::Ok);
            return;
        }
    }
    accept();
}

#include "print/ui/printsetup.h"

#include "platform/messageservice.h"
#include "platform/ui/helpkey.h"
#include "print/ui/printpreviews.h"
#include "uilang/translate.h"
#include "widgets/updown.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include <algorithm>

namespace {
const QString Section = QStringLiteral("LumoPrinter");

template <typename T> T *named(T *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// The whole text as a number, as the field's own conversion reads it.
std::optional<int> toNumber(const QString &text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}
} // namespace

TPrintSetup::TPrintSetup(MessageService &messages, QWidget *parent) : QDialog(parent), m_messages(messages)
{
    setObjectName(QStringLiteral("PrintSetup"));
    setWindowTitle(QStringLiteral("Printer Options"));
    buildControls();
    connectHandlers();
    setFixedSize(409, 300);
    PortraitBtnClick();
}

void TPrintSetup::buildControls()
{
    OrientationFrame = named(new QGroupBox(QStringLiteral("Orientation: "), this), "OrientationFrame");
    OrientationFrame->setGeometry(8, 8, 185, 72);
    PortraitBtn = named(new QRadioButton(QStringLiteral("Por&trait"), OrientationFrame), "PortraitBtn");
    PortraitBtn->setGeometry(14, 22, 160, 20);
    PortraitBtn->setChecked(true);
    LandscapeBtn = named(new QRadioButton(QStringLiteral("&Landscape"), OrientationFrame), "LandscapeBtn");
    LandscapeBtn->setGeometry(14, 46, 160, 20);
    buildMargins();
    buildRightSide();
}

QLineEdit *TPrintSetup::numberField(const QString &name, int x, int y, int minimum, int maximum,
                                    TUpDown **upDown)
{
    auto *field = new QLineEdit(QStringLiteral("10"), MarginsFrame);
    field->setObjectName(name + QStringLiteral("Edit"));
    field->setGeometry(x, y, 34, 22);
    *upDown = new TUpDown(field, minimum, maximum, MarginsFrame);
    (*upDown)->setObjectName(name + QStringLiteral("UpDown"));
    (*upDown)->setGeometry(x + 35, y, 16, 22);
    (*upDown)->setPosition(10);
    return field;
}

void TPrintSetup::buildMargins()
{
    MarginsFrame = named(new QGroupBox(QStringLiteral("Margins: "), this), "MarginsFrame");
    MarginsFrame->setGeometry(8, 88, 185, 168);
    const auto label = [this](const char *name, const char *text, int x, int y) {
        auto *l = named(new QLabel(QString::fromLatin1(text), MarginsFrame), name);
        l->setGeometry(x, y, 70, 22);
        return l;
    };
    LeftLabel = label("LeftLabel", "Left:", 12, 24);
    LeftEdit = numberField(QStringLiteral("Left"), 80, 24, 0, 50, &LeftUpDown);
    RightLabel = label("RightLabel", "Right:", 12, 52);
    RightEdit = numberField(QStringLiteral("Right"), 80, 52, 0, 50, &RightUpDown);
    TopLabel = label("TopLabel", "Top:", 12, 80);
    TopEdit = numberField(QStringLiteral("Top"), 80, 80, 0, 50, &TopUpDown);
    BottomLabel = label("BottomLabel", "Bottom:", 12, 108);
    BottomEdit = numberField(QStringLiteral("Bottom"), 80, 108, 0, 50, &BottomUpDown);
    FontSizeLabel = label("FontSizeLabel", "Font size:", 12, 136);
    FontSizeEdit = numberField(QStringLiteral("FontSize"), 80, 136, 5, 20, &FontSizeUpDown);
}

void TPrintSetup::buildRightSide()
{
    Panel1 = named(new QLabel(this), "Panel1");
    static_cast<QLabel *>(Panel1)->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setGeometry(204, 14, 197, 112);
    const auto picture = [this](const char *name, const QPixmap &pixmap) {
        auto *image = named(new QLabel(Panel1), name);
        image->setPixmap(pixmap);
        image->setGeometry((197 - 139) / 2, (112 - 100) / 2, 139, 100);
        return image;
    };
    PortraitStandardImage = picture("PortraitStandardImage", PrintPreviews::portraitList());
    LandscapeStandardImage = picture("LandscapeStandardImage", PrintPreviews::landscapeList());
    CardsImage = picture("CardsImage", PrintPreviews::cards());

    TypeFrame = named(new QGroupBox(QStringLiteral("Type: "), this), "TypeFrame");
    TypeFrame->setGeometry(204, 134, 197, 72);
    GridType = named(new QRadioButton(QStringLiteral("&Grid"), TypeFrame), "GridType");
    GridType->setGeometry(14, 22, 170, 20);
    GridType->setChecked(true);
    CardsType = named(new QRadioButton(QStringLiteral("&Cards"), TypeFrame), "CardsType");
    CardsType->setGeometry(14, 46, 170, 20);
    SwapColsCheckBox = named(new QCheckBox(QStringLiteral("Swap Columns"), this), "SwapColsCheckBox");
    SwapColsCheckBox->setGeometry(210, 214, 190, 22);

    PrintBtn = named(new QPushButton(QStringLiteral("Print"), this), "PrintBtn");
    PrintBtn->setDefault(true);
    CancelBtn = named(new QPushButton(QStringLiteral("Cancel"), this), "CancelBtn");
    HelpBtn = named(new QPushButton(QStringLiteral("Help"), this), "HelpBtn");
    int x = 160;
    for (QPushButton *button : {PrintBtn, CancelBtn, HelpBtn}) {
        button->setGeometry(x, 266, 75, 25);
        x += 82;
    }
}

void TPrintSetup::connectHandlers()
{
    // A radio button's handler runs whenever it becomes checked, also when set from code.
    const auto onChecked = [this](QRadioButton *button, void (TPrintSetup::*handler)()) {
        connect(button, &QRadioButton::toggled, this, [this, handler](bool checked) {
            if (checked)
                (this->*handler)();
        });
    };
    onChecked(PortraitBtn, &TPrintSetup::PortraitBtnClick);
    onChecked(LandscapeBtn, &TPrintSetup::LandscapeBtnClick);
    onChecked(GridType, &TPrintSetup::GridTypeClick);
    onChecked(CardsType, &TPrintSetup::CardsTypeClick);
    connect(LeftEdit, &QLineEdit::editingFinished, this, &TPrintSetup::LeftEditExit);
    connect(RightEdit, &QLineEdit::editingFinished, this, &TPrintSetup::RightEditExit);
    connect(TopEdit, &QLineEdit::editingFinished, this, &TPrintSetup::TopEditExit);
    connect(BottomEdit, &QLineEdit::editingFinished, this, &TPrintSetup::BottomEditExit);
    connect(FontSizeEdit, &QLineEdit::editingFinished, this, &TPrintSetup::FontSizeEditExit);
    connect(PrintBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(HelpBtn, &QPushButton::clicked, this, &TPrintSetup::HelpBtnClick);
    HelpKey::bind(*this, *HelpBtn);
}

void TPrintSetup::applyLanguageFile(const QString &languageFile)
{
    m_languageFile = languageFile;
    const auto text = [&](const QString &section, const char *key, const char *english) {
        return Translate(languageFile, section, QString::fromLatin1(key), QString::fromLatin1(english));
    };
    setWindowTitle(text(Section, "PrintSetup", "Printer Options"));
    OrientationFrame->setTitle(text(Section, "OrientationFrame", "Orientation: "));
    MarginsFrame->setTitle(text(Section, "MarginsFrame", "Margins: "));
    TypeFrame->setTitle(text(Section, "TypeFrame", "Type: "));
    PortraitBtn->setText(text(Section, "PortraitBtn", "Por&trait"));
    LandscapeBtn->setText(text(Section, "LandscapeBtn", "&Landscape"));
    LeftLabel->setText(text(Section, "LeftMarginLabel", "Left:"));
    RightLabel->setText(text(Section, "RightMarginLabel", "Right:"));
    TopLabel->setText(text(Section, "TopMarginLabel", "Top:"));
    BottomLabel->setText(text(Section, "BottomMarginLabel", "Bottom:"));
    FontSizeLabel->setText(text(Section, "FontSizeLabel", "Font size:"));
    GridType->setText(text(Section, "GridType", "&Grid"));
    CardsType->setText(text(Section, "CardsType", "&Cards"));
    PrintBtn->setText(text(Section, "PrintBtn", "Print"));
    CancelBtn->setText(text(QStringLiteral("general"), "CancelBtn", "Cancel"));
    HelpBtn->setText(text(QStringLiteral("general"), "HelpBtn", "Help"));
    SwapColsCheckBox->setText(text(Section, "SwapCols", "Swap Columns"));
    fitCaptions();
}

void TPrintSetup::fitCaptions()
{
    // Longer margin captions push the number fields right; longer button captions widen the
    // buttons and the dialog.
    int need = 0;
    for (const QLabel *label : {LeftLabel, RightLabel, TopLabel, BottomLabel, FontSizeLabel})
        need = std::max(need, label->sizeHint().width());
    const int editLeft = std::max(80, 12 + need + 2);
    const struct
    {
        QLabel *label;
        QLineEdit *edit;
        TUpDown *arrows;
    } rows[] = {{LeftLabel, LeftEdit, LeftUpDown},
                {RightLabel, RightEdit, RightUpDown},
                {TopLabel, TopEdit, TopUpDown},
                {BottomLabel, BottomEdit, BottomUpDown},
                {FontSizeLabel, FontSizeEdit, FontSizeUpDown}};
    for (const auto &row : rows) {
        row.label->resize(std::max(70, need), row.label->height());
        row.edit->move(editLeft, row.edit->y());
        row.arrows->move(editLeft + 35, row.arrows->y());
    }
    int buttonWidth = 75;
    for (const QPushButton *button : {PrintBtn, CancelBtn, HelpBtn})
        buttonWidth = std::max(
            buttonWidth, button->fontMetrics().horizontalAdvance(QString(button->text()).remove(u'&')) + 8);
    int x = 160;
    for (QPushButton *button : {PrintBtn, CancelBtn, HelpBtn}) {
        button->setGeometry(x, button->y(), buttonWidth, button->height());
        x += buttonWidth + 7;
    }
    setFixedSize(std::max(409, x + 1), 300);
}

void TPrintSetup::loadSettings(const PrintSettings &settings)
{
    LeftUpDown->setPosition(settings.leftMarginMM);
    RightUpDown->setPosition(settings.rightMarginMM);
    TopUpDown->setPosition(settings.topMarginMM);
    BottomUpDown->setPosition(settings.bottomMarginMM);
    FontSizeUpDown->setPosition(settings.fontSize);
    (settings.orientation == 1 ? LandscapeBtn : PortraitBtn)->setChecked(true);
    (settings.printType == 1 ? CardsType : GridType)->setChecked(true);
    SwapColsCheckBox->setChecked(settings.swapColumns);
}

PrintSettings TPrintSetup::chosenSettings() const
{
    PrintSettings settings;
    settings.leftMarginMM = LeftUpDown->position();
    settings.rightMarginMM = RightUpDown->position();
    settings.topMarginMM = TopUpDown->position();
    settings.bottomMarginMM = BottomUpDown->position();
    settings.fontSize = FontSizeUpDown->position();
    settings.orientation = PortraitBtn->isChecked() ? 0 : 1;
    settings.printType = GridType->isChecked() ? 0 : 1;
    settings.swapColumns = SwapColsCheckBox->isChecked();
    return settings;
}

bool TPrintSetup::Setup(PrintSettings &settings, const QString &languageFile, MessageService &messages,
                        QWidget *parent, const std::function<void(int)> &showHelp)
{
    TPrintSetup dialog(messages, parent);
    dialog.applyLanguageFile(languageFile);
    dialog.loadSettings(settings);
    if (showHelp)
        connect(&dialog, &TPrintSetup::helpRequested, &dialog, showHelp);
    if (const QScreen *screen = dialog.screen())
        dialog.move(screen->availableGeometry().center() - dialog.rect().center());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    settings = dialog.chosenSettings();
    return true;
}

void TPrintSetup::PortraitBtnClick()
{
    LandscapeStandardImage->setVisible(false);
    PortraitStandardImage->setVisible(GridType->isChecked());
    CardsImage->setVisible(!GridType->isChecked());
}

void TPrintSetup::LandscapeBtnClick()
{
    PortraitStandardImage->setVisible(false);
    LandscapeStandardImage->setVisible(GridType->isChecked());
    CardsImage->setVisible(!GridType->isChecked());
}

void TPrintSetup::CardsTypeClick()
{
    LandscapeBtn->setChecked(true);
    LandscapeBtnClick();
    PortraitBtn->setEnabled(false);
    setMarginsEnabled(false);
    SwapColsCheckBox->setVisible(false);
}

void TPrintSetup::GridTypeClick()
{
    PortraitBtn->setEnabled(true);
    PortraitBtn->setChecked(true);
    PortraitBtnClick();
    setMarginsEnabled(true);
    SwapColsCheckBox->setVisible(true);
}

void TPrintSetup::setMarginsEnabled(bool enabled)
{
    for (TUpDown *upDown : {LeftUpDown, RightUpDown, TopUpDown, BottomUpDown})
        upDown->setEnabled(enabled);
}

void TPrintSetup::clampField(QLineEdit *field, TUpDown *upDown)
{
    if (toNumber(field->text()).value_or(10) > upDown->maximum())
        field->setText(QString::number(upDown->maximum()));
    if (toNumber(field->text()).value_or(10) < upDown->minimum())
        field->setText(QString::number(upDown->minimum()));
    const std::optional<int> value = toNumber(field->text());
    if (!value) {
        m_messages.error(QStringLiteral("'") + field->text() + QStringLiteral("' ") +
                         Translate(m_languageFile, Section, QStringLiteral("MsgNotAnInteger"),
                                   QStringLiteral("is not a valid integer value")));
        return;
    }
    upDown->setPosition(*value);
}

void TPrintSetup::HelpBtnClick()
{
    emit helpRequested(HelpContext);
}

#include "widgets/languagecombobox.h"

#include "vocfile/vocabularylanguages.h"
#include "widgets/imagelist.h"

#include "platform/lumoerror.h"

#include <QPainter>
#include <QStylePainter>
#include <QStyledItemDelegate>

namespace {
// Text begins this far right of an entry's left edge: 2 pixels, the picture, 4 pixels.
constexpr int TextIndent = 2 + TLanguageComboBox::PictureSize + 4;

// Draws the entries of the open list the way the closed box shows the selected one.
class LanguageEntryDelegate : public QStyledItemDelegate
{
public:
    explicit LanguageEntryDelegate(TLanguageComboBox *box) : QStyledItemDelegate(box), m_box(box) {}

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const bool selected = option.state & QStyle::State_Selected;
        painter->save();
        painter->setFont(option.font);
        painter->fillRect(option.rect, option.palette.brush(selected ? QPalette::Highlight : QPalette::Base));
        m_box->DrawEntry(*painter, option.rect, index.data(Qt::DisplayRole).toString(),
                         option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const QString name = TLanguageComboBox::EntryName(index.data(Qt::DisplayRole).toString());
        return QSize(TextIndent + option.fontMetrics.horizontalAdvance(name) + 4, m_box->entryHeight());
    }

private:
    TLanguageComboBox *m_box;
};
} // namespace

TLanguageComboBox::TLanguageComboBox(QWidget *parent)
    : QComboBox(parent), m_images(new TImageList(QSize(PictureSize, PictureSize), this))
{
    m_images->setObjectName(QStringLiteral("Images"));
    setItemDelegate(new LanguageEntryDelegate(this));
}

void TLanguageComboBox::setImages(const TImageList *source)
{
    if (source)
        m_images->Assign(*source);
    else
        m_images->Clear();
    update();
}

void TLanguageComboBox::AddLanguage(const QString &name, int number)
{
    appendEntry(EntryText(name, number));
}

void TLanguageComboBox::appendEntry(const QString &entry)
{
    const int selected = currentIndex();
    addItem(entry);
    // Screen readers say the name, not the stored number.
    setItemData(count() - 1, EntryName(entry), Qt::AccessibleTextRole);
    if (selected != currentIndex())
        setCurrentIndex(selected);
}

int TLanguageComboBox::SelectedLanguage() const
{
    if (currentIndex() < 0)
        throw LumoError(QStringLiteral("No language is selected."));
    const std::optional<int> number = EntryNumber(currentText());
    if (!number)
        throw LumoError(QStringLiteral("The selected entry names no language: ") + currentText());
    return *number;
}

void TLanguageComboBox::AssignEntries(const TLanguageComboBox &source)
{
    QStringList entries;
    for (int i = 0; i < source.count(); ++i)
        entries.append(source.itemText(i));
    clear();
    for (const QString &entry : entries)
        appendEntry(entry);
}

QString TLanguageComboBox::EntryText(const QString &name, int number)
{
    return name + Separator + QString::number(number);
}

QString TLanguageComboBox::EntryName(const QString &entry)
{
    return entry.section(Separator, 0, 0);
}

std::optional<int> TLanguageComboBox::EntryNumber(const QString &entry)
{
    const qsizetype separator = entry.indexOf(Separator);
    if (separator < 0)
        return std::nullopt;
    bool ok = false;
    const int number = entry.mid(separator + 1).toInt(&ok);
    return ok ? std::optional<int>(number) : std::nullopt;
}

int TLanguageComboBox::entryHeight() const
{
    return qMax(PictureSize, fontMetrics().height()) + 2;
}

void TLanguageComboBox::DrawEntry(QPainter &painter, QRect rect, const QString &entry,
                                  const QColor &textColor) const
{
    const QRect square(rect.left() + 2, rect.top(), PictureSize, PictureSize);
    m_images->Draw(painter, square, EntryNumber(entry).value_or(-1));
    rect.setLeft(rect.left() + TextIndent);
    painter.setPen(textColor);
    painter.drawText(rect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, EntryName(entry));
}

QSize TLanguageComboBox::sizeHint() const
{
    return QComboBox::sizeHint() + QSize(TextIndent, 0);
}

QSize TLanguageComboBox::minimumSizeHint() const
{
    return QComboBox::minimumSizeHint() + QSize(TextIndent, 0);
}

void TLanguageComboBox::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    if (currentIndex() < 0)
        return;
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    const QRect entry(field.left(), field.top() + (field.height() - entryHeight()) / 2, field.width(),
                      entryHeight());
    painter.setClipRect(field);
    DrawEntry(painter, entry, currentText(), palette().color(QPalette::ButtonText));
}

void FillLanguagePicker(TLanguageComboBox &picker, const QString &languageFile, const TImageList *flags)
{
    picker.clear();
    for (int language = 0; language < LanguageCount; ++language)
        picker.AddLanguage(LanguageName(languageFile, language), language);
    picker.setImages(flags);
}

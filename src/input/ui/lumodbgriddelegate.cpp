#include "input/ui/lumodbgriddelegate.h"

#include "input/ui/lumodbgrid.h"
#include "input/ui/lumodbgridinplaceedit.h"
#include "widgets/lumotablemodel.h"

#include <QEvent>
#include <QPainter>

namespace {
// The pick-list entry of a type field: its number, an empty field "none"; -1 for a number
// outside the list.
int typePosition(const QVariant &value)
{
    if (value.isNull() || value.toString().isEmpty())
        return 0;
    bool number = false;
    const int position = value.toInt(&number);
    return number ? position : -1;
}
} // namespace

LumoDBGridDelegate::LumoDBGridDelegate(TLumoDBGrid *grid) : QStyledItemDelegate(grid), m_grid(grid) {}

void LumoDBGridDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                               const QModelIndex &index) const
{
    const QRect cell = option.rect;
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette &palette = option.palette;
    painter->save();
    painter->setClipRect(cell);
    painter->fillRect(cell, selected ? palette.highlight() : palette.base());
    painter->setPen(selected ? palette.highlightedText().color() : palette.text().color());
    painter->setFont(m_grid->font());
    QString text;
    int left = cell.left() + TextInset;
    if (index.column() == LumoTableModel::TypeColumn) {
        text = m_grid->cellTypeName(index.data());
    } else {
        text = index.data().toString();
        if (m_grid->showSoundGlyph() && index.data(LumoTableModel::HasSoundRole).toBool()) {
            const QPixmap &glyph = m_grid->soundGlyph();
            painter->drawPixmap(QRect(cell.left(), cell.top(), glyph.width(), cell.height()), glyph);
            left = cell.left() + 2 * TextInset + glyph.width();
        }
    }
    const QRect textRect(left, cell.top() + TextInset, cell.right() - left, cell.height() - TextInset);
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
    painter->restore();
}

QWidget *LumoDBGridDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &,
                                          const QModelIndex &index) const
{
    auto *editor = new TLumoDBGridInplaceEdit(parent);
    editor->setFont(m_grid->font());
    const auto *model = qobject_cast<const LumoTableModel *>(index.model());
    editor->setReadOnly(model && model->isReadOnly(index.column()));
    if (index.column() == LumoTableModel::TypeColumn)
        editor->setPickList(m_grid->typeNames());
    connect(editor, &TLumoDBGridInplaceEdit::picked, m_grid,
            [grid = m_grid, index](int position) { grid->storeType(index, position); });
    m_grid->editorOpened(editor, index);
    return editor;
}

void LumoDBGridDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    auto *edit = qobject_cast<TLumoDBGridInplaceEdit *>(editor);
    if (!edit || edit->isModified())
        return;
    edit->setFieldText(index.data().toString());
    if (index.column() == LumoTableModel::TypeColumn) {
        edit->setText(m_grid->cellTypeName(index.data()));
        edit->setFieldPosition(typePosition(index.data()));
    } else {
        edit->setText(index.data(Qt::EditRole).toString());
    }
}

void LumoDBGridDelegate::setModelData(QWidget *editor, QAbstractItemModel *, const QModelIndex &index) const
{
    auto *edit = qobject_cast<TLumoDBGridInplaceEdit *>(editor);
    if (!edit || !edit->isModified())
        return;
    m_grid->storeText(index, edit->text());
    edit->setModified(false);
}

void LumoDBGridDelegate::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                                              const QModelIndex &) const
{
    editor->setGeometry(option.rect);
}

bool LumoDBGridDelegate::eventFilter(QObject *object, QEvent *event)
{
    // While the pick list is open its keys are the editor's, not the grid's.
    auto *edit = qobject_cast<TLumoDBGridInplaceEdit *>(object);
    if (edit && edit->listVisible() && event->type() == QEvent::KeyPress)
        return false;
    return QStyledItemDelegate::eventFilter(object, event);
}

#pragma once

#include <QStyledItemDelegate>

class TLumoDBGrid;

// Draws the vocabulary grid's cells (type names, the sound picture) and makes its cell
// editors.
class LumoDBGridDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    static constexpr int TextInset = 2;

    explicit LumoDBGridDelegate(TLumoDBGrid *grid);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    // Writes only what was typed; the grid has checked a type cell's text before.
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const override;

protected:
    bool eventFilter(QObject *object, QEvent *event) override;

private:
    TLumoDBGrid *m_grid;
};

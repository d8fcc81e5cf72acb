#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QPointer>
#include <QStringList>

class SqliteTable;

// Rows of a table data set as a Qt item model, for the grids that show a unit's entries.
//
// Rows are the data set's positions in its current order and filter; values are read with
// SqliteTable::valueAt, so texts come in pages and sound bytes are never loaded (a blob field
// only tells whether it holds anything). Writing a cell moves the data set to that row, puts
// it in edit mode and sets the field; posting stays with the data set's own rules. Calls that
// reach the data set may throw TableError; the view catches them.
class LumoTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    // Columns of the vocabulary layout, in the order vocabularyColumns() gives them.
    enum Column { NativeColumn = 0, ForeignColumn, TypeColumn };
    enum Role {
        HasSoundRole = Qt::UserRole + 1, // bool: the column's sound field is not empty
        FieldNameRole,                   // the column's field name
    };

    struct ColumnDef
    {
        QString field;      // field shown, matched without regard to case
        QString soundField; // blob field whose content marks the cell; empty for none
    };

    static constexpr int MaxTextLength = 255;

    explicit LumoTableModel(QObject *parent);

    static QList<ColumnDef> vocabularyColumns();

    // Binds the data set (nullptr unbinds); the model follows its change signals.
    void setDataSet(SqliteTable *table);
    SqliteTable *dataSet() const;
    void setColumns(const QList<ColumnDef> &columns);
    // The column showing field (case-insensitive), or -1.
    int columnOfField(const QString &field) const;
    void setCaption(int column, const QString &caption);
    void setReadOnly(int column, bool readOnly);
    bool isReadOnly(int column) const;
    // How the column's cells align their values; by default as the view has it.
    void setAlignment(int column, Qt::Alignment alignment);

    // Texts as the table stores them: line breaks become blanks, at most 255 characters.
    static QString storedText(const QString &text);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // Throws TableError when the data set refuses the move or the value.
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

private:
    void resolveFields();
    void dataSetChanged();
    void recordChanged(int position);
    void currentOrStateChanged();
    QString indicator(int row) const;

    QPointer<SqliteTable> m_table;
    QList<ColumnDef> m_columns;
    QStringList m_captions;
    QList<bool> m_readOnly;
    QList<QVariant> m_alignments;
    QList<int> m_fields; // field number per column, -1 when unknown
    QList<int> m_soundFields;
    int m_indicatorRow = -1;
};

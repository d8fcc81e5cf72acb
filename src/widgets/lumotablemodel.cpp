#include "widgets/lumotablemodel.h"

#include "platform/table/sqlitetable.h"

LumoTableModel::LumoTableModel(QObject *parent) : QAbstractTableModel(parent) {}

QList<LumoTableModel::ColumnDef> LumoTableModel::vocabularyColumns()
{
    return {{QStringLiteral("NativeLanguage"), QStringLiteral("NativeSound")},
            {QStringLiteral("ForeignLanguage"), QStringLiteral("ForeignSound")},
            {QStringLiteral("Type"), QString()}};
}

void LumoTableModel::setDataSet(SqliteTable *table)
{
    if (m_table)
        disconnect(m_table, nullptr, this, nullptr);
    m_table = table;
    if (table) {
        connect(table, &SqliteTable::dataSetChanged, this, &LumoTableModel::dataSetChanged);
        connect(table, &SqliteTable::recordChanged, this, &LumoTableModel::recordChanged);
        // A record taken back or given back moves the rows after it, nothing else.
        connect(table, &SqliteTable::recordAboutToBeInserted, this,
                [this](int position) { beginInsertRows({}, position, position); });
        connect(table, &SqliteTable::recordInserted, this, [this] { endInsertRows(); });
        connect(table, &SqliteTable::recordAboutToBeRemoved, this,
                [this](int position) { beginRemoveRows({}, position, position); });
        connect(table, &SqliteTable::recordRemoved, this, [this] { endRemoveRows(); });
        connect(table, &SqliteTable::currentChanged, this, &LumoTableModel::currentOrStateChanged);
        connect(table, &SqliteTable::stateChanged, this, &LumoTableModel::currentOrStateChanged);
    }
    dataSetChanged();
}

SqliteTable *LumoTableModel::dataSet() const
{
    return m_table;
}

void LumoTableModel::setColumns(const QList<ColumnDef> &columns)
{
    beginResetModel();
    m_columns = columns;
    m_captions = QStringList(columns.size(), QString());
    for (int c = 0; c < columns.size(); ++c)
        m_captions[c] = columns.at(c).field;
    m_readOnly = QList<bool>(columns.size(), false);
    m_alignments = QList<QVariant>(columns.size());
    resolveFields();
    endResetModel();
}

int LumoTableModel::columnOfField(const QString &field) const
{
    for (int c = 0; c < m_columns.size(); ++c)
        if (m_columns.at(c).field.compare(field, Qt::CaseInsensitive) == 0)
            return c;
    return -1;
}

void LumoTableModel::setCaption(int column, const QString &caption)
{
    if (column < 0 || column >= m_captions.size())
        return;
    m_captions[column] = caption;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

void LumoTableModel::setReadOnly(int column, bool readOnly)
{
    if (column >= 0 && column < m_readOnly.size())
        m_readOnly[column] = readOnly;
}

void LumoTableModel::setAlignment(int column, Qt::Alignment alignment)
{
    if (column >= 0 && column < m_alignments.size())
        m_alignments[column] = QVariant::fromValue(int(alignment));
}

bool LumoTableModel::isReadOnly(int column) const
{
    return column >= 0 && column < m_readOnly.size() && m_readOnly.at(column);
}

QString LumoTableModel::storedText(const QString &text)
{
    QString flat = text;
    flat.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    flat.replace(QLatin1Char('\n'), QLatin1Char(' '));
    flat.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return flat.left(MaxTextLength);
}

void LumoTableModel::resolveFields()
{
    // Field numbers are looked up once per binding, not for every cell.
    m_fields.clear();
    m_soundFields.clear();
    const bool open = m_table && m_table->active();
    for (const ColumnDef &column : m_columns) {
        m_fields.append(open ? m_table->fieldIndex(column.field) : -1);
        m_soundFields.append(open && !column.soundField.isEmpty() ? m_table->fieldIndex(column.soundField)
                                                                  : -1);
    }
}

int LumoTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_table ? 0 : m_table->recordCount();
}

int LumoTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant LumoTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !m_table || index.column() >= m_fields.size())
        return {};
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole: return m_table->valueAt(index.row(), m_fields.at(column));
    case HasSoundRole:
        return m_soundFields.at(column) >= 0 &&
               m_table->valueAt(index.row(), m_soundFields.at(column)).toBool();
    case FieldNameRole: return m_columns.at(column).field;
    case Qt::TextAlignmentRole: return m_alignments.value(column);
    default: return {};
    }
}

QString LumoTableModel::indicator(int row) const
{
    // The indicator column marks the current row and what is being done to it.
    if (!m_table || row != m_table->recNo())
        return {};
    switch (m_table->state()) {
    case SqliteTable::State::Edit: return QStringLiteral("I");
    case SqliteTable::State::Insert: return QStringLiteral("*");
    default: return QStringLiteral("\u25B8");
    }
}

QVariant LumoTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return indicator(section);
    return section >= 0 && section < m_captions.size() ? m_captions.at(section) : QString();
}

Qt::ItemFlags LumoTableModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (!isReadOnly(index.column()) && index.column() < m_fields.size() && m_fields.at(index.column()) >= 0)
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool LumoTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !m_table || !m_table->active() || !(flags(index) & Qt::ItemIsEditable))
        return false;
    if (m_table->recNo() != index.row())
        m_table->setRecNo(index.row());
    if (m_table->state() == SqliteTable::State::Browse)
        m_table->edit();
    const int field = m_fields.at(index.column());
    const bool text = value.typeId() == QMetaType::QString;
    m_table->setFieldValue(field, text ? QVariant(storedText(value.toString())) : value);
    return true;
}

void LumoTableModel::dataSetChanged()
{
    beginResetModel();
    resolveFields();
    // The view shows the mark on the current row after the reset; the next move must repaint it.
    m_indicatorRow = m_table && m_table->active() ? m_table->recNo() : -1;
    endResetModel();
}

void LumoTableModel::recordChanged(int position)
{
    if (position >= 0 && position < rowCount() && !m_columns.isEmpty())
        emit dataChanged(index(position, 0), index(position, int(m_columns.size()) - 1));
}

void LumoTableModel::currentOrStateChanged()
{
    const int old = m_indicatorRow;
    m_indicatorRow = m_table ? m_table->recNo() : -1;
    if (old >= 0 && old < rowCount())
        emit headerDataChanged(Qt::Vertical, old, old);
    if (m_indicatorRow >= 0 && m_indicatorRow < rowCount())
        emit headerDataChanged(Qt::Vertical, m_indicatorRow, m_indicatorRow);
}

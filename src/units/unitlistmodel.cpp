#include "units/unitlistmodel.h"

#include "platform/folderlisting.h"
#include "vocfile/unitdescriptor.h"
#include "vocfile/vocabularylanguages.h"

#include <algorithm>

namespace {
bool captionBefore(const UnitListModel::Entry &a, const UnitListModel::Entry &b)
{
    const int folded = QString::compare(a.caption, b.caption, Qt::CaseInsensitive);
    if (folded != 0)
        return folded < 0;
    return a.caption != b.caption ? a.caption < b.caption : a.fileName < b.fileName;
}
} // namespace

UnitListModel::UnitListModel(QObject *parent) : QAbstractTableModel(parent) {}

int UnitListModel::fill(const QString &folder, const QString &extension, const QString &languageFile)
{
    beginResetModel();
    m_entries.clear();
    const QString suffix = QLatin1Char('.') + extension;
    for (const QString &file : ListFiles(folder, QStringLiteral("*") + suffix)) {
        const UnitDescriptor unit(folder + file);
        Entry entry;
        entry.caption = file.left(file.size() - suffix.size());
        entry.fileName = file;
        entry.description = unit.description(QStringLiteral("unkown"));
        entry.nativeLanguage = unit.firstLanguage();
        entry.foreignLanguage = unit.secondLanguage();
        entry.languages = ShownLanguageName(languageFile, entry.nativeLanguage) + QStringLiteral(" - ") +
                          ShownLanguageName(languageFile, entry.foreignLanguage);
        m_entries.append(entry);
    }
    std::sort(m_entries.begin(), m_entries.end(), captionBefore);
    // SHOUT.lif beside SHOUT.LIF: the two rows show their file names to be told apart.
    for (qsizetype row = 1; row < m_entries.size(); ++row)
        if (m_entries.at(row).caption == m_entries.at(row - 1).caption)
            m_entries[row].nameShared = m_entries[row - 1].nameShared = true;
    endResetModel();
    return int(m_entries.size());
}

void UnitListModel::clear()
{
    beginResetModel();
    m_entries.clear();
    endResetModel();
}

int UnitListModel::rowOf(const QString &caption) const
{
    for (int row = 0; row < m_entries.size(); ++row)
        if (m_entries.at(row).caption == caption)
            return row;
    return -1;
}

void UnitListModel::setHeaders(const QStringList &headers)
{
    m_headers = headers;
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
}

void UnitListModel::setPictures(std::function<QIcon(int)> pictures)
{
    m_pictures = std::move(pictures);
    if (!m_entries.isEmpty())
        emit dataChanged(index(0, FileColumn), index(rowCount() - 1, FileColumn), {Qt::DecorationRole});
}

int UnitListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_entries.size());
}

int UnitListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant UnitListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_entries.size())
        return QVariant();
    const Entry &e = m_entries.at(index.row());
    if (role == LanguageRole)
        return e.foreignLanguage;
    if (role == Qt::DecorationRole && index.column() == FileColumn)
        return m_pictures ? m_pictures(e.foreignLanguage) : QIcon();
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return QVariant();
    switch (index.column()) {
    case FileColumn: return role == Qt::DisplayRole && e.nameShared ? e.fileName : e.caption;
    case DescriptionColumn: return e.description;
    case LanguageColumn: return e.languages;
    default: return QVariant();
    }
}

QVariant UnitListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    return m_headers.value(section);
}

Qt::ItemFlags UnitListModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
    if (index.column() == FileColumn)
        f |= Qt::ItemIsEditable;
    return f;
}

bool UnitListModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || index.column() != FileColumn || role != Qt::EditRole)
        return false;
    const QString name = value.toString();
    if (name == m_entries.at(index.row()).caption)
        return false;
    emit renameRequested(index.row(), name);
    return false;
}

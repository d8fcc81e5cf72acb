#pragma once

#include "vocfile/lumofileheader.h"

#include <QAbstractTableModel>
#include <QIcon>
#include <QList>
#include <functional>

// The units of one folder as the file list shows them: one row per unit descriptor, with
// the unit's name, its description and its language pair, and the flag of its foreign
// language. Everything comes from the descriptors; no table is opened for listing.
class UnitListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { FileColumn = 0, DescriptionColumn, LanguageColumn, ColumnCount };
    // The foreign language's number of a row, for the view's pictures.
    static constexpr int LanguageRole = Qt::UserRole + 1;

    struct Entry
    {
        QString caption;  // the descriptor's name without its extension: the unit's name
        QString fileName; // the descriptor's name as spelt on disk ("SHOUT.LIF")
        QString description;
        int nativeLanguage = 0;
        int foreignLanguage = 0;
        QString languages;       // "<native name> - <foreign name>"
        bool nameShared = false; // another descriptor here differs only in its extension's case
    };

    explicit UnitListModel(QObject *parent = nullptr);

    // Lists folder (ending in "/") for descriptors "*." + extension, sorted by name without
    // regard to case. Returns the number of units listed.
    int fill(const QString &folder, const QString &extension, const QString &languageFile);
    void clear();

    const Entry &entry(int row) const { return m_entries.at(row); }
    int rowOf(const QString &caption) const; // -1 when not listed

    // The column titles, translated by the owner.
    void setHeaders(const QStringList &headers);
    // The picture of a language number at the view's size; a null icon draws a blank square.
    void setPictures(std::function<QIcon(int)> pictures);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // Editing a name asks for a rename (renameRequested); the model itself changes nothing,
    // so the name shown stays the file's until the owner has renamed it and listed again.
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

signals:
    void renameRequested(int row, const QString &newName);

private:
    QList<Entry> m_entries;
    QStringList m_headers{QStringLiteral("File"), QStringLiteral("Description"), QStringLiteral("Language")};
    std::function<QIcon(int)> m_pictures;
};

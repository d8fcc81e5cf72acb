#pragma once

#include "platform/busyindicator.h"
#include "platform/table/sqlitetable.h"

class MessageService;

// The vocabulary table of one unit: binds the table engine to a unit's ".db" file and
// creates a missing table with the fixed schema.
class TLumoTable : public SqliteTable
{
    Q_OBJECT
    Q_PROPERTY(QString VocabularyFile READ vocabularyFile WRITE setVocabularyFile)

public:
    // Positions of the fields; records are handed over positionally in this order.
    enum Field { Count = 0, NativeLanguage, ForeignLanguage, Type, NativeSound, ForeignSound, Mistakes };
    static constexpr int FieldCount = 7;
    static constexpr int MaxTextLength = 255;

    explicit TLumoTable(MessageService &messages, QObject *parent = nullptr);

    static QList<FieldDef> schemaFields();
    static QList<IndexDef> schemaIndexes();

    QString vocabularyFile() const;
    // Binds the table (closing it first); a missing file is created with the schema. On
    // failure "Could not create database!" is shown and the component is left unbound.
    // Throws TableError, and changes nothing, for an empty or relative path.
    void setVocabularyFile(const QString &path);

    // Opens the table for the pages, which need every field of the schema: a table that lacks
    // one is closed again and the error naming it thrown.
    void openChecked();

    // Compacts the bound table; true when it worked. The table stays closed.
    bool Pack();

    // Shown while packing.
    void setBusyIndicator(BusyIndicator &busy) { m_busy = &busy; }

private:
    MessageService &m_messages;
    QString m_vocabularyFile;
    BusyIndicator *m_busy = &BusyIndicator::none();
};

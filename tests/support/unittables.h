#pragma once

#include "support/scriptedmessageservice.h"
#include "support/testfolder.h"
#include "vocfile/lumotable.h"

#include <memory>

// Unit tables in a folder of the test's own, with scripted message boxes, and the records
// the tests hand them and read back.
class UnitTables
{
protected:
    TestFolder m_folder;
    ScriptedMessageService m_messages;

    QString newPath(const QString &name) const { return m_folder.filePath(name + QStringLiteral(".db")); }
    std::unique_ptr<TLumoTable> bound(const QString &path)
    {
        auto table = std::make_unique<TLumoTable>(m_messages);
        table->setVocabularyFile(path);
        return table;
    }
    std::unique_ptr<TLumoTable> opened(const QString &path)
    {
        auto table = bound(path);
        table->open();
        return table;
    }

    // A record as appendRecord takes it.
    static QVariantList entry(const QString &native, const QString &foreign, const QVariant &mistakes = 0,
                              const QByteArray &nativeSound = QByteArray())
    {
        return {QVariant(), native, foreign, 0, nativeSound, QVariant(), mistakes};
    }

    // One field of every record, walking the current order.
    static QStringList column(SqliteTable &table, int field)
    {
        QStringList values;
        for (table.first(); !table.eof(); table.next())
            values.append(table.fieldValue(field).toString());
        return values;
    }
};

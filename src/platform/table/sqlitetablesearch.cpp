// Choosing an order by its field and searching for a text in the current order.
#include "platform/caseblindtext.h"
#include "platform/table/sqlitetable.h"
#include "platform/table/sqlitetableprivate.h"

#include <algorithm>

void SqliteTable::setIndexField(const QString &field)
{
    requireActive();
    for (const IndexDef &index : std::as_const(d->schema.indexes))
        if (index.field.compare(field, Qt::CaseInsensitive) == 0) {
            setIndexName(index.primary ? QString() : index.name);
            return;
        }
    throw TableError(QStringLiteral("No index orders the table ") + filePath() +
                     QStringLiteral(" by the field '%1'.").arg(field));
}

bool SqliteTable::findText(const QList<int> &fields, const QString &text, const QList<QLocale> &caseRules)
{
    requireActive();
    checkBrowseMode();
    if (text.isEmpty() || isEmpty())
        return false;
    // Every record that holds the text, whatever the order. One query a field, without an
    // order, so that SQLite reads the field's small index instead of the rows with their
    // sounds; the walk through the order then needs no record's values.
    QVector<qint64> holding;
    for (int i = 0; i < fields.size(); ++i) {
        const int field = fields.at(i);
        if (field < 0 || field >= d->schema.fields.size())
            continue;
        SqliteStatement select(*d->db, QStringLiteral("SELECT rowid FROM %1 WHERE %2(%3, ?1, ?2)")
                                           .arg(TableSchema::quoted(TableSchema::DataTable),
                                                QLatin1String(CaseBlindText::ContainsFunction),
                                                TableSchema::quoted(d->schema.fields.at(field).name)));
        select.bindText(1, text);
        const QLocale rules = caseRules.value(i, QLocale::c());
        select.bindText(2, rules == QLocale::c() ? QString() : rules.name());
        while (select.step())
            holding.append(select.int64(0));
    }
    if (holding.isEmpty())
        return false;
    std::sort(holding.begin(), holding.end());

    const KeyCursor &cursor = d->cursor();
    const QVector<qint64> &keys = cursor.keys();
    const int count = int(keys.size());
    // Without a current record the walk starts at the first one.
    const int start = cursor.hasRecord() ? cursor.position() : count - 1;
    for (int step = 1; step <= count; ++step) {
        const int position = (start + step) % count;
        if (std::binary_search(holding.cbegin(), holding.cend(), keys.at(position))) {
            moveTo(position, false, false);
            return true;
        }
    }
    return false;
}

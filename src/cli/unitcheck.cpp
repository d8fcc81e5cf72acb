#include "cli/unitcheck.h"

#include "platform/lumoerror.h"
#include "platform/sqlitedatabase.h"
#include "vocfile/lumotable.h"
#include "vocfile/unitfields.h"

QStringList UnitCheck::integrityProblems(const QString &table)
{
    SqliteDatabase db(table);
    db.open(SqliteDatabase::tableOptions(true));
    SqliteStatement check(db, QStringLiteral("PRAGMA integrity_check"));
    QStringList problems;
    while (check.step()) {
        const QString line = check.text(0);
        if (line != QStringLiteral("ok"))
            problems.append(line);
    }
    return problems;
}

UnitCheck::Counts UnitCheck::count(const QString &table, MessageService &messages)
{
    TLumoTable unit(messages);
    unit.setVocabularyFile(table);
    unit.open();
    using F = TLumoTable::Field;
    const UnitFields fields = UnitFields::required(unit, {F::NativeSound, F::ForeignSound, F::Mistakes});
    Counts counts;
    counts.entries = unit.recordCount();
    for (unit.first(); !unit.eof(); unit.next()) {
        counts.sounds += (unit.fieldIsNull(fields[F::NativeSound]) ? 0 : 1) +
                         (unit.fieldIsNull(fields[F::ForeignSound]) ? 0 : 1);
        const qint64 mistakes = unit.fieldValue(fields[F::Mistakes]).toLongLong();
        if (mistakes > 0) {
            ++counts.mistakenEntries;
            counts.mistakes += mistakes;
        }
    }
    unit.close();
    return counts;
}

void UnitCheck::pack(const QString &table, MessageService &messages)
{
    TLumoTable unit(messages);
    unit.setVocabularyFile(table);
    // Opening first gives the engine's own error for a unit in use or a file of another kind.
    unit.open();
    if (!unit.Pack())
        throw LumoError(QStringLiteral("The table could not be packed: ") + table);
}

#include "cli/unitcheck.h"

#include "platform/atomicfile.h"
#include "platform/lumoerror.h"
#include "platform/table/sqlitedatabase.h"
#include "platform/table/tableschema.h"
#include "repetition/reviewhistory.h"
#include "vocfile/lumotable.h"
#include "vocfile/unitfields.h"

#include <QDateTime>
#include <QFileInfo>

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
    // Checks that the fields are there, found by name, before SQL names them.
    UnitFields::required(unit, {F::NativeSound, F::ForeignSound, F::Mistakes});
    Counts counts;
    counts.entries = unit.recordCount();
    // One pass in SQLite rather than a walk through the engine: length() of a sound reads no
    // sound bytes, and a sound counts when it has any, as the engine's empty test says.
    // Mistakes are read as integers, as the engine reads them.
    SqliteStatement totals(
        *unit.connection(),
        QStringLiteral("SELECT total(length(NativeSound) > 0) + total(length(ForeignSound) > 0), "
                       "total(m > 0), coalesce(sum(max(m, 0)), 0) "
                       "FROM (SELECT NativeSound, ForeignSound, CAST(Mistakes AS INTEGER) AS m FROM %1)")
            .arg(TableSchema::quoted(QLatin1String(TableSchema::DataTable))));
    if (totals.step()) {
        counts.sounds = int(totals.int64(0));
        counts.mistakenEntries = int(totals.int64(1));
        counts.mistakes = totals.int64(2);
    }
    totals.reset();
    const ReviewHistory history(*unit.connection());
    counts.reviews = history.count();
    counts.unusableReviews = history.cards(QDateTime::currentSecsSinceEpoch()).skipped;
    unit.close();
    return counts;
}

int UnitCheck::entries(const QString &table, MessageService &messages)
{
    TLumoTable unit(messages);
    unit.setVocabularyFile(table);
    unit.open();
    const int entries = unit.recordCount();
    unit.close();
    return entries;
}

int UnitCheck::exportReviews(const QString &table, const QString &file, MessageService &messages)
{
    TLumoTable unit(messages);
    unit.setVocabularyFile(table);
    unit.open();
    const ReviewHistory history(*unit.connection());
    int rows = 0;
    const QByteArray csv = history.csv(&rows);
    unit.close();
    QString reason;
    if (!SaveFileAtomically(QFileInfo(file).absoluteFilePath(), csv, &reason))
        throw LumoError(QStringLiteral("Cannot write the file: ") + file +
                        (reason.isEmpty() ? QString() : u' ' + reason));
    return rows;
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

#include "exchange/wordexporter.h"

#include "exchange/csvwriter.h"
#include "exchange/exchangeerror.h"
#include "exchange/kvtmlwriter.h"
#include "platform/atomicfile.h"
#include "platform/table/sqlitetable.h"
#include "vocfile/lumotable.h"
#include "vocfile/unitdescriptor.h"
#include "vocfile/unitfields.h"
#include "vocfile/unitfiles.h"

#include <QFileInfo>

WordList WordExporter::readUnit(const QString &descriptorPath)
{
    WordList list;
    const UnitFiles unit(descriptorPath);
    const UnitDescriptor descriptor(descriptorPath);
    list.title = unit.name();
    list.nativeLanguage = descriptor.firstLanguage();
    list.foreignLanguage = descriptor.secondLanguage();
    const QFileInfo tableFile(unit.tablePath());
    if (!tableFile.exists())
        return list;
    SqliteTable table;
    table.setDatabaseName(unit.folder());
    table.setTableName(tableFile.fileName());
    table.setExclusive(true);
    table.open();
    try {
        using F = TLumoTable::Field;
        const UnitFields fields =
            UnitFields::required(table, {F::NativeLanguage, F::ForeignLanguage, F::Type});
        const auto columns =
            table.readColumns({fields[F::NativeLanguage], fields[F::ForeignLanguage], fields[F::Type]});
        list.pairs.reserve(columns.at(0).size());
        for (qsizetype i = 0; i < columns.at(0).size(); ++i)
            list.pairs.append({columns.at(0).at(i).toString(), columns.at(1).at(i).toString(),
                               columns.at(2).at(i).toInt()});
    } catch (...) {
        table.close();
        throw;
    }
    table.close();
    return list;
}

void WordExporter::write(const WordList &list, const QString &path, WordListFormat format)
{
    const QByteArray bytes = format == WordListFormat::Kvtml
                                 ? KvtmlWriter::bytes(list)
                                 : CsvWriter::text(list, WordListFormats::separator(format)).toUtf8();
    // Every write is checked: a full disk must not leave a cut file in place of the old one.
    QString reason;
    if (!SaveFileAtomically(path, bytes, &reason))
        throw ExchangeError(ExchangeError::Kind::CannotWrite, path, 0, reason);
}

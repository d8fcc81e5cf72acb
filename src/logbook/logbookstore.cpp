#include "logbook/logbookstore.h"

#include "logbook/filesnapshot.h"
#include "platform/table/sqlitetable.h"
#include "platform/table/tableschema.h"
#include "vocfile/unittestlog.h"

#include <QScopeGuard>

namespace {
const QString MistakesField = QStringLiteral("Mistakes");
} // namespace

QString LogbookStore::mistakesCondition()
{
    return TableSchema::quoted(MistakesField) + QStringLiteral(" > 0");
}

void LogbookStore::resetLog(SqliteTable &table, const QString &descriptorPath)
{
    const int mistakes = table.fieldIndex(MistakesField);
    UnitTestLog log(descriptorPath);
    const FileSnapshot descriptor(descriptorPath);
    table.disableControls();
    const auto release = qScopeGuard([&table] { table.enableControls(); });
    table.startTransaction();
    bool logWritten = false;
    try {
        table.setFieldOfAll(mistakes, 0);
        if (descriptor.existed()) {
            log.reset();
            logWritten = true;
        }
        table.commit();
    } catch (...) {
        if (logWritten)
            descriptor.restore();
        // A failed commit may have ended the transaction itself; the rows are read again
        // either way, so none shows a value that was never stored.
        try {
            if (table.inTransaction())
                table.rollback();
            else
                table.refresh();
        } catch (...) {
            // The first error is the one the user hears of.
        }
        throw;
    }
    table.first();
}

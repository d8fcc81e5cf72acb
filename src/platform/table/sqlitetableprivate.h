#pragma once

// The state of a SqliteTable, shared by the files that implement it.

#include "platform/controlsgate.h"
#include "platform/table/indexplacer.h"
#include "platform/table/keycursor.h"
#include "platform/table/recordbuffer.h"
#include "platform/table/recordcache.h"
#include "platform/table/recordwriter.h"
#include "platform/table/sqlitetable.h"
#include "platform/table/tablefile.h"

struct SqliteTable::Private
{
    QString database;
    QString table;
    QList<FieldDef> newFields;
    QList<IndexDef> newIndexes;
    bool exclusive = true;

    TableSchema schema;
    std::unique_ptr<SqliteDatabase> db;
    std::unique_ptr<RecordCache> cache;
    std::unique_ptr<RecordWriter> writer;
    std::unique_ptr<IndexPlacer> placer;
    std::unique_ptr<SqliteStatement> recordQuery; // a whole record by key, prepared once

    // The keys of the current index and filter. An unfiltered table reads them when they
    // are first needed, so that opening and then choosing an order reads one order only.
    KeyCursor keyCursor;
    bool keysPending = false;
    KeyCursor &cursor()
    {
        if (keysPending) {
            keysPending = false;
            keyCursor.reset(cache->keys(indexPosition, RecordFilter()));
            keyCursor.moveTo(0, true, false);
        }
        return keyCursor;
    }
    State state = State::Inactive;

    RecordBuffer buffer; // the record being edited or inserted
    int positionBeforeInsert = -1;

    DeleteCompanion deleteCompanion;
    PackCompanion packCompanion;
    RecordWatch watch;

    RecordFilter filter;
    QString condition;
    bool filtered = false;
    QString indexName;
    int indexPosition = -1;

    ControlsGate gate;

    bool editing() const { return state == State::Edit || state == State::Insert; }
    bool hasRecord() { return state != State::Inactive && cursor().hasRecord(); }
    const IndexDef *currentIndex() const
    {
        return indexPosition >= 0 && !schema.indexes.at(indexPosition).primary
                   ? &schema.indexes.at(indexPosition)
                   : nullptr;
    }
};

// The units' case-blind collation as a loadable SQLite extension, so that the sqlite3 shell,
// SQLite browsers and scripts can read and write a unit with its indexes intact:
//   sqlite3 -cmd '.load /usr/lib/x86_64-linux-gnu/lumo/liblumocollation' unit.db
// SQLite finds the entry point by the file's name: liblumocollation.so -> sqlite3_lumocollation_init.
#include "platform/table/tablecollation.h"

#include <sqlite3ext.h>
SQLITE_EXTENSION_INIT1

extern "C" __attribute__((visibility("default"))) int
sqlite3_lumocollation_init(sqlite3 *db, char **, const sqlite3_api_routines *api)
{
    SQLITE_EXTENSION_INIT2(api);
    // Through the host's routines: the host may carry its own SQLite, not the system's.
    return sqlite3_create_collation(db, TableCollation::Name, SQLITE_UTF8, nullptr,
                                    TableCollation::sqliteCompare);
}

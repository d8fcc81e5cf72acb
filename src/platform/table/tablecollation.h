#pragma once

#include <QByteArrayView>
#include <sqlite3.h>

// The case-blind order of the secondary indexes of our tables.
//
// It is Unicode-aware and independent of the locale, so an index written today sorts the
// same tomorrow: texts compare as QStringView::compare(..., Qt::CaseInsensitive) compares
// them. SQLite hands it UTF-8; runs of ASCII are compared byte by byte, and only from the
// first non-ASCII character on is the text decoded.
class TableCollation
{
public:
    static constexpr const char *Name = "LUMO_NOCASE";

    // Negative, zero or positive, as the texts order.
    static int compare(QByteArrayView left, QByteArrayView right);
    // compare() in the form SQLite calls a collation.
    static int sqliteCompare(void *, int leftLength, const void *left, int rightLength, const void *right);
    // Makes the collation known to a connection under Name; returns SQLite's result code.
    // Inline, so that the loadable extension, which reaches SQLite only through the routines
    // its host hands over, never refers to the library's own symbol.
    static int install(sqlite3 *db)
    {
        return sqlite3_create_collation(db, Name, SQLITE_UTF8, nullptr, sqliteCompare);
    }
};

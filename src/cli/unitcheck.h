#pragma once

#include <QString>
#include <QStringList>

class MessageService;

// What the tool finds in a unit's table: it is opened by the program's own table component
// (so a unit that the program has open fails with the engine's clear error), SQLite checks
// the file, and the entries, sounds and mistakes are counted.
class UnitCheck
{
public:
    struct Counts
    {
        int entries = 0;
        int sounds = 0;          // recorded sounds, both sides counted
        int mistakenEntries = 0; // entries with at least one mistake
        qint64 mistakes = 0;     // the sum of all mistake counts
        int reviews = 0;         // rows of the review history
        int unusableReviews = 0; // of those, rows fitting leaves out
    };

    // Opens the table, counts and closes it again. Throws LumoError (a TableError).
    static Counts count(const QString &table, MessageService &messages);
    // Only the number of entries, which opening the table knows.
    static int entries(const QString &table, MessageService &messages);
    // SQLite's integrity check on the closed table; empty when all is well.
    static QStringList integrityProblems(const QString &table);
    // Writes the review history as CSV to file in one step; returns the rows written.
    static int exportReviews(const QString &table, const QString &file, MessageService &messages);
    // Compacts the table; throws LumoError when it cannot.
    static void pack(const QString &table, MessageService &messages);
};

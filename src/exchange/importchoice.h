#pragma once

#include <QString>

// How the rows of a word list become entries, and what a new unit is made of.
struct ImportChoice
{
    int nativeColumn = 0;
    int foreignColumn = 1;
    int typeColumn = -1;       // -1: the file's own word types (KVTML) or none
    bool header = false;       // the first row names the columns and is not imported
    bool skipExisting = false; // pairs the unit holds already (both sides alike) are left out
    // For a unit that does not exist yet.
    int nativeLanguage = 0;
    int foreignLanguage = 0;
    QString description;
};

// What an import did.
struct ImportResult
{
    QString descriptor; // the unit imported into
    bool createdUnit = false;
    bool cancelled = false; // nothing was written
    int imported = 0;
    int skipped = 0;          // rows without both columns, or with both words empty
    int firstSkippedLine = 0; // the line of the first of them
    int cut = 0;              // words cut to the length an entry holds
    int unknownTypes = 0;     // word types not understood, taken as "none"
    int existing = 0;         // pairs the unit held already; left out when the choice says so
};

#pragma once

#include "repetition/fsrsfitter.h"

#include <QtGlobal>

class SqliteTable;

// Fits the memory model to the review history of a unit whose table is open (the program's
// own table, held for as long as the unit is worked on, or one the tool opened for it) and
// schedules with the result: the fitted weights are stored, or the defaults put back when the
// fit is no clear gain, and the review states recomputed with them, all in one transaction on
// the table's connection. A fit that is cancelled, or a history too short to fit, writes
// nothing. Failures throw TableError, after which the unit is as it was.
class WeightsFit
{
public:
    struct Outcome
    {
        int reviews = 0;        // rows of the history
        int unusable = 0;       // of those, rows left out
        bool enough = false;    // enough predicted reviews to fit at all
        FsrsFitter::Result fit; // the fit itself; its reviews are counted when there were too few
        int recomputed = 0;     // review states recomputed
    };

    explicit WeightsFit(SqliteTable &table) : m_table(table) {}

    // now: the moment after which history rows lie in the future and are left out.
    Outcome fit(qint64 now, const FsrsFitter::Progress &progress);
    // Puts the default weights back and recomputes the states; returns how many.
    int reset();

private:
    int schedule(const FsrsModel::Weights *fitted);

    SqliteTable &m_table;
};

#pragma once

#include "repetition/fsrsfitter.h"

#include <QString>

class MessageService;

// Fits the memory model to a unit's review history and schedules with the result: the fitted
// weights are stored in the unit, or the defaults put back when the fit is no clear gain, and
// the review states are recomputed with them, all in one transaction.
class UnitFit
{
public:
    struct Outcome
    {
        int reviews = 0;        // rows of the history
        int unusable = 0;       // of those, rows left out
        bool enough = false;    // enough predicted reviews to fit at all
        FsrsFitter::Result fit; // the fit itself, when there were enough
        int recomputed = 0;     // review states recomputed
    };

    // Throws LumoError (a TableError) for a unit that cannot be opened.
    static Outcome fit(const QString &table, MessageService &messages, const FsrsFitter::Progress &progress);
    // Puts the default weights back and recomputes the states; returns how many.
    static int reset(const QString &table, MessageService &messages);
};

#pragma once

#include "repetition/weightsfit.h"

#include <QString>

class MessageService;

// The tool's fit of a unit named by its table: opens it for the purpose and fits and
// schedules as the program does (WeightsFit).
class UnitFit
{
public:
    using Outcome = WeightsFit::Outcome;

    // Throws LumoError (a TableError) for a unit that cannot be opened.
    static Outcome fit(const QString &table, MessageService &messages, const FsrsFitter::Progress &progress);
    // Puts the default weights back and recomputes the states; returns how many.
    static int reset(const QString &table, MessageService &messages);
};

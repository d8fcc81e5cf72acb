#pragma once

#include "repetition/fsrsmodel.h"

class SqliteDatabase;

// Recomputes the review states from the history with other weights, as if every review had
// been scheduled with them from the start: the memory and the due moment of each entry side
// change; its counts and moments of review do not. A state is recomputed only when the history
// holds its last review (an older program may have reviewed without writing history); a
// history that begins after a card's first review starts from the memory it recorded then.
// Runs in the caller's transaction. Returns the states recomputed. Failures throw TableError.
class ReviewReplay
{
public:
    static int apply(SqliteDatabase &db, const FsrsModel::Weights &weights);
};

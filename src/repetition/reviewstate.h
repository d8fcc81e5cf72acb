#pragma once

#include "repetition/fsrsmodel.h"

#include <QtGlobal>

// The review state of one side of one entry: which entry ("Count") and which question
// direction (0: native language asked, 1: foreign language asked), its memory and its
// schedule. Moments are seconds since the epoch, so a unit moved between time zones keeps them.
struct ReviewState
{
    qint64 entry = 0;
    int direction = 0;
    FsrsModel::Memory memory;
    qint64 firstReview = 0;
    qint64 lastReview = 0;
    qint64 due = 0;
    int reviews = 0;
    int lapses = 0;
};

#pragma once

#include "repetition/reviewstore.h"

#include <QList>

// The entries a test of the due words asks: those due by the end of today, the most overdue
// first (ties in table order), then entries never reviewed, in table order, as many as the
// day's allowance of new words leaves.
class DueQueue
{
public:
    // eligible: the keys of the entries that may take part, in table order; states: the due
    // moments of the direction asked; newAllowed: how many new entries may still join today.
    static QList<qint64> build(const QList<qint64> &eligible, const QList<ReviewStore::DueRow> &states,
                               qint64 endOfToday, int newAllowed);
};

#pragma once

#include <QList>
#include <QRandomGenerator>

// A generator seeded from the clock, for shuffling queues and choices.
QRandomGenerator ClockSeededGenerator();

// Mixes the list in place: with n entries, 2n+1 exchanges of two entries drawn independently
// and uniformly (an entry may be exchanged with itself).
template <typename T> void Shuffle(QList<T> &list, QRandomGenerator &generator)
{
    const qsizetype n = list.size();
    if (n == 0)
        return;
    for (qsizetype round = 0; round < 2 * n + 1; ++round) {
        const qsizetype i = generator.bounded(n);
        const qsizetype j = generator.bounded(n);
        list.swapItemsAt(i, j);
    }
}

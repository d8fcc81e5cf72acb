#pragma once

#include <QRandomGenerator>
#include <QStringList>

// A generator seeded from the clock, for shuffling queues and choices.
QRandomGenerator ClockSeededGenerator();

// Mixes the list in place: with n entries, 2n+1 exchanges of two entries drawn independently
// and uniformly (an entry may be exchanged with itself).
void Shuffle(QStringList &list, QRandomGenerator &generator);

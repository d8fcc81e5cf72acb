#include "voctest/shuffle.h"

#include <chrono>

QRandomGenerator ClockSeededGenerator()
{
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    return QRandomGenerator(quint32(ticks) ^ quint32(quint64(ticks) >> 32));
}

void Shuffle(QStringList &list, QRandomGenerator &generator)
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

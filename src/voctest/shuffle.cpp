#include "voctest/shuffle.h"

#include <chrono>

QRandomGenerator ClockSeededGenerator()
{
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    return QRandomGenerator(quint32(ticks) ^ quint32(quint64(ticks) >> 32));
}

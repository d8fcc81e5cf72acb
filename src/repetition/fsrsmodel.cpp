#include "repetition/fsrsmodel.h"

#include "repetition/fsrsformulas.h"

#include <algorithm>
#include <cmath>

namespace {

using Formulas = FsrsFormulas<double>;

FsrsModel::Memory memoryOf(const Formulas::Memory &memory)
{
    return FsrsModel::Memory{memory.stability, memory.difficulty};
}

} // namespace

double FsrsModel::retrievability(double elapsedDays, double stability, const Weights &w)
{
    return Formulas(w).retrievability(elapsedDays, stability);
}

int FsrsModel::intervalDays(double stability, const Weights &w)
{
    const double days = Formulas(w).daysUntil(stability, DesiredRetention);
    return int(std::clamp(std::round(days), 1.0, double(MaximumIntervalDays)));
}

FsrsModel::Memory FsrsModel::first(Rating rating, const Weights &w)
{
    return memoryOf(Formulas(w).first(int(rating)));
}

FsrsModel::Memory FsrsModel::next(const Memory &memory, double elapsedDays, Rating rating, const Weights &w)
{
    if (!usable(memory))
        return first(rating, w);
    return memoryOf(Formulas(w).next({memory.stability, memory.difficulty}, elapsedDays, int(rating)));
}

bool FsrsModel::usable(const Memory &memory)
{
    return std::isfinite(memory.stability) && memory.stability > 0 && std::isfinite(memory.difficulty);
}

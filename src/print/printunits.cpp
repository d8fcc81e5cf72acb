#include "print/printunits.h"

#include <cfenv>
#include <cmath>

int RoundHalfEven(double value)
{
    // nearbyint follows the rounding mode, which is to-nearest-even unless someone changed it.
    const int saved = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(value);
    std::fesetround(saved);
    return int(rounded);
}

int InchToDevice(double inches, int pixelsPerInch)
{
    return RoundHalfEven(inches * pixelsPerInch);
}

int MmToDevice(double mm, int pixelsPerInch)
{
    return InchToDevice(mm * 0.03937 + 0.05, pixelsPerInch);
}

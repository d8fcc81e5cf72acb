#pragma once

// Conversions from inches and millimetres to device pixels. Halves go to the even
// neighbour, as the printer arithmetic has always done.
int RoundHalfEven(double value);
int InchToDevice(double inches, int pixelsPerInch);
// Every millimetre distance carries an extra 0.05 inch, so that a margin of 0 still keeps
// clear of the unprintable edge.
int MmToDevice(double mm, int pixelsPerInch);

#pragma once

#include <cmath>
#include <cstdint>

// The one home of 16-bit arithmetic: every store into a 16-bit variable or piece property goes
// through toInt16, so rounding and overflow behave the same everywhere.

// Rounds to the nearest integer, a tie going to the even neighbour (12.5 -> 12, 13.5 -> 14): the
// default rounding mode, which the program never changes.
inline double roundHalfEven(double value) {
    return std::nearbyint(value);
}

// Whether toInt16 would take value: its roundHalfEven lies within -32768..32767 (NaN does not).
bool fitsInt16(double value);

// roundHalfEven, then throws OverflowError when the result lies outside -32768..32767
// (NaN included).
std::int16_t toInt16(double value);

// A product of two 16-bit integers that must itself fit 16 bits (square corners, tray heights).
std::int16_t multiply16(int factor, std::int16_t value);

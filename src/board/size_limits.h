#pragma once

#include <cstdint>

// Whether a board of these square sizes can be drawn, started and filed into without any 16-bit
// coordinate or product leaving -32768..32767: up to a CellSizeI of 4095 and a CellSize just
// below 2849.35 (a whole 2849).
bool sizesFitSixteenBits(double cellSize, std::int16_t cellSizeI);

// Whether every coordinate the program divides by the square size (a 16-bit centre or pointer,
// plus half a square and a pixel, when a drop is snapped or a tray cell found) gives a finite
// quotient: a square size above about 1.8e-304.
bool squaresLargeEnoughToDivideBy(double cellSize);

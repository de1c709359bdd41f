#pragma once

#include <cstdint>

// Whether a board of these square sizes can be drawn, started, filed into and shown in a window
// without any coordinate or product leaving the 16-bit range.
bool sizesFitSixteenBits(double cellSize, std::int16_t cellSizeI);

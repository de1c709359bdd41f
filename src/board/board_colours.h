#pragma once

#include "pieces/piece_colours.h"

// The board's palette beyond its black and white squares and the pieces: the two trays.
namespace colours {
inline constexpr QRgb lightBlue = 0xffc8c8ff;  // tray for red pieces
inline constexpr QRgb lightPink = 0xffffc8c8;  // tray for blue pieces
}  // namespace colours

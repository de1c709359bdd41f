#pragma once

#include <QRgb>

// The window's own colours. Colour value 0 is black.
namespace colours {
inline constexpr QRgb black = 0xff000000;
inline constexpr QRgb white = 0xffffffff;
// The window's background, shown wherever the board and trays do not reach.
inline constexpr QRgb background = 0xfff0f0f0;
// The window's foreground colour: the outline of every circle.
inline constexpr QRgb foreground = black;
}  // namespace colours

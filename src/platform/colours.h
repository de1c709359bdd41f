#pragma once

#include <QRgb>

// The program's palette. Colour value 0 is black.
namespace colours {
inline constexpr QRgb black = 0xff000000;
inline constexpr QRgb white = 0xffffffff;
inline constexpr QRgb red = 0xffff0000;
inline constexpr QRgb blue = 0xff0000ff;
inline constexpr QRgb lightBlue = 0xffc8c8ff;  // tray for red pieces
inline constexpr QRgb lightPink = 0xffffc8c8;  // tray for blue pieces
// The window's own background, shown wherever the board and trays do not reach.
inline constexpr QRgb background = 0xfff0f0f0;
// The window's foreground colour: the outline of every circle.
inline constexpr QRgb foreground = black;
}  // namespace colours

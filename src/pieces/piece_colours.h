#pragma once

#include "platform/colours.h"

// The colours of the two sides.
namespace colours {
inline constexpr QRgb red = 0xffff0000;
inline constexpr QRgb blue = 0xff0000ff;
}  // namespace colours

#pragma once

#include <cstdint>

// The three sizes of the Size menu: the side of a square and the radius of a piece, in pixels.
struct BoardSize {
    double cellSize;
    std::int16_t pieceRadius;
};
inline constexpr BoardSize normalSize{40, 15};
inline constexpr BoardSize largeSize{60, 25};
inline constexpr BoardSize smallSize{20, 5};

// The window's outer size for a square side, in twips (1/1440 inch), computed in exactly this
// order of operations.
inline double outerHeightTwips(double cellSize) {
    return cellSize * 14.4 * 10 + 230.4;
}
inline double outerWidthTwips(double cellSize) {
    return cellSize * 14.4 * 13;
}

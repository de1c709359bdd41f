#include "board/size_limits.h"

#include "board/geometry.h"
#include "platform/int16.h"

namespace {
constexpr double largest = 32767;
// The window's width in pixels per square side at 96 dpi: 14.4 * 13 twips, 15 twips a pixel.
constexpr double windowPixelsPerSquare = 14.4 * 13 / 15;
}  // namespace

bool sizesFitSixteenBits(double cellSize, std::int16_t cellSizeI) {
    using geometry::boardSquares;
    using geometry::trayLastColumn;
    const double lastCentre = cellSize / 2 + (boardSquares - 1) * static_cast<double>(cellSizeI);
    return boardSquares * static_cast<double>(cellSizeI) <= largest &&
           roundHalfEven(lastCentre) <= largest && (trayLastColumn + 1) * cellSize <= largest &&
           roundHalfEven(geometry::gridCentre(cellSize, trayLastColumn)) <= largest &&
           windowPixelsPerSquare * cellSize <= largest;
}

#include "board/size_limits.h"

#include <cmath>
#include <limits>

#include "board/geometry.h"
#include "platform/int16.h"

bool sizesFitSixteenBits(double cellSize, std::int16_t cellSizeI) {
    // The largest 16-bit values the program derives from the square sizes: the lower tray box's
    // bottom edge, 8 * CellSizeI (the squares' corners stop at 7 * CellSizeI), and the centre of
    // a piece filed into the last tray column, 11.5 * CellSize. The starting pieces' centres,
    // CellSize / 2 + 7 * CellSizeI, stay below 32767 whenever both of these fit. Everything
    // else is real-valued, and the window is held to the screen whatever size it asks for.
    return fitsInt16(geometry::boardSquares * static_cast<double>(cellSizeI)) &&
           fitsInt16(geometry::gridCentre(cellSize, geometry::trayLastColumn));
}

bool squaresLargeEnoughToDivideBy(double cellSize) {
    const double largestCoordinate = -static_cast<double>(std::numeric_limits<std::int16_t>::min());
    return std::isfinite((largestCoordinate + cellSize / 2 + 1) / cellSize);
}

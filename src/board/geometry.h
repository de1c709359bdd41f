#pragma once

#include <cmath>

// Where things lie on the window's square grid. Square (column k, row r) spans k to k + 1 and
// r to r + 1 square sides; the board is columns and rows 0..7, column 8 is the gap, columns
// 9..11 hold the trays. Always use these instead of computing a centre by hand.
namespace geometry {

inline constexpr int boardSquares = 8;
inline constexpr int trayFirstColumn = 9;
inline constexpr int trayLastColumn = 11;
// Each tray is this many rows high: the red pieces' tray beside board rows 0..3, the blue
// pieces' beside rows 4..7.
inline constexpr int trayRows = 4;

// The centre of grid column (or row) index.
inline double gridCentre(double cellSize, double index) {
    return index * cellSize + cellSize / 2;
}

// The centre of the grid square that contains coordinate, counting towards minus infinity.
inline double snapToCentre(double cellSize, double coordinate) {
    return cellSize / 2 + cellSize * std::floor(coordinate / cellSize);
}

// The far edge of the board on either axis.
inline double boardEdge(double cellSize) {
    return boardSquares * cellSize;
}

// Tray cells: tray column j lies in grid column j + 8; tray row i of the red pieces' tray in grid
// row i - 1, of the blue pieces' tray in grid row i + 3.
inline constexpr int trayColumnOffset = 8;
inline constexpr int redTrayRowOffset = -1;
inline constexpr int blueTrayRowOffset = 3;

// The tray index (column or row) for a coordinate, where grid index = tray index + offset;
// unrounded: callers round it and check that it names a cell.
inline double trayIndexAt(double cellSize, double coordinate, int offset) {
    return (coordinate - cellSize / 2) / cellSize - offset;
}

}  // namespace geometry

#pragma once

#include <array>
#include <cstdint>

// A tray cell, in tray row and column.
struct TrayCell {
    std::int16_t row = 0;
    std::int16_t column = 0;
};

// Occupancy marks of one tray: tray rows 0..4 and columns 0..3 are declared, the cells in use
// are rows 1..4 and columns 1..3. A mark is 1 for a cell that holds a piece, 0 for a free cell.
class TrayGrid {
public:
    static constexpr int firstRow = 1;
    static constexpr int lastRow = 4;
    static constexpr int firstColumn = 1;
    static constexpr int lastColumn = 3;

    // The cells in use, row by row from the top and left to right within a row: the order in
    // which a tray fills, and in which the position file lists them.
    static constexpr std::array<TrayCell, 12> cells = [] {
        std::array<TrayCell, 12> all{};
        std::size_t next = 0;
        for (std::int16_t row = firstRow; row <= lastRow; ++row) {
            for (std::int16_t column = firstColumn; column <= lastColumn; ++column) {
                all[next++] = {row, column};
            }
        }
        return all;
    }();

    static bool isCell(double row, double column) {
        return row >= firstRow && row <= lastRow && column >= firstColumn && column <= lastColumn;
    }

    // The one way into the grid; an index outside the declared range throws IndexError.
    std::int16_t& operator()(int row, int column);
    std::int16_t operator()(int row, int column) const;
    std::int16_t& operator()(TrayCell cell) { return (*this)(cell.row, cell.column); }
    std::int16_t operator()(TrayCell cell) const { return (*this)(cell.row, cell.column); }

private:
    std::array<std::array<std::int16_t, lastColumn + 1>, lastRow + 1> m_marks{};
};

#include "board/tray_grid.h"

#include <string>

#include "platform/errors.h"

namespace {
void checkIndex(int row, int column) {
    if (row < 0 || row > TrayGrid::lastRow || column < 0 || column > TrayGrid::lastColumn) {
        throw IndexError("Tray cell (" + std::to_string(row) + ", " + std::to_string(column) +
                         ") does not exist.");
    }
}
}  // namespace

std::int16_t& TrayGrid::operator()(int row, int column) {
    checkIndex(row, column);
    return m_marks[row][column];
}

std::int16_t TrayGrid::operator()(int row, int column) const {
    checkIndex(row, column);
    return m_marks[row][column];
}

int TrayGrid::markedCells() const {
    int count = 0;
    for (int row = firstRow; row <= lastRow; ++row) {
        for (int column = firstColumn; column <= lastColumn; ++column) {
            count += m_marks[row][column] != 0 ? 1 : 0;
        }
    }
    return count;
}

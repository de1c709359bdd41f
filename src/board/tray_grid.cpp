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

#pragma once

#include <QSize>
#include <cstddef>
#include <vector>

#include "offscreen/offscreen_board.h"

// Everything about a board that a refused command must leave as it was: every number the board
// holds, its picture as the window would show it now and its window's size. The picture is kept by
// its size and a hash of its pixels: a copy would make the surface copy itself on its next paint.
struct BoardSnapshot {
    explicit BoardSnapshot(OffscreenBoard& board);

    std::vector<double> numbers;
    QSize pictureSize;
    std::size_t pictureHash;
    float widthTwips;
    float heightTwips;

    bool operator==(const BoardSnapshot&) const = default;
};

// Every declared entry of a tray grid, the ones outside the cells too: a snapshot of its marks.
std::vector<int> trayMarks(const TrayGrid& tray);

#pragma once

#include <QPointF>

#include "offscreen/offscreen_board.h"

// A started board without a display at one of the three square sides (20, 40 or 60), its
// position file in a private temporary folder.
struct BenchBoard : OffscreenBoard {
    explicit BenchBoard(int side);

    // The centre of board square (column, row) at the current side.
    QPointF centre(int column, int row) const;
};

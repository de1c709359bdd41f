#pragma once

#include <QByteArray>
#include <cstdint>
#include <string>
#include <vector>

#include "board/tray_grid.h"

// Everything a position file holds, read and converted in full before any of it is used.
struct SavedPosition {
    struct Piece {
        std::int16_t X = 0;
        std::int16_t Y = 0;
        std::int16_t SH_TYPE = 0;
    };
    double CellSize = 0;
    std::int16_t CellSizeI = 0;
    std::int16_t PieceRadius = 0;
    // Only the cells in use are read.
    TrayGrid Tray1;
    TrayGrid Tray2;
    std::vector<Piece> pieces;
};

// A position file is under 1 KiB. A larger file than this is refused unread, so that any file is
// answered at once whatever its size.
inline constexpr qint64 largestPositionFile = 64 * 1024;

// Reads the header, both trays and pieceCount piece lines from a position file's bytes;
// whatever follows is never looked at. Throws PositionFileError, failure followed by the line
// and the value, at the first field that is missing, not a number, out of range, or would leave
// the board unusable.
SavedPosition readSavedPosition(const QByteArray& bytes, int pieceCount,
                                const std::string& failure);

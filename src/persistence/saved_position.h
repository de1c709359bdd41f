#pragma once

#include <QIODevice>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Everything a position file holds, read and converted in full before any of it is used.
struct SavedPosition {
    struct Piece {
        std::int16_t X = 0;
        std::int16_t Y = 0;
        std::int16_t SH_TYPE = 0;
    };
    // Tray marks in file order: cells (1, 1), (1, 2), (1, 3), (2, 1) ... (4, 3).
    using TrayMarks = std::array<std::int16_t, 12>;

    double CellSize = 0;
    std::int16_t CellSizeI = 0;
    std::int16_t PieceRadius = 0;
    TrayMarks Tray1{};
    TrayMarks Tray2{};
    std::vector<Piece> pieces;
};

// Reads the header, both trays and pieceCount piece lines; whatever follows is never read.
// Throws PositionFileError, failure followed by the line and the value, at the first field that
// is missing, not a number, out of range, or would leave the board unusable, or when the
// numbers go on beyond largestPositionFile bytes (platform/file_reading.h).
SavedPosition readSavedPosition(QIODevice& file, int pieceCount, const std::string& failure);

#pragma once

#include <QByteArray>
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

// A position file is under 1 KiB. A larger file than this is refused unread, so that any file is
// answered at once whatever its size.
inline constexpr qint64 largestPositionFile = 64 * 1024;

// Reads the header, both trays and pieceCount piece lines from a position file's bytes;
// whatever follows is never looked at. Throws PositionFileError, failure followed by the line
// and the value, at the first field that is missing, not a number, out of range, or would leave
// the board unusable.
SavedPosition readSavedPosition(const QByteArray& bytes, int pieceCount,
                                const std::string& failure);

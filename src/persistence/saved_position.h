#pragma once

#include <QByteArray>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "board/tray_grid.h"
#include "platform/errors.h"

// Saving or loading the position file failed. The message is one sentence that names the file
// once: what could not be done, then why ("The position could not be loaded from
// /home/ann/.local/share/draughtsboard/Videver.txt: there is no such file.").
class PositionFileError : public ProgramError {
public:
    PositionFileError(const std::string& failure, const std::string& reason)
        : ProgramError(failure + ": " + reason + ".") {}
};

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

// A position file is under 1 KiB; no more than this is read of any file, so that any file is
// answered at once whatever its size.
inline constexpr qint64 largestPositionFile = 64 * 1024;

// Reads the header, both trays and pieceCount pieces from a position file's bytes, whatever the
// lines: a number ends at a blank (space, tab, CR, LF) or a comma, and a comma after the spaces
// that end it goes with them ("1 , 2" is two numbers, "1,,2" three). CR LF, LF and CR each end a
// line; a byte order mark at the start, which some editors write, is skipped; what follows the
// last piece is never looked at. Throws PositionFileError, failure followed by the line and the
// value, at the first number that is missing, not a number, out of range, or would leave the
// board unusable.
SavedPosition readSavedPosition(const QByteArray& bytes, int pieceCount,
                                const std::string& failure);

// A field's value in any locale, if it is a decimal number of at most 64 characters (sign, digits
// with an optional point, exponent); beyond the range of reals it is infinite, or the smallest
// real of its sign, so that it stays as large, and as positive, as it was written.
std::optional<double> parseNumber(const QByteArray& text);

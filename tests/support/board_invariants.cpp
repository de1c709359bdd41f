#include "support/board_invariants.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <set>
#include <sstream>
#include <utility>

namespace {
// The grid square (column, row) whose centre is exactly (x, y), if there is one. Worked out
// here rather than borrowed from the program so that a wrong formula there cannot hide.
std::optional<QPoint> squareCentredAt(double cellSize, int x, int y) {
    const double column = (x - cellSize / 2) / cellSize;
    const double row = (y - cellSize / 2) / cellSize;
    if (column != std::floor(column) || row != std::floor(row)) {
        return std::nullopt;
    }
    return QPoint(static_cast<int>(column), static_cast<int>(row));
}

std::string describe(int position, const VIDEVER& piece) {
    std::ostringstream text;
    text << "piece " << position << " (side " << piece.SH_TYPE() << ") at (" << piece.X() << ", "
         << piece.Y() << ")";
    return text.str();
}

// Marks in the twelve cells; any entry outside them must have stayed 0.
::testing::AssertionResult marksAreSound(const TrayGrid& tray, const char* name,
                                         int piecesLyingThere) {
    int marked = 0;
    for (int row = 0; row <= 4; ++row) {
        for (int column = 0; column <= 3; ++column) {
            const bool cell = row >= 1 && column >= 1;
            if (!cell && tray(row, column) != 0) {
                return ::testing::AssertionFailure() << name << "(" << row << ", " << column
                                                     << ") names no cell but holds a mark";
            }
            marked += cell && tray(row, column) != 0 ? 1 : 0;
        }
    }
    if (marked != piecesLyingThere) {
        return ::testing::AssertionFailure() << name << " has " << marked << " marks but "
                                             << piecesLyingThere << " pieces lie in it";
    }
    return ::testing::AssertionSuccess();
}
}  // namespace

std::vector<QPoint> piecePlaces(const Form1& form) {
    std::vector<QPoint> places;
    for (const VIDEVER& piece : form.Pieces) {
        places.emplace_back(piece.X(), piece.Y());
    }
    return places;
}

int markedPieces(const Form1& form) {
    int marked = 0;
    for (const VIDEVER& piece : form.Pieces) {
        marked += piece.ISMOVING ? 1 : 0;
    }
    return marked;
}

int markedCells(const TrayGrid& tray) {
    return static_cast<int>(std::count_if(TrayGrid::cells.begin(), TrayGrid::cells.end(),
                                          [&tray](TrayCell cell) { return tray(cell) != 0; }));
}

::testing::AssertionResult positionIsSound(const Form1& form) {
    if (form.Pieces.size() != 24) {
        return ::testing::AssertionFailure() << "there are " << form.Pieces.size() << " pieces";
    }
    std::set<std::pair<int, int>> places;
    int inTray1 = 0;
    int inTray2 = 0;
    for (std::size_t index = 0; index < form.Pieces.size(); ++index) {
        const VIDEVER& piece = form.Pieces[index];
        const std::string name = describe(static_cast<int>(index) + 1, piece);
        if (piece.ISMOVING) {
            return ::testing::AssertionFailure() << name << " is still marked as moving";
        }
        if (!places.insert({piece.X(), piece.Y()}).second) {
            return ::testing::AssertionFailure() << name << " shares its place";
        }
        const std::optional<QPoint> square = squareCentredAt(form.CellSize, piece.X(), piece.Y());
        if (!square) {
            return ::testing::AssertionFailure() << name << " is not on the centre of a square";
        }
        const int column = square->x();
        const int row = square->y();
        if (column >= 0 && column <= 7 && row >= 0 && row <= 7) {
            if ((column + row) % 2 != 0) {
                return ::testing::AssertionFailure() << name << " stands on a white square";
            }
            continue;
        }
        // Tray column j lies in grid column j + 8; tray row i in grid row i - 1 for the red
        // pieces' tray and i + 3 for the other.
        const bool red = piece.SH_TYPE() == 1;
        const int trayColumn = column - 8;
        const int trayRow = red ? row + 1 : row - 3;
        if (trayColumn < 1 || trayColumn > 3 || trayRow < 1 || trayRow > 4) {
            return ::testing::AssertionFailure()
                   << name << " is neither on the board nor in its own tray";
        }
        const TrayGrid& tray = red ? form.Tray1 : form.Tray2;
        if (tray(trayRow, trayColumn) != 1) {
            return ::testing::AssertionFailure()
                   << name << " lies in tray cell (" << trayRow << ", " << trayColumn
                   << ") whose mark is " << tray(trayRow, trayColumn);
        }
        ++(red ? inTray1 : inTray2);
    }
    if (auto sound = marksAreSound(form.Tray1, "Tray1", inTray1); !sound) {
        return sound;
    }
    return marksAreSound(form.Tray2, "Tray2", inTray2);
}

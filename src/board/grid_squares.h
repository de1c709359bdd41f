#pragma once

#include <QPoint>
#include <QRectF>
#include <optional>

class Form1;

// The window's grid as it is painted, for everything that walks it square by square (the
// keyboard's focus square, the names a screen reader reads): the board's 8 columns, the gap and
// the trays' 3, by 8 rows. Rows lie CellSizeI apart; board squares lie CellSizeI apart and are
// CellSize wide, a later one covering an earlier one; the tray columns lie CellSize apart. When a
// loaded file makes the two sizes differ, the squares are where they show.
namespace grid {

inline constexpr int columns = 12;
inline constexpr int rows = 8;

// The part of square (column, row) that shows, in logical window pixels; empty where none does.
QRectF squareArea(const Form1& form, QPoint square);

// The square whose shown part holds point, if any.
std::optional<QPoint> squareAt(const Form1& form, QPointF point);

// Where a press on the square picks up the piece shown there: the square's centre when a piece
// covers it, else the point of the square nearest to the last piece painted over part of it.
QPointF pickPoint(const Form1& form, QPoint square);

// The 1-based position of the piece that a press at the square's pick point picks up. Pieces
// that are not drawn (side 0, radius 0 or less) or are being carried are never on a square.
std::optional<int> pieceOn(const Form1& form, QPoint square);

}  // namespace grid

#pragma once

#include <QPoint>
#include <QRectF>
#include <optional>

class Form1;
class VIDEVER;

// The window's grid as the drop rules see it, for everything that walks it square by square (the
// keyboard's focus square, the words a screen reader reads): the board's 8 columns, the gap and
// the trays' 3, by 8 rows, each square CellSize wide and high. A release inside a square snaps to
// its centre, so what the keyboard and the words say of a square is what a drop there does, also
// when a loaded file paints its squares CellSizeI apart.
namespace grid {

inline constexpr int columns = 12;
inline constexpr int rows = 8;
inline constexpr int squares = columns * rows;

// Square (column, row) in logical window pixels.
QRectF squareArea(const Form1& form, QPoint square);

// The square that holds point, if it lies on the grid: left and top edges belong to a square.
std::optional<QPoint> squareAt(const Form1& form, QPointF point);

// Whether any part of the piece's disc, as a press finds it, lies over area.
bool reachesInto(const VIDEVER& piece, const QRectF& area);

// Where a press on the square picks up what shows there: the square's centre when a piece covers
// it, else the point of the square nearest to the last piece painted over part of it.
QPointF pickPoint(const Form1& form, QPoint square);

}  // namespace grid

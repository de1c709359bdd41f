#include "board/grid_squares.h"

#include <algorithm>
#include <cmath>

#include "board/form1.h"

namespace grid {
namespace {
// The same test as a press's: strictly closer than the radius.
bool covers(const VIDEVER& piece, QPointF point) {
    return std::hypot(point.x() - piece.X(), point.y() - piece.Y()) < piece.R();
}

QPointF nearestPointOf(const QRectF& area, QPointF point) {
    return {std::clamp(point.x(), area.left(), area.right()),
            std::clamp(point.y(), area.top(), area.bottom())};
}

// The 1-based position of the piece a press at point picks up: the first whose disc holds it,
// in the order a press asks them, a carried piece excepted.
std::optional<int> pieceAt(const Form1& form, QPointF point) {
    for (int position = 1; position <= form.pieceCount(); ++position) {
        const VIDEVER& piece = form.pieceAt(position);
        if (!piece.ISMOVING && covers(piece, point)) {
            return position;
        }
    }
    return std::nullopt;
}
}  // namespace

QRectF squareArea(const Form1& form, QPoint square) {
    const double side = std::max(0.0, form.CellSize);
    return {square.x() * side, square.y() * side, side, side};
}

std::optional<QPoint> squareAt(const Form1& form, QPointF point) {
    if (!(form.CellSize > 0)) {
        return std::nullopt;
    }
    const double column = std::floor(point.x() / form.CellSize);
    const double row = std::floor(point.y() / form.CellSize);
    if (column < 0 || column >= columns || row < 0 || row >= rows) {
        return std::nullopt;
    }
    return QPoint(static_cast<int>(column), static_cast<int>(row));
}

bool reachesInto(const VIDEVER& piece, const QRectF& area) {
    return !area.isEmpty() && covers(piece, nearestPointOf(area, QPointF(piece.X(), piece.Y())));
}

QPointF pickPoint(const Form1& form, QPoint square) {
    const QRectF area = squareArea(form, square);
    if (pieceAt(form, area.center())) {
        return area.center();
    }
    // The piece painted last over the square is the one that shows there.
    for (int position = form.pieceCount(); position >= 1; --position) {
        const VIDEVER& piece = form.pieceAt(position);
        if (!piece.ISMOVING && reachesInto(piece, area)) {
            return nearestPointOf(area, QPointF(piece.X(), piece.Y()));
        }
    }
    return area.center();
}

}  // namespace grid

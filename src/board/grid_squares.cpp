#include "board/grid_squares.h"

#include <algorithm>
#include <cmath>

#include "board/form1.h"
#include "board/geometry.h"

namespace grid {
namespace {
bool isShown(const VIDEVER& piece) {
    return piece.SH_TYPE() != 0 && piece.R() > 0 && !piece.ISMOVING;
}

// The same test as a press's: strictly closer than the radius.
bool covers(const VIDEVER& piece, QPointF point) {
    return std::hypot(point.x() - piece.X(), point.y() - piece.Y()) < piece.R();
}

QPointF nearestPointOf(const QRectF& area, QPointF point) {
    return {std::clamp(point.x(), area.left(), area.right()),
            std::clamp(point.y(), area.top(), area.bottom())};
}

// The first shown piece that a press at point picks up, in the order a press asks them.
std::optional<int> pieceAt(const Form1& form, QPointF point) {
    for (int position = 1; position <= form.pieceCount(); ++position) {
        const VIDEVER& piece = form.pieceAt(position);
        if (isShown(piece) && covers(piece, point)) {
            return position;
        }
    }
    return std::nullopt;
}
}  // namespace

QRectF squareArea(const Form1& form, QPoint square) {
    const double side = form.CellSize;
    const double across = form.CellSizeI;
    const double top = square.y() * across;
    double left = 0;
    double width = 0;
    if (square.x() < geometry::boardSquares) {
        left = square.x() * across;
        // The next square, painted later, covers whatever of this one reaches into it.
        const bool last = square.x() == geometry::boardSquares - 1;
        width = last ? side : std::min(side, across);
    } else if (square.x() < geometry::trayFirstColumn) {
        left = (geometry::boardSquares - 1) * across + side;
        width = geometry::trayFirstColumn * side - left;
    } else {
        left = square.x() * side;
        width = side;
    }
    return {left, top, std::max(0.0, width), std::max(0.0, across)};
}

std::optional<QPoint> squareAt(const Form1& form, QPointF point) {
    std::optional<QPoint> found;
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            const QRectF area = squareArea(form, {column, row});
            // Edges on the left and top belong to the square, as for a pixel.
            if (point.x() >= area.left() && point.x() < area.right() && point.y() >= area.top() &&
                point.y() < area.bottom()) {
                found = QPoint(column, row);
            }
        }
    }
    return found;
}

QPointF pickPoint(const Form1& form, QPoint square) {
    const QRectF area = squareArea(form, square);
    if (pieceAt(form, area.center())) {
        return area.center();
    }
    // The piece painted last over the square is the one that shows there.
    for (int position = form.pieceCount(); position >= 1; --position) {
        const VIDEVER& piece = form.pieceAt(position);
        const QPointF nearest = nearestPointOf(area, QPointF(piece.X(), piece.Y()));
        if (isShown(piece) && !area.isEmpty() && covers(piece, nearest)) {
            return nearest;
        }
    }
    return area.center();
}

std::optional<int> pieceOn(const Form1& form, QPoint square) {
    return pieceAt(form, pickPoint(form, square));
}

}  // namespace grid

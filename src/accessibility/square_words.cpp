#include "accessibility/square_words.h"

#include <QStringList>
#include <algorithm>
#include <vector>

#include "board/form1.h"
#include "board/geometry.h"
#include "board/grid_squares.h"
#include "platform/int16.h"

namespace words {
namespace {
bool isRedTray(QPoint square) {
    return square.y() < geometry::trayRows;
}

// The pieces that lie on the square, the one painted last (on top) first; a carried piece lies
// nowhere.
std::vector<const VIDEVER*> piecesOn(const Form1& form, QPoint square) {
    std::vector<const VIDEVER*> found;
    for (int position = form.pieceCount(); position >= 1; --position) {
        const VIDEVER& piece = form.pieceAt(position);
        const Place place = placeOf(form, piece);
        if (!piece.ISMOVING && place.kind != Place::Outside && place.square == square) {
            found.push_back(&piece);
        }
    }
    return found;
}

// The pieces lying on the square in words: those on its centre, top first, joined by "over",
// then each one off centre.
QStringList lyingWords(const Form1& form, QPoint square, QString (*word)(const VIDEVER&)) {
    QStringList centred;
    QStringList offCentre;
    for (const VIDEVER* piece : piecesOn(form, square)) {
        if (placeOf(form, *piece).centred) {
            centred.append(word(*piece));
        } else {
            offCentre.append(word(*piece) + QStringLiteral(" off centre"));
        }
    }
    if (!centred.isEmpty()) {
        offCentre.prepend(centred.join(QStringLiteral(" over ")));
    }
    return offCentre;
}

}  // namespace

Place placeAt(const Form1& form, double x, double y) {
    const double side = form.CellSize;
    const std::optional<QPoint> square = grid::squareAt(form, QPointF(x, y));
    if (!square) {
        return {};
    }
    const bool centred = x == roundHalfEven(geometry::gridCentre(side, square->x())) &&
                         y == roundHalfEven(geometry::gridCentre(side, square->y()));
    const double edge = geometry::boardEdge(side);
    if (x > 0 && x < edge && y > 0 && y < edge) {
        return {Place::Board, *square, centred};
    }
    if (square->x() == geometry::boardSquares) {
        return {Place::Gap, *square, false};
    }
    if (square->x() >= geometry::trayFirstColumn) {
        return {Place::Tray, *square, centred};
    }
    return {};  // on an edge of the board: no square's piece, nor any cell's
}

Place placeOf(const Form1& form, const VIDEVER& piece) {
    return placeAt(form, piece.X(), piece.Y());
}

QString placeLabel(const Place& place) {
    switch (place.kind) {
        case Place::Board:
        case Place::Tray:
            return squareLabel(place.square);
        case Place::Gap:
            return QStringLiteral("the gap");
        case Place::Outside:
            break;
    }
    return QStringLiteral("off the board");
}

QString squareLabel(QPoint square) {
    const int column = square.x();
    const int row = square.y();
    if (column < geometry::boardSquares) {
        if ((row + column) % 2 != 0) {
            return QStringLiteral("white square");
        }
        return QString::number(row * geometry::boardSquares / 2 + column / 2 + 1);
    }
    if (column < geometry::trayFirstColumn) {
        return QStringLiteral("gap");
    }
    const int trayRow = isRedTray(square) ? row : row - geometry::trayRows;
    const int cell = trayRow * 3 + column - geometry::trayFirstColumn + 1;
    return QStringLiteral("%1 tray cell %2")
        .arg(isRedTray(square) ? QStringLiteral("red") : QStringLiteral("blue"))
        .arg(cell);
}

QString sideWords(const VIDEVER& piece) {
    // A side-0 piece is never painted, yet a press picks it up like any other.
    switch (piece.SH_TYPE()) {
        case 0:
            return QStringLiteral("invisible");
        case 1:
            return QStringLiteral("red");
        case 2:
            return QStringLiteral("blue");
        default:
            return QStringLiteral("black");
    }
}

QString pieceWords(const VIDEVER& piece) {
    return sideWords(piece) + QStringLiteral(" piece");
}

QString squareContent(const Form1& form, QPoint square) {
    const QStringList lying = lyingWords(form, square, sideWords);
    return lying.isEmpty() ? QStringLiteral("empty") : lying.join(QStringLiteral(", "));
}

QString squareName(const Form1& form, QPoint square) {
    QStringList parts = lyingWords(form, square, pieceWords);
    const std::vector<const VIDEVER*> lying = piecesOn(form, square);
    const bool taken = std::any_of(lying.begin(), lying.end(), [&](const VIDEVER* piece) {
        return placeOf(form, *piece).centred;
    });
    if (parts.isEmpty()) {
        parts.append(QStringLiteral("empty"));
    } else if (!taken && square.x() < geometry::boardSquares &&
               (square.x() + square.y()) % 2 == 0) {
        // Only a piece on the square's centre refuses a drop there.
        parts.prepend(QStringLiteral("free"));
    }
    const QRectF area = grid::squareArea(form, square);
    for (int position = form.pieceCount(); position >= 1; --position) {
        const VIDEVER& piece = form.pieceAt(position);
        if (!piece.ISMOVING && std::find(lying.begin(), lying.end(), &piece) == lying.end() &&
            grid::reachesInto(piece, area)) {
            parts.append(pieceWords(piece) + QStringLiteral(" reaching in"));
        }
    }
    return squareLabel(square) + QStringLiteral(", ") + parts.join(QStringLiteral(", "));
}

}  // namespace words

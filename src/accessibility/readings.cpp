#include "accessibility/readings.h"

#include <QStringList>

#include "accessibility/square_words.h"
#include "board/form1.h"
#include "board/geometry.h"
#include "board/grid_squares.h"

namespace words {
namespace {
Side sideOf(const VIDEVER& piece) {
    switch (piece.SH_TYPE()) {
        case 0:
            return Side::Invisible;
        case 1:
            return Side::Red;
        case 2:
            return Side::Blue;
        default:
            return Side::Black;
    }
}

QString sideName(Side side) {
    switch (side) {
        case Side::Red:
            return QStringLiteral("Red");
        case Side::Blue:
            return QStringLiteral("Blue");
        case Side::Black:
            return QStringLiteral("Black");
        case Side::Invisible:
            break;
    }
    return QStringLiteral("Invisible");
}

QString count(int pieces, const QString& where) {
    return QStringLiteral("%1 %2").arg(pieces).arg(where);
}
}  // namespace

QString sideReading(const Form1& form, Side side, bool always) {
    QStringList squares;
    int pieces = 0;
    int redTray = 0;
    int blueTray = 0;
    int gap = 0;
    int outside = 0;
    // Reading order: row by row, left to right.
    for (int index = 0; index < grid::squares; ++index) {
        const QPoint square(index % grid::columns, index / grid::columns);
        for (int position = 1; position <= form.pieceCount(); ++position) {
            const VIDEVER& piece = form.pieceAt(position);
            const Place place = placeOf(form, piece);
            if (piece.ISMOVING || sideOf(piece) != side || place.square != square ||
                place.kind == Place::Outside) {
                continue;
            }
            ++pieces;
            if (place.kind == Place::Board) {
                squares.append(squareLabel(square) +
                               (place.centred ? QString() : QStringLiteral(" off centre")));
            } else if (place.kind == Place::Gap) {
                ++gap;
            } else {
                ++(square.y() < geometry::trayRows ? redTray : blueTray);
            }
        }
    }
    for (int position = 1; position <= form.pieceCount(); ++position) {
        const VIDEVER& piece = form.pieceAt(position);
        if (!piece.ISMOVING && sideOf(piece) == side &&
            placeOf(form, piece).kind == Place::Outside) {
            ++pieces;
            ++outside;
        }
    }
    if (!always && pieces == 0) {
        return {};
    }
    QStringList parts{squares.isEmpty() ? sideName(side) + QStringLiteral(": none on the board")
                                        : sideName(side) + QStringLiteral(" on ") +
                                              squares.join(QStringLiteral(", "))};
    // A side's own tray is always read; the other, the gap and beyond only when they hold one.
    const bool blueSide = side != Side::Red;
    if (!blueSide || redTray > 0) {
        parts.append(count(redTray, QStringLiteral("in the red tray")));
    }
    if (blueSide || blueTray > 0) {
        parts.append(count(blueTray, QStringLiteral("in the blue tray")));
    }
    if (gap > 0) {
        parts.append(count(gap, QStringLiteral("in the gap")));
    }
    if (outside > 0) {
        parts.append(count(outside, QStringLiteral("off the board")));
    }
    return parts.join(QStringLiteral("; ")) + '.';
}

QString positionReading(const Form1& form) {
    QStringList sides;
    for (const Side side : {Side::Red, Side::Blue, Side::Black, Side::Invisible}) {
        const QString reading = sideReading(form, side, side == Side::Red || side == Side::Blue);
        if (!reading.isEmpty()) {
            sides.append(reading);
        }
    }
    return sides.join(' ');
}

QString rowReading(const Form1& form, int row) {
    QStringList squares;
    for (int column = 0; column < grid::columns; ++column) {
        const QPoint square(column, row);
        const QString content = squareContent(form, square);
        const bool dark = column < geometry::boardSquares && (row + column) % 2 == 0;
        if (dark || content != QStringLiteral("empty")) {
            squares.append(squareLabel(square) + ' ' + content);
        }
    }
    return QStringLiteral("Row %1: ").arg(row + 1) + squares.join(QStringLiteral(", ")) + '.';
}

QString keyHelp() {
    return QStringLiteral(
        "Draughts board, eight rows of twelve squares: the board, a gap, then the red tray "
        "above the blue tray. Arrows move, Home, Page Up, End and Page Down move diagonally, a "
        "square's number then Enter goes there, N and Shift+N go to the next and previous piece; "
        "Space picks up and puts down, Escape puts back. P reads the position, Shift+R and "
        "Shift+B one side, R the row, C what is carried, L the last move and again the one "
        "before, H this help.");
}

}  // namespace words

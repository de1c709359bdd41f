#include "square_names.h"

#include <QStringList>
#include <algorithm>
#include <utility>
#include <vector>

#include "board/form1.h"
#include "board/geometry.h"
#include "board/grid_squares.h"

namespace {
bool isRedTray(QPoint square) {
    return square.y() < geometry::trayRows;
}

QString sideWords(std::int16_t side) {
    return side == 1   ? QStringLiteral("red")
           : side == 2 ? QStringLiteral("blue")
                       : QStringLiteral("black");
}

// The side of the pieces a square's content counts for: red, blue, or any other.
int sideIndex(std::int16_t side) {
    return side == 1 ? 0 : side == 2 ? 1 : 2;
}
}  // namespace

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

QString pieceWords(const Form1& form, int position) {
    return sideWords(form.pieceAt(position).SH_TYPE()) + QStringLiteral(" piece");
}

QString squareName(const Form1& form, QPoint square) {
    const std::optional<int> piece = grid::pieceOn(form, square);
    return squareLabel(square) + QStringLiteral(", ") +
           (piece ? pieceWords(form, *piece) : QStringLiteral("empty"));
}

QString placeOf(const Form1& form, int position) {
    const VIDEVER& piece = form.pieceAt(position);
    const std::optional<QPoint> square = grid::squareAt(form, QPointF(piece.X(), piece.Y()));
    return square ? squareLabel(*square) : QStringLiteral("off the board");
}

QString positionWords(const Form1& form) {
    // By side: the squares of the pieces on the board, and how many lie in the tray.
    // The board's squares in reading order, row by row.
    std::vector<std::pair<int, QString>> onBoard[3];
    int inTray[3] = {0, 0, 0};
    int elsewhere[3] = {0, 0, 0};
    for (int position = 1; position <= form.pieceCount(); ++position) {
        const VIDEVER& piece = form.pieceAt(position);
        if (piece.SH_TYPE() == 0 || piece.R() <= 0) {
            continue;  // never drawn
        }
        const int side = sideIndex(piece.SH_TYPE());
        const std::optional<QPoint> square = grid::squareAt(form, QPointF(piece.X(), piece.Y()));
        if (square && square->x() >= geometry::trayFirstColumn) {
            ++inTray[side];
        } else if (square && square->x() < geometry::boardSquares) {
            onBoard[side].emplace_back(square->y() * grid::columns + square->x(),
                                       squareLabel(*square));
        } else {
            ++elsewhere[side];
        }
    }
    QStringList squares[3];
    for (int side = 0; side < 3; ++side) {
        std::sort(onBoard[side].begin(), onBoard[side].end());
        for (const auto& [order, label] : onBoard[side]) {
            squares[side].append(label);
        }
    }
    QStringList sentences;
    for (int side = 0; side < 3; ++side) {
        if (side == 2 && squares[side].isEmpty() && elsewhere[side] == 0 && inTray[side] == 0) {
            continue;
        }
        const QString name = side == 0   ? QStringLiteral("Red")
                             : side == 1 ? QStringLiteral("Blue")
                                         : QStringLiteral("Black");
        QString sentence = squares[side].isEmpty()
                               ? name + QStringLiteral(": none on the board")
                               : name + QStringLiteral(" on ") + squares[side].join(", ");
        if (side < 2) {
            sentence += QStringLiteral("; %1 in the %2 tray")
                            .arg(inTray[side])
                            .arg(side == 0 ? QStringLiteral("red") : QStringLiteral("blue"));
        } else if (inTray[side] > 0) {
            sentence += QStringLiteral("; %1 in the blue tray").arg(inTray[side]);
        }
        if (elsewhere[side] > 0) {
            sentence += QStringLiteral("; %1 elsewhere").arg(elsewhere[side]);
        }
        sentences.append(sentence + '.');
    }
    return sentences.join(' ');
}

QString rowWords(const Form1& form, int row) {
    QStringList names;
    for (int column = 0; column < grid::columns; ++column) {
        names.append(squareName(form, {column, row}));
    }
    return QStringLiteral("Row %1: ").arg(row + 1) + names.join("; ") + '.';
}

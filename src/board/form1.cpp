#include "board/form1.h"

#include <string>

#include "board/board_colours.h"
#include "board/board_sizes.h"
#include "board/geometry.h"
#include "platform/errors.h"
#include "platform/form_host.h"
#include "platform/int16.h"
#include "platform/surface.h"

namespace {
// The index in a collection of count pieces of the piece at a 1-based position.
std::size_t indexOf(int position, std::size_t count) {
    if (position < 1 || static_cast<std::size_t>(position) > count) {
        throw IndexError("There is no piece number " + std::to_string(position) + ".");
    }
    return static_cast<std::size_t>(position - 1);
}
}  // namespace

Form1::Form1(Surface& surface, FormHost& host) : m_surface(surface), m_host(host) {}

VIDEVER& Form1::pieceAt(int position) {
    return Pieces[indexOf(position, Pieces.size())];
}

const VIDEVER& Form1::pieceAt(int position) const {
    return Pieces[indexOf(position, Pieces.size())];
}

int Form1::pieceCount() const {
    return toInt16(static_cast<double>(Pieces.size()));
}

void Form1::onLoad() {
    Pieces.clear();
    CellSize = normalSize.cellSize;
    CellSizeI = toInt16(normalSize.cellSize);
    BoardLast = 7;
    PieceRadius = normalSize.pieceRadius;
    InitSetSh1();
    Redraw();
}

void Form1::walkBoard(const std::function<void(int row, int column)>& visit) {
    const std::int16_t lastRow = toInt16(BoardLast);
    for (int row = 0; row <= lastRow; ++row) {
        SquareColor = row % 2 == 0 ? colours::black : colours::white;
        const std::int16_t lastColumn = toInt16(BoardLast);
        for (int column = 0; column <= lastColumn; ++column) {
            paintSquare(row, column);
            visit(row, column);
            SquareColor = SquareColor == colours::black ? colours::white : colours::black;
        }
    }
}

void Form1::InitSetSh1() {
    walkBoard([this](int row, int column) {
        const bool redRow = row <= 2;
        const bool blueRow = row >= 5 && row <= 7;
        if (SquareColor == colours::black && (redRow || blueRow)) {
            VIDEVER piece;
            piece.setX(CellSize / 2 + multiply16(column, CellSizeI));
            piece.setY(CellSize / 2 + multiply16(row, CellSizeI));
            piece.setR(PieceRadius);
            piece.setSH_TYPE(redRow ? 1 : 2);
            Pieces.push_back(piece);
        }
    });
}

void Form1::Redraw() {
    m_surface.clear();
    DrawChess();
    for (int position = 1; position <= pieceCount(); ++position) {
        pieceAt(position).DRAW(m_surface);
    }
}

void Form1::paintSquare(int row, int column) {
    const double left = multiply16(column, CellSizeI);
    const double top = multiply16(row, CellSizeI);
    m_surface.fillBox(left, top, left + CellSize, top + CellSizeI, SquareColor);
}

void Form1::DrawChess() {
    using namespace geometry;
    walkBoard([](int, int) {});
    const double traysLeft = trayFirstColumn * CellSize;
    const double traysRight = (trayLastColumn + 1) * CellSize;
    const double traysMiddle = multiply16(trayRows, CellSizeI);
    m_surface.fillBox(traysLeft, 0, traysRight, traysMiddle, colours::lightBlue);
    m_surface.fillBox(traysLeft, traysMiddle, traysRight, multiply16(boardSquares, CellSizeI),
                      colours::lightPink);

    // Sized after painting: the surface paints its shapes again at the new size.
    m_host.setOuterSize(static_cast<float>(outerWidthTwips(CellSize)),
                        static_cast<float>(outerHeightTwips(CellSize)));
}

void Form1::newPieces() {
    Pieces.clear();
    // Every piece goes back to the board, so no tray cell may stay marked from the last game:
    // the next piece taken must go to the first cell.
    Tray1 = TrayGrid();
    Tray2 = TrayGrid();
}

void Form1::KngClick() {
    m_surface.clear();
    newPieces();
    InitSetSh1();
    Redraw();
}

void Form1::startGame(double cellSize, std::int16_t pieceRadius) {
    CellSize = cellSize;
    CellSizeI = toInt16(cellSize);
    newPieces();
    PieceRadius = pieceRadius;
    InitSetSh1();
    Redraw();
}

void Form1::NormalClick() {
    startGame(normalSize.cellSize, normalSize.pieceRadius);
    // Normal and Large repaint once more after starting the game, as the window always has;
    // the picture is the same.
    Redraw();
}

void Form1::LargeClick() {
    startGame(largeSize.cellSize, largeSize.pieceRadius);
    Redraw();
}

void Form1::SmallClick() {
    startGame(smallSize.cellSize, smallSize.pieceRadius);
}

void Form1::ExitClick() {
    m_host.endProgram();
}

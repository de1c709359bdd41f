#include "board/board_sizes.h"
#include "board/form1.h"
#include "board/geometry.h"
#include "platform/colours.h"
#include "platform/form_host.h"
#include "platform/int16.h"
#include "platform/surface.h"

void Form1::Redraw() {
    m_surface.clear();
    DrawChess();
    const std::int16_t count = toInt16(static_cast<double>(Pieces.size()));
    for (int position = 1; position <= count; ++position) {
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

    // The window is sized after painting, so this repaint happened at the size in force before.
    m_host.setOuterSize(static_cast<float>(outerWidthTwips(CellSize)),
                        static_cast<float>(outerHeightTwips(CellSize)));
}

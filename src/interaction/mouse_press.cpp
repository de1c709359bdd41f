#include <algorithm>

#include "board/form1.h"
#include "platform/int16.h"

void Form1::mouseDown(int /*button*/, int /*shift*/, float x, float y) {
    // A second button pressed during a drag must not pick up a second piece: it would follow the
    // pointer after every button is up and could be left lying over another piece.
    if (movingPiece()) {
        return;
    }
    const std::int16_t count = toInt16(static_cast<double>(Pieces.size()));
    for (int position = 1; position <= count; ++position) {
        VIDEVER& piece = pieceAt(position);
        if (piece.SH_MOUSEDOWN(x, y)) {
            DragStartX = piece.X();
            DragStartY = piece.Y();
            break;
        }
    }
    LastMouseX = x;
    LastMouseY = y;
}

std::optional<int> Form1::movingPiece() const {
    const auto moving = std::find_if(Pieces.begin(), Pieces.end(),
                                     [](const VIDEVER& piece) { return piece.ISMOVING; });
    if (moving == Pieces.end()) {
        return std::nullopt;
    }
    return static_cast<int>(moving - Pieces.begin()) + 1;
}

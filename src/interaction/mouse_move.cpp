#include "board/form1.h"
#include "platform/int16.h"

void Form1::mouseMove(int /*button*/, int /*shift*/, float x, float y) {
    const float dx = x - LastMouseX;
    const std::int16_t dy = toInt16(y - LastMouseY);
    const std::int16_t count = toInt16(static_cast<double>(Pieces.size()));
    for (int position = 1; position <= count; ++position) {
        pieceAt(position).MOVE(dx, dy);
    }
    Redraw();
    LastMouseX = x;
    LastMouseY = y;
}

#include <algorithm>

#include "interaction/mouse_handlers.h"
#include "platform/int16.h"

void MouseHandlers::mouseDown(int /*button*/, int /*shift*/, float x, float y) {
    // A second button pressed during a drag must not pick up a second piece: it would follow the
    // pointer after every button is up and could be left lying over another piece.
    if (movingPiece()) {
        return;
    }
    const std::int16_t count = toInt16(static_cast<double>(m_form.Pieces.size()));
    for (int position = 1; position <= count; ++position) {
        VIDEVER& piece = m_form.pieceAt(position);
        if (piece.SH_MOUSEDOWN(x, y)) {
            m_form.DragStartX = piece.X();
            m_form.DragStartY = piece.Y();
            break;
        }
    }
    m_form.LastMouseX = x;
    m_form.LastMouseY = y;
}

std::optional<int> MouseHandlers::movingPiece() const {
    const auto moving = std::find_if(m_form.Pieces.begin(), m_form.Pieces.end(),
                                     [](const VIDEVER& piece) { return piece.ISMOVING; });
    if (moving == m_form.Pieces.end()) {
        return std::nullopt;
    }
    return static_cast<int>(moving - m_form.Pieces.begin()) + 1;
}

#include "interaction/mouse_handlers.h"
#include "platform/int16.h"

void MouseHandlers::mouseMove(int /*button*/, int /*shift*/, float x, float y) {
    const float dx = x - m_form.LastMouseX;
    const std::int16_t dy = toInt16(y - m_form.LastMouseY);
    const std::int16_t count = toInt16(static_cast<double>(m_form.Pieces.size()));
    for (int position = 1; position <= count; ++position) {
        m_form.pieceAt(position).MOVE(dx, dy);
    }
    m_form.Redraw();
    m_form.LastMouseX = x;
    m_form.LastMouseY = y;
}

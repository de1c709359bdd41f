#pragma once

#include <cstdint>

class Surface;

// One draughts piece, shown as a disc: its centre, radius and side, and whether the player is
// dragging it. It knows nothing of squares, trays or other pieces.
class VIDEVER {
public:
    // True while the piece follows the mouse; only the piece's own operations change it.
    bool ISMOVING = false;

    void SH_MOUSEUP();
    // Whether (xx, yy) lies strictly inside the disc; the answer also becomes the mark, so a
    // miss clears it.
    bool SH_MOUSEDOWN(float xx, float yy);
    // Shifts the centre by (DX, DY) while the piece is marked. X is stored before Y is computed.
    void MOVE(double DX, double DY);
    // Paints the piece as a filled circle; side 0 paints nothing at all.
    void DRAW(Surface& surface) const;

    // The setters take real numbers: they are rounded to the nearest integer, ties to even, and
    // a value outside the 16-bit range throws OverflowError with the property unchanged.
    void setSH_TYPE(double vData);
    std::int16_t SH_TYPE() const { return m_SH_TYPE; }
    void setR(double vData);
    std::int16_t R() const { return m_R; }
    void setY(double vData);
    std::int16_t Y() const { return m_Y; }
    void setX(double vData);
    std::int16_t X() const { return m_X; }

private:
    std::int16_t m_X = 0;
    std::int16_t m_Y = 0;
    std::int16_t m_R = 0;
    std::int16_t m_SH_TYPE = 0;
};

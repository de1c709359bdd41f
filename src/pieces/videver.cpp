#include "pieces/videver.h"

#include <cmath>

#include "pieces/piece_colours.h"
#include "platform/int16.h"
#include "platform/surface.h"

void VIDEVER::SH_MOUSEUP() {
    ISMOVING = false;
}

bool VIDEVER::SH_MOUSEDOWN(float xx, float yy) {
    const double ey = static_cast<double>(yy) - m_Y;
    const double ex = static_cast<double>(xx) - m_X;
    const double distance = std::sqrt(std::pow(ex, 2) + std::pow(ey, 2));
    ISMOVING = distance < m_R;
    return ISMOVING;
}

void VIDEVER::MOVE(double DX, double DY) {
    if (!ISMOVING) {
        return;
    }
    setX(m_X + DX);
    setY(m_Y + DY);
}

void VIDEVER::DRAW(Surface& surface) const {
    if (m_SH_TYPE == 0) {
        return;
    }
    QRgb colour = colours::black;
    if (m_SH_TYPE == 1) {
        colour = colours::red;
    } else if (m_SH_TYPE == 2) {
        colour = colours::blue;
    }
    surface.setFillColor(colour);
    surface.setFillStyle(FillStyle::Solid);
    surface.circle(m_X, m_Y, m_R);
}

void VIDEVER::setSH_TYPE(double vData) {
    m_SH_TYPE = toInt16(vData);
}
void VIDEVER::setR(double vData) {
    m_R = toInt16(vData);
}
void VIDEVER::setY(double vData) {
    m_Y = toInt16(vData);
}
void VIDEVER::setX(double vData) {
    m_X = toInt16(vData);
}

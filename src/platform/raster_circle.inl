#pragma once

#include <QRect>
#include <algorithm>
#include <cmath>

template <typename Paint>
void forEachCirclePixel(int originX, int originY, double fractionX, double fractionY, double radius,
                        double lineWidth, const CircleStyle& style, const QRect& clip,
                        Paint&& paint) {
    const double outer = radius + lineWidth / 2.0;
    if (!(outer > 0.0)) {
        return;
    }
    const double inner = radius - lineWidth / 2.0;
    const double outerSquared = outer * outer;
    const double innerSquared = inner > 0.0 ? inner * inner : 0.0;
    const long long reach = static_cast<long long>(std::ceil(outer)) + 1;
    const long long top = std::max(-reach, static_cast<long long>(clip.top()) - originY);
    const long long bottom = std::min(reach, static_cast<long long>(clip.bottom()) - originY);
    const long long left = std::max(-reach, static_cast<long long>(clip.left()) - originX);
    const long long right = std::min(reach, static_cast<long long>(clip.right()) - originX);
    for (int v = static_cast<int>(top); v <= bottom; ++v) {
        const double dy = v + 0.5 - fractionY;
        for (int u = static_cast<int>(left); u <= right; ++u) {
            const double dx = u + 0.5 - fractionX;
            const double distanceSquared = dx * dx + dy * dy;
            if (distanceSquared >= outerSquared) {
                continue;
            }
            if (inner <= 0.0 || distanceSquared >= innerSquared) {
                paint(originX + u, originY + v, style.outline);
            } else if (style.filled) {
                paint(originX + u, originY + v, style.fill);
            }
        }
    }
}

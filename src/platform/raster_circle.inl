#pragma once

#include <QRect>
#include <algorithm>
#include <cmath>

namespace circle_detail {

// The columns u, first to last inclusive, whose pixel centres satisfy
// (u + 0.5 - fractionX)^2 + dySquared < limitSquared. The set is one run, since the left side
// only grows with the distance from the centre; the square root gives a first guess and the
// same test that decides a single pixel settles each end, so spans and pixels always agree.
struct Columns {
    long long first = 0;
    long long last = -1;
};

inline Columns columnsWithin(double fractionX, double dySquared, double limitSquared) {
    const auto inside = [&](long long u) {
        const double dx = static_cast<double>(u) + 0.5 - fractionX;
        return dx * dx + dySquared < limitSquared;
    };
    const double rest = limitSquared - dySquared;
    if (!(rest > 0)) {
        return {};
    }
    const double half = std::sqrt(rest);
    Columns columns{static_cast<long long>(std::ceil(fractionX - 0.5 - half)),
                    static_cast<long long>(std::floor(fractionX - 0.5 + half))};
    while (inside(columns.first - 1)) {
        --columns.first;
    }
    while (columns.first <= columns.last && !inside(columns.first)) {
        ++columns.first;
    }
    while (inside(columns.last + 1)) {
        ++columns.last;
    }
    while (columns.last >= columns.first && !inside(columns.last)) {
        --columns.last;
    }
    return columns;
}

}  // namespace circle_detail

template <typename PaintSpan>
void forEachCircleSpan(int originX, int originY, double fractionX, double fractionY, double radius,
                       double lineWidth, const CircleStyle& style, const QRect& clip,
                       PaintSpan&& paintSpan) {
    using circle_detail::Columns;
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
    const long long left = static_cast<long long>(clip.left()) - originX;
    const long long right = static_cast<long long>(clip.right()) - originX;
    // Paints columns [from, to] of row v, clipped.
    const auto paint = [&](long long v, long long from, long long to, QRgb colour) {
        from = std::max(from, left);
        to = std::min(to, right);
        if (from <= to) {
            paintSpan(static_cast<int>(originY + v), static_cast<int>(originX + from),
                      static_cast<int>(originX + to + 1), colour);
        }
    };
    for (long long v = top; v <= bottom; ++v) {
        const double dy = static_cast<double>(v) + 0.5 - fractionY;
        const double dySquared = dy * dy;
        const Columns disc = circle_detail::columnsWithin(fractionX, dySquared, outerSquared);
        if (disc.first > disc.last) {
            continue;
        }
        const Columns inside =
            inner > 0.0 ? circle_detail::columnsWithin(fractionX, dySquared, innerSquared)
                        : Columns{};
        if (inside.first > inside.last) {
            paint(v, disc.first, disc.last, style.outline);
            continue;
        }
        paint(v, disc.first, inside.first - 1, style.outline);
        if (style.filled) {
            paint(v, inside.first, inside.last, style.fill);
        }
        paint(v, inside.last + 1, disc.last, style.outline);
    }
}

#include "platform/surface.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/colours.h"

Surface::Surface(QSize logicalSize, qreal devicePixelRatio) : m_fillColor(colours::black) {
    resize(logicalSize, devicePixelRatio);
}

void Surface::resize(QSize logicalSize, qreal devicePixelRatio) {
    if (m_painter.isActive()) {
        if (logicalSize == size() && devicePixelRatio == m_image.devicePixelRatio()) {
            return;
        }
        m_painter.end();
    }
    // An empty image cannot be painted on; one pixel stands in for a collapsed client area.
    m_image =
        QImage(std::max(1, qRound(logicalSize.width() * devicePixelRatio)),
               std::max(1, qRound(logicalSize.height() * devicePixelRatio)), QImage::Format_RGB32);
    m_image.setDevicePixelRatio(devicePixelRatio);
    m_painter.begin(&m_image);
    m_paintAll = true;
}

QRect Surface::paintChanges() {
    // Every pixel a shape can touch: an outline reaches half a pixel beyond its extent.
    const auto reach = [](const Shape& shape) {
        return shape.extent.toAlignedRect().adjusted(-1, -1, 1, 1);
    };
    QRect changed;
    if (m_paintAll || m_shapes.size() != m_paintedShapes.size()) {
        changed = QRect(QPoint(0, 0), size());
    } else {
        // A shape drawn alike in both pictures left its pixels alike; any other may have
        // changed what it covers, in either picture.
        for (std::size_t i = 0; i < m_shapes.size(); ++i) {
            if (!(m_shapes[i] == m_paintedShapes[i])) {
                changed |= reach(m_shapes[i]) | reach(m_paintedShapes[i]);
            }
        }
    }
    if (changed.isEmpty()) {
        return changed;
    }
    m_painter.setClipRect(changed);
    // The device pixels that clip holds, mapped as the painter maps it.
    const QRect deviceClip = m_painter.deviceTransform().mapRect(changed) & m_image.rect();
    m_painter.fillRect(changed, QColor(colours::background));
    for (const Shape& shape : m_shapes) {
        // At a fractional scale a device pixel on the clip's edge reaches a pixel further out.
        if (!reach(shape).intersects(changed.adjusted(-1, -1, 1, 1))) {
            continue;
        }
        if (shape.kind == Shape::Box) {
            m_painter.fillRect(shape.extent, QColor(shape.colour));
            continue;
        }
        paintCircle(shape, deviceClip);
    }
    m_paintedShapes = m_shapes;
    m_paintAll = false;
    return changed;
}

void Surface::paintCircle(const Shape& circle, const QRect& clip) {
    // Span by span, straight into the image: the painter's ellipse paths made a drag move cost
    // 1.7 times the instructions. A pixel belongs by its centre, so the disc is symmetric about its
    // centre point at any scale, the outline one logical pixel wide across the radius.
    const double ratio = m_image.devicePixelRatio();
    const QPointF centre = circle.extent.center() * ratio;
    const double radius = circle.extent.width() / 2;
    const double outer = (radius + 0.5) * ratio;
    const double inner = (radius - 0.5) * ratio;
    // The first and last device pixel whose centre lies closer than half to c.
    const auto span = [](double c, double half) {
        return std::pair{static_cast<int>(std::floor(c - half - 0.5)) + 1,
                         static_cast<int>(std::ceil(c + half - 0.5)) - 1};
    };
    const QRgb outline = QColor(colours::foreground).rgb();
    const QRgb fill = QColor(circle.colour).rgb();
    const auto [top, bottom] = span(centre.y(), outer);
    for (int y = std::max(top, clip.top()); y <= std::min(bottom, clip.bottom()); ++y) {
        // Written in place, as the painter writes: a detached image would leave the painter
        // painting pixels nobody shows.
        QRgb* row = const_cast<QRgb*>(reinterpret_cast<const QRgb*>(m_image.constScanLine(y)));
        const auto paint = [&](int from, int to, QRgb colour) {
            from = std::max(from, clip.left());
            to = std::min(to, clip.right());
            if (from <= to) {
                std::fill(row + from, row + to + 1, colour);
            }
        };
        const double dy = y + 0.5 - centre.y();
        const auto [left, right] =
            span(centre.x(), std::sqrt(std::max(0.0, outer * outer - dy * dy)));
        if (inner <= std::abs(dy)) {
            paint(left, right, outline);
            continue;
        }
        const auto [innerLeft, innerRight] = span(centre.x(), std::sqrt(inner * inner - dy * dy));
        paint(left, innerLeft - 1, outline);
        if (circle.kind == Shape::Disc) {
            paint(innerLeft, innerRight, fill);
        }
        paint(innerRight + 1, right, outline);
    }
}

void Surface::fillBox(double x1, double y1, double x2, double y2, QRgb colour) {
    m_shapes.push_back({QRectF(QPointF(x1, y1), QPointF(x2, y2)).normalized(), colour, Shape::Box});
}

void Surface::circle(double centreX, double centreY, double radius) {
    if (radius <= 0) {
        return;  // no disc to see, and nothing a press can hit
    }
    m_shapes.push_back({QRectF(centreX - radius, centreY - radius, 2 * radius, 2 * radius),
                        m_fillColor, m_fillStyle == FillStyle::Solid ? Shape::Disc : Shape::Ring});
}

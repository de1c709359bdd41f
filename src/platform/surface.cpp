#include "platform/surface.h"

#include <QPainterPath>
#include <algorithm>

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
        paintCircle(shape);
    }
    m_paintedShapes = m_shapes;
    m_paintAll = false;
    return changed;
}

void Surface::paintCircle(const Shape& circle) {
    // Filled paths are sampled at pixel centres, so the disc is symmetric about its centre point
    // at any scale; drawEllipse puts it half a pixel down and right, a pixel narrower.
    const QPointF centre = circle.extent.center();
    const double radius = circle.extent.width() / 2;
    QPainterPath inside;
    inside.addEllipse(centre, radius - 0.5, radius - 0.5);
    QPainterPath outline;  // between the two ellipses, by the odd-even rule
    outline.addEllipse(centre, radius + 0.5, radius + 0.5);
    outline.addPath(inside);
    m_painter.fillPath(outline, QColor(colours::foreground));
    if (circle.kind == Shape::Disc) {
        m_painter.fillPath(inside, QColor(circle.colour));
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

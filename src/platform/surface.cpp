#include "platform/surface.h"

#include <algorithm>
#include <cmath>

#include "platform/colours.h"

Surface::Surface(QSize logicalSize, qreal devicePixelRatio)
    : m_logicalSize(logicalSize), m_ratio(devicePixelRatio), m_fillColor(colours::black) {
    paintAgain();
}

void Surface::resize(QSize logicalSize) {
    if (logicalSize != m_logicalSize) {
        m_logicalSize = logicalSize;
        paintAgain();
    }
}

void Surface::setDevicePixelRatio(qreal ratio) {
    if (ratio != m_ratio) {
        m_ratio = ratio;
        paintAgain();
    }
}

void Surface::paintAgain() {
    // An empty image cannot be painted on; one pixel stands in for a collapsed client area.
    m_image = QImage(std::max(1, qRound(m_logicalSize.width() * m_ratio)),
                     std::max(1, qRound(m_logicalSize.height() * m_ratio)), QImage::Format_RGB32);
    m_image.setDevicePixelRatio(m_ratio);
    m_image.fill(colours::background);
    for (Shape& shape : m_shapes) {
        shape.painted =
            std::visit([this](const auto& outline) { return paint(outline); }, shape.outline);
    }
    m_everythingChanged = true;
}

QRect Surface::takeChangedArea() {
    QRect changed;
    if (m_everythingChanged || m_shapes.size() != m_shownShapes.size()) {
        changed = QRect(QPoint(0, 0), m_logicalSize);
    } else {
        // A shape painted alike in both pictures left its pixels alike; any other may have
        // changed what it covers, in either picture.
        for (std::size_t i = 0; i < m_shapes.size(); ++i) {
            if (!(m_shapes[i] == m_shownShapes[i])) {
                changed |= m_shapes[i].painted | m_shownShapes[i].painted;
            }
        }
        const QRectF device(changed);
        changed = QRectF(device.topLeft() / m_ratio, device.size() / m_ratio).toAlignedRect();
    }
    m_shownShapes = m_shapes;
    m_everythingChanged = false;
    return changed;
}

void Surface::clear() {
    QRect painted;  // only what the shapes painted differs from the background
    for (const Shape& shape : m_shapes) {
        painted |= shape.painted;
    }
    paintBox(m_image, painted.left(), painted.top(), painted.right() + 1, painted.bottom() + 1,
             colours::background);
    m_shapes.clear();
}

QRect Surface::paint(const Box& box) {
    return paintBox(m_image, box.x1 * m_ratio, box.y1 * m_ratio, box.x2 * m_ratio, box.y2 * m_ratio,
                    box.colour);
}

QRect Surface::paint(const Circle& circle) {
    const double x = circle.centreX * m_ratio;
    const double y = circle.centreY * m_ratio;
    // The outline is one logical pixel wide. Centres beyond an int are far off the image.
    if (!(std::abs(x) < 1e9 && std::abs(y) < 1e9)) {
        return {};
    }
    const Disc::Geometry disc{x - std::floor(x), y - std::floor(y), circle.radius * m_ratio,
                              m_ratio};
    if (m_disc.geometry() != disc) {
        m_disc = Disc(disc);
    }
    return m_disc.paint(m_image, static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y)),
                        circle.style);
}

void Surface::fillBox(double x1, double y1, double x2, double y2, QRgb colour) {
    const Box box{x1, y1, x2, y2, colour};
    m_shapes.push_back({box, paint(box)});
}

void Surface::circle(double centreX, double centreY, double radius) {
    const Circle circle{centreX,
                        centreY,
                        radius,
                        {colours::foreground, m_fillColor, m_fillStyle == FillStyle::Solid}};
    m_shapes.push_back({circle, paint(circle)});
}

#include "platform/surface.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "platform/colours.h"

namespace {
QSize deviceSize(QSize logicalSize, qreal ratio) {
    // An empty image cannot be painted on; one pixel stands in for a collapsed client area.
    return QSize(std::max(1, qRound(logicalSize.width() * ratio)),
                 std::max(1, qRound(logicalSize.height() * ratio)));
}
}  // namespace

Surface::Surface(QSize logicalSize, qreal devicePixelRatio)
    : m_logicalSize(logicalSize),
      m_ratio(devicePixelRatio),
      m_image(deviceSize(logicalSize, devicePixelRatio), QImage::Format_RGB32),
      m_fillColor(colours::black) {
    m_image.setDevicePixelRatio(m_ratio);
    m_image.fill(colours::background);
    markChanged(m_image.rect());
}

void Surface::resize(QSize logicalSize) {
    if (logicalSize == m_logicalSize) {
        return;
    }
    QImage grown(deviceSize(logicalSize, m_ratio), QImage::Format_RGB32);
    grown.setDevicePixelRatio(m_ratio);
    grown.fill(colours::background);
    {
        QPainter copy(&grown);
        copy.setCompositionMode(QPainter::CompositionMode_Source);
        copy.drawImage(QPointF(0, 0), m_image);
    }
    m_image = std::move(grown);
    m_logicalSize = logicalSize;
    markChanged(m_image.rect());
}

QRegion Surface::takeChangedRegion() {
    QRegion changed;
    for (const QRect& rect : m_changed) {
        changed += QRect(static_cast<int>(std::floor(rect.x() / m_ratio)),
                         static_cast<int>(std::floor(rect.y() / m_ratio)),
                         static_cast<int>(std::ceil(rect.width() / m_ratio)) + 1,
                         static_cast<int>(std::ceil(rect.height() / m_ratio)) + 1);
    }
    m_changed = QRegion();
    return changed;
}

void Surface::markChanged(const QRect& deviceRect) {
    m_changed += deviceRect.intersected(m_image.rect());
}

void Surface::clear() {
    m_image.fill(colours::background);
    markChanged(m_image.rect());
}

void Surface::fillBox(double x1, double y1, double x2, double y2, QRgb colour) {
    const PixelRange columns = pixelsCovered(x1 * m_ratio, x2 * m_ratio, m_image.width());
    const PixelRange rows = pixelsCovered(y1 * m_ratio, y2 * m_ratio, m_image.height());
    if (columns.empty() || rows.empty()) {
        return;
    }
    for (int y = rows.first; y < rows.end; ++y) {
        auto* line = reinterpret_cast<QRgb*>(m_image.scanLine(y));
        std::fill(line + columns.first, line + columns.end, colour);
    }
    markChanged(
        QRect(columns.first, rows.first, columns.end - columns.first, rows.end - rows.first));
}

void Surface::circle(double centreX, double centreY, double radius) {
    const double x = centreX * m_ratio;
    const double y = centreY * m_ratio;
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(radius)) {
        return;
    }
    const double originX = std::floor(x);
    const double originY = std::floor(y);
    const double reach = std::abs(radius * m_ratio) + m_ratio + 2;
    // Entirely off the image: nothing to paint.
    if (originX + reach < 0 || originY + reach < 0 || originX - reach > m_image.width() ||
        originY - reach > m_image.height()) {
        return;
    }
    const CircleStyle style{colours::foreground, m_fillColor, m_fillStyle == FillStyle::Solid};
    const int left = static_cast<int>(originX);
    const int top = static_cast<int>(originY);
    forEachCirclePixel(left, top, x - originX, y - originY, radius * m_ratio, m_ratio, style,
                       m_image.rect(), [&](int px, int py, QRgb colour) {
                           reinterpret_cast<QRgb*>(m_image.scanLine(py))[px] = colour;
                       });
    const QRectF bounds(originX - reach, originY - reach, 2 * reach + 1, 2 * reach + 1);
    markChanged(bounds.intersected(QRectF(m_image.rect())).toAlignedRect());
}

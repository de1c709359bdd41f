#include "platform/surface.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

#include "platform/colours.h"

namespace {
QSize deviceSize(QSize logicalSize, qreal ratio) {
    // An empty image cannot be painted on; one pixel stands in for a collapsed client area.
    return QSize(std::max(1, qRound(logicalSize.width() * ratio)),
                 std::max(1, qRound(logicalSize.height() * ratio)));
}
}  // namespace

Surface::Surface(QSize logicalSize, qreal devicePixelRatio, Rendering rendering)
    : m_logicalSize(logicalSize),
      m_ratio(devicePixelRatio),
      m_rendering(rendering),
      m_fillColor(colours::black),
      m_image(deviceSize(logicalSize, devicePixelRatio), QImage::Format_RGB32) {
    m_image.setDevicePixelRatio(m_ratio);
    m_image.fill(colours::background);
    markChanged(m_image.rect());
}

const QImage& Surface::image() const {
    settleBackdrop();
    return m_image;
}

void Surface::resize(QSize logicalSize) {
    if (logicalSize == m_logicalSize) {
        return;
    }
    settleBackdrop();
    QImage resized(deviceSize(logicalSize, m_ratio), QImage::Format_RGB32);
    resized.setDevicePixelRatio(m_ratio);
    resized.fill(colours::background);
    {
        QPainter copy(&resized);
        copy.setCompositionMode(QPainter::CompositionMode_Source);
        copy.drawImage(QPointF(0, 0), m_image);
    }
    m_image = std::move(resized);
    m_logicalSize = logicalSize;
    m_imageDescribed = false;
    markChanged(m_image.rect());
}

QRegion Surface::takeChangedRegion() {
    settleBackdrop();
    endRepaint();
    const auto logical = [this](const QRect& rect) {
        return QRectF(rect.x() / m_ratio, rect.y() / m_ratio, rect.width() / m_ratio,
                      rect.height() / m_ratio)
            .toAlignedRect();
    };
    QRegion changed;
    if (m_everythingChanged) {
        changed = logical(m_image.rect());
    } else {
        for (const QRect& rect : m_changed) {
            changed += logical(rect);
        }
    }
    m_changed.clear();
    m_everythingChanged = false;
    return changed;
}

void Surface::markChanged(const QRect& deviceRect) const {
    if (m_everythingChanged) {
        return;
    }
    const QRect rect = deviceRect.intersected(m_image.rect());
    if (rect == m_image.rect()) {
        m_everythingChanged = true;
    } else if (!rect.isEmpty()) {
        m_changed.push_back(rect);
    }
}

void Surface::clear() {
    if (m_rendering == Rendering::Direct) {
        m_image.fill(colours::background);
        markChanged(m_image.rect());
        return;
    }
    // A repaint that was cleared again before anything read it never reached the image.
    if (!m_backdropPending) {
        endRepaint();
    }
    m_backdropPending = true;
    m_pendingBoxes.clear();
}

void Surface::endRepaint() {
    if (m_shownValid) {
        for (std::size_t i = m_operations.size(); i < m_shownOperations.size(); ++i) {
            markChanged(m_shownOperations[i].bounds);
        }
    }
    m_shownOperations = m_operations;
    m_shownValid = m_imageDescribed;
}

void Surface::settleBackdrop() const {
    if (!m_backdropPending) {
        return;
    }
    m_backdropPending = false;
    const bool cached = !m_backdrop.isNull() && m_backdrop.size() == m_image.size() &&
                        m_backdropBoxes == m_pendingBoxes;
    if (cached && m_imageDescribed) {
        // Outside what the last repaint painted over it, the image already holds the backdrop.
        for (const Operation& operation : m_operations) {
            restoreBackdrop(operation.bounds);
        }
    } else if (cached) {
        std::memcpy(m_image.bits(), m_backdrop.constBits(),
                    static_cast<std::size_t>(m_image.sizeInBytes()));
    } else {
        m_image.fill(colours::background);
        for (const Box& box : m_pendingBoxes) {
            paintBox(box);
        }
        m_backdrop = m_image.copy();
        m_backdropBoxes = m_pendingBoxes;
    }
    // Against a picture that no operation list describes, only the whole image is safe to show.
    if (!cached || !m_shownValid) {
        markChanged(m_image.rect());
    }
    m_operations.clear();
    m_imageDescribed = true;
}

void Surface::restoreBackdrop(const QRect& deviceRect) const {
    const QRect rect = deviceRect.intersected(m_image.rect());
    if (rect.isEmpty()) {
        return;
    }
    const auto bytes = static_cast<std::size_t>(rect.width()) * sizeof(QRgb);
    const WritableRows target(m_image);
    const ReadableRows source(std::as_const(m_backdrop));
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        std::memcpy(target.row(y) + rect.left(), source.row(y) + rect.left(), bytes);
    }
}

void Surface::record(const Operation& operation) {
    if (m_rendering == Rendering::Direct) {
        // Painted in place: there is no backdrop to restore, so no list to keep.
        markChanged(operation.bounds);
        return;
    }
    const std::size_t index = m_operations.size();
    m_operations.push_back(operation);
    if (!m_shownValid) {
        markChanged(operation.bounds);
        return;
    }
    if (index < m_shownOperations.size() && m_shownOperations[index] == operation) {
        return;  // the same pixels as the picture already shown
    }
    markChanged(operation.bounds);
    if (index < m_shownOperations.size()) {
        markChanged(m_shownOperations[index].bounds);
    }
}

QRect Surface::paintBox(const Box& box) const {
    const PixelRange columns = pixelsCovered(box.x1 * m_ratio, box.x2 * m_ratio, m_image.width());
    const PixelRange rows = pixelsCovered(box.y1 * m_ratio, box.y2 * m_ratio, m_image.height());
    if (columns.empty() || rows.empty()) {
        return {};
    }
    const WritableRows target(m_image);
    for (int y = rows.first; y < rows.end; ++y) {
        std::fill(target.row(y) + columns.first, target.row(y) + columns.end, box.colour);
    }
    return QRect(columns.first, rows.first, columns.end - columns.first, rows.end - rows.first);
}

void Surface::fillBox(double x1, double y1, double x2, double y2, QRgb colour) {
    const Box box{x1, y1, x2, y2, colour};
    if (m_backdropPending) {
        m_pendingBoxes.push_back(box);
        return;
    }
    const QRect painted = paintBox(box);
    record({Operation::Kind::Box, painted, x1, y1, x2, y2, CircleStyle{colour, 0, false}});
}

void Surface::circle(double centreX, double centreY, double radius) {
    settleBackdrop();
    const double x = centreX * m_ratio;
    const double y = centreY * m_ratio;
    const double deviceRadius = radius * m_ratio;
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(deviceRadius)) {
        return;
    }
    const double originX = std::floor(x);
    const double originY = std::floor(y);
    const double reach = std::abs(deviceRadius) + m_ratio + 2;
    // Entirely off the image: nothing to paint.
    if (originX + reach < 0 || originY + reach < 0 || originX - reach > m_image.width() ||
        originY - reach > m_image.height()) {
        return;
    }
    const int left = static_cast<int>(originX);
    const int top = static_cast<int>(originY);
    const CircleSprite::Shape shape{
        x - originX, y - originY, deviceRadius, m_ratio,
        CircleStyle{colours::foreground, m_fillColor, m_fillStyle == FillStyle::Solid}};
    QRect bounds;
    if (m_rendering == Rendering::Cached && deviceRadius <= SpriteCache::largestCachedRadius) {
        const CircleSprite& sprite = m_sprites.sprite(shape);
        sprite.paint(WritableRows(m_image), left, top);
        bounds = sprite.bounds().translated(left, top);
    } else {
        const WritableRows target(m_image);
        forEachCircleSpan(left, top, shape.fractionX, shape.fractionY, shape.radius,
                          shape.lineWidth, shape.style, m_image.rect(),
                          [&target](int y, int first, int end, QRgb colour) {
                              std::fill(target.row(y) + first, target.row(y) + end, colour);
                          });
        const QRectF reachable(originX - reach, originY - reach, 2 * reach + 1, 2 * reach + 1);
        bounds = reachable.toAlignedRect();
    }
    record({Operation::Kind::Circle, bounds.intersected(m_image.rect()), x, y, deviceRadius, 0,
            shape.style});
}

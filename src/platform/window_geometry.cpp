#include "platform/window_geometry.h"

#include <algorithm>
#include <cmath>

int twipsToPixels(double twips, double dotsPerInch) {
    const double pixels = std::round(twips * dotsPerInch / 1440.0);
    if (!(pixels > 0)) {
        return 0;
    }
    return static_cast<int>(std::min(pixels, 1e9));
}

QSize outerPixelSize(double widthTwips, double heightTwips, double dpiX, double dpiY,
                     QSize available) {
    return QSize(std::min(twipsToPixels(widthTwips, dpiX), available.width()),
                 std::min(twipsToPixels(heightTwips, dpiY), available.height()));
}

namespace {
// Whether Qt's own bridge already turns logical pixels into device pixels.
#ifdef Q_OS_WIN
constexpr bool bridgeScales = true;
#else
constexpr bool bridgeScales = false;
#endif
}  // namespace

QRect accessibleScreenRect(const QRect& logical, const QRect& screenGeometry, qreal ratio) {
    if (bridgeScales) {
        return logical;
    }
    const QPointF origin = screenGeometry.topLeft();
    const QPointF topLeft = (QPointF(logical.topLeft()) - origin) * ratio + origin;
    return QRectF(topLeft, QSizeF(logical.size()) * ratio).toAlignedRect();
}

QPoint logicalScreenPoint(QPoint accessible, const QRect& screenGeometry, qreal ratio) {
    if (bridgeScales) {
        return accessible;
    }
    const QPointF origin = screenGeometry.topLeft();
    const QPointF logical = (QPointF(accessible) - origin) / ratio + origin;
    return {static_cast<int>(std::floor(logical.x())), static_cast<int>(std::floor(logical.y()))};
}

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

// The logical pixel that holds a device pixel, both counted from the screen's corner: the one a
// pointer there reaches, as Qt divides its device position by the ratio and the board takes the
// whole pixel that holds the result. It is exact wherever a widget's own corner lies on a whole
// device pixel.
int logicalPixel(int device, qreal ratio) {
    return static_cast<int>(std::floor(device / ratio));
}

// The first device pixel whose logical pixel is logical or beyond, found with the very division
// above, so that extents and the way back never disagree over a pixel on their edge.
int firstDevicePixel(int logical, qreal ratio) {
    int device = static_cast<int>(std::ceil(logical * ratio)) - 1;
    while (logicalPixel(device, ratio) < logical) {
        ++device;
    }
    return device;
}
}  // namespace

QRect accessibleScreenRect(const QRect& logical, const QRect& screenGeometry, qreal ratio) {
    if (bridgeScales) {
        return logical;
    }
    // Exactly the device pixels whose logical pixel lies inside, so that neighbours tile.
    const QPoint origin = screenGeometry.topLeft();
    const QPoint from = logical.topLeft() - origin;
    const QPoint to = from + QPoint(logical.width(), logical.height());
    return QRect(
        origin + QPoint(firstDevicePixel(from.x(), ratio), firstDevicePixel(from.y(), ratio)),
        origin + QPoint(firstDevicePixel(to.x(), ratio), firstDevicePixel(to.y(), ratio)) -
            QPoint(1, 1));
}

QPoint logicalScreenPoint(QPoint accessible, const QRect& screenGeometry, qreal ratio) {
    if (bridgeScales) {
        return accessible;
    }
    const QPoint origin = screenGeometry.topLeft();
    const QPoint device = accessible - origin;
    return origin + QPoint(logicalPixel(device.x(), ratio), logicalPixel(device.y(), ratio));
}

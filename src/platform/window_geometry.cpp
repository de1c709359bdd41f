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

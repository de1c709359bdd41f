#include "platform/raster.h"

#include <algorithm>
#include <cmath>

PixelRange pixelsCovered(double from, double to, int limit) {
    if (to < from) {
        std::swap(from, to);
    }
    // Pixel p is covered when from <= p + 0.5 < to; clamping first keeps huge or NaN-free
    // extremes away from the integer conversion.
    const double first = std::clamp(std::ceil(from - 0.5), 0.0, static_cast<double>(limit));
    const double end = std::clamp(std::ceil(to - 0.5), 0.0, static_cast<double>(limit));
    if (std::isnan(first) || std::isnan(end)) {
        return {};
    }
    return {static_cast<int>(first), static_cast<int>(end)};
}

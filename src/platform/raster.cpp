#include "platform/raster.h"

#include <algorithm>
#include <cmath>
#include <cwchar>

namespace {
// The pixels whose centres lie in [from, to) on an axis of limit pixels.
struct PixelRange {
    int first = 0;
    int end = 0;
    bool empty() const { return end <= first; }
};

PixelRange pixelsCovered(double from, double to, int limit) {
    // Limited before the conversion, so that huge values and NaN stay in the integer range.
    const auto pixel = [limit](double x) {
        return static_cast<int>(std::fmin(std::fmax(std::ceil(x - 0.5), 0.0), limit));
    };
    return {pixel(from), pixel(to)};
}

// Fills [first, end). Most of a repaint is long runs, which the C library's wmemset (where a wide
// character is 32 bits) fills two to three times as fast as the compiler's loop; not so short ones.
void fillPixels(QRgb* first, QRgb* end, QRgb colour) {
    if (end - first < 16 || sizeof(wchar_t) != sizeof(QRgb)) {
        std::fill(first, end, colour);
    } else {
        std::wmemset(reinterpret_cast<wchar_t*>(first), static_cast<wchar_t>(colour),
                     static_cast<std::size_t>(end - first));
    }
}

// Rows looked up once per shape: each QImage::bits() call costs more than a short run.
auto rowsOf(QImage& image) {
    return [bits = image.bits(), stride = image.bytesPerLine()](int y) {
        return reinterpret_cast<QRgb*>(bits + y * stride);
    };
}

// The columns u whose centres satisfy (u + 0.5 - centre)^2 < reachSquared: one run. The square
// root places each end to within a pixel; the same test that decides a single pixel then settles
// it, so rounding in the root can never add or drop a pixel.
PixelRange columnsWithin(double centre, double reachSquared) {
    if (!(reachSquared > 0)) {
        return {};
    }
    const auto inside = [&](int u) {
        const double dx = u + 0.5 - centre;
        return dx * dx < reachSquared;
    };
    const double half = std::sqrt(reachSquared);
    int first = static_cast<int>(std::floor(centre - half));
    int end = static_cast<int>(std::floor(centre + half)) + 1;
    while (first < end && !inside(first)) {
        ++first;
    }
    while (inside(first - 1)) {
        --first;
    }
    while (end > first && !inside(end - 1)) {
        --end;
    }
    while (inside(end)) {
        ++end;
    }
    return {first, end};
}
}  // namespace

QRect paintBox(QImage& image, double x1, double y1, double x2, double y2, QRgb colour) {
    const PixelRange columns = pixelsCovered(x1, x2, image.width());
    const PixelRange rows = pixelsCovered(y1, y2, image.height());
    if (columns.empty() || rows.empty()) {
        return {};
    }
    const auto row = rowsOf(image);
    for (int y = rows.first; y < rows.end; ++y) {
        fillPixels(row(y) + columns.first, row(y) + columns.end, colour);
    }
    return QRect(columns.first, rows.first, columns.end - columns.first, rows.end - rows.first);
}

Disc::Disc(const Geometry& shape) : m_geometry(shape) {
    const double outer = shape.radius + shape.lineWidth / 2;
    const double inner = shape.radius - shape.lineWidth / 2;
    if (!(outer > 0)) {
        return;
    }
    m_reach = static_cast<int>(std::ceil(outer)) + 1;
    for (int v = -m_reach; v <= m_reach; ++v) {
        const double dy = v + 0.5 - shape.fractionY;
        const PixelRange disc = columnsWithin(shape.fractionX, outer * outer - dy * dy);
        const PixelRange inside =
            inner > 0 ? columnsWithin(shape.fractionX, inner * inner - dy * dy) : PixelRange{};
        m_rows.push_back({disc.first, disc.end, inside.empty() ? disc.end : inside.first,
                          inside.empty() ? disc.end : inside.end});
    }
}

QRect Disc::paint(QImage& image, int originX, int originY, const CircleStyle& style) const {
    const auto line = rowsOf(image);
    const int width = image.width();
    // Columns relative to the origin, clipped to the image.
    const auto column = [originX, width](int u) { return std::clamp(originX + u, 0, width); };
    const int firstRow = std::max(0, originY - m_reach);
    const int endRow = std::min(image.height(), originY + m_reach + 1);
    // The rows at the centre reach farthest.
    const Row widest = m_rows.empty() ? Row{} : m_rows[static_cast<std::size_t>(m_reach)];
    if (firstRow >= endRow || column(widest.first) >= column(widest.end)) {
        return {};
    }
    for (int y = firstRow; y < endRow; ++y) {
        const Row& row = m_rows[static_cast<std::size_t>(y - originY + m_reach)];
        fillPixels(line(y) + column(row.first), line(y) + column(row.insideFirst), style.outline);
        if (style.filled) {
            fillPixels(line(y) + column(row.insideFirst), line(y) + column(row.insideEnd),
                       style.fill);
        }
        fillPixels(line(y) + column(row.insideEnd), line(y) + column(row.end), style.outline);
    }
    return QRect(QPoint(column(widest.first), firstRow),
                 QPoint(column(widest.end) - 1, endRow - 1));
}

#pragma once

#include <QImage>
#include <QRgb>
#include <type_traits>

// Pixel rules shared by every way the program paints, so that a cached sprite and a circle
// painted in place leave exactly the same pixels.

// The rows of an RGB32 image, looked up once per operation: every QImage::scanLine call checks
// whether the image is shared, which costs more than painting a short run.
template <typename Pixel>
class PixelRows {
public:
    template <typename Image>
    explicit PixelRows(Image& image)
        : m_bits(reinterpret_cast<Byte*>(rowsOf(image))),
          m_stride(image.bytesPerLine()),
          m_width(image.width()),
          m_height(image.height()) {}

    Pixel* row(int y) const { return reinterpret_cast<Pixel*>(m_bits + y * m_stride); }
    int width() const { return m_width; }
    int height() const { return m_height; }

private:
    using Byte = std::conditional_t<std::is_const_v<Pixel>, const uchar, uchar>;
    static uchar* rowsOf(QImage& image) { return image.bits(); }
    static const uchar* rowsOf(const QImage& image) { return image.constBits(); }

    Byte* m_bits;
    qsizetype m_stride;
    int m_width;
    int m_height;
};
using WritableRows = PixelRows<QRgb>;
using ReadableRows = PixelRows<const QRgb>;

// The pixels whose centres lie in [from, to), clipped to [0, limit).
struct PixelRange {
    int first = 0;
    int end = 0;
    bool empty() const { return end <= first; }
};
PixelRange pixelsCovered(double from, double to, int limit);

// One filled circle: the pixels whose centres lie less than radius + lineWidth / 2 from the
// centre are painted; the outer ring of width lineWidth takes the outline colour, the rest the
// fill colour (or is left alone when the fill is transparent).
struct CircleStyle {
    QRgb outline = 0;
    QRgb fill = 0;
    bool filled = false;
    bool operator==(const CircleStyle&) const = default;
};

// Calls paintSpan(y, first, end, colour) for every run of pixels [first, end) in row y, inside
// clip, of a circle centred at (originX + fractionX, originY + fractionY) in device pixels. The
// fractions lie in [0, 1); splitting the centre this way makes the result depend on the integer
// origin only by translation. Working in runs keeps a huge radius at the cost of the pixels it
// covers.
template <typename PaintSpan>
void forEachCircleSpan(int originX, int originY, double fractionX, double fractionY, double radius,
                       double lineWidth, const CircleStyle& style, const QRect& clip,
                       PaintSpan&& paintSpan);

#include "platform/raster_circle.inl"

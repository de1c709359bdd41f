#pragma once

#include <QImage>
#include <QPainter>
#include <QRect>
#include <vector>

enum class FillStyle { Solid, Transparent };

// The window's persistent drawing surface: an image the size of the client area, at the screen's
// device pixel ratio, painted with QPainter and kept until cleared or painted over. Coordinates
// are logical client pixels. The shapes painted since the last clear are kept: the next picture
// shown is compared with the last shape by shape, and a new size or scale paints them again.
class Surface {
public:
    explicit Surface(QSize logicalSize, qreal devicePixelRatio = 1.0);

    // Follows a new client-area size or screen scale at once, with the same picture.
    void resize(QSize logicalSize, qreal devicePixelRatio);
    QSize size() const { return m_image.deviceIndependentSize().toSize(); }

    // The picture. A copy shares pixels that are still being painted: copy() one to keep it.
    const QImage& image() const { return m_image; }
    // The logical area whose pixels may differ from the picture last shown: one rectangle, the
    // cheapest for the window system to show.
    QRect takeChangedArea();

    void clear();
    void fillBox(double x1, double y1, double x2, double y2, QRgb colour);
    void setFillColor(QRgb colour) { m_fillColor = colour; }
    void setFillStyle(FillStyle style) { m_fillStyle = style; }
    // A full circle outlined one pixel wide in the foreground colour and filled according to
    // the current fill colour and style.
    void circle(double centreX, double centreY, double radius);

private:
    // A box, or a circle with its fill (a ring has none), within its extent.
    struct Shape {
        QRectF extent;
        QRgb colour;
        enum { Box, Ring, Disc } kind;
        bool operator==(const Shape&) const = default;
    };

    void add(const Shape& shape);
    void paint(const Shape& shape);

    QImage m_image;
    QPainter m_painter;
    QRgb m_fillColor;
    FillStyle m_fillStyle = FillStyle::Solid;
    std::vector<Shape> m_shapes;
    std::vector<Shape> m_shownShapes;
};

#pragma once

#include <QImage>
#include <QPainter>
#include <QRect>
#include <vector>

enum class FillStyle { Solid, Transparent };

// The window's persistent drawing surface: the shapes drawn since the last clear, and their
// picture, an image the size of the client area at the screen's device pixel ratio. Coordinates
// are logical client pixels. The window shows the picture once per event: only then are the
// shapes painted, and only where they differ from those painted last, so that a pointer move
// repaints a piece's old and new places rather than the whole board.
class Surface {
public:
    explicit Surface(QSize logicalSize, qreal devicePixelRatio = 1.0);

    // Follows a new client-area size or screen scale; the next paintChanges paints it all.
    void resize(QSize logicalSize, qreal devicePixelRatio);
    QSize size() const { return m_image.deviceIndependentSize().toSize(); }

    // The picture as last painted. A copy shares pixels that may be painted again: copy() one
    // to keep it.
    const QImage& image() const { return m_image; }
    // Paints the shapes where they differ from those painted last, and returns that logical
    // area: one rectangle, the cheapest for the window system to show.
    QRect paintChanges();

    void clear() { m_shapes.clear(); }
    void fillBox(double x1, double y1, double x2, double y2, QRgb colour);
    void setFillColor(QRgb colour) { m_fillColor = colour; }
    void setFillStyle(FillStyle style) { m_fillStyle = style; }
    // A full circle outlined one pixel wide in the foreground colour and filled according to
    // the current fill colour and style: every pixel whose centre lies closer than radius - 0.8
    // to the centre is filled, every one radius + 0.8 or further away is left as it was. A
    // radius of 0 or less draws nothing.
    void circle(double centreX, double centreY, double radius);

private:
    // A box, or a circle with its fill (a ring has none), within its extent.
    struct Shape {
        QRectF extent;
        QRgb colour;
        enum { Box, Ring, Disc } kind;
        bool operator==(const Shape&) const = default;
    };

    // Paints only the device pixels within clip.
    void paintCircle(const Shape& circle, const QRect& clip);

    QImage m_image;
    QPainter m_painter;
    QRgb m_fillColor;
    FillStyle m_fillStyle = FillStyle::Solid;
    std::vector<Shape> m_shapes;
    std::vector<Shape> m_paintedShapes;
    bool m_paintAll = true;  // the image is new
};

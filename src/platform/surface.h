#pragma once

#include <QImage>
#include <QRect>
#include <QRgb>
#include <QSize>
#include <variant>
#include <vector>

#include "platform/raster.h"

enum class FillStyle { Solid, Transparent };

// The window's persistent drawing surface: an image the size of the client area, at the screen's
// device pixel ratio, painted in place and kept until cleared or painted over. Coordinates are
// logical client pixels. It remembers the shapes painted since the last clear: comparing them
// with those of the picture last shown tells which pixels changed, and painting them again
// redraws the picture at another size or ratio.
class Surface {
public:
    explicit Surface(QSize logicalSize, qreal devicePixelRatio = 1.0);

    // Follow a new client-area size or screen scale at once, with the same picture.
    void resize(QSize logicalSize);
    QSize size() const { return m_logicalSize; }
    void setDevicePixelRatio(qreal ratio);

    const QImage& image() const { return m_image; }
    // The logical area whose pixels may have changed since the last call: one rectangle, the
    // cheapest for the window system to show.
    QRect takeChangedArea();

    void clear();
    void fillBox(double x1, double y1, double x2, double y2, QRgb colour);
    void setFillColor(QRgb colour) { m_fillColor = colour; }
    QRgb fillColor() const { return m_fillColor; }
    void setFillStyle(FillStyle style) { m_fillStyle = style; }
    FillStyle fillStyle() const { return m_fillStyle; }
    // A full circle outlined one pixel wide in the foreground colour and filled according to
    // the current fill colour and style.
    void circle(double centreX, double centreY, double radius);

private:
    struct Box {
        double x1, y1, x2, y2;
        QRgb colour;
        bool operator==(const Box&) const = default;
    };
    struct Circle {
        double centreX, centreY, radius;
        CircleStyle style;
        bool operator==(const Circle&) const = default;
    };
    // A shape painted since the last clear, and the device pixels it painted.
    struct Shape {
        std::variant<Box, Circle> outline;
        QRect painted;
        bool operator==(const Shape&) const = default;
    };

    // A new image at the current size and ratio, with every shape since the last clear on it.
    void paintAgain();
    QRect paint(const Box& box);
    QRect paint(const Circle& circle);

    QSize m_logicalSize;
    qreal m_ratio;
    QRgb m_fillColor;
    FillStyle m_fillStyle = FillStyle::Solid;
    QImage m_image;
    std::vector<Shape> m_shapes;
    std::vector<Shape> m_shownShapes;
    bool m_everythingChanged = true;
    Disc m_disc;  // the last disc painted
};

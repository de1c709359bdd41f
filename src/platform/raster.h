#pragma once

#include <QImage>
#include <QRect>
#include <QRgb>
#include <vector>

// How boxes and circles become pixels of an RGB32 image, in device pixels. A pixel belongs to a
// shape when its centre does, so neighbouring boxes tile exactly. Our own, because QPainter
// without antialiasing follows another rule at the edges: it differs on 28, 84 and 144 edge
// pixels of circles of radius 5, 15 and 25.

// Fills the box between the corners (x1, y1) and (x2, y2); returns the pixels it painted.
QRect paintBox(QImage& image, double x1, double y1, double x2, double y2, QRgb colour);

struct CircleStyle {
    QRgb outline = 0;
    QRgb fill = 0;
    bool filled = false;
    bool operator==(const CircleStyle&) const = default;
};

// A circle as runs of pixels, row by row, relative to the integer part of its centre: the pixels
// whose centres lie less than radius + lineWidth / 2 from the centre, all but the outer ring of
// width lineWidth forming the inside. It costs square roots on every row; the pieces of a board
// share one, so it is worked out once and painted many times.
class Disc {
public:
    // Where the centre lies within its pixel, the radius and the outline's width.
    struct Geometry {
        double fractionX = 0, fractionY = 0, radius = 0, lineWidth = 0;
        bool operator==(const Geometry&) const = default;
    };

    Disc() = default;
    explicit Disc(const Geometry& geometry);
    const Geometry& geometry() const { return m_geometry; }

    // Paints the disc with the integer part of its centre at (originX, originY), its inside only
    // when it is filled. Returns the pixels it painted.
    QRect paint(QImage& image, int originX, int originY, const CircleStyle& style) const;

private:
    // Columns relative to the origin: the whole row, and the inside, which may be empty.
    struct Row {
        int first, end, insideFirst, insideEnd;
    };

    Geometry m_geometry;
    int m_reach = 0;  // rows from -m_reach to m_reach
    std::vector<Row> m_rows;
};

#pragma once

#include <QImage>
#include <QRegion>
#include <QRgb>
#include <QSize>
#include <vector>

#include "platform/circle_sprite.h"
#include "platform/raster.h"

enum class FillStyle { Solid, Transparent };

// The window's persistent drawing surface: a raster image the size of the client area, at the
// screen's device pixel ratio. It keeps what is painted on it until it is cleared or painted
// over; the window only ever copies it to the screen. Coordinates are logical client pixels.
//
// A repaint clears the surface, fills the boxes of the board and trays, then paints circles.
// Cached rendering leaves exactly the pixels that painting each operation in place (Direct)
// would, while touching far fewer: the boxes painted right after a clear are kept as one image,
// and when the same boxes come again only the pixels that the last repaint painted over them are
// copied back; circles are copied from ready sprites. It also tracks which pixels really
// changed, so the window shows only those.
class Surface {
public:
    enum class Rendering { Cached, Direct };

    explicit Surface(QSize logicalSize, qreal devicePixelRatio = 1.0,
                     Rendering rendering = Rendering::Cached);

    // Follows a new client-area size at once. What was painted stays in the top-left corner;
    // newly exposed pixels show the background.
    void resize(QSize logicalSize);
    QSize size() const { return m_logicalSize; }
    qreal devicePixelRatio() const { return m_ratio; }

    // The picture as it stands now.
    const QImage& image() const;

    // The logical area whose pixels may have changed since the last call.
    QRegion takeChangedRegion();

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
    // One painting operation after the backdrop, remembered to tell which pixels a repaint
    // changed: the same operation at the same place in two repaints leaves the same pixels.
    struct Operation {
        enum class Kind { Box, Circle } kind;
        QRect bounds;  // device pixels it may touch
        double x, y, extentX, extentY;
        CircleStyle style;
        bool operator==(const Operation&) const = default;
    };
    struct Box {
        double x1, y1, x2, y2;
        QRgb colour;
        bool operator==(const Box&) const = default;
    };

    // Returns the device pixels it painted.
    QRect paintBox(const Box& box) const;
    void settleBackdrop() const;
    void restoreBackdrop(const QRect& deviceRect) const;
    void endRepaint();
    void record(const Operation& operation);
    void markChanged(const QRect& deviceRect) const;

    QSize m_logicalSize;
    qreal m_ratio;
    Rendering m_rendering;
    QRgb m_fillColor;
    FillStyle m_fillStyle = FillStyle::Transparent;

    // Painting is settled lazily, so reading the picture may still have to finish a backdrop.
    mutable QImage m_image;
    // Changed device rectangles since they were last taken; a list that keeps its capacity, so
    // a repaint allocates nothing once it has run a few times.
    mutable std::vector<QRect> m_changed;
    mutable bool m_everythingChanged = false;
    mutable bool m_backdropPending = false;
    std::vector<Box> m_pendingBoxes;
    mutable std::vector<Box> m_backdropBoxes;
    mutable QImage m_backdrop;
    // What painted the image since its backdrop was settled; imageDescribed is false while the
    // image holds pixels that no backdrop and operation list describe (before the first repaint,
    // after a resize).
    mutable std::vector<Operation> m_operations;
    mutable bool m_imageDescribed = false;
    // The operations behind the picture that changes were last accounted against; valid only
    // when that picture was itself described.
    std::vector<Operation> m_shownOperations;
    bool m_shownValid = false;
    SpriteCache m_sprites;
};

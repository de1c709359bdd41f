#pragma once

#include <QImage>
#include <QRegion>
#include <QRgb>
#include <QSize>

#include "platform/raster.h"

enum class FillStyle { Solid, Transparent };

// The window's persistent drawing surface: a raster image the size of the client area, at the
// screen's device pixel ratio. It keeps what is painted on it until it is cleared or painted
// over; the window only ever copies it to the screen. Coordinates are logical client pixels.
class Surface {
public:
    explicit Surface(QSize logicalSize, qreal devicePixelRatio = 1.0);

    // Follows a new client-area size at once. What was painted stays in the top-left corner;
    // newly exposed pixels show the background.
    void resize(QSize logicalSize);
    QSize size() const { return m_logicalSize; }
    qreal devicePixelRatio() const { return m_ratio; }

    // The picture as it stands now.
    const QImage& image() const { return m_image; }

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
    void markChanged(const QRect& deviceRect);

    QSize m_logicalSize;
    qreal m_ratio;
    QImage m_image;
    QRgb m_fillColor;
    FillStyle m_fillStyle = FillStyle::Transparent;
    QRegion m_changed;
};

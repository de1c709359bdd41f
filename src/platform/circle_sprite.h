#pragma once

#include <QImage>
#include <QRect>
#include <vector>

#include "platform/raster.h"

// A circle rasterised once, as runs of ready pixels relative to its integer origin, so that
// painting it again is a few short copies. Built with forEachCircleSpan, so a sprite leaves
// exactly the pixels that painting the circle in place would.
class CircleSprite {
public:
    struct Shape {
        double fractionX = 0;
        double fractionY = 0;
        double radius = 0;
        double lineWidth = 1;
        CircleStyle style;
        bool operator==(const Shape&) const = default;
    };

    explicit CircleSprite(const Shape& shape);

    const Shape& shape() const { return m_shape; }
    // The painted pixels relative to the origin.
    const QRect& bounds() const { return m_bounds; }
    // Paints the sprite with its origin at device pixel (originX, originY), clipped to the rows.
    void paint(const WritableRows& rows, int originX, int originY) const;

private:
    struct Run {
        int x;
        int y;
        int length;
        std::size_t firstPixel;
    };

    Shape m_shape;
    QRect m_bounds;
    std::vector<Run> m_runs;
    std::vector<QRgb> m_pixels;
};

// The sprites a board needs, kept across repaints: one per colour and size, and at a fractional
// device pixel ratio one per sub-pixel position too. The least recently used goes first.
class SpriteCache {
public:
    // Circles larger than this are painted in place: a sprite would cost more than it saves.
    static constexpr double largestCachedRadius = 256;

    const CircleSprite& sprite(const CircleSprite::Shape& shape);

private:
    static constexpr std::size_t capacity = 64;
    std::vector<CircleSprite> m_sprites;
};

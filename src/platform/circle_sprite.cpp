#include "platform/circle_sprite.h"

#include <algorithm>
#include <climits>
#include <cstring>

CircleSprite::CircleSprite(const Shape& shape) : m_shape(shape) {
    const QRect everywhere(INT_MIN / 2, INT_MIN / 2, INT_MAX, INT_MAX);
    forEachCircleSpan(0, 0, shape.fractionX, shape.fractionY, shape.radius, shape.lineWidth,
                      shape.style, everywhere, [this](int y, int first, int end, QRgb colour) {
                          Run* last = m_runs.empty() ? nullptr : &m_runs.back();
                          if (last != nullptr && last->y == y && last->x + last->length == first) {
                              last->length += end - first;
                          } else {
                              m_runs.push_back({first, y, end - first, m_pixels.size()});
                          }
                          m_pixels.insert(m_pixels.end(), static_cast<std::size_t>(end - first),
                                          colour);
                          m_bounds |= QRect(first, y, end - first, 1);
                      });
}

void CircleSprite::paint(const WritableRows& rows, int originX, int originY) const {
    const int width = rows.width();
    const int height = rows.height();
    for (const Run& run : m_runs) {
        const int y = originY + run.y;
        if (y < 0 || y >= height) {
            continue;
        }
        const int first = std::max(originX + run.x, 0);
        const int end = std::min(originX + run.x + run.length, width);
        if (end <= first) {
            continue;
        }
        QRgb* line = rows.row(y);
        const QRgb* source = m_pixels.data() + run.firstPixel + (first - originX - run.x);
        std::memcpy(line + first, source, static_cast<std::size_t>(end - first) * sizeof(QRgb));
    }
}

const CircleSprite& SpriteCache::sprite(const CircleSprite::Shape& shape) {
    const auto found = std::find_if(m_sprites.begin(), m_sprites.end(),
                                    [&](const CircleSprite& s) { return s.shape() == shape; });
    if (found != m_sprites.end()) {
        // Most recently used last; a board's sprites are found again in the same order each
        // repaint, so this rarely moves anything.
        std::rotate(found, found + 1, m_sprites.end());
        return m_sprites.back();
    }
    if (m_sprites.size() == capacity) {
        m_sprites.erase(m_sprites.begin());
    }
    return m_sprites.emplace_back(shape);
}

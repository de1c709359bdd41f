#include "offscreen/offscreen_host.h"

#include "board/board_sizes.h"
#include "platform/window_geometry.h"

OffscreenHost::OffscreenHost(Surface& surface, QSize screen)
    : m_surface(surface), m_screen(screen) {
    // Like the real window, the host starts at the Normal size.
    setOuterSize(static_cast<float>(outerWidthTwips(normalSize.cellSize)),
                 static_cast<float>(outerHeightTwips(normalSize.cellSize)));
}

void OffscreenHost::setOuterSize(float widthTwips, float heightTwips) {
    m_widthTwips = widthTwips;
    m_heightTwips = heightTwips;
    // At the scale the surface has, as the real window keeps its screen's.
    m_surface.resize(outerPixelSize(widthTwips, heightTwips, 96, 96, m_screen),
                     m_surface.image().devicePixelRatio());
}

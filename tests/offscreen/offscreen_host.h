#pragma once

#include "platform/form_host.h"
#include "platform/surface.h"

// A window host without a window system, first sized like the real window at the Normal size:
// the surface takes the client size that the outer size gives at 96 dpi on a screen of the given
// size, beeps are counted, and Exit is remembered.
// Tests, benchmarks and the fuzzer drive the board through it.
class OffscreenHost : public FormHost {
public:
    // A screen that holds even the Large board, with room to spare.
    static constexpr QSize largeScreen{3840, 2160};

    explicit OffscreenHost(Surface& surface, QSize screen = largeScreen);

    void setOuterSize(float widthTwips, float heightTwips) override;
    void beep() override { ++m_beeps; }
    void endProgram() override { m_ended = true; }

    int beeps() const { return m_beeps; }
    bool ended() const { return m_ended; }
    float widthTwips() const { return m_widthTwips; }
    float heightTwips() const { return m_heightTwips; }

private:
    Surface& m_surface;
    QSize m_screen;
    int m_beeps = 0;
    bool m_ended = false;
    float m_widthTwips = 0;
    float m_heightTwips = 0;
};

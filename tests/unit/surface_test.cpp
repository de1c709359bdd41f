#include <gtest/gtest.h>

#include <QRect>
#include <cmath>
#include <functional>
#include <random>

#include "board/board_colours.h"
#include "platform/surface.h"
#include "support/board_fixture.h"

namespace {

// Every device pixel of a circle's picture, with the grid's corner at (0, 0): the fill where the
// pixel's centre lies closer than radius - 0.8 to the circle's centre, the colour beneath from
// radius + 0.8 on, and only the outline colour or those two on the rim between.
void expectCircle(const Surface& surface, QPointF centre, double radius, QRgb fill, QRgb under) {
    const QImage& image = surface.image();
    const double ratio = image.devicePixelRatio();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const double distance =
                std::hypot((x + 0.5) / ratio - centre.x(), (y + 0.5) / ratio - centre.y());
            const QRgb shown = image.pixel(x, y);
            if (distance < radius - 0.8) {
                ASSERT_EQ(shown, fill) << "pixel (" << x << ", " << y << ")";
            } else if (distance >= radius + 0.8) {
                ASSERT_EQ(shown, under) << "pixel (" << x << ", " << y << ")";
            } else {
                ASSERT_TRUE(shown == colours::foreground || shown == fill || shown == under)
                    << "pixel (" << x << ", " << y << ")";
            }
        }
    }
}

TEST(Surface, CirclesAreFilledInsideAndOutlinedAtTheirRadiusAtEveryRatio) {
    for (const double ratio : {1.0, 1.25, 1.5, 2.0}) {
        for (const double radius : {1.0, 2.0, 5.0, 15.0, 25.0}) {
            // A dragged piece's centre lies anywhere between device pixels.
            for (const QPointF centre : {QPointF(30, 25), QPointF(30.3, 24.6)}) {
                SCOPED_TRACE(::testing::Message()
                             << "ratio " << ratio << ", radius " << radius << ", centre "
                             << centre.x() << ", " << centre.y());
                Surface surface(QSize(60, 50), ratio);
                surface.setFillColor(colours::red);
                surface.circle(centre.x(), centre.y(), radius);
                surface.paintChanges();
                expectCircle(surface, centre, radius, colours::red, colours::background);
                // The outline lies on the radius: on the centre row, on both sides alike.
                const QImage& image = surface.image();
                const int row = static_cast<int>(centre.y() * ratio);
                int left = 0;
                while (image.pixel(left, row) == colours::background) {
                    ++left;
                }
                int right = image.width() - 1;
                while (image.pixel(right, row) == colours::background) {
                    --right;
                }
                EXPECT_EQ(image.pixel(left, row), colours::foreground);
                EXPECT_EQ(image.pixel(right, row), colours::foreground);
                EXPECT_NEAR((left + right + 1) / 2.0, centre.x() * ratio, 0.5);
                EXPECT_NEAR((right + 1 - left) / ratio, 2 * radius + 1, 1.5);
            }
        }
    }
}

TEST(Surface, TransparentCircleKeepsWhatLiesInsideItsOutline) {
    Surface surface(QSize(40, 40));
    surface.fillBox(0, 0, 40, 40, colours::white);
    surface.setFillStyle(FillStyle::Transparent);
    surface.circle(20, 20, 10);
    surface.paintChanges();
    expectCircle(surface, QPointF(20, 20), 10, colours::white, colours::white);
    EXPECT_EQ(surface.image().pixel(29, 20), colours::foreground);
    EXPECT_EQ(surface.image().pixel(10, 20), colours::foreground);
}

TEST(Surface, NeighbouringBoxesTileWithoutAGapAtEveryRatio) {
    for (const double ratio : {1.0, 1.25, 1.5, 2.0}) {
        SCOPED_TRACE(ratio);
        Surface surface(QSize(30, 10), ratio);
        surface.fillBox(0, 0, 10, 10, colours::black);
        surface.fillBox(10, 0, 20, 10, colours::white);
        surface.paintChanges();
        const QImage& image = surface.image();
        for (int x = 0; x < image.width(); ++x) {
            const double centre = (x + 0.5) / ratio;
            const QRgb pixel = image.pixel(x, image.height() / 2);
            if (centre < 9) {
                ASSERT_EQ(pixel, colours::black) << "column " << x;
            } else if (centre > 11 && centre < 19) {
                ASSERT_EQ(pixel, colours::white) << "column " << x;
            } else if (centre > 21) {
                ASSERT_EQ(pixel, colours::background) << "column " << x;
            } else {
                ASSERT_NE(pixel, centre < 19 ? colours::background : colours::red)
                    << "column " << x;
            }
        }
    }
}

TEST(Surface, ResizeAndClearLeaveOnlyBackgroundAtTheNewSizeAndRatio) {
    Surface surface(QSize(50, 50));
    surface.fillBox(0, 0, 60, 60, colours::red);
    surface.paintChanges();

    surface.resize(QSize(70, 40), 2);
    EXPECT_EQ(surface.size(), QSize(70, 40));
    EXPECT_EQ(surface.image().size(), QSize(140, 80));
    EXPECT_EQ(surface.paintChanges(), QRect(0, 0, 70, 40));
    surface.fillBox(0, 0, 60, 60, colours::red);
    surface.clear();
    surface.paintChanges();
    const QImage& image = surface.image();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            ASSERT_EQ(image.pixel(x, y), colours::background) << "pixel (" << x << ", " << y << ")";
        }
    }
}

TEST(Surface, PaintingOnlyWhatChangedRestoresTheOutlineOfAShapeBesideIt) {
    Surface surface(QSize(60, 40));
    const auto draw = [&](QRgb boxColour) {
        surface.clear();
        surface.circle(15, 15, 15);  // its outline reaches pixel 29
        surface.fillBox(30, 0, 40, 30, boxColour);
        return surface.paintChanges();
    };
    draw(colours::white);
    const QImage first = surface.image().copy();
    ASSERT_EQ(first.pixel(29, 15), colours::foreground);
    EXPECT_FALSE(draw(colours::black).contains(QPoint(10, 15)));
    draw(colours::white);
    EXPECT_TRUE(surface.image() == first);
}

// The area a board reports after each event must hold every pixel that changed since the
// picture was last shown, and the picture painted only there must be the one a full paint
// gives, or the screen would keep a stale piece.
class ChangedArea : public BoardTest {
protected:
    ChangedArea() { surface.paintChanges(); }

    QRect step(const std::function<void()>& event) {
        const QImage shown = surface.image().copy();
        event();
        const QRect changed = surface.paintChanges();
        const QImage now = surface.image().copy();
        expectFullPaintGives(now);
        if (shown.size() != now.size()) {
            EXPECT_EQ(changed, QRect(QPoint(0, 0), surface.size()));
            return changed;
        }
        const double ratio = now.devicePixelRatio();
        for (int y = 0; y < now.height(); ++y) {
            for (int x = 0; x < now.width(); ++x) {
                // The changed area is logical; a device pixel counts where it reaches into it.
                const QRectF logical(x / ratio, y / ratio, 1 / ratio, 1 / ratio);
                if (shown.pixel(x, y) != now.pixel(x, y)) {
                    EXPECT_TRUE(logical.intersects(changed))
                        << "pixel (" << x << ", " << y << ") changed but was not reported";
                    return changed;
                }
            }
        }
        return changed;
    }

    void expectFullPaintGives(const QImage& picture) {
        // A new image keeps nothing of the last picture: every shape is painted afresh.
        const QSize size = surface.size();
        const qreal ratio = picture.devicePixelRatio();
        surface.resize(size + QSize(1, 0), ratio);
        surface.resize(size, ratio);
        surface.paintChanges();
        ASSERT_TRUE(surface.image() == picture) << "a full paint gives another picture";
    }

    void randomEvents(double ratio) {
        surface.resize(surface.size(), ratio);
        surface.paintChanges();
        std::mt19937 random(20261208);
        std::uniform_real_distribution<float> coordinate(-40, 520);
        for (int event = 0; event < 300 && !HasFailure(); ++event) {
            const float x = coordinate(random);
            const float y = coordinate(random);
            switch (random() % 8) {
                case 0:
                    step([&] { mouse.mouseDown(1, 0, x, y); });
                    break;
                case 1:
                    step([&] { mouse.mouseUp(1, 0, x, y); });
                    break;
                case 2:
                    step([&] { (random() % 2 ? form.SmallClick() : form.NormalClick()); });
                    break;
                default:
                    step([&] { mouse.mouseMove(1, 0, x, y); });
            }
        }
    }
};

TEST_F(ChangedArea, DragShowsOnlyThePieceOldAndNewPlacesAndAStillMoveNothing) {
    step([this] { mouse.mouseDown(1, 0, 60, 220); });
    const QRect bounds = step([this] { mouse.mouseMove(1, 0, 62, 225); });
    // The piece (radius 15) moved by (2, 5): its old and new discs lie within a 40 x 40 box.
    EXPECT_LE(bounds.width(), 40);
    EXPECT_LE(bounds.height(), 40);
    EXPECT_TRUE(bounds.contains(QPoint(61, 222)));
    EXPECT_TRUE(step([this] { mouse.mouseMove(1, 0, 62, 225); }).isEmpty());
}

TEST_F(ChangedArea, RandomEventsNeverLeaveAChangedPixelUnreportedOrWronglyPainted) {
    randomEvents(1);
}

TEST_F(ChangedArea, AtAFractionalScaleRandomEventsPaintWhatAFullPaintWould) {
    randomEvents(1.25);
}

}  // namespace

#include <gtest/gtest.h>

#include <QRect>
#include <cmath>
#include <functional>
#include <random>

#include "board/board_colours.h"
#include "platform/surface.h"
#include "support/board_fixture.h"

namespace {

// The colour a circle gives the device pixel (x, y), worked out from the distance of the
// pixel's centre alone: the outline ring is one logical pixel wide around the radius.
QRgb expectedCirclePixel(int x, int y, double cx, double cy, double radius, double ratio, QRgb fill,
                         QRgb under) {
    const double dx = x + 0.5 - cx * ratio;
    const double dy = y + 0.5 - cy * ratio;
    const double distance = std::sqrt(dx * dx + dy * dy);
    if (distance >= (radius + 0.5) * ratio) {
        return under;
    }
    return distance > (radius - 0.5) * ratio ? colours::foreground : fill;
}

TEST(Surface, CirclePixelsFollowTheirDistanceFromTheCentreAtEveryRatio) {
    // Fractional centres, off the left and top or the right and bottom edges at the larger radii.
    for (const QPointF centre : {QPointF(10.3, 24.7), QPointF(50.6, 40.2)}) {
        for (const double ratio : {1.0, 1.25, 2.0}) {
            for (const double radius : {0.4, 5.0, 15.0, 25.5}) {
                SCOPED_TRACE(::testing::Message() << "centre (" << centre.x() << ", " << centre.y()
                                                  << "), ratio " << ratio << ", radius " << radius);
                Surface surface(QSize(60, 50), ratio);
                surface.setFillColor(colours::red);
                surface.circle(centre.x(), centre.y(), radius);
                const QImage& image = surface.image();
                for (int y = 0; y < image.height(); ++y) {
                    for (int x = 0; x < image.width(); ++x) {
                        ASSERT_EQ(image.pixel(x, y),
                                  expectedCirclePixel(x, y, centre.x(), centre.y(), radius, ratio,
                                                      colours::red, colours::background))
                            << "pixel (" << x << ", " << y << ")";
                    }
                }
            }
        }
    }
}

TEST(Surface, TransparentCircleKeepsWhatLiesInsideItsOutline) {
    Surface surface(QSize(40, 40));
    surface.fillBox(0, 0, 40, 40, colours::white);
    surface.setFillStyle(FillStyle::Transparent);
    surface.circle(20, 20, 10);
    EXPECT_EQ(surface.image().pixel(20, 20), colours::white);
    EXPECT_EQ(surface.image().pixel(29, 20), colours::foreground);
    EXPECT_EQ(surface.image().pixel(31, 20), colours::white);
}

TEST(Surface, BoxesCoverThePixelsWhoseCentresTheyHoldSoNeighboursTileExactly) {
    Surface surface(QSize(30, 10), 1.5);
    surface.fillBox(0, 0, 10.2, 10, colours::black);
    surface.fillBox(10.2, 0, 20.5, 10, colours::white);
    const QImage& image = surface.image();
    for (int x = 0; x < image.width(); ++x) {
        const double centre = (x + 0.5) / 1.5;
        const QRgb expected = centre < 10.2   ? colours::black
                              : centre < 20.5 ? colours::white
                                              : colours::background;
        ASSERT_EQ(image.pixel(x, 7), expected) << "column " << x;
    }
}

TEST(Surface, ResizeShowsTheSamePictureAtTheNewSizeAndClearLeavesOnlyBackground) {
    Surface surface(QSize(50, 50));
    surface.fillBox(0, 0, 60, 60, colours::red);
    surface.setFillColor(colours::blue);
    surface.circle(-1e6, 25, 1e6 + 10);
    surface.resize(QSize(70, 40));
    const QImage& image = surface.image();
    EXPECT_EQ(image.pixel(0, 39), colours::blue);
    EXPECT_EQ(image.pixel(55, 39), colours::red) << "the box reaches into the new strip";
    EXPECT_EQ(image.pixel(65, 0), colours::background);

    surface.clear();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            ASSERT_EQ(image.pixel(x, y), colours::background) << "pixel (" << x << ", " << y << ")";
        }
    }
}

TEST(Surface, NewRatioPaintsTheSamePictureCrisplyAtTheSameLogicalSize) {
    Surface surface(QSize(80, 60));
    surface.fillBox(0, 0, 40, 40, colours::white);
    surface.setFillColor(colours::blue);
    surface.circle(20, 20, 15);
    surface.takeChangedArea();

    surface.setDevicePixelRatio(2);
    EXPECT_EQ(surface.size(), QSize(80, 60));
    EXPECT_EQ(surface.image().size(), QSize(160, 120));
    EXPECT_EQ(surface.takeChangedArea(), QRect(0, 0, 80, 60));
    const QImage& image = surface.image();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb under = x < 80 && y < 80 ? colours::white : colours::background;
            ASSERT_EQ(image.pixel(x, y),
                      expectedCirclePixel(x, y, 20, 20, 15, 2, colours::blue, under))
                << "pixel (" << x << ", " << y << ")";
        }
    }
}

// The area a board reports after each event must hold every pixel that changed since the
// picture was last shown, or the screen would keep a stale piece.
class ChangedArea : public BoardTest {
protected:
    ChangedArea() { surface.takeChangedArea(); }

    QRect step(const std::function<void()>& event) {
        const QImage shown = surface.image().copy();
        event();
        const QRect changed = surface.takeChangedArea();
        const QImage& now = surface.image();
        if (shown.size() != now.size()) {
            EXPECT_EQ(changed, QRect(QPoint(0, 0), surface.size()));
            return changed;
        }
        for (int y = 0; y < now.height(); ++y) {
            for (int x = 0; x < now.width(); ++x) {
                if (shown.pixel(x, y) != now.pixel(x, y)) {
                    EXPECT_TRUE(changed.contains(QPoint(x, y)))
                        << "pixel (" << x << ", " << y << ") changed but was not reported";
                    return changed;
                }
            }
        }
        return changed;
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

TEST_F(ChangedArea, RandomEventsNeverLeaveAChangedPixelUnreported) {
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

}  // namespace

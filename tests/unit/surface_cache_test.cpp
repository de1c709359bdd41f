#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <random>

#include "board/form1.h"
#include "platform/offscreen_host.h"
#include "platform/surface.h"

namespace {

// Two boards driven alike: one paints every operation in place, the other through the backdrop
// and sprite caches. Their pictures must never differ, and the changed region the cached one
// reports must cover every pixel that changed since the last time the picture was shown.
class CachedPictureTest : public ::testing::Test {
protected:
    struct Board {
        explicit Board(Surface::Rendering rendering, const QString& file)
            : surface(QSize(1, 1), 1.0, rendering),
              host(surface),
              form(surface, host, QFile::encodeName(file)) {}
        Surface surface;
        OffscreenHost host;
        Form1 form;
    };

    CachedPictureTest()
        : file(folder.path() + "/Videver.txt"),
          direct(Surface::Rendering::Direct, file),
          cached(Surface::Rendering::Cached, file) {
        step([](Form1& form) { form.onLoad(); });
    }

    // Runs one event on both boards, then checks the pictures and the reported change.
    void step(const std::function<void(Form1&)>& event) {
        const QImage shown = cached.surface.image().copy();
        event(direct.form);
        event(cached.form);
        const QImage& expected = direct.surface.image();
        const QImage& actual = cached.surface.image();
        ASSERT_EQ(actual.size(), expected.size());
        ASSERT_TRUE(actual == expected) << "cached picture differs after step " << steps;
        const QRegion changed = cached.surface.takeChangedRegion();
        if (shown.size() == actual.size()) {
            for (int y = 0; y < actual.height(); ++y) {
                for (int x = 0; x < actual.width(); ++x) {
                    if (shown.pixel(x, y) != actual.pixel(x, y)) {
                        ASSERT_TRUE(changed.contains(QPoint(x, y)))
                            << "pixel (" << x << ", " << y << ") changed unreported, step "
                            << steps;
                    }
                }
            }
        }
        lastChanged = changed;
        ++steps;
    }

    void dragStep(float x, float y) {
        step([=](Form1& form) { form.mouseMove(1, 0, x, y); });
    }

    QTemporaryDir folder;
    QString file;
    Board direct;
    Board cached;
    QRegion lastChanged;
    int steps = 0;
};

TEST_F(CachedPictureTest, MatchesPaintingInPlaceAtEverySize) {
    step([](Form1& form) { form.SmallClick(); });
    step([](Form1& form) { form.LargeClick(); });
    step([](Form1& form) { form.NormalClick(); });
    step([](Form1& form) { form.KngClick(); });
}

TEST_F(CachedPictureTest, MatchesPaintingInPlaceThroughADragOverOtherPieces) {
    step([](Form1& form) { form.mouseDown(1, 0, 60, 220); });
    // Up across the red pieces, overlapping them at every step, then off the board and back.
    for (int y = 220; y > 0; y -= 7) {
        dragStep(60 + (y % 11), static_cast<float>(y));
    }
    dragStep(-30, -30);
    dragStep(600, 500);
    step([](Form1& form) { form.mouseUp(1, 0, 600, 500); });
    step([](Form1& form) { form.mouseMove(0, 0, 10, 10); });
}

TEST_F(CachedPictureTest, MatchesPaintingInPlaceAfterLoadingOddSizes) {
    for (const char* header : {" 41  41  15 ", " 40  41  16 ", " 40.5  39  3 "}) {
        QFile saved(file);
        ASSERT_TRUE(saved.open(QIODevice::WriteOnly));
        saved.write(QByteArray(header) + "\r\n");
        for (int line = 0; line < 8; ++line) {
            saved.write(" 1  0  1 \r\n");
        }
        for (int piece = 0; piece < 24; ++piece) {
            // Overlapping pieces, some in the trays and some off the window.
            saved.write(QByteArray::number(piece * 23 - 30) + " " +
                        QByteArray::number(piece * 17 % 400) + " " + QByteArray::number(piece % 4) +
                        "\r\n");
        }
        saved.close();
        step([](Form1& form) { form.LoadClick(); });
        step([](Form1& form) { form.mouseMove(0, 0, 5, 5); });
        step([](Form1& form) { form.KngClick(); });
    }
}

TEST_F(CachedPictureTest, ShowsOnlyTheDraggedPieceOldAndNewPlaces) {
    step([](Form1& form) { form.mouseDown(1, 0, 60, 220); });
    dragStep(62, 225);
    const QRect bounds = lastChanged.boundingRect();
    // The piece (radius 15) moved by (2, 5): its old and new discs lie within a 40 x 40 box.
    EXPECT_LE(bounds.width(), 40);
    EXPECT_LE(bounds.height(), 40);
    EXPECT_TRUE(bounds.contains(QPoint(61, 222)));

    step([](Form1& form) { form.mouseMove(1, 0, 62, 225); });
    EXPECT_TRUE(lastChanged.isEmpty()) << "a move that changes nothing shows nothing";
}

TEST_F(CachedPictureTest, RandomEventsNeverLeaveTheTwoPicturesApart) {
    std::mt19937 random(20261208);
    std::uniform_real_distribution<float> coordinate(-40, 520);
    for (int event = 0; event < 300; ++event) {
        const float x = coordinate(random);
        const float y = coordinate(random);
        switch (random() % 6) {
            case 0:
                step([=](Form1& form) { form.mouseDown(1, 0, x, y); });
                break;
            case 1:
                step([=](Form1& form) { form.mouseUp(1, 0, x, y); });
                break;
            case 5:
                if (random() % 10 == 0) {
                    step([](Form1& form) { form.SmallClick(); });
                    break;
                }
                [[fallthrough]];
            default:
                step([=](Form1& form) { form.mouseMove(1, 0, x, y); });
        }
    }
}

}  // namespace

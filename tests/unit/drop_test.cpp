#include <QPoint>
#include <vector>

#include "board/board_colours.h"
#include "support/drag_fixture.h"

namespace {
constexpr int leftButton = 1;

// At the Normal size piece 10 is the red piece on (100, 100), piece 6 the red one on (140, 60),
// piece 12 the red one on (260, 100), piece 13 the blue one on (60, 220) and piece 22 the blue
// one on (140, 300). Row 3 (y 120..160) is empty; its black squares have centres (60 + 80n, 140).
class DropTest : public DragFixture {
protected:
    // Files piece 1 into the red pieces' tray, so that there is a mark that must not change.
    void fileOnePiece() {
        drag(20, 20, 400, 100);
        ASSERT_EQ(form.Tray1(1, 1), 1);
    }
};

TEST_F(DropTest, BoardPieceOnAFreeBlackSquareMovesThereWithoutABeep) {
    fileOnePiece();
    const std::vector<int> tray1 = trayMarks(form.Tray1);
    std::vector<QPoint> expected = piecePlaces(form);
    drag(105, 98, 145, 138);
    expected[10 - 1] = QPoint(140, 140);
    EXPECT_EQ(piecePlaces(form), expected);
    EXPECT_EQ(pixel(140, 140), colours::red);
    EXPECT_EQ(pixel(100, 100), colours::black);

    // Put down again on its own square, it stays.
    drag(260, 100, 271, 109);
    EXPECT_EQ(piecePlaces(form), expected);
    EXPECT_EQ(trayMarks(form.Tray1), tray1);
    EXPECT_EQ(host.beeps(), 0);
    EXPECT_TRUE(positionIsSound(form));
}

TEST_F(DropTest, BoardPieceOnAnOccupiedSquareGoesBackWithOneBeep) {
    fileOnePiece();
    expectRefused({105, 98}, {150, 70});   // a red piece stands there
    expectRefused({105, 98}, {50, 230});   // a blue one
    expectRefused({300, 300}, {20, 100});  // a blue piece onto a red one
    EXPECT_TRUE(positionIsSound(form));
}

TEST_F(DropTest, BoardPieceOnAWhiteSquareGoesBackWithOneBeep) {
    fileOnePiece();
    expectRefused({105, 98}, {140, 100});
    expectRefused({60, 220}, {100, 140});
    EXPECT_TRUE(positionIsSound(form));
}

TEST_F(DropTest, PieceGrabbedNearItsEdgeLandsOnTheSquareUnderThePointer) {
    mouse.mouseDown(leftButton, 0, 87, 100);  // 13 left of the centre
    mouse.mouseMove(leftButton, 0, 150, 141);
    // Its drawn centre now lies over a white square; the pointer is over a free black one.
    ASSERT_EQ(placeOf(10), QPoint(163, 141));
    mouse.mouseUp(leftButton, 0, 150, 141);
    EXPECT_EQ(placeOf(10), QPoint(140, 140));
    EXPECT_EQ(host.beeps(), 0);
}

TEST_F(DropTest, LastPixelOfTheBoardIsOnItAndTheNextOneIsOff) {
    drag(260, 100, 319, 141);
    EXPECT_EQ(placeOf(12), QPoint(300, 140));  // column 7
    drag(300, 140, 320, 141);
    EXPECT_EQ(placeOf(12), QPoint(380, 20));  // column 8: filed

    drag(140, 300, 141, 319);
    EXPECT_EQ(placeOf(22), QPoint(140, 300));  // row 7, its own square
    drag(140, 300, 141, 320);
    EXPECT_EQ(placeOf(22), QPoint(380, 180));  // row 8: filed

    EXPECT_EQ(host.beeps(), 0);
    EXPECT_TRUE(positionIsSound(form));
}

TEST_F(DropTest, ReleaseWithNothingMovingOnlyRepaints) {
    fileOnePiece();
    const std::vector<QPoint> places = piecePlaces(form);
    const std::vector<int> tray1 = trayMarks(form.Tray1);

    surface.fillBox(0, 0, 1000, 1000, 0xff00ff00);
    mouse.mouseUp(leftButton, 0, 140, 140);  // no press at all
    EXPECT_EQ(pixel(140, 140), colours::black);
    EXPECT_EQ(pixel(380, 20), colours::red);

    mouse.mouseDown(leftButton, 0, 140, 100);  // a press on an empty square
    surface.fillBox(0, 0, 1000, 1000, 0xff00ff00);
    mouse.mouseUp(leftButton, 0, 400, 100);
    EXPECT_EQ(pixel(140, 100), colours::white);

    EXPECT_EQ(host.beeps(), 0);
    EXPECT_EQ(piecePlaces(form), places);
    EXPECT_EQ(trayMarks(form.Tray1), tray1);
}

// Every repaint sizes the window exactly once and nothing else does, so counting the sizings
// counts the repaints.
class RepaintCountingHost : public OffscreenHost {
public:
    using OffscreenHost::OffscreenHost;
    void setOuterSize(float widthTwips, float heightTwips) override {
        ++repaints;
        OffscreenHost::setOuterSize(widthTwips, heightTwips);
    }
    int repaints = 0;
};

TEST(DropRepaintTest, EveryReleaseRepaintsExactlyOnceAndAPressNever) {
    Surface surface{QSize(1, 1)};
    RepaintCountingHost host{surface};
    Form1 form(surface, host);
    MouseHandlers mouse(form, host);
    form.onLoad();

    const struct {
        const char* outcome;
        QPoint grab;
        QPoint release;
    } drags[] = {
        {"moved", {100, 100}, {140, 140}},
        {"refused on a white square", {140, 140}, {140, 100}},
        {"refused on an occupied square", {140, 140}, {20, 20}},
        {"filed", {140, 140}, {400, 100}},
        {"refused from a tray", {380, 20}, {420, 20}},
        {"brought back from a tray", {380, 20}, {140, 140}},
        {"nothing moving", {140, 100}, {140, 100}},
    };
    for (const auto& step : drags) {
        SCOPED_TRACE(step.outcome);
        host.repaints = 0;
        mouse.mouseDown(leftButton, 0, step.grab.x(), step.grab.y());
        EXPECT_EQ(host.repaints, 0);
        mouse.mouseMove(leftButton, 0, step.release.x(), step.release.y());
        EXPECT_EQ(host.repaints, 1);
        mouse.mouseUp(leftButton, 0, step.release.x(), step.release.y());
        EXPECT_EQ(host.repaints, 2);
    }
    EXPECT_EQ(host.beeps(), 3);
    EXPECT_TRUE(positionIsSound(form));
}

}  // namespace

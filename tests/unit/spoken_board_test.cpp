#include <gtest/gtest.h>

#include "board/grid_squares.h"
#include "game_narration.h"
#include "platform/window_geometry.h"
#include "square_names.h"
#include "support/drag_fixture.h"

namespace {
// What a screen reader hears of the board, and what the keyboard reaches, without a window.
class SpokenBoard : public DragFixture {
protected:
    QString name(int column, int row) { return squareName(form, {column, row}); }
    void place(int position, int x, int y) {
        form.pieceAt(position).setX(x);
        form.pieceAt(position).setY(y);
    }
    // A press where the keyboard presses on the square, then a release at the square's centre.
    void keyboardMove(QPoint from, QPoint to) {
        const QPointF at = grid::pickPoint(form, from);
        mouse.mouseDown(1, 0, float(at.x()), float(at.y()));
        const QPointF centre = grid::squareArea(form, to).center();
        mouse.mouseMove(0, 0, float(centre.x()), float(centre.y()));
        mouse.mouseUp(1, 0, float(centre.x()), float(centre.y()));
    }

    GameNarration narration;
};

TEST_F(SpokenBoard, SquaresAreNamedShortlyInDraughtsNumbersWithWhatLiesThere) {
    EXPECT_EQ(name(0, 0), "1, red piece");
    EXPECT_EQ(name(7, 1), "8, red piece");
    EXPECT_EQ(name(2, 4), "18, empty");
    EXPECT_EQ(name(7, 7), "32, blue piece");
    EXPECT_EQ(name(1, 0), "white square, empty");
    EXPECT_EQ(name(8, 3), "gap, empty");
    EXPECT_EQ(name(9, 0), "red tray cell 1, empty");
    EXPECT_EQ(name(11, 3), "red tray cell 12, empty");
    EXPECT_EQ(name(10, 5), "blue tray cell 5, empty");
    EXPECT_EQ(positionWords(form),
              "Red on 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12; 0 in the red tray. Blue on 21, 22, "
              "23, 24, 25, 26, 27, 28, 29, 30, 31, 32; 0 in the blue tray.");
    EXPECT_EQ(rowWords(form, 3).left(40), "Row 4: white square, empty; 13, empty; w");
}

TEST_F(SpokenBoard, WhatIsNotDrawnIsNotNamedAndWhatIsDrawnCanBeReached) {
    place(1, 60, 60 + 40 * 2);      // leave the first squares alone
    form.pieceAt(9).setSH_TYPE(0);  // on 9, never painted
    form.pieceAt(10).setR(0);       // on 10, never painted
    EXPECT_EQ(name(0, 2), "9, empty");
    EXPECT_EQ(name(2, 2), "10, empty");
    // Neither can be picked up, from the square nor by the mouse.
    mouse.mouseDown(1, 0, 20, 100);
    EXPECT_FALSE(mouse.movingPiece());
    mouse.mouseDown(1, 0, 100, 100);
    EXPECT_FALSE(mouse.movingPiece());

    // A piece on the corner of four squares shows on the dark ones it reaches into, and the
    // keyboard picks it up from there.
    place(24, 120, 160);  // the corner of squares 14 and 18 and two white ones
    EXPECT_EQ(name(3, 3), "14, blue piece");
    EXPECT_EQ(name(2, 4), "18, blue piece");
    EXPECT_EQ(name(2, 3), "white square, blue piece");
    keyboardMove({2, 4}, {4, 4});
    EXPECT_EQ(placeOf(24), QPoint(180, 180));
}

TEST_F(SpokenBoard, GridFollowsTheSquaresAsDrawnWhenTheTwoSizesDiffer) {
    // A file's header "40 60 15": squares 60 apart, 40 wide (then 20 of background), 60 high.
    form.CellSizeI = 60;
    EXPECT_EQ(grid::squareArea(form, {1, 2}), QRectF(60, 120, 40, 60));
    EXPECT_EQ(grid::squareArea(form, {7, 0}), QRectF(420, 0, 40, 60));
    EXPECT_EQ(grid::squareArea(form, {9, 0}), QRectF(360, 0, 40, 60));
    EXPECT_TRUE(grid::squareArea(form, {8, 0}).isEmpty());  // the trays cover the gap
    EXPECT_EQ(grid::squareAt(form, {70, 130}), QPoint(1, 2));
    EXPECT_EQ(grid::squareAt(form, {105, 130}), std::nullopt);  // background between squares
    EXPECT_EQ(grid::squareAt(form, {370, 10}), QPoint(9, 0));   // the tray, painted last
    // The starting pieces lie at (20 + 60 k, 20 + 60 r): named on the square they are drawn on.
    place(1, 20 + 60 * 2, 20 + 60 * 2);
    EXPECT_EQ(name(2, 2), "10, red piece");
}

TEST_F(SpokenBoard, EveryMoveIsPutIntoWordsOnceWhateverMadeIt) {
    const auto say = [&] { return narration.describe(form, mouse.outcome()); };
    mouse.mouseDown(1, 0, 20, 100);
    EXPECT_EQ(say(), "Picked up red piece on 9.");
    // A carried piece is not named on the square it passes: a free square sounds free.
    mouse.mouseMove(1, 0, 20, 101);
    EXPECT_EQ(say(), "");  // still over 9
    mouse.mouseMove(1, 0, 60, 140);
    EXPECT_EQ(say(), "Carrying red piece over 13, empty.");
    EXPECT_EQ(narration.carried(form, mouse.movingPiece()),
              "Carrying red piece from 9, over 13, empty.");
    mouse.mouseMove(1, 0, 60, 60);
    EXPECT_EQ(say(), "Carrying red piece over 5, red piece.");
    mouse.mouseUp(1, 0, 60, 60);
    EXPECT_EQ(say(), "Refused, the square is taken: red piece back on 9.");
    EXPECT_EQ(narration.lastMove(), "Refused, the square is taken: red piece back on 9.");

    drag(20, 100, 60, 100);
    EXPECT_EQ(say(), "Refused, a white square: red piece back on 9.");
    drag(20, 100, 60, 140);
    EXPECT_EQ(say(), "Red piece dropped on 13.");
    drag(60, 140, 400, 400);
    EXPECT_EQ(say(), "Red piece filed in red tray cell 1.");
    drag(380, 20, 420, 300);
    EXPECT_EQ(say(),
              "Refused, a tray piece goes only onto a free black square: red piece back "
              "on red tray cell 1.");
    mouse.mouseDown(1, 0, 380, 20);
    mouse.putBack();
    EXPECT_EQ(say(), "Red piece put back on red tray cell 1.");
    EXPECT_EQ(narration.carried(form, mouse.movingPiece()), "Nothing carried.");
    mouse.mouseDown(1, 0, 60, 140);
    EXPECT_EQ(say(), "");  // a press on nothing changes nothing
}

TEST(AccessibleScreenPixels, AtAScaleReadersGetTheWindowSystemsPixels) {
    const QRect screen(0, 0, 640, 512);  // a 1280 x 1024 screen at twice the scale
#ifdef Q_OS_WIN
    EXPECT_EQ(accessibleScreenRect(QRect(100, 50, 40, 40), screen, 2), QRect(100, 50, 40, 40));
#else
    EXPECT_EQ(accessibleScreenRect(QRect(100, 50, 40, 40), screen, 2), QRect(200, 100, 80, 80));
    EXPECT_EQ(logicalScreenPoint(QPoint(201, 101), screen, 2), QPoint(100, 50));
    // A second screen keeps its corner.
    const QRect right(1280, 0, 640, 512);
    EXPECT_EQ(accessibleScreenRect(QRect(1290, 10, 10, 10), right, 2), QRect(1300, 20, 20, 20));
    // At 1.25 device pixel 12 is logical 9.6, the pixel before the square.
    EXPECT_EQ(accessibleScreenRect(QRect(10, 10, 40, 40), screen, 1.25), QRect(13, 13, 50, 50));
#endif
}

TEST(AccessibleScreenPixels, AtEveryScaleSquaresTileAndEachOfTheirPixelsLeadsBackToThem) {
    const QRect screen(1280, 0, 640, 512);  // a second screen, whose corner counts
    for (const qreal ratio : {1.0, 1.25, 1.5, 2.0}) {
        for (int left = 1283; left < 1283 + 3 * 40; left += 40) {
            const QRect square(left, 7, 40, 40);
            const QRect extents = accessibleScreenRect(square, screen, ratio);
            const QRect right = accessibleScreenRect(square.translated(40, 0), screen, ratio);
            const QRect below = accessibleScreenRect(square.translated(0, 40), screen, ratio);
            EXPECT_EQ(right.left(), extents.right() + 1) << ratio << " at " << left;
            EXPECT_EQ(below.top(), extents.bottom() + 1) << ratio << " at " << left;
            for (int y = extents.top(); y <= extents.bottom(); ++y) {
                for (int x = extents.left(); x <= extents.right(); ++x) {
                    ASSERT_TRUE(square.contains(logicalScreenPoint({x, y}, screen, ratio)))
                        << ratio << ": device pixel " << x << ", " << y;
                }
            }
        }
    }
}

}  // namespace

#include <gtest/gtest.h>

#include "accessibility/move_history.h"
#include "accessibility/move_words.h"
#include "accessibility/readings.h"
#include "accessibility/square_words.h"
#include "board/grid_squares.h"
#include "platform/window_geometry.h"
#include "support/drag_fixture.h"

namespace {
// What a screen reader hears of the board, and what the keyboard reaches, without a window:
// always what the drop rules will do.
class SpokenBoard : public DragFixture {
protected:
    QString name(int column, int row) { return words::squareName(form, {column, row}); }
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
    QString said() { return words::moveSentence(form, mouse.outcome()); }
};

TEST_F(SpokenBoard, SquaresAreNamedShortlyInDraughtsNumbersWithWhatLiesThere) {
    EXPECT_EQ(name(0, 0), "1, red piece");
    EXPECT_EQ(name(7, 1), "8, red piece");
    EXPECT_EQ(name(2, 4), "18, empty");
    EXPECT_EQ(name(1, 0), "white square, empty");
    EXPECT_EQ(name(8, 3), "gap, empty");
    EXPECT_EQ(name(11, 3), "red tray cell 12, empty");
    EXPECT_EQ(name(10, 5), "blue tray cell 5, empty");
    EXPECT_EQ(words::positionReading(form),
              "Red on 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12; 0 in the red tray. Blue on 21, 22, "
              "23, 24, 25, 26, 27, 28, 29, 30, 31, 32; 0 in the blue tray.");
    EXPECT_EQ(words::rowReading(form, 3), "Row 4: 13 empty, 14 empty, 15 empty, 16 empty.");
    EXPECT_EQ(words::rowReading(form, 2), "Row 3: 9 red, 10 red, 11 red, 12 red.");
}

TEST_F(SpokenBoard, ACarriedPieceIsReadAsCarriedAndTheOthersWhereTheyLie) {
    mouse.mouseDown(1, 0, 20, 100);  // red 9
    mouse.mouseMove(1, 0, 62, 101);  // over 10's left neighbour, a white square
    EXPECT_EQ(words::sideReading(form, words::Side::Red),
              "Red on 1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 12; 0 in the red tray.");
    EXPECT_EQ(name(0, 2), "9, empty");
    EXPECT_EQ(words::carriedReading(form, mouse.movingPiece()),
              "Carrying red 9 over white square.");
    mouse.mouseDown(1, 0, 300, 300);  // blue 24, over 21's corner, by another button: nothing
    mouse.putBack();
    mouse.mouseDown(1, 0, 60, 300);  // blue 29 held over the corner of 25
    mouse.mouseMove(1, 0, 41, 259);
    EXPECT_EQ(words::sideReading(form, words::Side::Blue).left(22), "Blue on 21, 22, 23, 24");
    EXPECT_FALSE(words::sideReading(form, words::Side::Blue).contains("29"));
}

TEST_F(SpokenBoard, NamesSayWhatTheDropRulesWillDoForAnyLoadedFile) {
    // Squares painted 50 apart but snapped 40 apart: the words follow the drop.
    form.CellSizeI = 50;
    EXPECT_EQ(name(1, 3), "13, empty");
    keyboardMove({0, 2}, {1, 3});
    EXPECT_EQ(placeOf(9), QPoint(60, 140));
    EXPECT_EQ(said(), "Red 9 to 13.");
    form.CellSizeI = 40;

    // Trays are counted by the tray a piece lies in, whatever its side.
    place(21, 380, 20);
    form.pieceAt(22).setSH_TYPE(3);
    place(22, 420, 20);
    EXPECT_TRUE(words::sideReading(form, words::Side::Blue)
                    .endsWith("32; 1 in the red tray; 0 in the blue tray."));
    EXPECT_EQ(name(10, 0), "red tray cell 2, black piece");

    // A side-0 piece is never painted, yet it takes its square and a press picks it up.
    form.pieceAt(10).setSH_TYPE(0);
    EXPECT_EQ(name(2, 2), "10, invisible piece");
    drag(100, 100, 220, 140);
    EXPECT_EQ(said(), "Invisible 10 to 15.");

    // A piece on the left edge of 9 lies off the board for the rules: it only reaches in.
    place(1, 0, 100);
    EXPECT_EQ(name(0, 2), "9, empty, red piece reaching in");
    EXPECT_TRUE(words::sideReading(form, words::Side::Red).endsWith("; 1 off the board."));
    place(2, 340, 100);  // in the gap
    EXPECT_TRUE(words::sideReading(form, words::Side::Red).contains("; 1 in the gap;"));

    // A stack is named whole, the piece on top first; a piece across four squares once, where
    // the rules have it, and as reaching in on the others.
    place(4, 140, 60);
    EXPECT_EQ(name(3, 1), "6, red piece over red piece");
    place(24, 120, 160);  // the corner of 14 and 18 and two white squares
    EXPECT_EQ(name(3, 4), "white square, blue piece off centre");
    EXPECT_EQ(name(3, 3), "14, empty, blue piece reaching in");
    EXPECT_EQ(name(2, 4), "18, empty, blue piece reaching in");
    keyboardMove({2, 4}, {4, 4});
    EXPECT_EQ(placeOf(24), QPoint(180, 180));
}

TEST_F(SpokenBoard, EachMoveIsOneSentenceWithItsOriginAndTheHistoryStepsBack) {
    MoveHistory history;
    const auto move = [&](float fromX, float fromY, float toX, float toY) {
        drag(fromX, fromY, toX, toY);
        history.add(said());
        return said();
    };
    EXPECT_EQ(move(60, 220, 100, 180), "Blue 21 to 18.");
    EXPECT_EQ(move(20, 100, 60, 60), "Refused: red 9 to 5, taken, back on 9.");
    EXPECT_EQ(move(20, 100, 60, 100), "Refused: red 9 to a white square, back on 9.");
    EXPECT_EQ(move(20, 100, 400, 400), "Red 9 taken to red tray cell 1.");
    EXPECT_EQ(move(380, 20, 420, 300),
              "Refused: red from red tray cell 1 to blue tray cell 11, back on red tray cell 1.");
    EXPECT_EQ(move(380, 20, 60, 140), "Red back from red tray cell 1 to 13.");
    mouse.mouseDown(1, 0, 60, 140);
    EXPECT_EQ(words::pickUpSentence(form, *mouse.movingPiece()), "Picked up red 13.");
    mouse.putBack();
    EXPECT_EQ(said(), "Red 13 put back.");
    drag(60, 140, 61, 141);
    EXPECT_EQ(said(), "Red 13 put back.");

    EXPECT_EQ(history.read(false), "Red back from red tray cell 1 to 13.");
    EXPECT_EQ(history.read(true).left(15), "Refused: red fr");
    for (int step = 0; step < 4; ++step) {
        history.read(true);
    }
    EXPECT_EQ(history.read(true), "No earlier move.");
    EXPECT_EQ(history.read(false), "Red back from red tray cell 1 to 13.");
    history.clear();
    EXPECT_EQ(history.read(false), "No move yet.");
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

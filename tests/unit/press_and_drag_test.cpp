#include <QPoint>
#include <vector>

#include "board/board_colours.h"
#include "support/drag_fixture.h"

namespace {
// Button state as the window reports it: 1 left, 2 right, 4 middle; modifiers 1 shift,
// 2 control, 4 alt.
constexpr int leftButton = 1;
constexpr int rightButton = 2;
constexpr int middleButton = 4;

// At the Normal size piece 10 is the red piece centred on (100, 100) and piece 1 the red piece
// on (20, 20); piece 24, the last, is blue on (300, 300).
constexpr int piece10 = 10;

class PressAndDragTest : public DragFixture {
protected:
    // Covers the whole window in green, so that a repaint shows.
    void paintOverByHand() { surface.fillBox(0, 0, 1000, 1000, 0xff00ff00); }
};

TEST_F(PressAndDragTest, DraggedPieceKeepsTheOffsetAtWhichItWasGrabbed) {
    mouse.mouseDown(leftButton, 0, 105, 98);
    EXPECT_TRUE(form.pieceAt(piece10).ISMOVING);
    EXPECT_EQ(form.DragStartX, 100);
    EXPECT_EQ(form.DragStartY, 100);
    EXPECT_EQ(form.LastMouseX, 105);
    EXPECT_EQ(form.LastMouseY, 98);

    std::vector<QPoint> expected = piecePlaces(form);
    mouse.mouseMove(leftButton, 0, 125, 140);
    expected[piece10 - 1] = QPoint(120, 142);
    EXPECT_EQ(piecePlaces(form), expected);
    EXPECT_EQ(pixel(120, 142), colours::red);
    EXPECT_EQ(pixel(100, 100), colours::black);  // the square it left shows again
}

TEST_F(PressAndDragTest, PressingRepaintsNothing) {
    surface.paintChanges();
    mouse.mouseDown(leftButton, 0, 105, 98);  // on a piece
    EXPECT_TRUE(surface.paintChanges().isEmpty());
    mouse.mouseUp(leftButton, 0, 105, 98);
    surface.paintChanges();
    mouse.mouseDown(leftButton, 0, 140, 100);  // on an empty square
    EXPECT_TRUE(surface.paintChanges().isEmpty());
}

TEST_F(PressAndDragTest, PressOnOverlappingPiecesTakesTheFirstInPiecesOrder) {
    // The blue piece lies over piece 10 and is painted on top of it, yet comes later.
    form.pieceAt(24).setX(108);
    form.pieceAt(24).setY(100);
    mouse.mouseDown(leftButton, 0, 104, 100);
    EXPECT_TRUE(form.pieceAt(piece10).ISMOVING);
    EXPECT_FALSE(form.pieceAt(24).ISMOVING);
    EXPECT_EQ(form.DragStartX, 100);
    EXPECT_EQ(form.DragStartY, 100);

    mouse.mouseMove(leftButton, 0, 144, 140);
    EXPECT_EQ(placeOf(piece10), QPoint(140, 140));
    EXPECT_EQ(placeOf(24), QPoint(108, 100));
}

TEST_F(PressAndDragTest, PressOnNothingLeavesNoPieceMarkedAndKeepsThePickUpPoint) {
    drag(105, 98, 105, 98);  // leaves DragStartX/Y at (100, 100)
    mouse.mouseDown(rightButton, 0, 140, 100);
    EXPECT_EQ(markedPieces(form), 0);
    EXPECT_EQ(form.DragStartX, 100);
    EXPECT_EQ(form.DragStartY, 100);
    EXPECT_EQ(form.LastMouseX, 140);
    EXPECT_EQ(form.LastMouseY, 100);

    const std::vector<QPoint> before = piecePlaces(form);
    mouse.mouseMove(rightButton, 0, 60, 20);
    EXPECT_EQ(piecePlaces(form), before);
}

TEST_F(PressAndDragTest, AnyButtonAndAnyModifierDragsLikeTheLeftButton) {
    const int combinations[][2] = {{rightButton, 0}, {middleButton, 0}, {leftButton, 1},
                                   {leftButton, 2},  {leftButton, 4},   {rightButton, 7}};
    for (const auto& [button, shift] : combinations) {
        SCOPED_TRACE(::testing::Message() << "button " << button << ", modifiers " << shift);
        mouse.mouseDown(button, shift, 105, 98);
        EXPECT_TRUE(form.pieceAt(piece10).ISMOVING);
        mouse.mouseMove(button, shift, 125, 140);
        EXPECT_EQ(placeOf(piece10), QPoint(120, 142));
        mouse.mouseMove(button, shift, 105, 98);
        mouse.mouseUp(button, shift, 105, 98);
        EXPECT_EQ(markedPieces(form), 0);
        EXPECT_EQ(placeOf(piece10), QPoint(100, 100));
    }
    EXPECT_EQ(host.beeps(), 0);
}

TEST_F(PressAndDragTest, FirstMoveBeforeAnyPressMovesNothingAndRecordsThePointer) {
    const std::vector<QPoint> before = piecePlaces(form);
    mouse.mouseMove(0, 0, 7, -3);
    EXPECT_EQ(piecePlaces(form), before);
    EXPECT_EQ(form.LastMouseX, 7);
    EXPECT_EQ(form.LastMouseY, -3);
}

TEST_F(PressAndDragTest, FirstMoveOffsetCountsFromTheOrigin) {
    // Only a piece marked by hand can show the offset of a move that follows no press.
    form.pieceAt(piece10).ISMOVING = true;
    mouse.mouseMove(0, 0, 7, -3);
    EXPECT_EQ(placeOf(piece10), QPoint(107, 97));
}

TEST_F(PressAndDragTest, EveryMoveRepaintsEvenWithNothingMarked) {
    const std::vector<QPoint> before = piecePlaces(form);
    for (const QPoint pointer : {QPoint(50, 70), QPoint(-20, 500), QPoint(50, 70)}) {
        SCOPED_TRACE(::testing::Message() << "move to " << pointer.x() << ", " << pointer.y());
        paintOverByHand();
        mouse.mouseMove(0, 0, pointer.x(), pointer.y());
        EXPECT_EQ(pixel(20, 20), colours::red);
        EXPECT_EQ(pixel(60, 20), colours::white);
        EXPECT_EQ(pixel(400, 100), colours::lightBlue);
    }
    EXPECT_EQ(piecePlaces(form), before);
}

TEST_F(PressAndDragTest, SecondPressDuringADragChangesNothing) {
    mouse.mouseDown(leftButton, 0, 105, 98);
    mouse.mouseMove(leftButton, 0, 125, 140);  // piece 10 now at (120, 142)

    // Away from every piece: were the dragged piece asked, it would drop its mark.
    mouse.mouseDown(rightButton, 0, 300, 140);
    // Over piece 1, which comes before the dragged piece.
    mouse.mouseDown(middleButton, 0, 20, 20);
    EXPECT_FALSE(form.pieceAt(1).ISMOVING);
    EXPECT_TRUE(form.pieceAt(piece10).ISMOVING);
    EXPECT_EQ(markedPieces(form), 1);
    EXPECT_EQ(form.DragStartX, 100);
    EXPECT_EQ(form.DragStartY, 100);
    EXPECT_EQ(form.LastMouseX, 125);
    EXPECT_EQ(form.LastMouseY, 140);

    mouse.mouseMove(leftButton | rightButton | middleButton, 0, 135, 150);
    EXPECT_EQ(placeOf(piece10), QPoint(130, 152));
    EXPECT_EQ(placeOf(1), QPoint(20, 20));

    mouse.mouseUp(middleButton, 0, 135, 150);
    mouse.mouseUp(rightButton, 0, 135, 150);
    mouse.mouseUp(leftButton, 0, 135, 150);
    EXPECT_EQ(markedPieces(form), 0);
    EXPECT_EQ(placeOf(piece10), QPoint(140, 140));
    EXPECT_EQ(placeOf(1), QPoint(20, 20));
    EXPECT_EQ(host.beeps(), 0);
    EXPECT_TRUE(positionIsSound(form));
}

TEST_F(PressAndDragTest, SecondPressOnTheDraggedPieceKeepsItsPickUpPoint) {
    mouse.mouseDown(leftButton, 0, 105, 98);
    mouse.mouseMove(leftButton, 0, 125, 140);       // piece 10 now at (120, 142)
    mouse.mouseDown(rightButton, 0, 120, 142);      // right on it
    mouse.mouseUp(rightButton, 0, 140, 100);        // a white square: refused
    EXPECT_EQ(placeOf(piece10), QPoint(100, 100));  // back where the drag began
    EXPECT_EQ(host.beeps(), 1);
    mouse.mouseUp(leftButton, 0, 140, 100);
    EXPECT_EQ(host.beeps(), 1);
    EXPECT_TRUE(positionIsSound(form));
}

TEST_F(PressAndDragTest, PutBackReturnsAHeldPieceSilentlyFromTheBoardAndFromATray) {
    // From the board: dragged over a free black square, then put back.
    mouse.mouseDown(leftButton, 0, 105, 98);
    const std::vector<QPoint> places = piecePlaces(form);
    mouse.mouseMove(leftButton, 0, 145, 138);
    mouse.putBack();
    EXPECT_EQ(piecePlaces(form), places);
    EXPECT_EQ(markedPieces(form), 0);
    EXPECT_EQ(pixel(100, 100), colours::red);
    EXPECT_EQ(pixel(140, 140), colours::black);

    // From a tray: filed, picked up again and put back, its cell still marked.
    drag(100, 100, 400, 100);
    ASSERT_EQ(placeOf(piece10), QPoint(380, 20));
    mouse.mouseDown(leftButton, 0, 380, 20);
    mouse.mouseMove(leftButton, 0, 140, 140);
    mouse.putBack();
    EXPECT_EQ(placeOf(piece10), QPoint(380, 20));
    EXPECT_EQ(form.Tray1(1, 1), 1);
    EXPECT_EQ(markedPieces(form), 0);
    EXPECT_EQ(host.beeps(), 0);
    EXPECT_TRUE(positionIsSound(form));

    // With nothing held it changes nothing.
    mouse.putBack();
    EXPECT_EQ(placeOf(piece10), QPoint(380, 20));
}

}  // namespace

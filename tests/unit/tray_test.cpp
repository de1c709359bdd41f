#include <QPoint>
#include <vector>

#include "board/board_colours.h"
#include "support/drag_fixture.h"

namespace {
// At the Normal size the cells of the red pieces' tray have centres x 380, 420, 460 and
// y 20, 60, 100, 140; those of the blue pieces' tray the same x and y 180, 220, 260, 300.
class TrayTest : public DragFixture {
protected:
    // From row and column first onwards; the entries with index 0 name no cell.
    static void markEveryEntry(TrayGrid& tray, int first) {
        for (int row = first; row <= 4; ++row) {
            for (int column = first; column <= 3; ++column) {
                tray(row, column) = 1;
            }
        }
    }
};

TEST_F(TrayTest, PiecesTakenOffTheBoardFillTheirOwnTrayRowByRowWithoutABeep) {
    drag(20, 20, -30, -50);     // left of and above the window
    drag(100, 20, 100, 330);    // below the board
    drag(180, 20, 330, 100);    // in the gap column
    drag(260, 20, 420, 260);    // over the blue pieces' tray
    drag(300, 300, 5000, -40);  // far outside the window
    EXPECT_EQ(placeOf(1), QPoint(380, 20));
    EXPECT_EQ(placeOf(2), QPoint(420, 20));
    EXPECT_EQ(placeOf(3), QPoint(460, 20));
    EXPECT_EQ(placeOf(4), QPoint(380, 60));
    EXPECT_EQ(placeOf(24), QPoint(380, 180));

    std::vector<int> tray1(20, 0);
    for (const auto& [row, column] : {std::pair{1, 1}, {1, 2}, {1, 3}, {2, 1}}) {
        tray1[row * 4 + column] = 1;
    }
    std::vector<int> tray2(20, 0);
    tray2[1 * 4 + 1] = 1;
    EXPECT_EQ(trayMarks(form.Tray1), tray1);
    EXPECT_EQ(trayMarks(form.Tray2), tray2);

    EXPECT_EQ(host.beeps(), 0);
    EXPECT_EQ(pixel(380, 60), colours::red);
    EXPECT_EQ(pixel(380, 180), colours::blue);
    EXPECT_EQ(pixel(20, 20), colours::black);
    EXPECT_TRUE(positionIsSound(form));
}

TEST_F(TrayTest, TrayPieceLetGoAnywhereOffTheBoardIsRefusedAndKeepsItsMark) {
    drag(20, 20, 400, 100);   // piece 1 into cell (1, 1) at (380, 20)
    drag(100, 20, 400, 100);  // piece 2 into cell (1, 2) at (420, 20)
    for (const QPoint release :
         {QPoint(380, 20), QPoint(460, 140), QPoint(420, 20), QPoint(420, 260), QPoint(340, 100),
          QPoint(320, 141), QPoint(141, 320), QPoint(-10, -10), QPoint(700, 900)}) {
        expectRefused({385, 25}, release);
    }
}

TEST_F(TrayTest, TrayPieceOnAnOccupiedOrWhiteSquareIsRefusedAndKeepsItsMark) {
    drag(20, 20, 400, 100);
    expectRefused({380, 20}, {100, 20});   // a red piece stands there
    expectRefused({380, 20}, {60, 300});   // a blue one
    expectRefused({380, 20}, {100, 140});  // white
}

TEST_F(TrayTest, TrayPieceOnAFreeBlackSquareFreesItsCellForTheNextFiling) {
    drag(20, 20, 400, 100);    // piece 1 into (1, 1)
    drag(100, 20, 400, 100);   // piece 2 into (1, 2)
    drag(180, 20, 400, 100);   // piece 3 into (1, 3)
    drag(300, 300, 400, 300);  // piece 24 into the blue pieces' tray, (1, 1)
    drag(220, 300, 400, 300);  // piece 23 into (1, 2)

    drag(420, 20, 319, 141);  // piece 2 back onto the last column of the board
    EXPECT_EQ(placeOf(2), QPoint(300, 140));
    EXPECT_EQ(form.Tray1(1, 2), 0);
    EXPECT_EQ(form.Tray1(1, 1), 1);
    EXPECT_EQ(form.Tray1(1, 3), 1);
    drag(380, 180, 60, 140);  // piece 24 back
    EXPECT_EQ(placeOf(24), QPoint(60, 140));
    EXPECT_EQ(form.Tray2(1, 1), 0);
    EXPECT_EQ(form.Tray2(1, 2), 1);
    EXPECT_EQ(host.beeps(), 0);

    drag(260, 20, 400, 100);  // the next red piece takes the freed cell, not (2, 1)
    EXPECT_EQ(placeOf(4), QPoint(420, 20));
    drag(140, 300, 400, 100);  // the next blue one too
    EXPECT_EQ(placeOf(22), QPoint(380, 180));
    EXPECT_EQ(form.Tray1(2, 1), 0);
    EXPECT_TRUE(positionIsSound(form));
}

TEST_F(TrayTest, FilingIntoAFullTrayIsRefusedWithOneBeep) {
    // Marks that no longer match the pieces: every cell of both trays is taken, none by a piece.
    markEveryEntry(form.Tray1, 1);
    markEveryEntry(form.Tray2, 1);
    expectRefused({100, 100}, {400, 100});
    expectRefused({300, 300}, {-5, 330});
}

TEST_F(TrayTest, FilingPassesOverACellThatAFileLaidAPieceOnThoughItsMarkIsFree) {
    // A hand-edited file: piece 1 lies in red cell (1, 1), piece 2 just inside cell (1, 2), and
    // every mark is 0.
    form.pieceAt(1).setX(380);
    form.pieceAt(1).setY(20);
    form.pieceAt(2).setX(401);
    form.pieceAt(2).setY(39);
    drag(180, 20, 600, 20);  // piece 3
    EXPECT_EQ(placeOf(3), QPoint(460, 20));
    EXPECT_EQ(form.Tray1(1, 3), 1);
    EXPECT_EQ(form.Tray1(1, 1), 0);
    EXPECT_EQ(host.beeps(), 0);

    // A piece let go over the very cell it is filed into is no obstacle to itself.
    drag(260, 20, 380, 60);  // piece 4, over cell (2, 1)
    EXPECT_EQ(placeOf(4), QPoint(380, 60));

    // With every other cell taken, there is no cell left: refused, back, with a beep.
    markEveryEntry(form.Tray1, 1);
    form.Tray1(1, 1) = 0;
    expectRefused({60, 60}, {600, 20});
}

TEST_F(TrayTest, TrayPieceAwayFromEveryCellIsAcceptedWithoutWritingAMark) {
    // Only a loaded file puts a piece there. Every entry is set, so that any write shows, even
    // one into an entry that names no cell.
    markEveryEntry(form.Tray1, 0);
    markEveryEntry(form.Tray2, 0);
    const std::vector<int> tray1 = trayMarks(form.Tray1);
    const std::vector<int> tray2 = trayMarks(form.Tray2);
    const struct {
        int piece;
        QPoint place;
        QPoint target;
    } strays[] = {
        {1, {500, 20}, {140, 140}},     // red, right of every tray column
        {2, {380, 1000}, {220, 140}},   // red, far below its tray
        {3, {330, 20}, {60, 140}},      // red, in the gap column: column 0
        {24, {420, 1000}, {300, 140}},  // blue, far below its tray
        {23, {460, 140}, {20, 180}},    // blue, level with the red tray: row 0
    };
    for (const auto& stray : strays) {
        SCOPED_TRACE(::testing::Message() << "piece " << stray.piece << " at (" << stray.place.x()
                                          << ", " << stray.place.y() << ")");
        VIDEVER& piece = form.pieceAt(stray.piece);
        piece.setX(stray.place.x());
        piece.setY(stray.place.y());
        drag(stray.place.x(), stray.place.y(), stray.target.x(), stray.target.y());
        EXPECT_EQ(placeOf(stray.piece), stray.target);
        EXPECT_EQ(trayMarks(form.Tray1), tray1);
        EXPECT_EQ(trayMarks(form.Tray2), tray2);
    }
    EXPECT_EQ(host.beeps(), 0);
}

}  // namespace

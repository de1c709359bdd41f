#include "support/board_fixture.h"
#include "support/board_invariants.h"

#include <ostream>
#include <string>

#include "board/board_colours.h"
#include "platform/errors.h"

using MenuCommands = BoardTest;

TEST_F(MenuCommands, NewGameMidGamePutsEveryPieceBackAndEmptiesBothTrays) {
    form.LargeClick();
    // Take a red and a blue piece off the board into their trays, and move another piece.
    drag(30, 150, 510, 30);   // piece 9 into the first cell of the red tray
    drag(450, 330, 510, 30);  // piece 16 into the first cell of the blue tray
    drag(150, 150, 90, 210);  // piece 10 one row down
    ASSERT_EQ(form.pieceAt(9).X(), 570);
    ASSERT_EQ(form.Tray1(1, 1), 1);
    ASSERT_EQ(form.Tray2(1, 1), 1);
    ASSERT_EQ(form.pieceAt(10).Y(), 210);

    form.KngClick();

    EXPECT_EQ(form.CellSize, 60);
    EXPECT_EQ(form.CellSizeI, 60);
    EXPECT_EQ(form.PieceRadius, 25);
    ASSERT_EQ(form.Pieces.size(), 24u);
    EXPECT_EQ(form.pieceAt(9).X(), 30);
    EXPECT_EQ(form.pieceAt(9).Y(), 150);
    EXPECT_EQ(form.pieceAt(10).Y(), 150);
    EXPECT_EQ(form.pieceAt(16).X(), 450);
    EXPECT_EQ(form.pieceAt(16).Y(), 330);
    EXPECT_EQ(markedCells(form.Tray1), 0);
    EXPECT_EQ(markedCells(form.Tray2), 0);
    EXPECT_EQ(pixel(570, 30), colours::lightBlue);
    EXPECT_EQ(pixel(30, 150), colours::red);

    // The next piece taken goes to the first cell again.
    drag(30, 150, 510, 30);
    EXPECT_EQ(form.pieceAt(9).X(), 570);
    EXPECT_EQ(form.pieceAt(9).Y(), 30);
    EXPECT_EQ(form.Tray1(1, 1), 1);
    EXPECT_EQ(markedCells(form.Tray1), 1);
}

TEST_F(MenuCommands, NewGameDropsAPieceThatWasBeingDragged) {
    mouse.mouseDown(1, 0, 100, 100);
    ASSERT_TRUE(form.pieceAt(10).ISMOVING);

    form.KngClick();

    for (const VIDEVER& piece : form.Pieces) {
        EXPECT_FALSE(piece.ISMOVING);
    }
    mouse.mouseMove(1, 0, 140, 140);
    EXPECT_EQ(form.pieceAt(10).X(), 100);
}

TEST_F(MenuCommands, NewGameWithAnOversizedSquareStopsWhereItOverflows) {
    // 7 times 5000 does not fit 16 bits: the walk stops at the last square of the first row,
    // after the pieces of columns 0, 2, 4 and 6 were made.
    form.CellSizeI = 5000;
    EXPECT_THROW(form.KngClick(), OverflowError);
    EXPECT_EQ(form.Pieces.size(), 4u);
}

TEST_F(MenuCommands, ExitEndsTheProgram) {
    ASSERT_FALSE(host.ended());
    form.ExitClick();
    EXPECT_TRUE(host.ended());
}

namespace {
struct SizeCommand {
    const char* name;
    void (Form1::*before)();  // a different size to start from
    void (Form1::*command)();
    int side;
    int radius;
    float widthTwips;
    float heightTwips;
};

void PrintTo(const SizeCommand& size, std::ostream* out) {
    *out << size.name;
}
}  // namespace

class SizeCommands : public BoardTest, public ::testing::WithParamInterface<SizeCommand> {
protected:
    void runCommand() { (form.*GetParam().command)(); }
};

TEST_P(SizeCommands, RestartsTheGameAtTheNewSizeAndPaintsItWhole) {
    const SizeCommand& size = GetParam();
    (form.*size.before)();
    drag(static_cast<float>(form.pieceAt(9).X()), static_cast<float>(form.pieceAt(9).Y()),
         static_cast<float>(13 * form.CellSize), 1);

    runCommand();

    const int s = size.side;
    EXPECT_EQ(form.CellSize, s);
    EXPECT_EQ(form.CellSizeI, s);
    EXPECT_EQ(form.PieceRadius, size.radius);
    ASSERT_EQ(form.Pieces.size(), 24u);
    EXPECT_EQ(form.pieceAt(1).X(), s / 2);
    EXPECT_EQ(form.pieceAt(1).Y(), s / 2);
    EXPECT_EQ(form.pieceAt(1).R(), size.radius);
    EXPECT_EQ(form.pieceAt(24).X(), 7 * s + s / 2);
    EXPECT_EQ(form.pieceAt(24).Y(), 7 * s + s / 2);
    EXPECT_EQ(form.pieceAt(24).R(), size.radius);
    EXPECT_EQ(form.pieceAt(9).Y(), 2 * s + s / 2);
    EXPECT_EQ(markedCells(form.Tray1), 0);

    EXPECT_FLOAT_EQ(host.widthTwips(), size.widthTwips);
    EXPECT_FLOAT_EQ(host.heightTwips(), size.heightTwips);

    // Painted at the new size, out to the far corners of board and trays.
    EXPECT_EQ(pixel(8 * s - 1, 8 * s - 1), colours::black);
    EXPECT_EQ(pixel(12 * s - 1, 8 * s - 1), colours::lightPink);
    EXPECT_EQ(pixel(7 * s + s / 2, 7 * s + s / 2), colours::blue);
    EXPECT_EQ(pixel(12 * s, 8 * s), colours::background);
}

TEST_P(SizeCommands, MakesTheTwoSquareSidesEqualAgain) {
    form.CellSize = 40;
    form.CellSizeI = 41;

    runCommand();

    EXPECT_EQ(form.CellSize, GetParam().side);
    EXPECT_EQ(form.CellSizeI, GetParam().side);
}

INSTANTIATE_TEST_SUITE_P(
    EachSize, SizeCommands,
    ::testing::Values(
        SizeCommand{"Small", &Form1::LargeClick, &Form1::SmallClick, 20, 5, 3744, 3110.4f},
        SizeCommand{"Normal", &Form1::SmallClick, &Form1::NormalClick, 40, 15, 7488, 5990.4f},
        SizeCommand{"Large", &Form1::SmallClick, &Form1::LargeClick, 60, 25, 11232, 8870.4f}),
    [](const ::testing::TestParamInfo<SizeCommand>& info) { return std::string(info.param.name); });

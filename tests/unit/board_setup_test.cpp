#include "support/board_fixture.h"
#include "support/board_invariants.h"

#include <array>

#include "board/board_colours.h"
#include "platform/errors.h"

namespace {
struct Placed {
    int x;
    int y;
    int side;
};

// The starting position at a square side of 40, in the order of Pieces.
constexpr std::array<Placed, 24> startingPieces{{
    {20, 20, 1},   {100, 20, 1},  {180, 20, 1},  {260, 20, 1},  {60, 60, 1},   {140, 60, 1},
    {220, 60, 1},  {300, 60, 1},  {20, 100, 1},  {100, 100, 1}, {180, 100, 1}, {260, 100, 1},
    {60, 220, 2},  {140, 220, 2}, {220, 220, 2}, {300, 220, 2}, {20, 260, 2},  {100, 260, 2},
    {180, 260, 2}, {260, 260, 2}, {60, 300, 2},  {140, 300, 2}, {220, 300, 2}, {300, 300, 2},
}};
}  // namespace

using BoardSetup = BoardTest;

TEST_F(BoardSetup, StartsAtTheNormalSizeWithEmptyTraysAndNothingPickedUp) {
    EXPECT_EQ(form.CellSize, 40);
    EXPECT_EQ(form.CellSizeI, 40);
    EXPECT_EQ(form.PieceRadius, 15);
    EXPECT_EQ(form.BoardLast, 7);
    EXPECT_EQ(markedCells(form.Tray1), 0);
    EXPECT_EQ(markedCells(form.Tray2), 0);
    EXPECT_EQ(form.DragStartX, 0);
    EXPECT_EQ(form.DragStartY, 0);
    EXPECT_FLOAT_EQ(host.widthTwips(), 7488);
    EXPECT_FLOAT_EQ(host.heightTwips(), 5990.4f);
}

TEST_F(BoardSetup, PiecesAreCreatedRowByRowRedThenBlue) {
    ASSERT_EQ(form.Pieces.size(), startingPieces.size());
    for (int position = 1; position <= 24; ++position) {
        SCOPED_TRACE(position);
        const VIDEVER& piece = form.pieceAt(position);
        const Placed& expected = startingPieces[position - 1];
        EXPECT_EQ(piece.X(), expected.x);
        EXPECT_EQ(piece.Y(), expected.y);
        EXPECT_EQ(piece.SH_TYPE(), expected.side);
        EXPECT_EQ(piece.R(), 15);
        EXPECT_FALSE(piece.ISMOVING);
    }
}

TEST_F(BoardSetup, NoPieceStartsInTheMiddleRowsOrOnAWhiteSquare) {
    for (const VIDEVER& piece : form.Pieces) {
        const int column = piece.X() / 40;
        const int row = piece.Y() / 40;
        EXPECT_NE(row, 3);
        EXPECT_NE(row, 4);
        EXPECT_EQ((row + column) % 2, 0) << "piece on the white square " << column << ", " << row;
    }
}

TEST_F(BoardSetup, HalfSquareOfAnOddSideRoundsToTheEvenNeighbour) {
    form.CellSize = 41;
    form.CellSizeI = 41;
    form.KngClick();

    ASSERT_EQ(form.Pieces.size(), 24u);
    EXPECT_EQ(form.pieceAt(1).X(), 20);  // 20.5
    EXPECT_EQ(form.pieceAt(1).Y(), 20);
    EXPECT_EQ(form.pieceAt(5).X(), 62);  // 61.5
    EXPECT_EQ(form.pieceAt(5).Y(), 62);
    EXPECT_EQ(form.pieceAt(24).X(), 308);  // 307.5
    EXPECT_EQ(form.pieceAt(24).Y(), 308);
    EXPECT_EQ(form.CellSize, 41);
}

TEST_F(BoardSetup, InitSetSh1AppendsToWhatIsAlreadyThere) {
    form.InitSetSh1();

    ASSERT_EQ(form.Pieces.size(), 48u);
    EXPECT_EQ(form.pieceAt(25).X(), 20);
    EXPECT_EQ(form.pieceAt(25).Y(), 20);
    EXPECT_EQ(form.pieceAt(48).X(), 300);
    EXPECT_EQ(form.pieceAt(48).Y(), 300);
}

TEST_F(BoardSetup, OnlyPositionsOneToTheCountNameAPiece) {
    EXPECT_THROW(form.pieceAt(0), IndexError);
    EXPECT_THROW(form.pieceAt(25), IndexError);
    EXPECT_NO_THROW(form.pieceAt(24));
}

TEST_F(BoardSetup, StartUpPictureShowsTheBoardAndPieces) {
    EXPECT_EQ(pixel(0, 0), colours::black);
    EXPECT_EQ(pixel(20, 20), colours::red);
    EXPECT_EQ(pixel(60, 20), colours::white);
    EXPECT_EQ(pixel(300, 300), colours::blue);
    EXPECT_EQ(pixel(400, 100), colours::lightBlue);
}

#include <gtest/gtest.h>

#include <QImage>

#include "board/board_colours.h"
#include "pieces/videver.h"
#include "platform/errors.h"
#include "platform/surface.h"

namespace {
VIDEVER makePiece(double x, double y, double r, double side = 1) {
    VIDEVER piece;
    piece.setX(x);
    piece.setY(y);
    piece.setR(r);
    piece.setSH_TYPE(side);
    return piece;
}
}  // namespace

TEST(Piece, HitIsStrictlyInsideTheRadius) {
    VIDEVER piece = makePiece(100, 100, 15);

    EXPECT_FALSE(piece.SH_MOUSEDOWN(109, 112));  // exactly 15 away
    EXPECT_FALSE(piece.ISMOVING);
    EXPECT_TRUE(piece.SH_MOUSEDOWN(109, 111));  // about 14.2 away
    EXPECT_TRUE(piece.ISMOVING);
    EXPECT_TRUE(piece.SH_MOUSEDOWN(100, 100));
    EXPECT_TRUE(piece.SH_MOUSEDOWN(85.01f, 100));
    EXPECT_FALSE(piece.SH_MOUSEDOWN(85, 100));
}

TEST(Piece, ZeroOrNegativeRadiusIsNeverHit) {
    VIDEVER flat = makePiece(100, 100, 0);
    EXPECT_FALSE(flat.SH_MOUSEDOWN(100, 100));
    EXPECT_FALSE(flat.ISMOVING);

    VIDEVER negative = makePiece(100, 100, -5);
    EXPECT_FALSE(negative.SH_MOUSEDOWN(100, 100));
    EXPECT_FALSE(negative.SH_MOUSEDOWN(102, 100));
}

TEST(Piece, HitTestIgnoresTheSide) {
    VIDEVER unpainted = makePiece(100, 100, 15, 0);
    EXPECT_TRUE(unpainted.SH_MOUSEDOWN(100, 100));
}

TEST(Piece, MissClearsTheMarkAndMouseUpDropsIt) {
    VIDEVER piece = makePiece(100, 100, 15);
    ASSERT_TRUE(piece.SH_MOUSEDOWN(100, 100));
    EXPECT_FALSE(piece.SH_MOUSEDOWN(300, 300));
    EXPECT_FALSE(piece.ISMOVING);

    ASSERT_TRUE(piece.SH_MOUSEDOWN(100, 100));
    piece.SH_MOUSEUP();
    EXPECT_FALSE(piece.ISMOVING);
}

TEST(Piece, OnlyAMarkedPieceMoves) {
    VIDEVER piece = makePiece(100, 100, 15);
    piece.MOVE(5, -3);
    EXPECT_EQ(piece.X(), 100);
    EXPECT_EQ(piece.Y(), 100);

    ASSERT_TRUE(piece.SH_MOUSEDOWN(100, 100));
    piece.MOVE(5, -3);
    EXPECT_EQ(piece.X(), 105);
    EXPECT_EQ(piece.Y(), 97);
}

TEST(Piece, MoveRoundsHalvesToEven) {
    VIDEVER even = makePiece(10, 10, 15);
    ASSERT_TRUE(even.SH_MOUSEDOWN(10, 10));
    even.MOVE(0.5, 0);
    EXPECT_EQ(even.X(), 10);

    VIDEVER odd = makePiece(11, 10, 15);
    ASSERT_TRUE(odd.SH_MOUSEDOWN(11, 10));
    odd.MOVE(0.5, 0);
    EXPECT_EQ(odd.X(), 12);
    odd.MOVE(-0.5, 0);
    EXPECT_EQ(odd.X(), 12);  // 11.5 goes to 12 again
}

TEST(Piece, MoveThatOverflowsInYHasAlreadyMovedX) {
    VIDEVER piece = makePiece(100, 32767, 15);
    ASSERT_TRUE(piece.SH_MOUSEDOWN(100, 32767));
    EXPECT_THROW(piece.MOVE(1, 1), OverflowError);
    EXPECT_EQ(piece.X(), 101);
    EXPECT_EQ(piece.Y(), 32767);
}

TEST(Piece, SetterThatOverflowsKeepsTheOldValue) {
    VIDEVER piece = makePiece(10, 20, 15, 2);

    EXPECT_THROW(piece.setX(32767.5), OverflowError);
    EXPECT_THROW(piece.setY(-32769), OverflowError);
    EXPECT_THROW(piece.setR(40000), OverflowError);
    EXPECT_THROW(piece.setSH_TYPE(-1e9), OverflowError);

    EXPECT_EQ(piece.X(), 10);
    EXPECT_EQ(piece.Y(), 20);
    EXPECT_EQ(piece.R(), 15);
    EXPECT_EQ(piece.SH_TYPE(), 2);
}

TEST(Piece, SettersRoundHalvesToEven) {
    VIDEVER piece;
    piece.setX(12.5);
    piece.setY(13.5);
    piece.setR(-2.5);
    EXPECT_EQ(piece.X(), 12);
    EXPECT_EQ(piece.Y(), 14);
    EXPECT_EQ(piece.R(), -2);
}

namespace {
// The fill that a circle painted next would get, at (50, 50): a transparent one shows the
// background through.
QRgb fillLeftSet(Surface& surface) {
    surface.circle(50, 50, 5);
    surface.paintChanges();
    return surface.image().pixel(50, 50);
}
}  // namespace

TEST(Piece, SideZeroPaintsNothingAndLeavesTheFillSettingsAlone) {
    Surface surface(QSize(60, 60));
    surface.setFillColor(colours::lightPink);
    surface.setFillStyle(FillStyle::Transparent);
    surface.paintChanges();
    const QImage before = surface.image().copy();

    makePiece(30, 30, 15, 0).DRAW(surface);

    EXPECT_TRUE(surface.paintChanges().isEmpty());
    EXPECT_EQ(surface.image(), before);
    EXPECT_EQ(fillLeftSet(surface), colours::background);
    surface.setFillStyle(FillStyle::Solid);
    EXPECT_EQ(fillLeftSet(surface), colours::lightPink);
}

TEST(Piece, DrawPaintsAFilledDiscOutlinedOnePixelWideAndLeavesItsFillSet) {
    Surface surface(QSize(60, 60));
    makePiece(30, 30, 15, 2).DRAW(surface);
    surface.paintChanges();

    // Along each axis from the centre: blue to within two pixels of the radius, a black outline
    // on it, give or take a pixel, and nothing beyond.
    const QImage& image = surface.image();
    for (const QPoint step : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
        const auto at = [&](int d) { return image.pixel(QPoint(30, 30) + d * step); };
        EXPECT_EQ(at(13), colours::blue);
        EXPECT_TRUE(at(14) == colours::black || at(15) == colours::black ||
                    at(16) == colours::black);
        EXPECT_EQ(at(17), colours::background);
    }

    // Whatever is painted next finds the piece's fill still set.
    EXPECT_EQ(fillLeftSet(surface), colours::blue);
}

TEST(Piece, RedSideIsRedAndUnknownSidesAreBlack) {
    for (const int side : {1, 3, -1}) {
        SCOPED_TRACE(side);
        Surface surface(QSize(60, 60));
        surface.setFillStyle(FillStyle::Transparent);
        makePiece(30, 30, 15, side).DRAW(surface);
        surface.paintChanges();

        const QRgb expected = side == 1 ? colours::red : colours::black;
        EXPECT_EQ(surface.image().pixel(30, 30), expected);
        EXPECT_EQ(surface.image().pixel(16, 30), expected);
        EXPECT_EQ(surface.image().pixel(15, 30), colours::black);
        EXPECT_EQ(surface.image().pixel(14, 30), colours::background);
        EXPECT_EQ(fillLeftSet(surface), expected);
    }
}

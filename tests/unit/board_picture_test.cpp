#include "support/board_fixture.h"

#include <cmath>
#include <ostream>
#include <string>

#include "board/board_colours.h"

namespace {
struct SquareSide {
    const char* name;
    void (Form1::*command)();
    int side;
    int radius;
};

const SquareSide smallSide{"Small", &Form1::SmallClick, 20, 5};
const SquareSide normalSide{"Normal", &Form1::NormalClick, 40, 15};
const SquareSide largeSide{"Large", &Form1::LargeClick, 60, 25};

void PrintTo(const SquareSide& size, std::ostream* out) {
    *out << size.name;
}
}  // namespace

// The picture on the surface after a size command, read pixel by pixel.
class BoardPicture : public BoardTest, public ::testing::WithParamInterface<SquareSide> {
protected:
    BoardPicture() : s(GetParam().side), r(GetParam().radius) { (form.*GetParam().command)(); }

    // A pointer move with nothing picked up is a full repaint and changes nothing else.
    void repaint() { mouse.mouseMove(0, 0, form.LastMouseX, form.LastMouseY); }

    // The centre of grid square (column, row).
    int centre(int index) const { return index * s + s / 2; }

    const int s;
    const int r;
};

TEST_P(BoardPicture, SquaresAreChequeredFromABlackTopLeftAndTileExactly) {
    for (int row = 0; row < 8; ++row) {
        for (int column = 0; column < 8; ++column) {
            SCOPED_TRACE("square " + std::to_string(column) + ", " + std::to_string(row));
            const QRgb expected = (row + column) % 2 == 0 ? colours::black : colours::white;
            const int left = column * s;
            const int top = row * s;
            EXPECT_EQ(pixel(left, top), expected);
            EXPECT_EQ(pixel(left + s - 1, top), expected);
            EXPECT_EQ(pixel(left, top + s - 1), expected);
            EXPECT_EQ(pixel(left + s - 1, top + s - 1), expected);
        }
    }
}

TEST_P(BoardPicture, TrayBoxesSitBesideTheGapAndNothingElseIsPainted) {
    // Repaint once more so that every box is painted with the last piece's blue fill still set.
    repaint();

    const int traysLeft = 9 * s;
    const int traysRight = 12 * s - 1;
    EXPECT_EQ(pixel(traysLeft, 0), colours::lightBlue);
    EXPECT_EQ(pixel(traysRight, 0), colours::lightBlue);
    EXPECT_EQ(pixel(traysLeft, 4 * s - 1), colours::lightBlue);
    EXPECT_EQ(pixel(traysRight, 4 * s - 1), colours::lightBlue);
    EXPECT_EQ(pixel(traysLeft, 4 * s), colours::lightPink);
    EXPECT_EQ(pixel(traysRight, 4 * s), colours::lightPink);
    EXPECT_EQ(pixel(traysLeft, 8 * s - 1), colours::lightPink);
    EXPECT_EQ(pixel(traysRight, 8 * s - 1), colours::lightPink);

    // The gap column between board and trays.
    for (const int y : {0, 4 * s, 8 * s - 1}) {
        EXPECT_EQ(pixel(8 * s, y), colours::background);
        EXPECT_EQ(pixel(9 * s - 1, y), colours::background);
    }
    // Right of the trays, and the strip below board and trays down to the window's edge.
    const int width = surface.size().width();
    const int height = surface.size().height();
    ASSERT_GT(width, 12 * s);
    ASSERT_GT(height, 8 * s);
    EXPECT_EQ(pixel(12 * s, 0), colours::background);
    EXPECT_EQ(pixel(width - 1, 8 * s - 1), colours::background);
    EXPECT_EQ(pixel(0, 8 * s), colours::background);
    EXPECT_EQ(pixel(traysRight, 8 * s), colours::background);
    EXPECT_EQ(pixel(width - 1, height - 1), colours::background);
}

TEST_P(BoardPicture, EveryPieceShowsItsColourAndRadiusOnItsStartingSquare) {
    for (const int row : {0, 1, 2, 5, 6, 7}) {
        for (int column = row % 2; column < 8; column += 2) {
            SCOPED_TRACE("square " + std::to_string(column) + ", " + std::to_string(row));
            const QRgb colour = row < 3 ? colours::red : colours::blue;
            const int x = centre(column);
            const int y = centre(row);
            EXPECT_EQ(pixel(x, y), colour);
            // The fill reaches to within a pixel of the outline on the radius, on every side.
            EXPECT_EQ(pixel(x - r + 2, y), colour);
            EXPECT_EQ(pixel(x + r - 2, y), colour);
            EXPECT_EQ(pixel(x, y - r + 2), colour);
            EXPECT_EQ(pixel(x, y + r - 2), colour);
        }
    }
}

TEST_P(BoardPicture, PieceIsOutlinedOnePixelWideInBlack) {
    // In the gap column the outline shows against the background.
    VIDEVER& piece = form.pieceAt(1);
    const int x = centre(8);
    const int y = centre(0);
    piece.setX(x);
    piece.setY(y);
    repaint();

    // Along each axis from the centre: red, then one black pixel on the radius, give or take
    // one, then the background.
    for (const QPoint step : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
        SCOPED_TRACE(::testing::Message() << "step " << step.x() << ", " << step.y());
        QList<QRgb> colours;
        for (int d = 0; d <= r + 2; ++d) {
            const QRgb colour = pixel(x + d * step.x(), y + d * step.y());
            if (colours.isEmpty() || colours.last() != colour) {
                colours.append(colour);
            }
            if (d == r - 2 || d == r + 2) {
                EXPECT_EQ(colour, d < r ? colours::red : colours::background);
            }
        }
        EXPECT_EQ(colours, QList<QRgb>({colours::red, colours::black, colours::background}));
    }
    // The square it left is bare.
    EXPECT_EQ(pixel(centre(0), centre(0)), colours::black);
}

TEST_P(BoardPicture, EveryDiscIsCentredOnItsPointAtEveryScale) {
    // With the grid's corner at (0, 0): a piece's colour wherever a pixel's centre lies closer
    // than r - 0.8 to the piece's centre, the square beneath from r + 0.8 on, the outline only
    // between the two.
    for (const double ratio : {1.0, 1.25, 2.0}) {
        SCOPED_TRACE(::testing::Message() << "ratio " << ratio);
        surface.resize(surface.size(), ratio);
        repaint();
        showChanges();
        const QImage& image = surface.image();
        for (int y = 0; y < static_cast<int>(8 * s * ratio); ++y) {
            for (int x = 0; x < static_cast<int>(8 * s * ratio); ++x) {
                const double px = (x + 0.5) / ratio;
                const double py = (y + 0.5) / ratio;
                const int column = static_cast<int>(px / s);
                const int row = static_cast<int>(py / s);
                const double distance = std::hypot(px - centre(column), py - centre(row));
                const bool black = (column + row) % 2 == 0;
                const QRgb piece = row < 3 ? colours::red : colours::blue;
                const bool holdsPiece = black && (row < 3 || row > 4);
                QRgb expected = black ? colours::black : colours::white;
                if (holdsPiece && distance < r - 0.8) {
                    expected = piece;
                } else if (holdsPiece && distance < r + 0.8) {
                    expected = image.pixel(x, y) == piece ? piece : colours::foreground;
                }
                ASSERT_EQ(image.pixel(x, y), expected) << "device pixel " << x << ", " << y;
            }
        }
    }
}

TEST_P(BoardPicture, LaterPieceIsPaintedOverAnEarlierOne) {
    // Piece 1 is red and painted first; piece 24 is blue and painted last.
    VIDEVER& first = form.pieceAt(1);
    VIDEVER& last = form.pieceAt(24);
    const int x = centre(3);
    const int y = centre(4);
    first.setX(x);
    first.setY(y);
    last.setX(x + r);
    last.setY(y);
    repaint();

    EXPECT_EQ(pixel(x - 2, y), colours::red);   // the first piece alone
    EXPECT_EQ(pixel(x, y), colours::black);     // the last piece's outline crosses it
    EXPECT_EQ(pixel(x + 1, y), colours::blue);  // where both lie, the last one shows
    EXPECT_EQ(pixel(x + r, y), colours::blue);

    // The order of Pieces decides, not the colour.
    first.setSH_TYPE(2);
    last.setSH_TYPE(1);
    repaint();
    EXPECT_EQ(pixel(x - 2, y), colours::blue);
    EXPECT_EQ(pixel(x + 1, y), colours::red);
}

INSTANTIATE_TEST_SUITE_P(AtEachSize, BoardPicture,
                         ::testing::Values(smallSide, normalSide, largeSide),
                         [](const ::testing::TestParamInfo<SquareSide>& info) {
                             return std::string(info.param.name);
                         });

using ForeignSquareSides = BoardTest;

TEST_F(ForeignSquareSides, SquaresFollowCellSizeIAcrossAndBothDown) {
    // Only a position file can make the two sides differ; the boxes then reach CellSize to the
    // right and CellSizeI down, while their corners lie CellSizeI apart.
    form.CellSizeI = 41;
    mouse.mouseMove(0, 0, 0, 0);

    EXPECT_EQ(pixel(0, 0), colours::black);
    EXPECT_EQ(pixel(39, 0), colours::black);
    EXPECT_EQ(pixel(40, 0), colours::background);  // the column between two squares
    EXPECT_EQ(pixel(41, 0), colours::white);
    EXPECT_EQ(pixel(0, 40), colours::black);
    EXPECT_EQ(pixel(0, 41), colours::white);
    EXPECT_EQ(pixel(326, 327), colours::black);  // square (7, 7): x 287 .. 326, y 287 .. 327
    EXPECT_EQ(pixel(327, 327), colours::background);
    EXPECT_EQ(pixel(326, 328), colours::background);

    EXPECT_EQ(pixel(359, 0), colours::background);
    EXPECT_EQ(pixel(360, 0), colours::lightBlue);
    EXPECT_EQ(pixel(479, 163), colours::lightBlue);
    EXPECT_EQ(pixel(360, 164), colours::lightPink);
    EXPECT_EQ(pixel(479, 327), colours::lightPink);
    EXPECT_EQ(pixel(480, 0), colours::background);
    EXPECT_EQ(pixel(360, 328), colours::background);

    // The window is sized from CellSize alone.
    EXPECT_FLOAT_EQ(host.widthTwips(), 7488);
    EXPECT_FLOAT_EQ(host.heightTwips(), 5990.4f);
}

#include "support/board_fixture.h"

#include "platform/colours.h"

TEST_F(BoardTest, StartsWithTwentyFourPiecesOnTheNormalBoard) {
    ASSERT_EQ(form.Pieces.size(), 24u);
    EXPECT_EQ(pixel(20, 20), colours::red);
    EXPECT_EQ(pixel(60, 20), colours::white);
}

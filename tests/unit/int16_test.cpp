#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/errors.h"
#include "platform/int16.h"

TEST(Int16, TiesGoToTheEvenNeighbourOnBothSides) {
    EXPECT_EQ(toInt16(12.5), 12);
    EXPECT_EQ(toInt16(13.5), 14);
    EXPECT_EQ(toInt16(0.5), 0);
    EXPECT_EQ(toInt16(1.5), 2);
    EXPECT_EQ(toInt16(-0.5), 0);
    EXPECT_EQ(toInt16(-12.5), -12);
    EXPECT_EQ(toInt16(-13.5), -14);
}

TEST(Int16, NonTiesGoToTheNearestInteger) {
    EXPECT_EQ(toInt16(12.49), 12);
    EXPECT_EQ(toInt16(12.51), 13);
    EXPECT_EQ(toInt16(-12.49), -12);
    EXPECT_EQ(toInt16(-12.51), -13);
    // A single-precision pointer position lands just above the half: no tie, so it goes up.
    EXPECT_EQ(toInt16(static_cast<double>(0.1f) + 0.4), 1);
}

TEST(Int16, RangeEndsAreDecidedAfterRounding) {
    EXPECT_EQ(toInt16(32767), 32767);
    EXPECT_EQ(toInt16(32767.4), 32767);
    EXPECT_EQ(toInt16(32766.5), 32766);
    EXPECT_EQ(toInt16(-32768), -32768);
    // -32768.5 is a tie whose even neighbour is -32768 itself, so it still fits.
    EXPECT_EQ(toInt16(-32768.5), -32768);
    EXPECT_EQ(toInt16(-32767.5), -32768);

    EXPECT_THROW(toInt16(32767.5), OverflowError);  // the even neighbour is 32768
    EXPECT_THROW(toInt16(32768), OverflowError);
    EXPECT_THROW(toInt16(-32768.6), OverflowError);
    EXPECT_THROW(toInt16(-32769.5), OverflowError);
    EXPECT_THROW(toInt16(1e300), OverflowError);
}

TEST(Int16, NaNAndInfinitiesAreOverflowErrors) {
    EXPECT_THROW(toInt16(std::numeric_limits<double>::quiet_NaN()), OverflowError);
    EXPECT_THROW(toInt16(std::numeric_limits<double>::infinity()), OverflowError);
    EXPECT_THROW(toInt16(-std::numeric_limits<double>::infinity()), OverflowError);
}

TEST(Int16, OverflowMessageIsAPlainSentenceNamingTheNumber) {
    try {
        toInt16(35000);
        FAIL() << "35000 does not fit 16 bits";
    } catch (const OverflowError& error) {
        EXPECT_STREQ(error.what(), "The number 35000 is outside the range -32768 to 32767.");
    }
}

TEST(Int16, ProductsMustFitSixteenBits) {
    EXPECT_EQ(multiply16(7, 4681), 32767);
    EXPECT_EQ(multiply16(-8, 4096), -32768);
    EXPECT_EQ(multiply16(0, 32767), 0);
    EXPECT_THROW(multiply16(8, 4096), OverflowError);
    EXPECT_THROW(multiply16(7, 5000), OverflowError);
}

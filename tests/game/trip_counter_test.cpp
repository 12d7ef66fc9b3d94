#include <gtest/gtest.h>

#include <limits>

#include "game/counters.h"

TEST(TripCounter, EqualsOneOnlyAfterTheFirstStart)
{
    game::TripCounter trips;
    EXPECT_TRUE(trips.isEmpty());
    EXPECT_FALSE(trips.equalsOne());
    trips.addOne();
    EXPECT_TRUE(trips.equalsOne());
    trips.addOne();
    EXPECT_FALSE(trips.equalsOne());
    EXPECT_EQ(trips.value(), 2);
}

// Past the top of each width the count goes on, exactly, and keeps counting.
TEST(TripCounter, WidensInsteadOfOverflowing)
{
    game::TripCounter small(std::numeric_limits<std::int16_t>::max());
    small.addOne();
    EXPECT_EQ(small.value(), 32768);
    small.addOne();
    EXPECT_EQ(small.value(), 32769);

    game::TripCounter medium(std::numeric_limits<std::int32_t>::max());
    medium.addOne();
    EXPECT_EQ(medium.value(), 2147483648.0);
    medium.addOne();
    EXPECT_EQ(medium.value(), 2147483649.0);
    EXPECT_FALSE(medium.equalsOne());
}

TEST(Counters, IncrementStopsAtTheTopWithARunTimeError)
{
    std::int16_t counter = 32766;
    game::increment(counter);
    EXPECT_EQ(counter, 32767);
    EXPECT_THROW(game::increment(counter), game::RuntimeError);
    EXPECT_EQ(counter, 32767);
}

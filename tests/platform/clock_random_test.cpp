#include <gtest/gtest.h>

#include "game/quiz.h"
#include "platform/clock_random.h"

TEST(ClockRandom, ExtremeGeneratorOutputStaysBelowOne)
{
    const float top = platform::unitFromBits(0xFFFFFFFFu);
    EXPECT_LT(top, 1.0f);
    EXPECT_EQ(game::countryFromRandom(top), 29);
    EXPECT_EQ(platform::unitFromBits(0u), 0.0f);
    EXPECT_EQ(game::countryFromRandom(platform::unitFromBits(0u)), 1);
}

TEST(ClockRandom, ValuesAreUniformInTheUnitInterval)
{
    platform::ClockRandom random;
    random.randomize();
    int low = 0;
    for (int i = 0; i < 100000; ++i) {
        const float r = random.next();
        ASSERT_GE(r, 0.0f);
        ASSERT_LT(r, 1.0f);
        low += r < 0.5f;
    }
    EXPECT_NEAR(low, 50000, 1000);
}

TEST(ClockRandom, ReseedingFromTheClockChangesTheSequence)
{
    platform::ClockRandom a;
    platform::ClockRandom b;
    a.randomize();
    std::this_thread::sleep_for(std::chrono::microseconds(10));
    b.randomize();
    EXPECT_NE(a.next(), b.next());
}

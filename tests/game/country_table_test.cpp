#include <gtest/gtest.h>

#include <set>

#include "game/country_table.h"

using game::findCountry;

TEST(CountryTable, LooksUpEveryNumberAndNothingOutside)
{
    for (std::int16_t n = 1; n <= 29; ++n) {
        const game::Country* row = findCountry(n);
        ASSERT_NE(row, nullptr) << n;
        EXPECT_EQ(row->number, n);
        EXPECT_EQ(row->prompt, "Click on " + std::string(row->name)) << n;
        EXPECT_TRUE(row->soundFile.starts_with("Europa\\")) << n;
        EXPECT_TRUE(row->soundFile.ends_with(".wav")) << n;
    }
    EXPECT_EQ(findCountry(0), nullptr);
    EXPECT_EQ(findCountry(30), nullptr);
    EXPECT_EQ(findCountry(-1), nullptr);
}

TEST(CountryTable, DrawableSetLeavesOutNorwayAndSwitzerland)
{
    std::set<int> drawable;
    for (std::int16_t n = -2; n <= 32; ++n) {
        if (game::isDrawable(n))
            drawable.insert(n);
    }
    EXPECT_EQ(drawable.size(), 27u);
    EXPECT_FALSE(drawable.contains(12));
    EXPECT_FALSE(drawable.contains(27));
}

TEST(CountryTable, TextsKeepTheirInnerSpacesAndCase)
{
    struct Expected {
        std::int16_t number;
        std::string_view name;
        std::string_view sound;
    };
    const Expected cases[] = {
        {7, "Czech Republic", "Europa\\Repubblica Ceca.wav"},
        {17, "United Kingdom", "Europa\\Regno Unito.wav"},
        {19, "Netherlands", "Europa\\Paesi bassi.wav"},
        {3, "Greece", "Europa\\Grecia.wav"},
        {12, "Norvegia", "Europa\\Norvegia.wav"},
        {27, "Svizzera", "Europa\\Svizzera.wav"},
    };
    for (const auto& c : cases) {
        const game::Country* row = findCountry(c.number);
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(row->name, c.name);
        EXPECT_EQ(row->soundFile, c.sound);
    }
}

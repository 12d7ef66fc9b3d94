#pragma once

#include <string_view>

// What a screen reader says of the controls that show no words of their own:
// their accessible names and descriptions. The window shows none of it.
namespace window::spoken {

// The map: a focus stop in the keyboard order. Its description says what to
// do and names no country, since the countries are the quiz's answers.
inline constexpr std::string_view kMapName = "Map of Europe";
inline constexpr std::string_view kMapDescription =
    "Click on the country the game names, with the mouse.";

// The off-screen text box that holds the first focus: named for the place in
// the keyboard order it is, the start, and what the other stops are.
inline constexpr std::string_view kText1Name = "Start";
inline constexpr std::string_view kText1Description =
    "Tab goes to the EXIT button, the car button and the map; Alt opens the menu.";

} // namespace window::spoken

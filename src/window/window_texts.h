#pragma once

#include <array>
#include <string_view>

namespace window::texts {

// The window's caption: the title words set off by thirty spaces, then our credit,
// which names the makers. The title bar shows it exactly as written here.
inline constexpr int kCaptionIndent = 30;
inline constexpr std::string_view kCaptionWords =
    "Travel between the States of our splendid native land Europe";
inline constexpr std::string_view kCaptionSeparator = " - ";
inline constexpr std::string_view kCredit = "made by the team of Europa Quiz";

inline constexpr std::string_view kGreeting = "Hello!";

inline constexpr std::string_view kCommand2 =
    "Click on me to travel among the States of our dear Europe";
inline constexpr std::string_view kCommand3 = "EXIT";
inline constexpr std::string_view kCommand3Tip = "Per uscire dal gioco cliccami";
inline constexpr std::string_view kCommand1 = "Per uscire   premi  il tasto esc";
inline constexpr std::string_view kCommand1Tip = "Per uscire cliccami!";
inline constexpr std::string_view kText1 = "Text1";

struct MenuItem {
    std::string_view name;
    std::string_view caption;
};

// An entry of the menu bar: a command when it has no items, else a drop-down.
struct MenuEntry {
    std::string_view name;
    std::string_view caption;
    int itemCount;
    std::array<MenuItem, 2> items;
};

inline constexpr std::string_view kInstructionsEntry = "istruzioni";

// Left to right. Only the instructions command does anything.
inline constexpr std::array<MenuEntry, 5> kMenuBar{{
    {kInstructionsEntry, "Instructions", 0, {}},
    {"scuol", "www.example.org", 1, {{{"soFtware", "Software by the team of Europa Quiz"}}}},
    {"Esc", "To have a new State click on the car push-button", 0, {}},
    {"contatti", "quiz@example.org", 2,
     {{{"consigli", "For councils and in order to signal eventual errors"},
       {"vuoto", "    "}}}},
    {"voce", "Voice: eSpeak NG, voice@example.org", 2,
     {{{"voceNome", "eSpeak NG"}, {"voceIndirizzo", "voice@example.org"}}}},
}};

} // namespace window::texts

#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "game/answer_table.h"
#include "game/counters.h"
#include "game/services.h"

namespace game {

struct GameState {
    std::int16_t caso = 0;   // the country being asked for; 0 before the first draw
    std::int16_t punti = 0;  // points
    std::int16_t errori = 0; // errors
    TripCounter viaggi;      // starts of a challenge
};

inline constexpr std::int16_t kErrorLimit = 20;

// The sound path the game hands to the runtime: the program folder, one
// separator always inserted, then the table's relative path with its
// backslashes read as folder separators.
std::string soundPath(std::string_view programFolder, std::string_view relativePath);

// The draw's arithmetic: the integer part of r times 29, plus one.
std::int16_t countryFromRandom(float r);

// The state and handlers of the main window's game.
class Quiz {
public:
    Quiz(Runtime& runtime, FormControls& form, GameState initial = {});

    void Form_Initialize();
    void Command2_Click();
    void Command3_Click();
    void istruzioni_Click();
    void Timer1_Timer();
    // A click on a single country label that has a handler.
    void labelClick(const AnswerRow& row);
    // A click on any member of the Label50 group; the member does not matter.
    void Label50_Click(std::int16_t index);

    void casof();
    // Clears the window and ends the program. No handler calls it: the exit
    // button and the error limit end through the runtime once their box is closed.
    void fine();

    const GameState& state() const { return state_; }

private:
    void suona(const std::string& fullPath);

    Runtime& runtime_;
    FormControls& form_;
    GameState state_;
};

} // namespace game

#include "game/quiz.h"

#include <cmath>

#include "game/country_table.h"

namespace game {

namespace {

constexpr std::string_view kInstructions = "The game ends if it exceeds the 20 errors...";
constexpr std::string_view kInstructionsTitle = "Attention";
constexpr std::string_view kGoodbye = "To the next challenge!";
// Spelled with an escape so the accented letter survives any source encoding.
constexpr std::string_view kGameOver =
    "Mi dispiace hai superato la soglia dei 20 errori... La tua gara \u00e8 finita";
constexpr std::string_view kGameOverTitle = "Fine del gioco";

// The draw spreads over every row of the country table, numbered from the first row's.
constexpr float kCountryCount = static_cast<float>(kCountries.size());
constexpr float kFirstCountry = kCountries.front().number;

} // namespace

std::string soundPath(std::string_view programFolder, std::string_view relativePath)
{
    std::string path(programFolder);
    path += '/';
    for (char c : relativePath)
        path += c == '\\' ? '/' : c;
    return path;
}

std::int16_t countryFromRandom(float r)
{
    return static_cast<std::int16_t>(std::floor(r * kCountryCount) + kFirstCountry);
}

Quiz::Quiz(Runtime& runtime, FormControls& form, GameState initial)
    : runtime_(runtime), form_(form), state_(initial)
{
}

void Quiz::Form_Initialize()
{
    suona(soundPath(runtime_.appPath(), kAnthemSound));
}

void Quiz::Command2_Click()
{
    state_.viaggi.addOne();
    form_.setLblreg("");
    casof();
    form_.setCommand2Visible(false);
    // A solved challenge earns its point when the next one starts.
    if (state_.viaggi.equalsOne())
        state_.punti = 0;
    else
        increment(state_.punti);
}

void Quiz::Command3_Click()
{
    runtime_.msgBox(kGoodbye, BoxStyle::Plain);
    runtime_.end();
}

void Quiz::istruzioni_Click()
{
    runtime_.msgBox(kInstructions, BoxStyle::Exclamation, kInstructionsTitle);
}

void Quiz::casof()
{
    form_.cls();
    form_.setLblpunti(std::to_string(state_.punti));
    form_.setLblerrori(std::to_string(state_.errori));

    // Seeded once per challenge; the redraws for the countries that never take
    // part go on with the same sequence.
    runtime_.randomize();
    do {
        state_.caso = countryFromRandom(runtime_.rnd());
    } while (!isDrawable(state_.caso));

    const Country* country = findCountry(state_.caso);
    if (country == nullptr)
        return;
    suona(soundPath(runtime_.appPath(), country->soundFile));
    runtime_.msgBox(country->prompt, BoxStyle::Plain);
    form_.setLblreg(country->name);
}

void Quiz::fine()
{
    form_.cls();
    runtime_.end();
}

void Quiz::Timer1_Timer()
{
    form_.setLblpunti(std::to_string(state_.punti));
    form_.setLblerrori(std::to_string(state_.errori));
    if (state_.errori == kErrorLimit) {
        runtime_.msgBox(kGameOver, BoxStyle::Exclamation, kGameOverTitle);
        runtime_.end();
    }
}

void Quiz::labelClick(const AnswerRow& row)
{
    if (state_.caso == row.number) {
        runtime_.msgBox(row.successMessage, BoxStyle::Plain);
        suona(soundPath(runtime_.appPath(), kSuccessSound));
        form_.setCommand2Visible(true);
        form_.setLblreg("");
    } else {
        runtime_.msgBox(row.wrongMessage, BoxStyle::Plain);
        increment(state_.errori);
    }
}

void Quiz::Label50_Click(std::int16_t /*index*/)
{
    static constexpr const AnswerRow* group = findAnswer("Label50");
    labelClick(*group);
}

void Quiz::suona(const std::string& fullPath)
{
    runtime_.playSound(fullPath);
}

} // namespace game

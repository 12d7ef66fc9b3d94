#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace game {

// What a click on one country label means: the country it accepts and how it answers.
struct AnswerRow {
    std::string_view label;
    std::int16_t number;
    std::string_view wrongMessage;
    std::string_view successMessage;
};

inline constexpr std::string_view kExact = "        EXACT";

// Every label that answers a click, in label-number order. The texts are the
// player's to read, so every space counts: some name the country after one
// space, some after two, one message ends in a space and one success has seven.
inline constexpr std::array<AnswerRow, 73> kAnswers{{
    {"Label1", 1, "This is  Romania", kExact},
    {"Label2", 1, "This is  Romania", kExact},
    {"Label3", 2, "This is  Bulgaria", kExact},
    {"Label4", 2, "This is  Bulgaria", kExact},
    {"Label5", 3, "This is  Greece", kExact},
    {"Label6", 3, "This is  Greece", kExact},
    {"Label7", 4, "This is  Poland", kExact},
    {"Label8", 4, "This is  Poland", kExact},
    {"Label9", 5, "This is Hungary", kExact},
    {"Label10", 5, "This is Hungary", kExact},
    {"Label11", 6, "This is Austria", kExact},
    {"Label12", 6, "This is Austria", kExact},
    {"Label13", 7, "This is Czech Republic", kExact},
    {"Label14", 7, "This is Czech Republic", kExact},
    {"Label15", 8, "This is  France", kExact},
    {"Label16", 8, "This is  France", kExact},
    {"Label17", 8, "This is  France", kExact},
    {"Label18", 9, "This is  Germany", kExact},
    {"Label19", 9, "This is  Germany", kExact},
    {"Label20", 10, "This is Portugal", kExact},
    {"Label21", 10, "This is Portugal", kExact},
    {"Label22", 11, "This is  Sweden", kExact},
    {"Label23", 11, "This is  Sweden", kExact},
    {"Label24", 12, "This is  Norvegia", kExact},
    {"Label25", 12, "This is  Norvegia", kExact},
    {"Label26", 13, "This is Italy", kExact},
    {"Label27", 13, "This is Italy", kExact},
    {"Label28", 14, "This is  Lithuania", kExact},
    {"Label29", 14, "This is  Lithuania", kExact},
    {"Label30", 15, "This is  Finland", kExact},
    {"Label31", 15, "This is  Finland ", kExact},
    {"Label32", 15, "This is  Finland", kExact},
    {"Label33", 16, "This is Estonia", kExact},
    {"Label34", 16, "This is Estonia", kExact},
    {"Label36", 17, "This is United Kingdom", kExact},
    {"Label37", 17, "This is United Kingdom", kExact},
    {"Label38", 18, "This is  Spain", kExact},
    {"Label39", 18, "This is  Spain", kExact},
    {"Label40", 19, "This is Netherlands", kExact},
    {"Label41", 20, "This is  Ireland", kExact},
    {"Label46", 18, "This is  Spain", kExact},
    {"Label47", 18, "This is  Spain", kExact},
    {"Label48", 3, "This is  Greece", kExact},
    {"Label49", 3, "This is  Greece", kExact},
    {"Label50", 13, "This is Italy", kExact},
    {"Label51", 13, "This is Italy", kExact},
    {"Label52", 13, "This is Italy", kExact},
    {"Label53", 6, "This is Austria", kExact},
    {"Label54", 24, "This is  Luxembourg", kExact},
    {"Label55", 23, "This is Belgium", "       EXACT"},
    {"Label59", 15, "This is  Finland", kExact},
    {"Label60", 15, "This is  Finland", kExact},
    {"Label61", 11, "This is  Sweden", kExact},
    {"Label62", 11, "This is  Sweden", kExact},
    {"Label63", 11, "This is  Sweden", kExact},
    {"Label64", 17, "This is United Kingdom", kExact},
    {"Label65", 20, "This is  Ireland", kExact},
    {"Label66", 8, "This is  France", kExact},
    {"Label68", 8, "This is  France", kExact},
    {"Label70", 8, "This is  France", kExact},
    {"Label71", 23, "This is Belgium", kExact},
    {"Label72", 9, "This is  Germany", kExact},
    {"Label73", 8, "This is  France", kExact},
    {"Label75", 8, "This is  France", kExact},
    {"Label76", 22, "This is  Denmark", kExact},
    {"Label80", 27, "This is  Svizzera", kExact},
    {"Label81", 21, "This is  Slovakia", kExact},
    {"Label82", 25, "This is Malta", kExact},
    {"Label83", 26, "This is Cyprus", kExact},
    {"Label87", 28, "This is  Latvia", kExact},
    {"Label88", 28, "This is  Latvia", kExact},
    {"Label89", 29, "This is  Slovenia", kExact},
    {"Label90", 29, "This is  Slovenia", kExact},
}};

constexpr const AnswerRow* findAnswer(std::string_view label)
{
    for (const AnswerRow& row : kAnswers) {
        if (row.label == label)
            return &row;
    }
    return nullptr;
}

} // namespace game

#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace game {

// One country the quiz knows: what announces it when it is drawn.
struct Country {
    std::int16_t number;
    std::string_view name;       // written into the prompt line
    std::string_view prompt;     // text of the announcing message box
    std::string_view soundFile;  // relative to the program folder, backslash-separated
    bool drawn;                  // false for the two countries that never take part
};

inline constexpr std::array<Country, 29> kCountries{{
    {1, "Romania", "Click on Romania", "Europa\\Romania.wav", true},
    {2, "Bulgaria", "Click on Bulgaria", "Europa\\Bulgaria.wav", true},
    {3, "Greece", "Click on Greece", "Europa\\Grecia.wav", true},
    {4, "Poland", "Click on Poland", "Europa\\Polonia.wav", true},
    {5, "Hungary", "Click on Hungary", "Europa\\Ungheria.wav", true},
    {6, "Austria", "Click on Austria", "Europa\\Austria.wav", true},
    {7, "Czech Republic", "Click on Czech Republic", "Europa\\Repubblica Ceca.wav", true},
    {8, "France", "Click on France", "Europa\\Francia.wav", true},
    {9, "Germany", "Click on Germany", "Europa\\Germania.wav", true},
    {10, "Portugal", "Click on Portugal", "Europa\\Portogallo.wav", true},
    {11, "Sweden", "Click on Sweden", "Europa\\Svezia.wav", true},
    {12, "Norvegia", "Click on Norvegia", "Europa\\Norvegia.wav", false},
    {13, "Italy", "Click on Italy", "Europa\\Italia.wav", true},
    {14, "Lithuania", "Click on Lithuania", "Europa\\Lituania.wav", true},
    {15, "Finland", "Click on Finland", "Europa\\Finlandia.wav", true},
    {16, "Estonia", "Click on Estonia", "Europa\\Estonia.wav", true},
    {17, "United Kingdom", "Click on United Kingdom", "Europa\\Regno Unito.wav", true},
    {18, "Spain", "Click on Spain", "Europa\\Spagna.wav", true},
    {19, "Netherlands", "Click on Netherlands", "Europa\\Paesi bassi.wav", true},
    {20, "Ireland", "Click on Ireland", "Europa\\Irlanda.wav", true},
    {21, "Slovakia", "Click on Slovakia", "Europa\\Slovacchia.wav", true},
    {22, "Denmark", "Click on Denmark", "Europa\\Danimarca.wav", true},
    {23, "Belgium", "Click on Belgium", "Europa\\Belgio.wav", true},
    {24, "Luxembourg", "Click on Luxembourg", "Europa\\Lussemburgo.wav", true},
    {25, "Malta", "Click on Malta", "Europa\\Malta.wav", true},
    {26, "Cyprus", "Click on Cyprus", "Europa\\Cipro.wav", true},
    {27, "Svizzera", "Click on Svizzera", "Europa\\Svizzera.wav", false},
    {28, "Latvia", "Click on Latvia", "Europa\\Lettonia.wav", true},
    {29, "Slovenia", "Click on Slovenia", "Europa\\Slovenia.wav", true},
}};

// The row whose number equals `number`, searched in ascending order; nullptr for
// any number that names no country (0, the value before the first draw, among them).
constexpr const Country* findCountry(std::int16_t number)
{
    for (const Country& country : kCountries) {
        if (country.number == number)
            return &country;
    }
    return nullptr;
}

constexpr bool isDrawable(std::int16_t number)
{
    const Country* country = findCountry(number);
    return country != nullptr && country->drawn;
}

inline constexpr std::string_view kAnthemSound = "Europa\\inno.wav";
inline constexpr std::string_view kSuccessSound = "Europa\\Esatto.wav";

} // namespace game

#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace testsupport {

// The paths, relative to the program folder and with the game's backslashes,
// of every sound the game knows: the 29 countries, the anthem and the success.
std::vector<std::string> gameSoundFiles();

// Where the game looks for `relative` when the program lives in `programFolder`.
std::filesystem::path soundFileIn(const std::filesystem::path& programFolder,
                                  const std::string& relative);

// Writes a short valid tone under every name of gameSoundFiles().
void writeGameSounds(const std::filesystem::path& programFolder);

// A short tone; each file of the folder is one.
std::vector<std::uint8_t> shortTone();

} // namespace testsupport

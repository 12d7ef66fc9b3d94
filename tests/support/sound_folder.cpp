#include "sound_folder.h"

#include "game/country_table.h"
#include "game/quiz.h"
#include "wav_builder.h"

namespace testsupport {

std::vector<std::string> gameSoundFiles()
{
    std::vector<std::string> files;
    for (const auto& country : game::kCountries)
        files.emplace_back(country.soundFile);
    files.emplace_back(game::kAnthemSound);
    files.emplace_back(game::kSuccessSound);
    return files;
}

std::filesystem::path soundFileIn(const std::filesystem::path& programFolder,
                                  const std::string& relative)
{
    return game::soundPath(programFolder.string(), relative);
}

std::vector<std::uint8_t> shortTone()
{
    return toneWav({1, 1, 22050, 16}, 523.0, 0.05);
}

void writeGameSounds(const std::filesystem::path& programFolder)
{
    const auto tone = shortTone();
    for (const auto& relative : gameSoundFiles()) {
        const auto path = soundFileIn(programFolder, relative);
        std::filesystem::create_directories(path.parent_path());
        writeBytes(path, tone);
    }
}

} // namespace testsupport

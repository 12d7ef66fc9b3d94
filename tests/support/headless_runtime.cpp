#include "headless_runtime.h"

#include "platform/clock_random.h"
#include "sound/sound_player.h"

namespace testsupport {

HeadlessRuntime::HeadlessRuntime(sound::SoundPlayer& player, std::filesystem::path folder)
    : player_(player), folder_(std::move(folder))
{
}

void HeadlessRuntime::playSound(const std::string& fullPath)
{
    player_.play(fullPath);
}

float HeadlessRuntime::rnd()
{
    return platform::unitFromBits(random_());
}

} // namespace testsupport

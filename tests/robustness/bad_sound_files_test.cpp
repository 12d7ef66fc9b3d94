#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "game/answer_table.h"
#include "game/quiz.h"
#include "headless_runtime.h"
#include "no_controls.h"
#include "sound/sound_loader.h"
#include "sound_folder.h"
#include "watched_sound_player.h"
#include "wav_builder.h"
#include "whole_sound.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;

constexpr auto kWorkerLimit = 5s;

Bytes validSound()
{
    return testsupport::shortTone();
}

void replaceWith(const fs::path& file, const Bytes& bytes)
{
    fs::remove_all(file);
    testsupport::writeBytes(file, bytes);
}

Bytes withLe32(std::size_t at, std::uint32_t value)
{
    Bytes b = validSound();
    testsupport::putLe32(b, at, value);
    return b;
}

Bytes cutTo(std::size_t length)
{
    Bytes b = validSound();
    b.resize(length);
    return b;
}

// One way of spoiling a sound file, done in place.
struct Damage {
    const char* name;
    void (*apply)(const fs::path&);
};

void PrintTo(const Damage& d, std::ostream* os)
{
    *os << d.name;
}

const Damage kDamages[] = {
    {"Missing", [](const fs::path& f) { fs::remove_all(f); }},
    {"Empty", [](const fs::path& f) { replaceWith(f, {}); }},
    {"CutInTheHeader", [](const fs::path& f) { replaceWith(f, cutTo(22)); }},
    {"CutInTheSamples", [](const fs::path& f) { replaceWith(f, cutTo(validSound().size() - 9)); }},
    {"RiffSizePastTheEnd", [](const fs::path& f) { replaceWith(f, withLe32(testsupport::kRiffSizeOffset, 0x7FFFFFF0)); }},
    {"DataSizePastTheEnd", [](const fs::path& f) { replaceWith(f, withLe32(testsupport::kDataSizeOffset, 0xFFFFFFF0)); }},
    {"FormatTheDeviceCannotPlay", [](const fs::path& f) {
         Bytes b = validSound();
         b[testsupport::kFormatTagOffset] = 0x55; // MPEG in a WAV wrapper
         replaceWith(f, b);
     }},
    {"GarbageBytes", [](const fs::path& f) {
         std::mt19937 random(31);
         Bytes b(4096);
         for (auto& byte : b)
             byte = static_cast<std::uint8_t>(random());
         replaceWith(f, b);
     }},
    {"AFolder", [](const fs::path& f) { fs::remove_all(f); fs::create_directory(f); }},
    {"LinkToDevZero", [](const fs::path& f) { fs::remove_all(f); fs::create_symlink("/dev/zero", f); }},
    {"LinkToItself", [](const fs::path& f) { fs::remove_all(f); fs::create_symlink(f.filename(), f); }},
    {"NamedPipe", [](const fs::path& f) { fs::remove_all(f); ::mkfifo(f.c_str(), 0644); }},
    {"HugeSparseFile", [](const fs::path& f) {
         fs::remove_all(f);
         const int fd = ::open(f.c_str(), O_CREAT | O_WRONLY, 0644);
         if (fd >= 0) {
             if (::ftruncate(fd, off_t{4} << 30) != 0) {}
             ::close(fd);
         }
     }},
};

const game::AnswerRow& rightAnswer(std::int16_t country)
{
    for (const auto& row : game::kAnswers) {
        if (row.number == country)
            return row;
    }
    throw std::logic_error("no label answers country " + std::to_string(country));
}

class BadSoundFiles : public ::testing::TestWithParam<Damage> {
protected:
    static void SetUpTestSuite()
    {
        // Consumes samples like a sound card, so every file is decoded and queued.
        ::setenv("SDL_AUDIODRIVER", "dummy", 1);
        player = new testsupport::WatchedSoundPlayer;
    }
    static void TearDownTestSuite()
    {
        delete player;
        player = nullptr;
        ::unsetenv("SDL_AUDIODRIVER");
    }

    void SetUp() override { testsupport::writeGameSounds(folder.path()); }

    fs::path file(const std::string& relative) const
    {
        return testsupport::soundFileIn(folder.path(), relative);
    }

    // True when only the files in `spoiled` are silent and the service has
    // dealt with a request for each of them in time.
    void expectSilenceOnlyIn(const std::vector<std::string>& spoiled)
    {
        for (const auto& relative : sounds) {
            const bool isSpoiled = std::find(spoiled.begin(), spoiled.end(), relative) != spoiled.end();
            EXPECT_EQ(testsupport::loadSound(file(relative).string()).has_value(), !isSpoiled)
                << relative << (isSpoiled ? " was heard" : " was not heard");
        }
        for (const auto& relative : spoiled) {
            player->play(file(relative).string());
            ASSERT_TRUE(player->waitUntilIdle(kWorkerLimit)) << "hangs on " << relative;
        }
    }

    static testsupport::WatchedSoundPlayer* player;
    testsupport::TempDir folder{"europa-bad-sounds"};
    const std::vector<std::string> sounds = testsupport::gameSoundFiles();
};

testsupport::WatchedSoundPlayer* BadSoundFiles::player = nullptr;

TEST_P(BadSoundFiles, EachFileInTurnIsSilenceAndTheOthersStillPlay)
{
    ASSERT_EQ(sounds.size(), 31U);
    const Bytes valid = validSound();
    for (const auto& relative : sounds) {
        GetParam().apply(file(relative));
        expectSilenceOnlyIn({relative});
        replaceWith(file(relative), valid);
    }
}

TEST_P(BadSoundFiles, AllAtOnceAndTheGamePlaysOn)
{
    for (const auto& relative : sounds)
        GetParam().apply(file(relative));
    expectSilenceOnlyIn(sounds);

    testsupport::HeadlessRuntime runtime(*player, folder.path());
    testsupport::NoControls controls;
    game::Quiz quiz(runtime, controls);
    quiz.Form_Initialize();
    constexpr int kChallenges = 40;
    for (int i = 0; i < kChallenges; ++i) {
        quiz.Command2_Click();
        quiz.labelClick(rightAnswer(quiz.state().caso));
    }
    ASSERT_TRUE(player->waitUntilIdle(kWorkerLimit));
    EXPECT_EQ(quiz.state().punti, kChallenges - 1);
    EXPECT_EQ(quiz.state().errori, 0);
    EXPECT_EQ(runtime.boxes, 2 * kChallenges);
    EXPECT_FALSE(runtime.ended);
}

INSTANTIATE_TEST_SUITE_P(Kinds, BadSoundFiles, ::testing::ValuesIn(kDamages),
                         [](const auto& info) { return std::string(info.param.name); });

// The files are left readable to their owner only. Root reads them all the
// same, so for root the check runs in a child that has become nobody.
class UnreadableSoundFiles : public ::testing::Test {
protected:
    void SetUp() override { testsupport::writeGameSounds(folder.path()); }

    // How many of the game's files the reader could load, seen as an ordinary user.
    int loadableAsOrdinaryUser()
    {
        auto count = [this] {
            int loaded = 0;
            for (const auto& relative : testsupport::gameSoundFiles())
                loaded += testsupport::loadSound(testsupport::soundFileIn(folder.path(), relative).string()) ? 1 : 0;
            return loaded;
        };
        if (::geteuid() != 0)
            return count();
        const pid_t child = ::fork();
        if (child == 0) {
            if (::setgid(65534) != 0 || ::setuid(65534) != 0)
                ::_exit(255);
            ::_exit(count());
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    void lock(const std::string& relative, fs::perms perms)
    {
        fs::permissions(testsupport::soundFileIn(folder.path(), relative), perms);
    }

    testsupport::TempDir folder{"europa-locked-sounds"};
};

TEST_F(UnreadableSoundFiles, EachInTurnAndAllAtOnceAreSilence)
{
    const auto sounds = testsupport::gameSoundFiles();
    const int all = static_cast<int>(sounds.size());
    ASSERT_EQ(loadableAsOrdinaryUser(), all) << "an ordinary user cannot reach the folder";
    for (const auto& relative : sounds) {
        lock(relative, fs::perms::owner_read | fs::perms::owner_write);
        EXPECT_EQ(loadableAsOrdinaryUser(), all - 1) << relative;
        lock(relative, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read
                           | fs::perms::others_read);
    }
    for (const auto& relative : sounds)
        lock(relative, fs::perms::none);
    EXPECT_EQ(loadableAsOrdinaryUser(), 0);
}

} // namespace

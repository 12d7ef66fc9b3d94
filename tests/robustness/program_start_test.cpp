#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <map>
#include <optional>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "game/country_table.h"
#include "game/quiz.h"
#include "sound/sound_loader.h"
#include "disk_device.h"
#include "program_run.h"
#include "sound_folder.h"
#include "tone_measure.h"
#include "wav_builder.h"
#include "whole_sound.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using robustness::ProgramRun;

const std::vector<std::string> kDisplayVariables{"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"};

const std::string kOurLine = "europa-quiz: cannot open the window: ";
// A display named by a socket path that cannot exist: a display number might
// be live on the machine that runs this.
const std::string kNoSuchDisplay = "/nonexistent/europa-no-display:0";

// A start that cannot open the window, and how it ends.
struct FailedStart {
    const char* name;
    std::map<std::string, std::string> set;
    std::string line;     // how our last line goes on; empty: no line of ours
    std::string ending;   // "exit N" or "signal N"
    std::string passedOn; // what Qt, a library or a handler said that must reach stderr
    std::string withheld{}; // what must not reach stderr
    std::vector<std::string> unset{};
};

void PrintTo(const FailedStart& c, std::ostream* os)
{
    *os << c.name;
}

std::string ending(int status)
{
    return WIFEXITED(status) ? "exit " + std::to_string(WEXITSTATUS(status))
                             : "signal " + std::to_string(WTERMSIG(status));
}

std::string signalled(int signal)
{
    return "signal " + std::to_string(signal);
}

// The connection to the X server ending the process as the fixture is told
// (`how`: "exit", "_exit", "fault" or a signal's number).
FailedStart endedInXcbConnect(const char* name, const std::string& how, const std::string& end,
                              std::map<std::string, std::string> also = {})
{
    std::map<std::string, std::string> set{{"QT_QPA_PLATFORM", "xcb"},
                                           {"DISPLAY", ":64"},
                                           {"LD_PRELOAD", EUROPA_XCB_CONNECT_ENDING},
                                           {"EUROPA_XCB_CONNECT_ENDS", how},
                                           // A sanitizer build asks to be loaded first,
                                           // and ends a fault itself unless told not to.
                                           {"ASAN_OPTIONS", "verify_asan_link_order=0:handle_segv=0"}};
    set.merge(also);
    return {name, set, "", end, "X connection to :64 broken (explicit kill or server shutdown)."};
}

FailedStart scaled(const char* name, const char* factor, const std::string& line)
{
    return {name, {{"QT_QPA_PLATFORM", "offscreen"}, {"QT_SCALE_FACTOR", factor}}, line, "exit 1", ""};
}

std::size_t occurrences(const std::string& text, const std::string& part)
{
    std::size_t count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

class FailedStarts : public ::testing::TestWithParam<FailedStart> {};

// Everything said on the way reaches stderr as it was said; our line, when
// there is one, comes once and last.
TEST_P(FailedStarts, SayWhatFailedAndEndWithTheirStatus)
{
    const FailedStart& start = GetParam();
    std::vector<std::string> unset = kDisplayVariables;
    unset.insert(unset.end(), start.unset.begin(), start.unset.end());
    ProgramRun run({.program = robustness::builtProgram(), .set = start.set, .unset = unset});
    const auto status = run.waitForEnd(20s);
    ASSERT_TRUE(status) << "still running";
    const std::string text = run.stderrText();
    EXPECT_EQ(ending(*status), start.ending) << text;
    const auto lines = run.stderrLines();
    if (start.line.empty()) {
        EXPECT_EQ(text.find(kOurLine), std::string::npos) << text;
    } else {
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.back().rfind(kOurLine + start.line, 0), 0U) << text;
        EXPECT_EQ(occurrences(text, kOurLine), 1U) << text;
    }
    EXPECT_NE(text.find(start.passedOn), std::string::npos) << text;
    if (!start.withheld.empty()) {
        EXPECT_EQ(text.find(start.withheld), std::string::npos) << text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Causes, FailedStarts,
    ::testing::Values(
        FailedStart{"NothingSet", {}, "no usable display", "exit 1", "could not connect to display"},
        FailedStart{"DisplayGone", {{"DISPLAY", kNoSuchDisplay}}, "no usable display", "exit 1",
                    "could not connect to display " + kNoSuchDisplay},
        FailedStart{"X11AskedForNoneThere", {{"QT_QPA_PLATFORM", "xcb"}}, "no usable display", "exit 1",
                    "could not connect to display"},
        // Without XDG_RUNTIME_DIR the Wayland library says so on its own as well.
        FailedStart{"WaylandAskedForNoneThere", {{"QT_QPA_PLATFORM", "wayland"}},
                    "no Wayland display to connect to", "exit 1", "Failed to create wl_display"},
        FailedStart{"UnknownDisplaySystem", {{"QT_QPA_PLATFORM", "bogus"}},
                    "there is no display system called \"bogus\"", "exit 1",
                    "Could not find the Qt platform plugin \"bogus\""},
        // A library the plugin needs, found first and holding nothing: the
        // line gives why, as Qt's plugin loader reports it; the loader's own
        // reports, which no one asked for, stay out of sight.
        FailedStart{"PluginDoesNotLoad",
                    {{"QT_QPA_PLATFORM", "xcb"},
                     {"DISPLAY", kNoSuchDisplay},
                     {"LD_LIBRARY_PATH", EUROPA_EMPTY_XCB_LIBRARY_DIR}},
                    "the display plugin \"xcb\" could not be loaded: Cannot load library ", "exit 1",
                    "Could not load the Qt platform plugin \"xcb\"",
                    "loadPlugin failed"},
        // Asked for, they are passed on.
        FailedStart{"PluginDoesNotLoadWithItsDiagnostics",
                    {{"QT_QPA_PLATFORM", "xcb"},
                     {"DISPLAY", kNoSuchDisplay},
                     {"LD_LIBRARY_PATH", EUROPA_EMPTY_XCB_LIBRARY_DIR},
                     {"QT_DEBUG_PLUGINS", "1"}},
                    "the display plugin \"xcb\" could not be loaded: Cannot load library ", "exit 1",
                    "QLibraryPrivate::loadPlugin failed"},
        FailedStart{"NoScreen", {{"QT_QPA_PLATFORM", "linuxfb:fb=/nonexistent/europa/fb0"}},
                    "the display system \"linuxfb\" reports no screen", "exit 1",
                    "Failed to open framebuffer /nonexistent/europa/fb0"},
        // Starts, has a screen, and would never show the window.
        FailedStart{"DisplaySystemThatShowsNoWindow", {{"QT_QPA_PLATFORM", "vkkhrdisplay"}},
                    "the display system \"vkkhrdisplay\" cannot show it: it shows only Vulkan surfaces",
                    "exit 1", ""},
        // A cause the line cannot name: what the display system said explains it.
        FailedStart{"CauseOfItsOwn",
                    {{"QT_QPA_PLATFORM", "eglfs"},
                     {"QT_QPA_EGLFS_INTEGRATION", "eglfs_kms"},
                     {"QT_QPA_EGLFS_KMS_CONFIG", EUROPA_MISSING_DRM_DEVICE}},
                    "the display system could not start: Could not open DRM device", "exit 1",
                    "Could not open DRM device /nonexistent/europa/card0"},
        // Scales at which the window has no size, or none that fits in a
        // window: refused before any figure is computed from them.
        scaled("ScaleZero", "0", "at scale 0 the window cannot be drawn (QT_SCALE_FACTOR=\"0\")"),
        scaled("ScaleNotANumber", "nan", "at scale nan the window cannot be drawn"),
        scaled("ScaleInfinite", "inf", "at scale inf the window is too large to draw"),
        scaled("ScaleOfABillion", "1e9",
               "at scale 1e+09 the window would be 796000000000 by 544000000000 pixels"),
        // Asked for: the warning ends the program, and says why.
        FailedStart{"FatalWarning",
                    {{"QT_QPA_PLATFORM", "offscreen"}, {"QT_FATAL_WARNINGS", "1"}},
                    "",
                    signalled(SIGABRT),
                    "XDG_RUNTIME_DIR not set",
                    "",
                    {"XDG_RUNTIME_DIR"}},
        // Ended by a library during the creation: what it wrote is there, and
        // the process ends as the library ended it.
        endedInXcbConnect("ExitDuringCreation", "exit", "exit 1"),
        endedInXcbConnect("ImmediateExitDuringCreation", "_exit", "exit 1"),
        endedInXcbConnect("SegmentationFaultDuringCreation", std::to_string(SIGSEGV), signalled(SIGSEGV)),
        endedInXcbConnect("AbortDuringCreation", std::to_string(SIGABRT), signalled(SIGABRT)),
        endedInXcbConnect("TerminatedDuringCreation", std::to_string(SIGTERM), signalled(SIGTERM)),
        // A handler installed before main, as a crash reporter's or a
        // sanitizer's, handles a fault in the connection.
        [] {
            FailedStart start = endedInXcbConnect("FaultWithAHandlerFromBeforeMain", "fault", signalled(SIGSEGV),
                                                  {{"EUROPA_EARLIER_SEGV_HANDLER", "1"}});
            start.passedOn = "earlier SIGSEGV handler ran";
            return start;
        }()),
    [](const auto& info) { return std::string(info.param.name); });

// An X display that takes connections and never answers, as a frozen or
// overloaded server does: a socket of the test's own at a display number no
// server holds, whose connections wait in its backlog unread.
class SilentDisplay {
public:
    SilentDisplay()
    {
        if (::mkdir(kSocketFolder, 01777) == 0)
            ::chmod(kSocketFolder, 01777);
        for (int number = 159; number < 1000 && socket_ < 0; ++number)
            take(number);
    }
    ~SilentDisplay()
    {
        if (socket_ < 0)
            return;
        ::close(socket_);
        ::unlink(socketPath().c_str());
        ::unlink(lockPath().c_str());
    }
    SilentDisplay(const SilentDisplay&) = delete;
    SilentDisplay& operator=(const SilentDisplay&) = delete;

    bool listening() const { return socket_ >= 0; }
    std::string name() const { return ":" + std::to_string(number_); }

private:
    static constexpr const char* kSocketFolder = "/tmp/.X11-unix";

    std::string socketPath() const { return std::string(kSocketFolder) + "/X" + std::to_string(number_); }
    // Held as an X server holds it, so that none starts on this number meanwhile.
    std::string lockPath() const { return "/tmp/.X" + std::to_string(number_) + "-lock"; }

    void take(int number)
    {
        number_ = number;
        const int lock = ::open(lockPath().c_str(), O_WRONLY | O_CREAT | O_EXCL, 0444);
        if (lock < 0)
            return;
        const std::string pid = std::to_string(::getpid());
        const std::string lockText = std::string(10 - pid.size(), ' ') + pid + "\n";
        const bool locked = ::write(lock, lockText.data(), lockText.size()) == ssize_t(lockText.size());
        ::close(lock);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, socketPath().c_str(), sizeof address.sun_path - 1);
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (locked && fd >= 0 && ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0
            && ::listen(fd, 8) == 0) {
            socket_ = fd;
            return;
        }
        if (fd >= 0)
            ::close(fd);
        ::unlink(lockPath().c_str());
    }

    int number_ = 0;
    int socket_ = -1;
};

// A Wayland compositor's socket that takes connections and never answers.
class SilentWaylandDisplay {
public:
    SilentWaylandDisplay()
    {
        fs::permissions(dir_.path(), fs::perms::owner_all);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, (dir_.path() / name()).c_str(), sizeof address.sun_path - 1);
        socket_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (::bind(socket_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0
            || ::listen(socket_, 8) != 0) {
            ::close(socket_);
            socket_ = -1;
        }
    }
    ~SilentWaylandDisplay()
    {
        if (socket_ >= 0)
            ::close(socket_);
    }
    SilentWaylandDisplay(const SilentWaylandDisplay&) = delete;
    SilentWaylandDisplay& operator=(const SilentWaylandDisplay&) = delete;

    bool listening() const { return socket_ >= 0; }
    static std::string name() { return "wayland-silent"; }
    std::string runtimeDir() const { return dir_.path().string(); }

private:
    testsupport::TempDir dir_{"europa-silent-wayland"};
    int socket_ = -1;
};

// A display that never answers ends the start in seconds, with the one line
// naming the display Qt was trying: the one given on the command line before
// DISPLAY, the Wayland display where Qt tries Wayland.
TEST(DisplayThatNeverAnswers, EndsTheStartNamingIt)
{
    const SilentDisplay display;
    ASSERT_TRUE(display.listening());
    const SilentWaylandDisplay wayland;
    ASSERT_TRUE(wayland.listening());
    struct Case {
        const char* what;
        std::vector<std::string> arguments;
        std::map<std::string, std::string> set;
        std::string named;
    };
    for (const Case& c : {
             Case{"DISPLAY", {}, {{"DISPLAY", display.name()}}, "the display \"" + display.name() + "\""},
             Case{"-display", {"-display", display.name()}, {{"DISPLAY", kNoSuchDisplay}},
                  "the display \"" + display.name() + "\""},
             Case{"-display without DISPLAY", {"-display", display.name()}, {},
                  "the display \"" + display.name() + "\""},
             Case{"Wayland",
                  {},
                  {{"QT_QPA_PLATFORM", "wayland"},
                   {"WAYLAND_DISPLAY", wayland.name()},
                   {"XDG_RUNTIME_DIR", wayland.runtimeDir()}},
                  "the Wayland display \"" + wayland.name() + "\""},
         }) {
        const auto started = std::chrono::steady_clock::now();
        ProgramRun run({.program = robustness::builtProgram(),
                        .arguments = c.arguments,
                        .set = c.set,
                        .unset = kDisplayVariables});
        const auto status = run.waitForEnd(60s);
        ASSERT_TRUE(status) << c.what << ": still running";
        const std::string text = run.stderrText();
        EXPECT_EQ(ending(*status), "exit 1") << c.what << ": " << text;
        const auto lines = run.stderrLines();
        ASSERT_FALSE(lines.empty()) << c.what;
        EXPECT_EQ(lines.back(), kOurLine + c.named + " does not answer (waited 10 seconds)") << c.what;
        EXPECT_EQ(occurrences(text, kOurLine), 1U) << c.what << ": " << text;
        // Ten seconds of silence, and not much more however busy the machine.
        EXPECT_LT(std::chrono::steady_clock::now() - started, 40s) << c.what;
    }
}

// The program in a folder of the test's making, run headless; what its audio
// device plays lands in a file.
class InstalledProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directory(runtimeDir());
        fs::permissions(runtimeDir(), fs::perms::owner_all);
    }

    fs::path install(const fs::path& folder, bool withSounds)
    {
        fs::create_directories(folder);
        const auto program = folder / "europa-quiz";
        fs::copy_file(robustness::builtProgram(), program, fs::copy_options::overwrite_existing);
        if (withSounds)
            writeSounds(folder);
        return program;
    }

    // The anthem is what start-up plays: it gets a tone that is easy to pick out.
    static void writeSounds(const fs::path& folder)
    {
        testsupport::writeGameSounds(folder);
        testsupport::writeBytes(testsupport::soundFileIn(folder, std::string(game::kAnthemSound)),
                                testsupport::toneWav({1, 2, 22050, 16}, kAnthemHertz, 0.5));
    }

    ProgramRun::Options headless(const fs::path& program, const fs::path& workingDir = ".") const
    {
        return {.program = program,
                .set = {{"QT_QPA_PLATFORM", "offscreen"},
                        {"XDG_RUNTIME_DIR", runtimeDir().string()},
                        {"SDL_AUDIODRIVER", "disk"},
                        {"SDL_DISKAUDIOFILE", deviceFile().string()},
                        {"SDL_DISKAUDIODELAY", "2"}},
                // Nothing of the desktop the tests run on: with a display and
                // no session bus there, the sound library's start-up would go
                // looking for a bus through that display.
                .unset = kDisplayVariables,
                .workingDir = workingDir};
    }

    // Whether the device played the anthem; false once it has played two
    // seconds of silence without it and five seconds have passed. The disk
    // device plays faster than time passes, so on a busy machine its two
    // seconds can be over before the program has read its first sound.
    bool anthemHeard() const
    {
        const auto start = std::chrono::steady_clock::now();
        const auto deadline = start + 20s;
        while (std::chrono::steady_clock::now() < deadline) {
            const auto samples = testsupport::diskDeviceSamples(deviceFile());
            const auto tone = testsupport::measureTone(samples, sound::kDeviceRate);
            // Judged on the whole anthem, once the device has gone quiet after it.
            if (tone && samples.size() > tone->last + kDeviceRate / 5)
                return std::abs(tone->hertz - kAnthemHertz) < 5.0;
            if (!tone && samples.size() > 2 * static_cast<std::size_t>(kDeviceRate)
                && std::chrono::steady_clock::now() - start > 5s)
                return false;
            std::this_thread::sleep_for(20ms);
        }
        return false;
    }

    static constexpr double kAnthemHertz = 330.0;
    static constexpr std::size_t kDeviceRate = sound::kDeviceRate;

    fs::path runtimeDir() const { return dir.path() / "xdg"; }
    fs::path deviceFile() const { return dir.path() / "device.raw"; }

    testsupport::TempDir dir{"europa-installed"};
};

struct Folder {
    const char* name;
    const char* path; // below the test's folder
};

void PrintTo(const Folder& f, std::ostream* os)
{
    *os << f.name;
}

class ProgramFolder : public InstalledProgram, public ::testing::WithParamInterface<Folder> {};

TEST_P(ProgramFolder, FindsItsSoundsThere)
{
    const auto program = install(dir.path() / GetParam().path, true);
    ProgramRun run(headless(program));
    EXPECT_TRUE(anthemHeard());
    EXPECT_TRUE(run.running()) << run.stderrText();
}

TEST_P(ProgramFolder, StartedThroughALinkFromAnotherFolderFindsThemBesideItself)
{
    const auto program = install(dir.path() / GetParam().path, true);
    const auto elsewhere = dir.path() / "elsewhere";
    fs::create_directory(elsewhere);
    fs::create_symlink(program, elsewhere / "europa-quiz");
    ProgramRun run(headless(elsewhere / "europa-quiz", elsewhere));
    EXPECT_TRUE(anthemHeard());
    EXPECT_TRUE(run.running()) << run.stderrText();
}

INSTANTIATE_TEST_SUITE_P(Paths, ProgramFolder,
                         ::testing::Values(Folder{"Plain", "quiz"},
                                           Folder{"Spaces", "my games/europa quiz"},
                                           Folder{"NonAscii", "giochi/citt\u00e0 d'Europa \u00f1"},
                                           // Latin-1 bytes, as an older disk may carry them.
                                           Folder{"NotUtf8", "giochi/caf\xe9 \xc0"},
                                           Folder{"Deep", "a/b/c/d/e/f/g/h/quiz"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(InstalledProgram, WithoutTheSoundFolderPlaysOnInSilence)
{
    const auto program = install(dir.path() / "bare", false);
    ProgramRun run(headless(program));
    EXPECT_FALSE(anthemHeard());
    EXPECT_TRUE(run.running()) << run.stderrText();
}

// A link to the sound folder is followed like the folder itself; the sounds
// beside a link to the program are not the program's.
TEST_F(InstalledProgram, SoundsAreSoughtBesideTheProgramNotBesideItsLink)
{
    const auto program = install(dir.path() / "bare", false);
    const auto elsewhere = dir.path() / "elsewhere";
    writeSounds(elsewhere);
    fs::create_symlink(program, elsewhere / "europa-quiz");
    {
        ProgramRun run(headless(elsewhere / "europa-quiz", elsewhere));
        EXPECT_FALSE(anthemHeard());
    }
    fs::remove(deviceFile());
    fs::create_directory_symlink(elsewhere / "Europa", program.parent_path() / "Europa");
    ProgramRun run(headless(program));
    EXPECT_TRUE(anthemHeard());
}

// No sound card at all, or no sound library to reach one: the game runs, and
// stderr carries one line about it, which the logging rules can silence as any
// Qt program's. The sound library would report each of its failed probes;
// those are kept quiet.
TEST_F(InstalledProgram, WithoutSoundSaysSoOnceAndPlaysOn)
{
    const auto program = install(dir.path() / "quiz", true);
    // A library by SDL's name that is no library at all, found before the real one.
    const auto brokenLibraries = dir.path() / "broken-libraries";
    fs::create_directories(brokenLibraries);
    std::ofstream(brokenLibraries / "libSDL2-2.0.so.0").put('\0');
    struct Case {
        std::map<std::string, std::string> environment;
        std::optional<std::string> line; // none: stderr carries nothing of ours
    };
    for (const Case& sound : {
             Case{{{"SDL_AUDIODRIVER", "alsa"}, {"AUDIODEV", "europa-no-such-device"}},
                  "europa.quiz.sound: no audio device, playing without sound"},
             Case{{{"SDL_AUDIODRIVER", "pulseaudio"}, {"PULSE_SERVER", "unix:/nonexistent/europa"}},
                  "europa.quiz.sound: no audio device, playing without sound"},
             Case{{{"LD_LIBRARY_PATH", brokenLibraries.string()}},
                  "europa.quiz.sound: no sound library, playing without sound"},
             Case{{{"AUDIODEV", "europa-no-such-device"}, {"SDL_AUDIODRIVER", "alsa"},
                   {"QT_LOGGING_RULES", "europa.quiz.*=false"}},
                  std::nullopt}}) {
        auto options = headless(program);
        options.set.erase("SDL_AUDIODRIVER");
        options.set.insert(sound.environment.begin(), sound.environment.end());
        ProgramRun run(options);
        std::this_thread::sleep_for(1500ms);
        EXPECT_TRUE(run.running()) << run.stderrText();
        run.stop();
        std::vector<std::string> lines;
        for (const auto& line : run.stderrLines()) {
            // The headless platform's own note about window sizes is not ours.
            if (line.find("propagateSizeHints") == std::string::npos)
                lines.push_back(line);
        }
        const std::string& what = sound.environment.begin()->second;
        if (!sound.line) {
            EXPECT_TRUE(lines.empty()) << what << ":\n" << run.stderrText();
            continue;
        }
        ASSERT_EQ(lines.size(), 1U) << what << ":\n" << run.stderrText();
        EXPECT_EQ(lines[0].rfind(*sound.line, 0), 0U) << what << ": " << lines[0];
    }
}

// The game forms every path from the program folder, one separator and the
// file's own path; a folder written with a trailing separator, with spaces or
// with letters beyond ASCII still leads to the files.
TEST(SoundPaths, FolderSpellingsAllReachTheFiles)
{
    testsupport::TempDir dir{"europa-paths"};
    for (const std::string folder : {"plain", "with  two spaces ", "\u00c9urop\u00e4 \u65e5\u672c"}) {
        const fs::path programFolder = dir.path() / folder;
        testsupport::writeGameSounds(programFolder);
        for (const auto& spelled : {programFolder.string(), programFolder.string() + "/"}) {
            for (const auto& relative : testsupport::gameSoundFiles())
                EXPECT_TRUE(testsupport::loadSound(game::soundPath(spelled, relative)))
                    << spelled << " + " << relative;
        }
    }
}

} // namespace

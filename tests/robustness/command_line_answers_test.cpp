// The built program's command line: answered before any window, with no
// display at all, and Qt's own options passed on to Qt.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include "program_run.h"

namespace {

using namespace std::chrono_literals;
using robustness::ProgramRun;

const std::vector<std::string> kDisplayVariables{"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"};

struct LineRun {
    const char* name;
    std::vector<std::string> arguments;
    std::map<std::string, std::string> set;
    int status;
    std::string stdoutStart;
    std::string stderrStart;
};

void PrintTo(const LineRun& c, std::ostream* os)
{
    *os << c.name;
}

class ProgramCommandLine : public ::testing::TestWithParam<LineRun> {};

TEST_P(ProgramCommandLine, IsAnsweredBeforeAnyWindow)
{
    const LineRun& c = GetParam();
    ProgramRun run({.program = robustness::builtProgram(),
                    .arguments = c.arguments,
                    .set = c.set,
                    .unset = kDisplayVariables});
    const auto status = run.waitForEnd(10s);
    ASSERT_TRUE(status) << "still running";
    ASSERT_TRUE(WIFEXITED(*status)) << run.stderrText();
    EXPECT_EQ(WEXITSTATUS(*status), c.status) << run.stderrText();
    EXPECT_EQ(run.stdoutText().rfind(c.stdoutStart, 0), 0U) << run.stdoutText();
    // Qt may speak before the program: its line is one of theirs.
    EXPECT_NE(("\n" + run.stderrText()).find("\n" + c.stderrStart), std::string::npos) << run.stderrText();
    if (c.stdoutStart.empty()) {
        EXPECT_EQ(run.stdoutText(), "");
    }
    if (c.stderrStart.empty()) {
        EXPECT_EQ(run.stderrText(), "");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ProgramCommandLine,
    ::testing::Values(
        LineRun{"Help", {"--help"}, {}, 0, "Usage: europa-quiz [OPTION]...\n", ""},
        LineRun{"Version", {"--version"}, {}, 0, std::string("europa-quiz ") + EUROPA_VERSION + "\n", ""},
        LineRun{"UnknownOption", {"--foo"}, {}, 2, "", "europa-quiz: unrecognized option '--foo'\n"},
        // With a display to open, the window would stay open: the refusal comes first.
        LineRun{"UnknownOptionWithADisplay", {"-platform", "offscreen", "--foo"},
                {{"QT_QPA_PLATFORM", "offscreen"}}, 2, "", "europa-quiz: unrecognized option '--foo'\n"},
        // Qt reads the option: the display system it names is the one that fails.
        LineRun{"QtsOwnOptionReachesQt", {"-platform", "bogus", "-style", "fusion"}, {}, 1, "",
                "europa-quiz: cannot open the window: there is no display system called \"bogus\" (-platform \"bogus\"; "
                "this machine has"}),
    [](const auto& info) { return std::string(info.param.name); });

// Qt's options open the window where the program alone would find no display.
TEST(ProgramCommandLine, QtsOwnOptionsOpenTheWindow)
{
    ProgramRun run({.program = robustness::builtProgram(),
                    .arguments = {"-platform", "offscreen", "-style", "fusion", "-reverse"},
                    .set = {{"SDL_AUDIODRIVER", "dummy"}},
                    .unset = kDisplayVariables});
    EXPECT_FALSE(run.waitForEnd(2s)) << run.stderrText();
    EXPECT_EQ(run.stderrText().find("europa-quiz:"), std::string::npos) << run.stderrText();
}

} // namespace

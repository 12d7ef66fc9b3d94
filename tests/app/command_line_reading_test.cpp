#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "app/command_line.h"

namespace {

using app::Request;

struct LineCase {
    const char* name;
    std::vector<const char*> arguments; // after the program's name
    Request request;
    std::string named; // the argument a refusal names
};

void PrintTo(const LineCase& c, std::ostream* os)
{
    *os << c.name;
}

class ReadCommandLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(ReadCommandLine, LeavesQtItsOwnAndRefusesTheRest)
{
    const LineCase& c = GetParam();
    const app::CommandLine line = app::readCommandLine(c.arguments);
    EXPECT_EQ(line.request, c.request);
    EXPECT_EQ(line.argument, c.named);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ReadCommandLine,
    ::testing::Values(
        LineCase{"Nothing", {}, Request::Play, ""},
        LineCase{"Platform", {"-platform", "offscreen"}, Request::Play, ""},
        LineCase{"PlatformWithItsOptions", {"-platform", "linuxfb:fb=/dev/fb1"}, Request::Play, ""},
        LineCase{"TwoDashes", {"--platform", "wayland", "--display", ":1"}, Request::Play, ""},
        LineCase{"StyleEitherWay", {"-style", "fusion", "-style=fusion", "--style=Windows"}, Request::Play, ""},
        LineCase{"Switches", {"-reverse", "-widgetcount", "-testability", "--nograb"}, Request::Play, ""},
        LineCase{"EveryQtOptionWithAValue",
                 {"-platformpluginpath", "/p", "-platformtheme", "gtk3", "-plugin", "evdevtouch",
                  "-qwindowgeometry", "800x600", "-qwindowicon", "i.png", "-qwindowtitle", "T",
                  "-session", "s_1", "-stylesheet", "a.qss", "-stylesheet=b.qss",
                  "-qmljsdebugger=port:1234", "-display", ":0", "-geometry", "+0+0", "-title", "T",
                  "-icon", "i.png", "-name", "quiz", "-visual", "0x21"},
                 Request::Play, ""},
        // Qt reads the argument after a value option as its value, whatever it looks like.
        LineCase{"ValueLikeAnOption", {"-qwindowtitle", "--help"}, Request::Play, ""},
        LineCase{"EndOfOptionsAlone", {"--"}, Request::Play, ""},

        LineCase{"Help", {"--help"}, Request::Help, ""},
        LineCase{"ShortHelp", {"-h"}, Request::Help, ""},
        LineCase{"Version", {"--version"}, Request::Version, ""},
        LineCase{"ShortVersion", {"-v"}, Request::Version, ""},
        LineCase{"HelpAfterQtOptions", {"-platform", "xcb", "--help"}, Request::Help, ""},
        LineCase{"FirstDecides", {"--version", "--help", "--bogus"}, Request::Version, ""},

        LineCase{"Unknown", {"--foo"}, Request::UnknownOption, "--foo"},
        LineCase{"UnknownShort", {"-x"}, Request::UnknownOption, "-x"},
        LineCase{"UnknownBeforeHelp", {"--foo", "--help"}, Request::UnknownOption, "--foo"},
        LineCase{"UnknownAfterQtOptions", {"-style", "fusion", "-fullscreen"}, Request::UnknownOption, "-fullscreen"},
        LineCase{"AttachedValueQtDoesNotRead", {"-platform=xcb"}, Request::UnknownOption, "-platform=xcb"},
        LineCase{"ValueOnASwitch", {"--reverse=yes"}, Request::UnknownOption, "--reverse=yes"},
        LineCase{"HelpWithOneDash", {"-help"}, Request::UnknownOption, "-help"},
        LineCase{"ValueMissing", {"-platform"}, Request::MissingValue, "-platform"},
        LineCase{"LastValueMissing", {"-display", ":0", "-style"}, Request::MissingValue, "-style"},
        LineCase{"AFile", {"europe.txt"}, Request::ExtraArgument, "europe.txt"},
        LineCase{"ADash", {"-"}, Request::ExtraArgument, "-"},
        LineCase{"AnEmptyArgument", {""}, Request::ExtraArgument, ""},
        LineCase{"AfterEndOfOptions", {"--", "--help"}, Request::ExtraArgument, "--help"}),
    [](const auto& info) { return std::string(info.param.name); });

struct Answered {
    std::optional<int> status;
    std::string out;
    std::string err;
};

Answered answerTo(const app::CommandLine& line, bool outputFails = false)
{
    std::ostringstream out;
    std::ostringstream err;
    if (outputFails)
        out.setstate(std::ios::badbit);
    const std::optional<int> status = app::answer(line, out, err);
    return {status, out.str(), err.str()};
}

std::string firstLine(const std::string& text)
{
    return text.substr(0, text.find('\n'));
}

TEST(AnswerCommandLine, PlayingAnswersNothing)
{
    const Answered a = answerTo({Request::Play, ""});
    EXPECT_FALSE(a.status);
    EXPECT_EQ(a.out + a.err, "");
}

TEST(AnswerCommandLine, HelpPrintsTheUsageWithEveryOptionOfTheProgram)
{
    const Answered a = answerTo({Request::Help, ""});
    EXPECT_EQ(a.status, 0);
    EXPECT_EQ(a.err, "");
    EXPECT_EQ(firstLine(a.out), "Usage: europa-quiz [OPTION]...");
    for (const char* option : {"-h, --help", "-v, --version", "-platform", "-display", "-style"})
        EXPECT_NE(a.out.find(option), std::string::npos) << option;
}

TEST(AnswerCommandLine, VersionPrintsTheNameAndTheProjectsVersion)
{
    const Answered a = answerTo({Request::Version, ""});
    EXPECT_EQ(a.status, 0);
    EXPECT_EQ(a.out, std::string("europa-quiz ") + EUROPA_VERSION + "\n");
    EXPECT_EQ(a.err, "");
}

// A refusal's first line names what is refused; the second points to the help.
TEST(AnswerCommandLine, RefusalsNameTheArgumentAndEndWithStatusTwo)
{
    const struct {
        Request request;
        const char* argument;
        const char* line;
    } refusals[] = {
        {Request::UnknownOption, "--foo", "europa-quiz: unrecognized option '--foo'"},
        {Request::MissingValue, "-platform", "europa-quiz: option '-platform' requires an argument"},
        {Request::ExtraArgument, "europe.txt", "europa-quiz: extra operand 'europe.txt'"},
    };
    for (const auto& refusal : refusals) {
        const Answered a = answerTo({refusal.request, refusal.argument});
        EXPECT_EQ(a.status, 2);
        EXPECT_EQ(a.out, "");
        EXPECT_EQ(a.err, std::string(refusal.line) + "\nTry 'europa-quiz --help' for more information.\n");
    }
}

// An answer that could not be written (a full disk, a closed pipe) is no success.
TEST(AnswerCommandLine, AnAnswerNotWrittenFails)
{
    for (Request request : {Request::Help, Request::Version}) {
        const Answered a = answerTo({request, ""}, true);
        EXPECT_EQ(a.status, 1);
        EXPECT_EQ(a.err, "europa-quiz: write error\n");
    }
}

} // namespace

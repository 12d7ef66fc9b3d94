#pragma once

#include <iosfwd>
#include <optional>
#include <span>
#include <string>

namespace app {

// What the command line asks of the program.
enum class Request {
    Play,          // open the window; Qt's own options are Qt's to apply
    Help,          // print the usage
    Version,       // print the name and version
    UnknownOption, // an option neither the program nor Qt knows
    MissingValue,  // an option that takes a value came last, without one
    ExtraArgument, // the program takes no file or other argument
};

struct CommandLine {
    Request request = Request::Play;
    // The argument a refusal names.
    std::string argument;
    // The values of Qt's -platform and -display, the last one given, as Qt
    // takes them; empty when not given.
    std::string qtPlatform{};
    std::string qtDisplay{};
};

// Reads the arguments after the program's name, from left to right: the
// first that decides (help, version or a refusal) wins. Qt's own options
// and their values are passed over, left for Qt to read.
CommandLine readCommandLine(std::span<const char* const> arguments);

// Answers what needs no window: the usage or the version on `out` with status
// 0, a refusal on `err` with status 2, its first line naming the argument.
// Nothing when the program is to play.
std::optional<int> answer(const CommandLine& line, std::ostream& out, std::ostream& err);

} // namespace app

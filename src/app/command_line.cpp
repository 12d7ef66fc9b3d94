#include "app/command_line.h"

#include <algorithm>
#include <array>
#include <ostream>
#include <string_view>

namespace app {

namespace {

constexpr std::string_view kProgram = "europa-quiz";
constexpr int kUsageError = 2;
constexpr int kWriteError = 1;

// What follows an option's name.
enum class Value {
    None,           // nothing: a switch
    Next,           // the next argument: "-platform xcb"
    NextOrAttached, // either that or "=value": "-style fusion", "-style=fusion"
};

struct QtOption {
    std::string_view name; // without its dash
    Value value;
};

// Every option that Qt 6 reads from the command line of a widgets program on
// Linux, from the application classes and the X11 platform plugin. Qt takes
// each with one dash or two.
constexpr std::array kQtOptions{
    // The GUI application.
    QtOption{"platform", Value::Next},
    QtOption{"platformpluginpath", Value::Next},
    QtOption{"platformtheme", Value::Next},
    QtOption{"plugin", Value::Next},
    QtOption{"qwindowgeometry", Value::Next},
    QtOption{"qwindowicon", Value::Next},
    QtOption{"qwindowtitle", Value::Next},
    QtOption{"reverse", Value::None},
    QtOption{"session", Value::Next},
    QtOption{"testability", Value::None},
    QtOption{"style", Value::NextOrAttached},
    // The widgets application.
    QtOption{"stylesheet", Value::NextOrAttached},
    QtOption{"widgetcount", Value::None},
    QtOption{"qdevel", Value::None},
    QtOption{"qdebug", Value::None},
    // The core application.
    QtOption{"qmljsdebugger", Value::NextOrAttached},
    // The X11 platform.
    QtOption{"display", Value::Next},
    QtOption{"geometry", Value::Next},
    QtOption{"title", Value::Next},
    QtOption{"icon", Value::Next},
    QtOption{"name", Value::Next},
    QtOption{"visual", Value::Next},
    QtOption{"nograb", Value::None},
    QtOption{"dograb", Value::None},
};

struct OwnOption {
    std::string_view shortName;
    std::string_view longName;
    Request request;
};

constexpr std::array kOwnOptions{
    OwnOption{"-h", "--help", Request::Help},
    OwnOption{"-v", "--version", Request::Version},
};

// One of Qt's options as given: its name, and how many arguments it takes
// up, itself included (0 when it is none of Qt's).
struct QtOptionGiven {
    std::string_view name;
    int length = 0;
};

QtOptionGiven qtOption(std::string_view argument)
{
    std::string_view name = argument.substr(argument.starts_with("--") ? 2 : 1);
    const auto equals = name.find('=');
    const bool attached = equals != std::string_view::npos;
    name = name.substr(0, equals);
    const auto* option = std::find_if(kQtOptions.begin(), kQtOptions.end(),
                                      [name](const QtOption& o) { return o.name == name; });
    if (option == kQtOptions.end())
        return {};
    if (attached)
        return {name, option->value == Value::NextOrAttached ? 1 : 0};
    return {name, option->value == Value::None ? 1 : 2};
}

void printUsage(std::ostream& out)
{
    out << "Usage: " << kProgram << " [OPTION]...\n"
        << "Find the countries of Europe on the map: a point-and-click quiz in one window.\n"
        << "\n"
        << "  -h, --help         print this help and exit\n"
        << "  -v, --version      print the name and version and exit\n"
        << "\n"
        << "Qt's own options are passed on to Qt, among them:\n"
        << "  -platform NAME     the display system: xcb (X11), wayland, offscreen...\n"
        << "  -display DISPLAY   the X server to open the window on\n"
        << "  -style STYLE       the widget style: Fusion, Windows...\n"
        << "The manual page, " << kProgram << "(6), lists them all.\n";
}

// An answer that could not be written is no success.
int written(std::ostream& out, std::ostream& err)
{
    if (out.flush())
        return 0;
    err << kProgram << ": write error\n";
    return kWriteError;
}

} // namespace

CommandLine readCommandLine(std::span<const char* const> arguments)
{
    CommandLine line;
    bool optionsEnd = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (optionsEnd || argument.size() < 2 || !argument.starts_with('-'))
            return {Request::ExtraArgument, std::string(argument)};
        if (argument == "--") {
            optionsEnd = true;
            continue;
        }
        for (const OwnOption& own : kOwnOptions) {
            if (argument == own.shortName || argument == own.longName)
                return {own.request, {}};
        }
        const QtOptionGiven option = qtOption(argument);
        if (option.length == 0)
            return {Request::UnknownOption, std::string(argument)};
        if (i + static_cast<std::size_t>(option.length) > arguments.size())
            return {Request::MissingValue, std::string(argument)};
        if (option.length == 2 && option.name == "platform")
            line.qtPlatform = arguments[i + 1];
        if (option.length == 2 && option.name == "display")
            line.qtDisplay = arguments[i + 1];
        i += option.length - 1;
    }
    return line;
}

std::optional<int> answer(const CommandLine& line, std::ostream& out, std::ostream& err)
{
    switch (line.request) {
    case Request::Play:
        return std::nullopt;
    case Request::Help:
        printUsage(out);
        return written(out, err);
    case Request::Version:
        out << kProgram << ' ' << EUROPA_VERSION << '\n';
        return written(out, err);
    case Request::UnknownOption:
        err << kProgram << ": unrecognized option '" << line.argument << "'\n";
        break;
    case Request::MissingValue:
        err << kProgram << ": option '" << line.argument << "' requires an argument\n";
        break;
    case Request::ExtraArgument:
        err << kProgram << ": extra operand '" << line.argument << "'\n";
        break;
    }
    err << "Try '" << kProgram << " --help' for more information.\n";
    return kUsageError;
}

} // namespace app

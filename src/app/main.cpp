#include <iostream>
#include <span>

#include "app/application.h"
#include "app/command_line.h"
#include "app/display_target.h"
#include "app/platform_choice.h"

int main(int argc, char** argv)
{
    const std::span<const char* const> arguments(argv, static_cast<std::size_t>(argc));
    const app::CommandLine line = app::readCommandLine(arguments.empty() ? arguments : arguments.subspan(1));
    // Answered before Qt is started: the usage, the version and a refusal need no display.
    if (const auto status = app::answer(line, std::cout, std::cerr))
        return *status;
    app::DisplayTarget target = app::readDisplayTarget(line, app::processEnvironment);
    app::choosePlatform(target);
    return app::runApplication(argc, argv, target);
}

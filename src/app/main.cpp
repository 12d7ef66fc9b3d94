#include "app/application.h"
#include "app/command_line.h"
#include "app/platform_choice.h"

int main(int argc, char** argv)
{
    if (const auto status = app::answerCommandLine(argc, argv))
        return *status;
    app::choosePlatform(argc, argv);
    return app::runApplication(argc, argv);
}

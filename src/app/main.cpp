#include "app/application.h"
#include "app/command_line.h"

int main(int argc, char** argv)
{
    if (const auto status = app::answerCommandLine(argc, argv))
        return *status;
    return app::runApplication(argc, argv);
}

#include "platform/application.h"

int main(int argc, char** argv)
{
    return platform::runApplication(argc, argv);
}

// Started with standard input, output or error closed (`europa-quiz 2>&-`),
// the next file or socket opened would take that descriptor: the connection
// to the display would receive what is written to stderr. Each of them that
// is closed is opened on /dev/null before anything else runs: the program's
// pre-initialisers run before the constructors of the libraries it loads.
#include <fcntl.h>
#include <unistd.h>

namespace {

void openClosedStandardDescriptors(int, char**, char**)
{
    for (int descriptor = STDIN_FILENO; descriptor <= STDERR_FILENO; ++descriptor) {
        if (::fcntl(descriptor, F_GETFD) == -1)
            ::open("/dev/null", descriptor == STDIN_FILENO ? O_RDONLY : O_WRONLY);
    }
}

// Only the program itself, not a library, can have pre-initialisers.
[[gnu::section(".preinit_array"), gnu::used]] void (*const kOpenClosedStandardDescriptors)(int, char**, char**) =
    openClosedStandardDescriptors;

} // namespace

#include "app/start_failure.h"

#include <cstdio>
#include <unistd.h>

namespace app {

void writeToStderr(std::string_view text)
{
    while (!text.empty()) {
        const ssize_t written = ::write(STDERR_FILENO, text.data(), text.size());
        if (written <= 0)
            return;
        text.remove_prefix(static_cast<std::size_t>(written));
    }
}

void endStart(const std::string& cause)
{
    std::fflush(stderr);
    writeToStderr("europa-quiz: cannot open the window: " + cause + "\n");
    ::_exit(kNoDisplayStatus);
}

} // namespace app

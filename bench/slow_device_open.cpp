// Preloaded into the quiz by the start-up benchmark: opening the file named
// by $EUROPA_SLOW_DEVICE takes 100 ms and then fails. With SDL's disk audio
// driver pointed at that file, the program meets an audio device that takes
// 100 ms to refuse, as a busy or misconfigured sound server can.

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <unistd.h>

namespace {

constexpr useconds_t kRefusalMicroseconds = 100'000;

using Fopen = FILE* (*)(const char*, const char*);

bool isSlowDevice(const char* path)
{
    const char* slow = std::getenv("EUROPA_SLOW_DEVICE");
    return slow != nullptr && path != nullptr && std::strcmp(path, slow) == 0;
}

FILE* refuseSlowly()
{
    usleep(kRefusalMicroseconds);
    errno = ENODEV;
    return nullptr;
}

} // namespace

extern "C" FILE* fopen(const char* path, const char* mode)
{
    if (isSlowDevice(path))
        return refuseSlowly();
    static const auto next = reinterpret_cast<Fopen>(dlsym(RTLD_NEXT, "fopen"));
    return next(path, mode);
}

extern "C" FILE* fopen64(const char* path, const char* mode)
{
    if (isSlowDevice(path))
        return refuseSlowly();
    static const auto next = reinterpret_cast<Fopen>(dlsym(RTLD_NEXT, "fopen64"));
    return next(path, mode);
}

#include "sound/alsa_quiet.h"

#include <dlfcn.h>

namespace sound {

namespace {
extern "C" void ignoreAlsaReport(const char*, int, const char*, int, const char*, ...) {}

using ErrorHandler = void (*)(const char*, int, const char*, int, const char*, ...);
using SetErrorHandler = int (*)(ErrorHandler);
} // namespace

void silenceAlsaDiagnostics()
{
    // Loaded by name, as SDL loads it, so the handler lands in the same copy.
    void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
    if (alsa == nullptr)
        return;
    auto setHandler = reinterpret_cast<SetErrorHandler>(dlsym(alsa, "snd_lib_error_set_handler"));
    if (setHandler != nullptr)
        setHandler(&ignoreAlsaReport);
    // The library stays loaded: SDL uses the same copy from now on.
}

} // namespace sound

#include "platform/sdl_audio_library.h"

#include <dlfcn.h>
#include <cstdio>
#include <optional>

namespace platform {

namespace {

constexpr auto kSdlLibrary = "libSDL2-2.0.so.0";

std::optional<SdlAudioLibrary> load()
{
    void* handle = dlopen(kSdlLibrary, RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        std::fprintf(stderr, "europa-quiz: playing without sound: %s\n", dlerror());
        return std::nullopt;
    }
    SdlAudioLibrary library;
    bool complete = true;
#define EUROPA_SDL_LOAD(name)                                                                   \
    library.name = reinterpret_cast<decltype(library.name)>(dlsym(handle, "SDL_" #name));      \
    complete = complete && library.name != nullptr;
    EUROPA_SDL_AUDIO_FUNCTIONS(EUROPA_SDL_LOAD)
#undef EUROPA_SDL_LOAD
    if (!complete) {
        std::fprintf(stderr, "europa-quiz: playing without sound: %s is too old\n", kSdlLibrary);
        dlclose(handle);
        return std::nullopt;
    }
    // Never unloaded: SDL's own threads may still be running when the program ends.
    return library;
}

} // namespace

const SdlAudioLibrary* sdlAudio()
{
    static const std::optional<SdlAudioLibrary> library = load();
    return library ? &*library : nullptr;
}

} // namespace platform

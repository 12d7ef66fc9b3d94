#include "sound/sdl_audio_library.h"
#include "sound/preload.h"

#include <dlfcn.h>
#include <optional>
#include <string>

namespace sound {

namespace {

constexpr auto kSdlLibrary = "libSDL2-2.0.so.0";

struct Loaded {
    std::optional<SdlAudioLibrary> library;
    std::string failure;
};

Loaded load()
{
    Loaded loaded;
    void* handle = dlopen(kSdlLibrary, RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        loaded.failure = dlerror();
        return loaded;
    }
    SdlAudioLibrary library;
    bool complete = true;
#define EUROPA_SDL_LOAD(name)                                                                   \
    library.name = reinterpret_cast<decltype(library.name)>(dlsym(handle, "SDL_" #name));      \
    complete = complete && library.name != nullptr;
    EUROPA_SDL_AUDIO_FUNCTIONS(EUROPA_SDL_LOAD)
#undef EUROPA_SDL_LOAD
    if (!complete) {
        loaded.failure = std::string(kSdlLibrary) + " is too old";
        dlclose(handle);
        return loaded;
    }
    // Never unloaded: SDL's own threads may still be running when the program ends.
    loaded.library = library;
    return loaded;
}

const Loaded& loaded()
{
    static const Loaded once = load();
    return once;
}

} // namespace

const SdlAudioLibrary* sdlAudio()
{
    const Loaded& sdl = loaded();
    return sdl.library ? &*sdl.library : nullptr;
}

std::string sdlAudioFailure()
{
    return loaded().failure;
}

void preload()
{
    loaded();
}

} // namespace sound

#pragma once

#include <SDL.h>

#include <string>

namespace sound {

// Every SDL function the sound service calls.
#define EUROPA_SDL_AUDIO_FUNCTIONS(X) \
    X(SetHint)                        \
    X(GetError)                       \
    X(InitSubSystem)                  \
    X(QuitSubSystem)                  \
    X(OpenAudioDevice)                \
    X(CloseAudioDevice)               \
    X(PauseAudioDevice)               \
    X(QueueAudio)                     \
    X(ClearQueuedAudio)               \
    X(GetQueuedAudioSize)             \
    X(NewAudioStream)                 \
    X(AudioStreamPut)                 \
    X(AudioStreamGet)                 \
    X(AudioStreamFlush)               \
    X(AudioStreamAvailable)           \
    X(FreeAudioStream)                \
    X(TLSCleanup)

// SDL, loaded by name once the program runs rather than linked: SDL and the
// thirty-odd libraries it brings (sound servers, codecs, window systems) would
// otherwise hold up every start by several milliseconds before main. The
// start-up helper loads it while the program connects to the display
// (sound/preload.h).
struct SdlAudioLibrary {
#define EUROPA_SDL_DECLARE(name) decltype(&::SDL_##name) name = nullptr;
    EUROPA_SDL_AUDIO_FUNCTIONS(EUROPA_SDL_DECLARE)
#undef EUROPA_SDL_DECLARE
};

// The library, loaded on the first call from any thread; nullptr when it
// cannot be loaded, which leaves the program silent, as on a machine without
// sound. Loading says nothing: the sound service tells why it is silent.
const SdlAudioLibrary* sdlAudio();
// Why sdlAudio() gave nothing; empty when it gave the library.
std::string sdlAudioFailure();

} // namespace sound

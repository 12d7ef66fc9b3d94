#include "app/preload.h"

#include <fontconfig/fontconfig.h>

#include "sound/sdl_audio_library.h"

namespace app {

StartUpPreload::StartUpPreload()
    : helper_([this] {
          FcInit();
          fontsRead_.count_down();
          platform::sdlAudio();
      })
{
}

StartUpPreload::~StartUpPreload()
{
    helper_.join();
}

void StartUpPreload::waitForFonts()
{
    fontsRead_.wait();
}

} // namespace app

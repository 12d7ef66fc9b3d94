#include "app/preload.h"

#include <fontconfig/fontconfig.h>

#include "sound/preload.h"

namespace app {

StartUpPreload::StartUpPreload()
    : helper_([this] {
          FcInit();
          fontsRead_.count_down();
          sound::preload();
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

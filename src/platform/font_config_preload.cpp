#include "platform/font_config_preload.h"

#include <fontconfig/fontconfig.h>

namespace platform {

FontConfigPreload::FontConfigPreload() : reader_([] { FcInit(); }) {}

FontConfigPreload::~FontConfigPreload() { wait(); }

void FontConfigPreload::wait()
{
    if (reader_.joinable())
        reader_.join();
}

} // namespace platform

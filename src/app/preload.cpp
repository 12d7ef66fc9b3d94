#include "app/preload.h"

#include <fontconfig/fontconfig.h>
#include <stdlib.h>

#include "sound/preload.h"

namespace app {

namespace {

// The toolkit draws a glyph larger than 64 pixels from its outline on every
// paint, where smaller ones are rendered once and then copied from its glyph
// cache. At twice the size the window's headings and counters are glyphs of
// 74 and 96 pixels, whose outlines were filled again on every repaint of the
// right-hand column, twice for each click on the start button. The cache takes
// glyphs up to this size unless the person running the program has chosen a
// size of their own.
constexpr auto kCachedGlyphSizeVariable = "QT_MAX_CACHED_GLYPH_SIZE";
constexpr auto kCachedGlyphSize = "128";

// Set while this is still the program's only thread: the environment must not
// change while another thread may read it.
void cacheTheCaptionsGlyphs()
{
    setenv(kCachedGlyphSizeVariable, kCachedGlyphSize, 0);
}

} // namespace

StartUpPreload::StartUpPreload()
    : helper_((cacheTheCaptionsGlyphs(), [this] {
          FcInit();
          fontsRead_.count_down();
          sound::preload();
      }))
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

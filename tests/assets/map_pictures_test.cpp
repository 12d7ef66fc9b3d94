#include "map_assets.h"
#include "window/form1_layout.h"

#include <gtest/gtest.h>

namespace {

struct PictureCase {
    const char* file;
    int scale;
    QImage::Format format;  // what a 24-bit RGB or an 8-bit gray PNG loads as
};

// The window shows the map unscaled, so any other size shifts countries away from
// their labels; an alpha channel would let the window's background bleed through.
TEST(MapPictures, MatchTheMapAreaAtTheirScaleWithoutTransparency)
{
    const PictureCase cases[] = {
        {"map.png", 1, QImage::Format_RGB32},
        {"map@2x.png", 2, QImage::Format_RGB32},
        {"country-index.png", 1, QImage::Format_Grayscale8},
    };
    for (const PictureCase& c : cases) {
        SCOPED_TRACE(c.file);
        const QImage image = loadMapAsset(c.file);
        if (image.isNull()) {
            ADD_FAILURE() << "cannot read " << mapAssetPath(c.file).toStdString();
            continue;
        }
        EXPECT_EQ(image.width(), window::layout::kMapWidth * c.scale);
        EXPECT_EQ(image.height(), window::layout::kMapHeight * c.scale);
        EXPECT_FALSE(image.hasAlphaChannel());
        EXPECT_EQ(image.format(), c.format);
    }
}

} // namespace

// The embedded pictures against what the window relies on: their sizes and
// colour depths, where they are transparent, and the pointers' hot spots.

#include "platform/qt_text.h"
#include "window/picture_files.h"
#include "window/pointer_pictures.h"

#include <QImage>
#include <QString>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

// A PNG of assets/pictures, by its file name.
QImage loadPicture(std::string_view name)
{
    return QImage(QStringLiteral(EUROPA_ASSETS_DIR "/pictures/") + platform::fromUtf8(name));
}

QImage loadPointer(const window::PointerFile &pointer)
{
    return loadPicture(window::pngName(pointer.stem));
}

bool isOpaque(const QImage &image, int x, int y)
{
    return qAlpha(image.pixel(x, y)) == 255;
}

// The region of the image that is opaque, assuming it is one rectangle;
// empty when there is none.
QRect opaqueBounds(const QImage &image)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (isOpaque(image, x, y))
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

bool alphaIsOnOrOff(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const int alpha = qAlpha(image.pixel(x, y));
            if (alpha != 0 && alpha != 255)
                return false;
        }
    }
    return true;
}

enum class Kind { TrueColourAlpha, TrueColourMasked, TrueColour, Palette };

struct Expected {
    std::string file;  // in assets/pictures
    QSize size;
    Kind kind;
    int maxColours;  // palettes only
};

const Expected kPictures[] = {
    {"window-icon-16.png", {16, 16}, Kind::TrueColourAlpha, 0},
    {"window-icon-32.png", {32, 32}, Kind::TrueColourAlpha, 0},
    {"window-icon-48.png", {48, 48}, Kind::TrueColourAlpha, 0},
    {"window-pointer.png", {32, 32}, Kind::TrueColourAlpha, 0},
    {"country-label-pointer.png", {32, 32}, Kind::TrueColourMasked, 0},
    {"map-pointer.png", {32, 32}, Kind::Palette, 16},
    {"exit-button-pointer.png", {32, 32}, Kind::Palette, 256},
    {"start-button-car.png", {32, 32}, Kind::Palette, 256},
    {"exit-button-flag.png", {113, 98}, Kind::Palette, 256},
    {"background-flags.png", {864, 191}, Kind::TrueColour, 0},
};

// Each picture of the window again at twice the size, for screens that scale,
// kept to the same kind of colour; the icon has larger sides of its own.
std::vector<Expected> doubleSizePictures()
{
    std::vector<Expected> doubled;
    for (const Expected &single : kPictures) {
        if (single.file.find("window-icon") != std::string::npos)
            continue;
        const std::string stem = single.file.substr(0, single.file.rfind(".png"));
        doubled.push_back({window::doubleSizeName(stem), single.size * 2, single.kind, single.maxColours});
    }
    return doubled;
}

TEST(Pictures, HaveTheirSizeAndColourDepth)
{
    std::vector<Expected> all(std::begin(kPictures), std::end(kPictures));
    for (const Expected &doubled : doubleSizePictures())
        all.push_back(doubled);
    all.push_back({"window-icon-64.png", {64, 64}, Kind::TrueColourAlpha, 0});
    all.push_back({"window-icon-96.png", {96, 96}, Kind::TrueColourAlpha, 0});
    for (const Expected &expected : all) {
        SCOPED_TRACE(expected.file);
        const QImage image = loadPicture(expected.file);
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), expected.size);
        switch (expected.kind) {
        case Kind::TrueColourAlpha:
            EXPECT_TRUE(image.hasAlphaChannel());
            EXPECT_GT(image.depth(), 8);
            break;
        case Kind::TrueColourMasked:
            EXPECT_GT(image.depth(), 8);
            EXPECT_TRUE(alphaIsOnOrOff(image));
            break;
        case Kind::TrueColour:
            EXPECT_FALSE(image.hasAlphaChannel());
            EXPECT_GT(image.depth(), 8);
            break;
        case Kind::Palette:
            EXPECT_EQ(image.format(), QImage::Format_Indexed8);
            EXPECT_LE(image.colorCount(), expected.maxColours);
            EXPECT_TRUE(alphaIsOnOrOff(image));
            break;
        }
    }
}

// The flag over the labels fills the top 31 by 20 pixels and nothing else, so
// the pointer lines up with the label rectangles' pixel grid.
TEST(Pictures, LabelFlagFillsTheTopLeftThirtyOneByTwenty)
{
    const QImage flag = loadPointer(window::pointerFile(window::PointerPicture::CountryLabel));
    EXPECT_EQ(opaqueBounds(flag), QRect(0, 0, 31, 20));
}

// Only the flag is seen on the exit button; the white of the button shows round it.
TEST(Pictures, ExitButtonFlagHasATransparentBackground)
{
    const QImage flag = loadPicture("exit-button-flag.png");
    ASSERT_FALSE(flag.isNull());
    for (const QPoint corner : {QPoint(flag.width() - 1, 0), QPoint(flag.width() - 1, flag.height() - 1)})
        EXPECT_FALSE(isOpaque(flag, corner.x(), corner.y()));
    EXPECT_TRUE(isOpaque(flag, flag.width() / 2, flag.height() / 2));
}

// A hot spot on a transparent pixel would point at something the player
// cannot see; outside the picture, QCursor would silently move it.
TEST(Pictures, PointersPointWithAVisiblePixel)
{
    for (const window::PointerFile &pointer : window::kPointerFiles) {
        SCOPED_TRACE(std::string(pointer.stem));
        const QImage image = loadPointer(pointer);
        ASSERT_EQ(image.size(), QSize(window::kPointerSide, window::kPointerSide));
        ASSERT_TRUE(image.rect().contains(pointer.hotX, pointer.hotY));
        EXPECT_TRUE(isOpaque(image, pointer.hotX, pointer.hotY));
    }
}

// The flags and the globe point with their middle: the hot spot lies within
// half a pixel of the centre of what is drawn.
TEST(Pictures, RoundPointersPointWithTheirCentre)
{
    for (const auto &pointer : {window::pointerFile(window::PointerPicture::Window), window::pointerFile(window::PointerPicture::CountryLabel),
                                window::pointerFile(window::PointerPicture::Globe)}) {
        SCOPED_TRACE(std::string(pointer.stem));
        const QRect drawn = opaqueBounds(loadPointer(pointer));
        ASSERT_FALSE(drawn.isEmpty());
        EXPECT_LE(std::abs(2 * pointer.hotX - (drawn.left() + drawn.right())), 1);
        EXPECT_LE(std::abs(2 * pointer.hotY - (drawn.top() + drawn.bottom())), 1);
    }
}

// The hand points with its highest finger: nothing of the hand is above the
// hot spot's row in the hot spot's column but the octagon's red and its rim.
TEST(Pictures, ExitPointerHotSpotIsTheFingerTip)
{
    const QImage hand = loadPointer(window::pointerFile(window::PointerPicture::Hand));
    ASSERT_FALSE(hand.isNull());
    const auto isRed = [](QRgb c) { return qRed(c) > 150 && qGreen(c) < 90 && qBlue(c) < 90; };
    const int x = window::pointerFile(window::PointerPicture::Hand).hotX;
    const int y = window::pointerFile(window::PointerPicture::Hand).hotY;
    EXPECT_FALSE(isRed(hand.pixel(x, y)));
    EXPECT_TRUE(isRed(hand.pixel(x, y - 1)));
}

}  // namespace

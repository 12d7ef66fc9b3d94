#include "picture_table.h"

namespace {

// The flags of Europe are drawn 3 by 2; small pointers fill what pixels they
// have, so the ring of stars may stretch by a few per cent.
const QString kFlag = QStringLiteral("europe-flag.svg");
const QString kSmallFlag = QStringLiteral("europe-flag-small.svg");

// The smallest icon has a drawing of its own, simplified to read at 16 pixels.
Picture windowIcon(int side, Depth depth, const QString &suffix)
{
    const QString source = side == 16 ? QStringLiteral("window-icon-16.svg") : QStringLiteral("window-icon.svg");
    return {QStringLiteral("window-icon-%1%2.png").arg(side).arg(suffix),
            {side, side},
            depth,
            {{source, QRectF(0, 0, side, side)}},
            {}};
}

// Kept to 256 colours with each pixel opaque or transparent, as a GIF would be.
Picture exitButtonFlag()
{
    const QRectF cloth(7, 14, 105, 68);
    // The continent fills the space inside the ring of stars and waves with the cloth.
    QRectF continent(0, 0, 36, 36);
    continent.moveCenter(cloth.center());
    // Held still at the pole, swinging most at the free end.
    const Wave wave{
        .hoistX = cloth.left(), .flyX = cloth.right(), .amplitude = 6, .wavelength = 62, .shading = 0.25};
    return {QStringLiteral("exit-button-flag.png"),
            {113, 98},
            Depth::Colours256,
            {{QStringLiteral("flagpole.svg"), QRectF(0, 0, 8, 98)},
             {kFlag, cloth, true},
             {QStringLiteral("europe-outline.svg"), continent, true}},
            wave};
}

// Three flags side by side, each with a thin frame so that they read as three.
Picture backgroundFlags()
{
    Picture background{QStringLiteral("background-flags.png"), {864, 191}, Depth::TrueColour, {}, {}};
    for (int left : {0, 288, 576}) {
        background.layers.push_back({kFlag, QRectF(left, 0, 288, 191)});
        background.layers.push_back({QStringLiteral("flag-seam.svg"), QRectF(left, 0, 288, 191)});
    }
    return background;
}

// The same picture drawn at twice the size from the same sources, for screens
// at twice the pixel density: "name.png" becomes "name@2x.png", the name Qt
// looks for.
Picture doubled(Picture picture)
{
    picture.output.replace(QStringLiteral(".png"), QStringLiteral("@2x.png"));
    picture.size *= 2;
    for (Layer &layer : picture.layers)
        layer.where = QRectF(layer.where.topLeft() * 2, layer.where.size() * 2);
    picture.wave.hoistX *= 2;
    picture.wave.flyX *= 2;
    picture.wave.amplitude *= 2;
    picture.wave.wavelength *= 2;
    return picture;
}

}  // namespace

std::vector<Picture> pictureTable()
{
    std::vector<Picture> table;
    for (int side : {16, 32, 48}) {
        table.push_back(windowIcon(side, Depth::TrueColourAlpha, QString()));
        table.push_back(windowIcon(side, Depth::Colours256, QStringLiteral("-256colours")));
    }
    // The window's icon on screens at twice the density (64, 96), and the
    // sizes the desktop's icon theme and software centres ask for.
    for (int side : {64, 96, 128, 256})
        table.push_back(windowIcon(side, Depth::TrueColourAlpha, QString()));

    // 31 pixels wide, so that the centre of the ring is a whole pixel.
    table.push_back({QStringLiteral("window-pointer.png"), {32, 32}, Depth::TrueColourAlpha,
                     {{kSmallFlag, QRectF(0, 5, 31, 21)}}, {}});
    table.push_back({QStringLiteral("country-label-pointer.png"), {32, 32}, Depth::TrueColourMasked,
                     {{kSmallFlag, QRectF(0, 0, 31, 20)}}, {}});
    table.push_back({QStringLiteral("map-pointer.png"), {32, 32}, Depth::Colours16,
                     {{QStringLiteral("globe.svg"), QRectF(0, 0, 32, 32)}}, {}});
    table.push_back({QStringLiteral("exit-button-pointer.png"), {32, 32}, Depth::Colours256,
                     {{QStringLiteral("stop-hand.svg"), QRectF(0, 0, 32, 32)}}, {}});
    table.push_back({QStringLiteral("start-button-car.png"), {32, 32}, Depth::Colours256,
                     {{QStringLiteral("car-front.svg"), QRectF(0, 0, 32, 32)}}, {}});
    table.push_back(exitButtonFlag());
    table.push_back(backgroundFlags());

    // Every picture of the window but the icons again, at twice the size.
    const std::size_t icons = 3 * 2 + 4;
    const std::size_t singles = table.size();
    for (std::size_t i = icons; i < singles; ++i)
        table.push_back(doubled(table[i]));
    return table;
}

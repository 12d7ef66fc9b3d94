#include "compose.h"

#include <QPainter>
#include <QSvgRenderer>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace {

// Waving cloth is drawn this many times larger, then shrunk, so that the
// column-by-column shifts come out smooth instead of stepped.
constexpr int kWaveOversampling = 4;

QImage transparentCanvas(QSize size)
{
    QImage canvas(size, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    return canvas;
}

void render(QSvgRenderer &drawing, QImage &canvas, const QRectF &where)
{
    QPainter painter(&canvas);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    drawing.render(&painter, where);
}

double phase(const Wave &wave, double x)
{
    return 2 * std::numbers::pi * (x - wave.hoistX) / wave.wavelength;
}

// How far the cloth at x swings out of its rest position: nothing at the hoist,
// most at the fly.
double swing(const Wave &wave, double x)
{
    const double reach = std::clamp((x - wave.hoistX) / (wave.flyX - wave.hoistX), 0.0, 1.0);
    return wave.amplitude * reach * std::sin(phase(wave, x));
}

// Folds that turn towards the light are brighter, those turning away darker.
double brightness(const Wave &wave, double x)
{
    return 1 + wave.shading * std::cos(phase(wave, x));
}

QRgb shaded(QRgb premultiplied, double factor)
{
    const int alpha = qAlpha(premultiplied);
    auto channel = [&](int value) { return std::clamp(int(std::lround(value * factor)), 0, alpha); };
    return qRgba(channel(qRed(premultiplied)), channel(qGreen(premultiplied)), channel(qBlue(premultiplied)),
                 alpha);
}

QImage waved(const QImage &flat, const Wave &wave, QSize outputSize)
{
    QImage bent = transparentCanvas(flat.size());
    for (int column = 0; column < flat.width(); ++column) {
        const double x = (column + 0.5) / kWaveOversampling;
        const int shift = int(std::lround(swing(wave, x) * kWaveOversampling));
        const double factor = brightness(wave, x);
        for (int row = 0; row < flat.height(); ++row) {
            const int target = row + shift;
            if (target >= 0 && target < bent.height())
                bent.setPixel(column, target, shaded(flat.pixel(column, row), factor));
        }
    }
    return bent.scaled(outputSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

void paintLayer(QImage &canvas, const Layer &layer, const Wave &wave, const QDir &sourceDir)
{
    const QString path = sourceDir.filePath(layer.source);
    QSvgRenderer drawing(path);
    if (!drawing.isValid())
        throw std::runtime_error("cannot read the drawing " + path.toStdString());

    if (!layer.waving) {
        render(drawing, canvas, layer.where);
        return;
    }
    QImage flat = transparentCanvas(canvas.size() * kWaveOversampling);
    const QRectF &where = layer.where;
    render(drawing, flat,
           QRectF(where.topLeft() * kWaveOversampling, where.size() * kWaveOversampling));
    QPainter(&canvas).drawImage(0, 0, waved(flat, wave, canvas.size()));
}

}  // namespace

QImage compose(const Picture &picture, const QDir &sourceDir)
{
    QImage canvas = transparentCanvas(picture.size);
    for (const Layer &layer : picture.layers)
        paintLayer(canvas, layer, picture.wave, sourceDir);
    return canvas;
}

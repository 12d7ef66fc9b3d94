#include "window/pictures.h"

#include <QResource>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <string_view>

#include "platform/qt_text.h"
#include "window/baked_picture.h"

// Outside any namespace, as the resource system requires.
static void registerPictureResources()
{
    Q_INIT_RESOURCE(decoded_pictures);
}

namespace window {

namespace {

using platform::fromUtf8;

void registerResourcesOnce()
{
    static const bool registered = (registerPictureResources(), true);
    (void)registered;
}

bool validHeader(const BakedPictureHeader& header, qint64 size)
{
    const auto format = static_cast<QImage::Format>(header.format);
    const bool indexed = format == QImage::Format_Indexed8;
    const quint32 pixelBytes = indexed ? 1 : 4;
    return header.magic == kBakedPictureMagic
        && (indexed || format == QImage::Format_RGB32 || format == QImage::Format_ARGB32_Premultiplied)
        && header.width > 0 && header.height > 0
        && header.bytesPerLine % 4 == 0 && header.bytesPerLine / pixelBytes >= header.width
        && (indexed ? header.colours > 0 && header.colours <= kBakedLargestColourTable
                    : header.colours == 0)
        && size == qint64(sizeof header) + qint64(header.colours) * kBakedColourBytes
                       + qint64(header.bytesPerLine) * header.height;
}

// The picture built into the program decoded, painted straight from the
// program's own read-only image where it lies: nothing is copied, and only
// what is painted of it is ever read in.
QImage decodedImage(std::string_view stem)
{
    registerResourcesOnce();
    const QResource resource(fromUtf8(decodedResource(stem)));
    if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression)
        return {};
    const uchar* data = resource.data();
    BakedPictureHeader header{};
    if (data == nullptr || resource.size() < qint64(sizeof header))
        return {};
    std::memcpy(&header, data, sizeof header);
    if (!validHeader(header, resource.size()))
        return {};
    const uchar* table = data + sizeof header;
    const uchar* pixels = table + qsizetype(header.colours) * kBakedColourBytes;
    QImage image(pixels, int(header.width), int(header.height), qsizetype(header.bytesPerLine),
                 static_cast<QImage::Format>(header.format));
    if (header.colours > 0) {
        QList<QRgb> colours(header.colours);
        std::memcpy(colours.data(), table, colours.size() * sizeof(QRgb));
        image.setColorTable(colours);
    }
    const bool aligned = reinterpret_cast<quintptr>(pixels) % alignof(quint32) == 0;
    return aligned ? image : image.copy();
}

// A pointer's picture for a screen of the given scale, from its copy at twice
// the size: the window system shows a pointer pixel for pixel, so it is made
// in the screen's own pixels, smoothly resampled at any scale but two, so that
// no line of it is dropped or doubled.
QImage atScale(QImage doubleSize, QSize logicalSize, qreal devicePixelRatio)
{
    const QSize device(qRound(logicalSize.width() * devicePixelRatio),
                       qRound(logicalSize.height() * devicePixelRatio));
    if (device != doubleSize.size()) {
        // Smooth scaling mixes colours, so it works in full colour.
        const QImage::Format format = doubleSize.hasAlphaChannel()
                                          ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
        doubleSize = doubleSize.convertToFormat(format).scaled(device, Qt::IgnoreAspectRatio,
                                                               Qt::SmoothTransformation);
    }
    doubleSize.setDevicePixelRatio(devicePixelRatio);
    return doubleSize;
}

// The pointer handed to the window system in the screen's own pixels, as
// large as the desktop's own pointers there; its hot spot is the device pixel
// that holds the centre of the picture's pointing pixel.
QCursor scaledPointer(const PointerFile& file, qreal devicePixelRatio)
{
    QImage image = atScale(decodedImage(doubleSizeStem(file.stem)),
                           QSize(kPointerSide, kPointerSide), devicePixelRatio);
    image.setDevicePixelRatio(1.0);
    const auto scaled = [devicePixelRatio](int hot) {
        return int(std::floor((hot + 0.5) * devicePixelRatio));
    };
    return QCursor(QPixmap::fromImage(image), scaled(file.hotX), scaled(file.hotY));
}

} // namespace

QImage picture(Picture which, qreal devicePixelRatio)
{
    const PictureFile& file = pictureFile(which);
    if (devicePixelRatio <= 1.0)
        return decodedImage(file.stem);
    QImage doubleSize = decodedImage(doubleSizeStem(file.stem));
    doubleSize.setDevicePixelRatio(2.0);
    return doubleSize;
}

void paintPicture(QPainter& painter, QPoint at, const QImage& picture)
{
    const bool smooth = painter.testRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(at, picture);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
}

Pointers::Pointers(qreal devicePixelRatio) : devicePixelRatio_(devicePixelRatio) {}

const QCursor& Pointers::operator[](PointerPicture which)
{
    std::optional<QCursor>& made = made_[static_cast<std::size_t>(which)];
    if (made)
        return *made;
    const PointerFile& file = pointerFile(which);
    if (devicePixelRatio_ == 1.0)
        made.emplace(QPixmap::fromImage(decodedImage(file.stem)), file.hotX, file.hotY);
    else
        made.emplace(scaledPointer(file, std::min(devicePixelRatio_, kLargestPointerScale)));
    return *made;
}

QIcon programIcon()
{
    QIcon icon;
    for (int side : kIconSides)
        icon.addPixmap(QPixmap::fromImage(decodedImage(iconStem(side))));
    return icon;
}

} // namespace window

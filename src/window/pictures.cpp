#include "window/pictures.h"

#include <QPixmapCache>
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
    Q_INIT_RESOURCE(png_pictures);
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
    const qint64 pixels = qint64(header.width) * header.height;
    return header.magic == kBakedPictureMagic
        && (format == QImage::Format_RGB32 || format == QImage::Format_ARGB32_Premultiplied)
        && header.width > 0 && header.height > 0
        && size == qint64(sizeof header) + pixels * kBakedPictureBytesPerPixel;
}

// The picture built into the program decoded.
QImage decodedImage(std::string_view stem)
{
    registerResourcesOnce();
    const QResource resource(fromUtf8(decodedResource(stem)));
    if (!resource.isValid())
        return {};
    // Painted straight from the program's own read-only image where it lies
    // uncompressed on a pixel boundary; copied otherwise.
    const QByteArray copy = resource.compressionAlgorithm() == QResource::NoCompression
                              ? QByteArray() : resource.uncompressedData();
    const uchar* data = copy.isNull() ? resource.data() : reinterpret_cast<const uchar*>(copy.constData());
    const qint64 size = copy.isNull() ? resource.size() : copy.size();
    BakedPictureHeader header{};
    if (data == nullptr || size < qint64(sizeof header))
        return {};
    std::memcpy(&header, data, sizeof header);
    if (!validHeader(header, size))
        return {};
    const uchar* pixels = data + sizeof header;
    const QImage image(pixels, int(header.width), int(header.height),
                       qsizetype(header.width) * kBakedPictureBytesPerPixel,
                       static_cast<QImage::Format>(header.format));
    const bool aligned = reinterpret_cast<quintptr>(pixels) % alignof(quint32) == 0;
    return copy.isNull() && aligned ? image : image.copy();
}

// The picture's drawing at twice the size, decoded now.
QImage doubleSizeImage(std::string_view stem)
{
    registerResourcesOnce();
    return QImage(fromUtf8(doubleSizeResource(stem)));
}

// A picture for a screen of the given scale, from its copy at twice the size:
// as it is at twice the size, and smoothly resampled to the screen's own pixels
// at any other scale, so that no line of it is dropped or doubled.
QImage atScale(QImage doubleSize, QSize logicalSize, qreal devicePixelRatio)
{
    // Palette pictures are resampled in full colour: smooth scaling needs it.
    // Converted where it lies when it can be: the map at twice the size is
    // megabytes, and a copy of it would stay in the program's peak memory.
    const QImage::Format format = doubleSize.hasAlphaChannel()
                                      ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
    QImage image = std::move(doubleSize).convertToFormat(format);
    const QSize device(qRound(logicalSize.width() * devicePixelRatio),
                       qRound(logicalSize.height() * devicePixelRatio));
    if (device != image.size())
        image = image.scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    image.setDevicePixelRatio(devicePixelRatio);
    return image;
}

// The pointer handed to the window system in the screen's own pixels, as
// large as the desktop's own pointers there; its hot spot is the device pixel
// that holds the centre of the picture's pointing pixel.
QCursor scaledPointer(const PointerFile& file, qreal devicePixelRatio)
{
    QImage image = atScale(doubleSizeImage(file.stem), QSize(kPointerSide, kPointerSide),
                           devicePixelRatio);
    image.setDevicePixelRatio(1.0);
    const auto scaled = [devicePixelRatio](int hot) {
        return int(std::floor((hot + 0.5) * devicePixelRatio));
    };
    return QCursor(QPixmap::fromImage(image), scaled(file.hotX), scaled(file.hotY));
}

} // namespace

QPixmap picture(Picture which, qreal devicePixelRatio)
{
    const PictureFile& file = pictureFile(which);
    if (devicePixelRatio == 1.0)
        return QPixmap::fromImage(decodedImage(file.stem));
    // Made once for each picture and scale: the map is painted from it again and again.
    const QString key = QStringLiteral("europa:%1@%2").arg(int(which)).arg(devicePixelRatio);
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap))
        return pixmap;
    const QSize single = decodedImage(file.stem).size();
    // Handed over, not copied, for the same reason.
    pixmap = QPixmap::fromImage(atScale(doubleSizeImage(file.stem), single, devicePixelRatio));
    QPixmapCache::insert(key, pixmap);
    return pixmap;
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

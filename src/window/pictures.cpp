#include "window/pictures.h"

#include <QPixmapCache>
#include <QResource>
#include <cmath>
#include <cstring>
#include <string_view>

#include "window/baked_picture.h"

// Outside any namespace, as the resource system requires.
static void loadPictureResources()
{
    Q_INIT_RESOURCE(baked_pictures);
    Q_INIT_RESOURCE(map);
    Q_INIT_RESOURCE(pictures_2x);
}

namespace window {

namespace {

// Each picture's PNG in assets/; the program holds it decoded under its stem,
// and its copy at twice the size as a PNG, decoded when a scaled screen asks.
struct PictureFile {
    Picture which;
    std::string_view png;
    std::string_view doubleSize;
};

// Indexed by the enumeration.
constexpr PictureFile kPictureFiles[] = {
    {Picture::Map, "map.png", ":/map/map@2x.png"},
    {Picture::FlagTile, "background-flags.png", ":/pictures/background-flags@2x.png"},
    {Picture::Car, "start-button-car.png", ":/pictures/start-button-car@2x.png"},
    {Picture::ExitFlag, "exit-button-flag.png", ":/pictures/exit-button-flag@2x.png"},
};

// "…/name.png" drawn at twice the size is ":/pictures/name@2x.png".
QString doubleSizePath(std::string_view png)
{
    const QString name = QString::fromLatin1(png.data(), qsizetype(png.size()));
    return QStringLiteral(":/pictures/") + name.section(QLatin1Char('/'), -1).replace(
               QStringLiteral(".png"), QStringLiteral("@2x.png"));
}

struct IconFile {
    int size;
    std::string_view png;
};

constexpr IconFile kIconFiles[] = {
    {16, "window-icon-16.png"},
    {32, "window-icon-32.png"},
    {48, "window-icon-48.png"},
};

// The icon for screens at twice the density, read only when one asks for it.
constexpr IconFile kDoubleSizeIconFiles[] = {
    {64, ":/pictures/window-icon-64.png"},
    {96, ":/pictures/window-icon-96.png"},
};

template <typename Table>
constexpr bool indexedByEnum(const Table& table)
{
    int index = 0;
    for (const auto& row : table) {
        if (static_cast<int>(row.which) != index++)
            return false;
    }
    return true;
}
static_assert(indexedByEnum(kPictureFiles));

// "…/name.png" is held as ":/pixels/name.pixels".
QString bakedPath(std::string_view png)
{
    const std::size_t slash = png.rfind('/');
    std::string_view stem = slash == std::string_view::npos ? png : png.substr(slash + 1);
    stem = stem.substr(0, stem.rfind('.'));
    return QStringLiteral(":/pixels/") + QString::fromLatin1(stem.data(), qsizetype(stem.size()))
         + QStringLiteral(".pixels");
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

QImage bakedImage(std::string_view png)
{
    loadPictureResources();
    const QResource resource(bakedPath(png));
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

// A picture for a screen of the given scale, from its copy at twice the size:
// as it is at twice the size, and smoothly resampled to the screen's own pixels
// at any other scale, so that no line of it is dropped or doubled.
QImage atScale(const QImage& doubleSize, QSize logicalSize, qreal devicePixelRatio)
{
    // Palette pictures are resampled in full colour: smooth scaling needs it.
    QImage image = doubleSize.convertToFormat(doubleSize.hasAlphaChannel()
                                                  ? QImage::Format_ARGB32_Premultiplied
                                                  : QImage::Format_RGB32);
    const QSize device(qRound(logicalSize.width() * devicePixelRatio),
                       qRound(logicalSize.height() * devicePixelRatio));
    if (device != image.size())
        image = image.scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    image.setDevicePixelRatio(devicePixelRatio);
    return image;
}

} // namespace

QPixmap picture(Picture which, qreal devicePixelRatio)
{
    const PictureFile& file = kPictureFiles[static_cast<int>(which)];
    if (devicePixelRatio == 1.0)
        return QPixmap::fromImage(bakedImage(file.png));
    // Made once for each picture and scale: the map is painted from it again and again.
    const QString key = QStringLiteral("europa:%1@%2").arg(int(which)).arg(devicePixelRatio);
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap))
        return pixmap;
    loadPictureResources();
    const QImage doubleSize(QString::fromLatin1(file.doubleSize.data(), qsizetype(file.doubleSize.size())));
    const QImage single = bakedImage(file.png);
    pixmap = QPixmap::fromImage(atScale(doubleSize, single.size(), devicePixelRatio));
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
    if (devicePixelRatio_ == 1.0) {
        made.emplace(QPixmap::fromImage(bakedImage(file.resource)), file.hotX, file.hotY);
        return *made;
    }
    // The pointer is handed to the window system in the screen's own pixels,
    // as large as the desktop's own pointers there; its hot spot is the
    // device pixel that holds the centre of the picture's pointing pixel.
    loadPictureResources();
    QImage image = atScale(QImage(doubleSizePath(file.resource)), QSize(32, 32), devicePixelRatio_);
    image.setDevicePixelRatio(1.0);
    const auto scaled = [this](int hot) { return int(std::floor((hot + 0.5) * devicePixelRatio_)); };
    made.emplace(QPixmap::fromImage(image), scaled(file.hotX), scaled(file.hotY));
    return *made;
}

QIcon programIcon()
{
    QIcon icon;
    for (const IconFile& file : kIconFiles)
        icon.addPixmap(QPixmap::fromImage(bakedImage(file.png)));
    loadPictureResources();
    for (const IconFile& file : kDoubleSizeIconFiles)
        icon.addFile(QString::fromLatin1(file.png.data(), qsizetype(file.png.size())),
                     QSize(file.size, file.size));
    return icon;
}

} // namespace window

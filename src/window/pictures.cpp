#include "window/pictures.h"

#include <QResource>
#include <cstring>
#include <string_view>

#include "window/baked_picture.h"

// Outside any namespace, as the resource system requires.
static void loadPictureResources()
{
    Q_INIT_RESOURCE(baked_pictures);
    Q_INIT_RESOURCE(map);
}

namespace window {

namespace {

// Each picture's PNG in assets/; the program holds it decoded under its stem.
struct PictureFile {
    Picture which;
    std::string_view png;
};

// Indexed by the enumeration.
constexpr PictureFile kPictureFiles[] = {
    {Picture::Map, "map.png"},
    {Picture::FlagTile, "background-flags.png"},
    {Picture::Car, "start-button-car.png"},
    {Picture::ExitFlag, "exit-button-flag.png"},
};

// Only the map has a double-size copy; it is decoded when a screen asks for it.
constexpr auto kSharpMap = ":/map/map@2x.png";

struct IconFile {
    int size;
    std::string_view png;
};

constexpr IconFile kIconFiles[] = {
    {16, "window-icon-16.png"},
    {32, "window-icon-32.png"},
    {48, "window-icon-48.png"},
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

} // namespace

QPixmap picture(Picture which, qreal devicePixelRatio)
{
    if (which == Picture::Map && devicePixelRatio > 1.0) {
        loadPictureResources();
        QPixmap pixmap(QString::fromLatin1(kSharpMap));
        pixmap.setDevicePixelRatio(2.0);
        return pixmap;
    }
    return QPixmap::fromImage(bakedImage(kPictureFiles[static_cast<int>(which)].png));
}

const QCursor& Pointers::operator[](PointerPicture which)
{
    std::optional<QCursor>& made = made_[static_cast<std::size_t>(which)];
    if (!made) {
        const PointerFile& file = pointerFile(which);
        made.emplace(QPixmap::fromImage(bakedImage(file.resource)), file.hotX, file.hotY);
    }
    return *made;
}

QIcon programIcon()
{
    QIcon icon;
    for (const IconFile& file : kIconFiles)
        icon.addPixmap(QPixmap::fromImage(bakedImage(file.png)));
    return icon;
}

} // namespace window

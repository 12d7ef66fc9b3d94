#include "window/pictures.h"

#include <QFile>
#include <string_view>

#include "window/pointer_hotspots.h"

// Outside any namespace, as the resource system requires.
static void loadPictureResources()
{
    Q_INIT_RESOURCE(pictures);
    Q_INIT_RESOURCE(map);
}

namespace window {

namespace {

struct PictureFile {
    Picture which;
    std::string_view resource;
};

// Indexed by the enumeration.
constexpr PictureFile kPictureFiles[] = {
    {Picture::Map, ":/map/map.png"},
    {Picture::FlagTile, ":/pictures/background-flags.png"},
    {Picture::Car, ":/pictures/start-button-car.png"},
    {Picture::ExitFlag, ":/pictures/exit-button-flag.png"},
};

struct PointerFile {
    PointerImage which;
    const PointerPicture& picture;
};

// Indexed by the enumeration.
constexpr PointerFile kPointerFiles[] = {
    {PointerImage::Window, kWindowPointer},
    {PointerImage::CountryLabel, kCountryLabelPointer},
    {PointerImage::Globe, kMapPointer},
    {PointerImage::Hand, kExitButtonPointer},
    {PointerImage::ItalianFlag, kItalianFlagPointer},
};

struct IconFile {
    int size;
    std::string_view resource;
};

constexpr IconFile kIconFiles[] = {
    {16, ":/pictures/window-icon-16.png"},
    {32, ":/pictures/window-icon-32.png"},
    {48, ":/pictures/window-icon-48.png"},
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
static_assert(indexedByEnum(kPointerFiles));

QString resourcePath(std::string_view resource)
{
    loadPictureResources();
    return QString::fromLatin1(resource.data(), qsizetype(resource.size()));
}

// "name.png" becomes "name@2x.png".
QString sharpCopy(const QString& path)
{
    QString sharp = path;
    return sharp.insert(sharp.lastIndexOf(QLatin1Char('.')), QLatin1String("@2x"));
}

} // namespace

QPixmap picture(Picture which, qreal devicePixelRatio)
{
    const QString path = resourcePath(kPictureFiles[static_cast<int>(which)].resource);
    if (devicePixelRatio > 1.0 && QFile::exists(sharpCopy(path))) {
        QPixmap pixmap(sharpCopy(path));
        pixmap.setDevicePixelRatio(2.0);
        return pixmap;
    }
    return QPixmap(path);
}

QCursor pointer(PointerImage which)
{
    const PointerPicture& picture = kPointerFiles[static_cast<int>(which)].picture;
    return QCursor(QPixmap(resourcePath(picture.resource)), picture.hotX, picture.hotY);
}

QIcon programIcon()
{
    QIcon icon;
    for (const IconFile& file : kIconFiles)
        icon.addFile(resourcePath(file.resource), QSize(file.size, file.size));
    return icon;
}

} // namespace window

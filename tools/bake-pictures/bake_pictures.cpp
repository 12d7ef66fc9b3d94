// Run by the build: builds the window's pictures into the program from the
// tables of src/window/picture_files.h and pointer_pictures.h.
//   europa-bake-pictures ASSETS_DIR OUTPUT_DIR DEPFILE TARGET
// Decodes each picture the window shows at its own size once, into
// OUTPUT_DIR/STEM.pixels, so that starting the program decodes nothing; lists
// those in OUTPUT_DIR/decoded_pictures.qrc and the PNGs decoded only on demand
// in OUTPUT_DIR/png_pictures.qrc; and
// names every PNG it used in DEPFILE, as what TARGET depends on.

#include <QFile>
#include <QImage>
#include <QTextStream>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "platform/qt_text.h"
#include "window/baked_picture.h"
#include "window/picture_files.h"
#include "window/pointer_pictures.h"

namespace {

using platform::fromUtf8;

// A file under assets/FOLDER/: a stem, or a whole file name.
struct Source {
    std::string_view folder;
    std::string name;
};

// Every picture the window shows at its own size.
std::vector<Source> decodedPictures()
{
    std::vector<Source> pictures;
    for (const window::PictureFile& file : window::kPictureFiles)
        pictures.push_back({file.folder, std::string(file.stem)});
    for (const window::PointerFile& file : window::kPointerFiles)
        pictures.push_back({window::kPointerAndIconFolder, std::string(file.stem)});
    for (int side : window::kIconSides)
        pictures.push_back({window::kPointerAndIconFolder, window::iconStem(side)});
    return pictures;
}

// The PNGs decoded only when a screen asks for them, each by its file name:
// every picture but the icon at twice the size.
std::vector<Source> pngPictures()
{
    std::vector<Source> pictures;
    for (const window::PictureFile& file : window::kPictureFiles)
        pictures.push_back({file.folder, window::doubleSizeName(file.stem)});
    for (const window::PointerFile& file : window::kPointerFiles)
        pictures.push_back({window::kPointerAndIconFolder, window::doubleSizeName(file.stem)});
    return pictures;
}

bool fail(const char* what, const QString& path)
{
    std::fprintf(stderr, "europa-bake-pictures: cannot %s %s\n", what, qPrintable(path));
    return false;
}

bool bake(const QString& pngPath, const QString& outputPath)
{
    QImage image(pngPath, "PNG");
    if (image.isNull())
        return fail("read", pngPath);
    // The formats the raster painter blits without converting.
    image = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                          : QImage::Format_RGB32);
    const window::BakedPictureHeader header{
        window::kBakedPictureMagic,
        static_cast<std::uint32_t>(image.width()),
        static_cast<std::uint32_t>(image.height()),
        static_cast<std::uint32_t>(image.format()),
    };
    QFile output(outputPath);
    if (!output.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return fail("write", outputPath);
    const qsizetype rowBytes = qsizetype(image.width()) * window::kBakedPictureBytesPerPixel;
    bool written = output.write(reinterpret_cast<const char*>(&header), sizeof header) == sizeof header;
    for (int y = 0; written && y < image.height(); ++y)
        written = output.write(reinterpret_cast<const char*>(image.constScanLine(y)), rowBytes) == rowBytes;
    if (!written || !output.flush()) {
        output.remove();
        return fail("write", outputPath);
    }
    return true;
}

// A resource folder's prefix as the .qrc file wants it: ":/png/" is "/png".
QString prefix(std::string_view resources)
{
    return fromUtf8(resources.substr(1, resources.size() - 2));
}

bool writeText(const QString& path, const QString& text)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)
        || file.write(text.toUtf8()) < 0 || !file.flush())
        return fail("write", path);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: europa-bake-pictures ASSETS_DIR OUTPUT_DIR DEPFILE TARGET\n");
        return 2;
    }
    const QString assets = QFile::decodeName(argv[1]);
    const QString output = QFile::decodeName(argv[2]);
    const auto assetPath = [&](const Source& source, const std::string& file) -> QString {
        return assets + QLatin1Char('/') + fromUtf8(source.folder) + QLatin1Char('/') + fromUtf8(file);
    };
    QString depends = QFile::decodeName(argv[4]) + QLatin1Char(':');
    QString decoded;
    QTextStream(&decoded) << "<RCC>\n    <qresource prefix=\"" << prefix(window::kDecodedResources) << "\">\n";
    for (const Source& picture : decodedPictures()) {
        const QString png = assetPath(picture, window::pngName(picture.name));
        const QString name = fromUtf8(window::decodedName(picture.name));
        if (!bake(png, output + QLatin1Char('/') + name))
            return 1;
        QTextStream(&decoded) << "        <file>" << name << "</file>\n";
        depends += QStringLiteral(" \\\n  ") + png;
    }
    QString pngs;
    QTextStream(&pngs) << "<RCC>\n    <qresource prefix=\"" << prefix(window::kPngResources) << "\">\n";
    for (const Source& picture : pngPictures()) {
        const QString png = assetPath(picture, picture.name);
        if (!QFile::exists(png)) {
            fail("find", png);
            return 1;
        }
        QTextStream(&pngs) << "        <file alias=\"" << fromUtf8(picture.name) << "\">" << png
                           << "</file>\n";
        depends += QStringLiteral(" \\\n  ") + png;
    }
    const QString end = QStringLiteral("    </qresource>\n</RCC>\n");
    const bool written = writeText(output + QStringLiteral("/decoded_pictures.qrc"), decoded + end)
                      && writeText(output + QStringLiteral("/png_pictures.qrc"), pngs + end)
                      && writeText(QFile::decodeName(argv[3]), depends + QLatin1Char('\n'));
    return written ? 0 : 1;
}

// Run by the build: builds the window's pictures into the program from the
// tables of src/window/picture_files.h and pointer_pictures.h.
//   europa-bake-pictures ASSETS_DIR OUTPUT_DIR DEPFILE TARGET
// Decodes each picture the window shows, at its own size and at twice it, once,
// into OUTPUT_DIR/STEM.pixels, so that starting the program decodes nothing,
// on a screen that scales as on any other; lists those in
// OUTPUT_DIR/decoded_pictures.qrc; and names every PNG it used in DEPFILE, as
// what TARGET depends on.

#include <QFile>
#include <QHash>
#include <QImage>
#include <QTextStream>
#include <algorithm>
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

// Every picture the window shows: each at its own size, and all but the icon,
// whose sides are pictures of their own, at twice the size as well.
std::vector<Source> decodedPictures()
{
    std::vector<Source> pictures;
    const auto both = [&pictures](std::string_view folder, std::string_view stem) {
        pictures.push_back({folder, std::string(stem)});
        pictures.push_back({folder, window::doubleSizeStem(stem)});
    };
    for (const window::PictureFile& file : window::kPictureFiles)
        both(file.folder, file.stem);
    for (const window::PointerFile& file : window::kPointerFiles)
        both(window::kPointerAndIconFolder, file.stem);
    for (int side : window::kIconSides)
        pictures.push_back({window::kPointerAndIconFolder, window::iconStem(side)});
    return pictures;
}

bool fail(const char* what, const QString& path)
{
    std::fprintf(stderr, "europa-bake-pictures: cannot %s %s\n", what, qPrintable(path));
    return false;
}

// The picture as 8-bit indices into a table of exactly its colours, when it is
// opaque and has few enough; a null image otherwise.
QImage indexed(const QImage& opaque)
{
    QList<QRgb> table;
    QHash<QRgb, int> index;
    for (int y = 0; y < opaque.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(opaque.constScanLine(y));
        for (int x = 0; x < opaque.width(); ++x) {
            if (index.contains(row[x]))
                continue;
            if (table.size() == window::kBakedLargestColourTable)
                return {};
            index.insert(row[x], int(table.size()));
            table.append(row[x]);
        }
    }
    QImage image(opaque.size(), QImage::Format_Indexed8);
    image.setColorTable(table);
    for (int y = 0; y < opaque.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(opaque.constScanLine(y));
        uchar* out = image.scanLine(y);
        for (int x = 0; x < opaque.width(); ++x)
            out[x] = uchar(index.value(row[x]));
    }
    return image;
}

// The formats the raster painter draws from without converting the picture.
QImage paintable(const QImage& decoded)
{
    if (decoded.hasAlphaChannel())
        return decoded.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage opaque = decoded.convertToFormat(QImage::Format_RGB32);
    const QImage few = indexed(opaque);
    return few.isNull() ? opaque : few;
}

bool bake(const QString& pngPath, const QString& outputPath)
{
    const QImage decoded(pngPath, "PNG");
    if (decoded.isNull())
        return fail("read", pngPath);
    const QImage image = paintable(decoded);
    const QList<QRgb> table = image.colorTable();
    const window::BakedPictureHeader header{
        window::kBakedPictureMagic,
        static_cast<std::uint32_t>(image.width()),
        static_cast<std::uint32_t>(image.height()),
        static_cast<std::uint32_t>(image.format()),
        static_cast<std::uint32_t>(image.bytesPerLine()),
        static_cast<std::uint32_t>(table.size()),
    };
    QFile output(outputPath);
    if (!output.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return fail("write", outputPath);
    const qsizetype tableBytes = table.size() * qsizetype(sizeof(QRgb));
    bool written = output.write(reinterpret_cast<const char*>(&header), sizeof header) == sizeof header
                && output.write(reinterpret_cast<const char*>(table.constData()), tableBytes) == tableBytes;
    for (int y = 0; written && y < image.height(); ++y)
        written = output.write(reinterpret_cast<const char*>(image.constScanLine(y)), image.bytesPerLine())
               == image.bytesPerLine();
    if (!written || !output.flush()) {
        output.remove();
        return fail("write", outputPath);
    }
    return true;
}

// A resource folder's prefix as the .qrc file wants it: ":/pixels/" is "/pixels".
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
    const QString end = QStringLiteral("    </qresource>\n</RCC>\n");
    const bool written = writeText(output + QStringLiteral("/decoded_pictures.qrc"), decoded + end)
                      && writeText(QFile::decodeName(argv[3]), depends + QLatin1Char('\n'));
    return written ? 0 : 1;
}

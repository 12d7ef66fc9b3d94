// Run by the build: decodes each PNG once into the raw pixels the program
// paints from, so that starting the program decodes nothing.
//   europa-bake-pictures OUTPUT_DIR PICTURE.png...
// writes OUTPUT_DIR/PICTURE.pixels for each.

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <cstdio>

#include "window/baked_picture.h"

namespace {

bool bake(const QString& pngPath, const QString& outputDir)
{
    QImage image(pngPath, "PNG");
    if (image.isNull()) {
        std::fprintf(stderr, "europa-bake-pictures: cannot read %s\n", qPrintable(pngPath));
        return false;
    }
    // The formats the raster painter blits without converting.
    image = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                          : QImage::Format_RGB32);
    const window::BakedPictureHeader header{
        window::kBakedPictureMagic,
        static_cast<std::uint32_t>(image.width()),
        static_cast<std::uint32_t>(image.height()),
        static_cast<std::uint32_t>(image.format()),
    };
    const QString outputPath = outputDir + QLatin1Char('/') + QFileInfo(pngPath).completeBaseName()
                             + QStringLiteral(".pixels");
    QFile output(outputPath);
    if (!output.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "europa-bake-pictures: cannot write %s\n", qPrintable(outputPath));
        return false;
    }
    const qsizetype rowBytes = qsizetype(image.width()) * window::kBakedPictureBytesPerPixel;
    bool written = output.write(reinterpret_cast<const char*>(&header), sizeof header) == sizeof header;
    for (int y = 0; written && y < image.height(); ++y)
        written = output.write(reinterpret_cast<const char*>(image.constScanLine(y)), rowBytes) == rowBytes;
    if (!written || !output.flush()) {
        std::fprintf(stderr, "europa-bake-pictures: cannot write %s\n", qPrintable(outputPath));
        output.remove();
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: europa-bake-pictures OUTPUT_DIR PICTURE.png...\n");
        return 2;
    }
    const QString outputDir = QFile::decodeName(argv[1]);
    for (int i = 2; i < argc; ++i) {
        if (!bake(QFile::decodeName(argv[i]), outputDir))
            return 1;
    }
    return 0;
}

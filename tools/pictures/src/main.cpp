// Draws every picture of the window from its vector sources:
//     make-pictures SOURCE_DIR OUTPUT_DIR
// The same sources always give byte-identical PNG files.

#include "colour_depth.h"
#include "compose.h"
#include "picture_table.h"

#include <QCoreApplication>
#include <QTextStream>

#include <exception>

namespace {

// 96 dots per inch, the resolution the window's layout is made for. Written
// explicitly so that the files do not depend on the screen they were made on.
constexpr int kDotsPerMetre = 3780;

void writePicture(const Picture &picture, const QDir &sourceDir, const QDir &outputDir)
{
    QImage image = reduceToDepth(compose(picture, sourceDir), picture.depth);
    image.setDotsPerMeterX(kDotsPerMetre);
    image.setDotsPerMeterY(kDotsPerMetre);
    const QString path = outputDir.filePath(picture.output);
    if (!image.save(path, "PNG"))
        throw std::runtime_error("cannot write " + path.toStdString());
}

}  // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        err << "usage: make-pictures SOURCE_DIR OUTPUT_DIR\n";
        return 2;
    }
    try {
        const QDir sourceDir(args.at(1));
        const QDir outputDir(args.at(2));
        for (const Picture &picture : pictureTable())
            writePicture(picture, sourceDir, outputDir);
    } catch (const std::exception &error) {
        err << "make-pictures: " << error.what() << '\n';
        return 1;
    }
    return 0;
}

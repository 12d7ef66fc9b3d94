// The program carries its pictures already decoded; what it shows must be the
// drawings in assets/, pixel for pixel, whatever the build did to them.

#include <QApplication>
#include <QPainter>
#include <QResource>
#include <QTest>
#include <qdrawutil.h>
#include <cstring>
#include <utility>

#include "platform/qt_text.h"
#include "window/baked_picture.h"
#include "window/pictures.h"
#include "window_driver.h"

namespace {
QString drawing(std::string_view folder, std::string_view stem)
{
    return QStringLiteral(EUROPA_ASSETS_DIR "/") + platform::fromUtf8(folder) + QLatin1Char('/')
         + platform::fromUtf8(window::pngName(stem));
}
} // namespace

class BuiltInPicturesTest : public QObject {
    Q_OBJECT

private slots:
    // Every picture, pointer and icon side of the program's tables, and every
    // picture and pointer at twice the size.
    void eachPictureIsItsDrawing_data()
    {
        QTest::addColumn<QString>("png");
        QTest::addColumn<QImage>("shown");
        const auto row = [](const QString& png, const QImage& shown) {
            QTest::newRow(qPrintable(png.section(QLatin1Char('/'), -2))) << png << shown;
        };
        for (std::size_t i = 0; i < window::kPictureFiles.size(); ++i) {
            const window::PictureFile& file = window::kPictureFiles[i];
            const auto which = static_cast<window::Picture>(i);
            row(drawing(file.folder, file.stem), window::picture(which));
            row(drawing(file.folder, window::doubleSizeStem(file.stem)), window::picture(which, 2.0));
        }
        window::Pointers pointers;
        window::Pointers doubled(2.0);
        for (const window::PointerFile& file : window::kPointerFiles) {
            row(drawing(window::kPointerAndIconFolder, file.stem),
                pointers[file.which].pixmap().toImage());
            row(drawing(window::kPointerAndIconFolder, window::doubleSizeStem(file.stem)),
                doubled[file.which].pixmap().toImage());
        }
        for (int side : window::kIconSides)
            row(drawing(window::kPointerAndIconFolder, window::iconStem(side)),
                window::programIcon().pixmap(side).toImage());
    }

    // Compared in full colour, pixel for pixel: a picture of few colours is kept as indices.
    void eachPictureIsItsDrawing()
    {
        QFETCH(QString, png);
        QFETCH(QImage, shown);
        const QImage drawn(png);
        QVERIFY2(!drawn.isNull(), qPrintable(png));
        QVERIFY(!shown.isNull());
        QCOMPARE(shown.size(), drawn.size());
        QCOMPARE(shown.hasAlphaChannel(), drawn.hasAlphaChannel());
        const auto inFullColour = [](const QImage& image) {
            QImage full = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
            full.setDevicePixelRatio(1.0);
            return full;
        };
        QCOMPARE(inFullColour(shown), inFullColour(drawn));
    }

    // The map's frame, painted in whole pixels so that it scales, is the
    // platform's own sunken panel, pixel for pixel, at the size it was made for.
    void theMapsFrameIsTheSunkenPanel()
    {
        widget_tests::WindowDriver driver;
        QWidget* box = driver.control("Picture2");
        const QImage shown = box->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QImage panel(box->size(), QImage::Format_RGB32);
        panel.fill(Qt::magenta);
        QPainter painter(&panel);
        qDrawWinPanel(&painter, panel.rect(), box->palette(), true);
        painter.end();
        for (int y = 0; y < panel.height(); ++y) {
            for (int x = 0; x < panel.width(); ++x) {
                const bool inFrame = x < 2 || y < 2 || x >= panel.width() - 2 || y >= panel.height() - 2;
                if (inFrame)
                    QCOMPARE(shown.pixel(x, y), panel.pixel(x, y));
            }
        }
    }

    // At its own size and at twice it, a picture is painted from where it lies
    // in the program: a copy of the map would cost every paint megabytes and
    // their time. The map and the flag tile are kept as indices into their
    // few colours, a quarter of the memory that 32-bit pixels take.
    void eachPictureIsPaintedWhereItLies()
    {
        for (std::size_t i = 0; i < window::kPictureFiles.size(); ++i) {
            const std::string_view stem = window::kPictureFiles[i].stem;
            const auto which = static_cast<window::Picture>(i);
            for (const auto& [name, ratio] : {std::pair(std::string(stem), 1.0),
                                              std::pair(window::doubleSizeStem(stem), 2.0)}) {
                const QResource built(platform::fromUtf8(window::decodedResource(name)));
                QVERIFY2(built.isValid(), name.data());
                window::BakedPictureHeader header{};
                std::memcpy(&header, built.data(), sizeof header);
                const uchar* pixels = built.data() + sizeof header
                                    + header.colours * window::kBakedColourBytes;
                const QImage shown = window::picture(which, ratio);
                QVERIFY2(shown.constBits() == pixels, name.data());
                const bool few = which == window::Picture::Map || which == window::Picture::FlagTile;
                QVERIFY2(!few || shown.format() == QImage::Format_Indexed8, name.data());
            }
        }
    }

    // One pointer object per picture, however many controls show it.
    void aPointerIsMadeOncePerPicture()
    {
        window::Pointers pointers;
        const QCursor& first = pointers[window::PointerPicture::CountryLabel];
        QCOMPARE(&pointers[window::PointerPicture::CountryLabel], &first);
        QVERIFY(&pointers[window::PointerPicture::Globe] != &first);
        const window::PointerFile& file = window::pointerFile(window::PointerPicture::CountryLabel);
        QCOMPARE(first.hotSpot(), QPoint(file.hotX, file.hotY));
    }
};

QTEST_MAIN(BuiltInPicturesTest)
#include "built_in_pictures_test.moc"

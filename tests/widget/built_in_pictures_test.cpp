// The program carries its pictures already decoded; what it shows must be the
// drawings in assets/, pixel for pixel, whatever the build did to them.

#include <QApplication>
#include <QPainter>
#include <QResource>
#include <QTest>
#include <qdrawutil.h>

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
    // Every picture, pointer and icon side of the program's tables.
    void eachPictureIsItsDrawing_data()
    {
        QTest::addColumn<QString>("png");
        QTest::addColumn<QImage>("shown");
        const auto row = [](const QString& png, const QImage& shown) {
            QTest::newRow(qPrintable(png.section(QLatin1Char('/'), -2))) << png << shown;
        };
        for (std::size_t i = 0; i < window::kPictureFiles.size(); ++i) {
            const window::PictureFile& file = window::kPictureFiles[i];
            row(drawing(file.folder, file.stem),
                window::picture(static_cast<window::Picture>(i)).toImage());
        }
        window::Pointers pointers;
        for (const window::PointerFile& file : window::kPointerFiles)
            row(drawing(window::kPointerAndIconFolder, file.stem),
                pointers[file.which].pixmap().toImage());
        for (int side : window::kIconSides)
            row(drawing(window::kPointerAndIconFolder, window::iconStem(side)),
                window::programIcon().pixmap(side).toImage());
    }

    void eachPictureIsItsDrawing()
    {
        QFETCH(QString, png);
        QFETCH(QImage, shown);
        const QImage drawn(png);
        QVERIFY2(!drawn.isNull(), qPrintable(png));
        QVERIFY(!shown.isNull());
        QCOMPARE(shown.size(), drawn.size());
        QCOMPARE(shown.hasAlphaChannel(), drawn.hasAlphaChannel());
        QCOMPARE(shown, drawn.convertToFormat(shown.format()));
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

    // One pointer object per picture, however many controls show it.
    // At its own size a picture is painted from where it lies in the program:
    // a copy of the map would cost every paint a megabyte and its time.
    void eachPictureIsPaintedWhereItLies()
    {
        for (std::size_t i = 0; i < window::kPictureFiles.size(); ++i) {
            const std::string_view stem = window::kPictureFiles[i].stem;
            const QResource built(platform::fromUtf8(window::decodedResource(stem)));
            QVERIFY2(built.isValid(), stem.data());
            const uchar* pixels = built.data() + sizeof(window::BakedPictureHeader);
            const QImage shown = window::picture(static_cast<window::Picture>(i)).toImage();
            QVERIFY2(shown.constBits() == pixels, stem.data());
        }
    }

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

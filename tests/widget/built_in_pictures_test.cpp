// The program carries its pictures already decoded; what it shows must be the
// drawings in assets/, pixel for pixel, whatever the build did to them.

#include <QApplication>
#include <QPainter>
#include <QTest>
#include <qdrawutil.h>

#include "window/pictures.h"
#include "window_driver.h"

namespace {
QString drawing(const char* relative)
{
    return QStringLiteral(EUROPA_ASSETS_DIR "/") + QLatin1String(relative);
}
} // namespace

class BuiltInPicturesTest : public QObject {
    Q_OBJECT

private slots:
    void eachPictureIsItsDrawing_data()
    {
        QTest::addColumn<QString>("png");
        QTest::addColumn<QImage>("shown");
        using window::Picture;
        using window::PointerPicture;
        window::Pointers pointers;
        const struct {
            const char* png;
            QImage shown;
        } rows[] = {
            {"map/map.png", window::picture(Picture::Map).toImage()},
            {"pictures/background-flags.png", window::picture(Picture::FlagTile).toImage()},
            {"pictures/start-button-car.png", window::picture(Picture::Car).toImage()},
            {"pictures/exit-button-flag.png", window::picture(Picture::ExitFlag).toImage()},
            {"pictures/window-pointer.png", pointers[PointerPicture::Window].pixmap().toImage()},
            {"pictures/country-label-pointer.png",
             pointers[PointerPicture::CountryLabel].pixmap().toImage()},
            {"pictures/map-pointer.png", pointers[PointerPicture::Globe].pixmap().toImage()},
            {"pictures/exit-button-pointer.png", pointers[PointerPicture::Hand].pixmap().toImage()},
            {"pictures/italian-flag-pointer.png",
             pointers[PointerPicture::ItalianFlag].pixmap().toImage()},
            {"pictures/window-icon-16.png", window::programIcon().pixmap(16).toImage()},
            {"pictures/window-icon-32.png", window::programIcon().pixmap(32).toImage()},
            {"pictures/window-icon-48.png", window::programIcon().pixmap(48).toImage()},
        };
        for (const auto& row : rows)
            QTest::newRow(row.png) << drawing(row.png) << row.shown;
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

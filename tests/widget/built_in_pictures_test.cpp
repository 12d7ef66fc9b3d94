// The program carries its pictures already decoded; what it shows must be the
// drawings in assets/, pixel for pixel, whatever the build did to them.

#include <QApplication>
#include <QTest>

#include "window/pictures.h"

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

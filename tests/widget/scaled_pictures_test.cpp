// The window on a screen that scales (run with QT_SCALE_FACTOR at 2 and at
// 1.5): pictures and pointers are drawn for the screen's own pixels from their
// copies at twice the size, not blown up from their single-size copies, and
// the map's frame leaves no seam.

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QSet>
#include <QTest>
#include <algorithm>
#include <cmath>

#include "window/pictures.h"
#include "window_driver.h"

using namespace widget_tests;

namespace {

QSize deviceSize(QSize logical, qreal ratio)
{
    return {qRound(logical.width() * ratio), qRound(logical.height() * ratio)};
}

} // namespace

class ScaledPicturesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        ratio_ = qApp->devicePixelRatio();
        QVERIFY2(ratio_ > 1.0, "run with QT_SCALE_FACTOR above 1");
    }

    void picturesComeFromTheirDrawingsAtTwiceTheSize_data()
    {
        QTest::addColumn<int>("which");
        for (std::size_t i = 0; i < window::kPictureFiles.size(); ++i)
            QTest::newRow(window::kPictureFiles[i].stem.data()) << int(i);
    }

    // On a screen that scales, a picture is its own drawing at twice the size,
    // laid out at the single size.
    void picturesComeFromTheirDrawingsAtTwiceTheSize()
    {
        QFETCH(int, which);
        const auto picture = static_cast<window::Picture>(which);
        const QImage single = window::picture(picture);
        const QImage shown = window::picture(picture, ratio_);
        QCOMPARE(shown.size(), single.size() * 2);
        QCOMPARE(shown.deviceIndependentSize().toSize(), single.size());
    }

    // The map is painted in the screen's own pixels from its drawing at twice
    // the size: pixel for pixel at two, smoothly at other scales; never blown
    // up from the single-size drawing, nor scaled by picking pixels.
    void theMapIsPaintedAtTheScreensScale()
    {
        WindowDriver driver;
        QWidget* map = driver.mapArea();
        const auto plain = [](const QImage& image) {
            QImage rgb = image.convertToFormat(QImage::Format_RGB32);
            rgb.setDevicePixelRatio(1.0);
            return rgb;
        };
        const QImage shown = plain(map->grab().toImage());
        QCOMPARE(shown.size(), deviceSize(map->size(), ratio_));
        // The prompt line lies across the top of the map; below it the map alone shows.
        const QRect below(0, shown.height() / 2, shown.width(), shown.height() / 2);
        const QImage doubled = plain(window::picture(window::Picture::Map, 2.0));
        if (ratio_ == 2.0) {
            QCOMPARE(shown.copy(below), doubled.copy(below));
            return;
        }
        const QImage picked = doubled.scaled(shown.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
        const QImage blownUp = plain(window::picture(window::Picture::Map))
                                   .scaled(shown.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
        QVERIFY(shown.copy(below) != picked.copy(below));
        QVERIFY(shown.copy(below) != blownUp.copy(below));
    }

    // As large as the desktop's own pointers on the screen, pointing with the
    // device pixel that holds the middle of the picture's pointing pixel; on a
    // screen scaled beyond reason, no larger than a desktop makes its own.
    void pointersAreMadeAtTheScreensScale()
    {
        for (const qreal ratio : {ratio_, 1000.0}) {
            const qreal madeAt = std::min(ratio, window::kLargestPointerScale);
            window::Pointers pointers(ratio);
            for (const window::PointerFile& file : window::kPointerFiles) {
                const QCursor& made = pointers[file.which];
                QCOMPARE(made.pixmap().size() / made.pixmap().devicePixelRatio(),
                         deviceSize(QSize(window::kPointerSide, window::kPointerSide), madeAt));
                QCOMPARE(made.hotSpot(), QPoint(int(std::floor((file.hotX + 0.5) * madeAt)),
                                                int(std::floor((file.hotY + 0.5) * madeAt))));
            }
        }
    }

    // Every device pixel of the two-pixel frame around the map is the frame's
    // own: no background shows between the frame's lines and the map.
    void theMapsFrameFillsItsTwoPixels()
    {
        WindowDriver driver;
        // For people to look at: the window as this screen shows it.
        QDir().mkpath(QStringLiteral(EUROPA_SCREENSHOT_DIR));
        const QString path = QStringLiteral(EUROPA_SCREENSHOT_DIR "/start-up-at-%1x.png").arg(ratio_);
        QVERIFY2(driver.grab().save(path), qPrintable(path));
        qInfo("screenshot: %s", qPrintable(path));
        QWidget* box = driver.control("Picture2");
        const QImage shot = box->grab().toImage();
        QCOMPARE(shot.size(), deviceSize(box->size(), ratio_));
        const QPalette& colours = box->palette();
        const QSet<QRgb> frame{colours.dark().color().rgb(), colours.light().color().rgb(),
                               colours.shadow().color().rgb(), colours.midlight().color().rgb()};
        const int depth = qRound(2 * ratio_);
        for (int y = 0; y < shot.height(); ++y) {
            for (int x = 0; x < shot.width(); ++x) {
                const bool inFrame = x < depth || y < depth || x >= shot.width() - depth
                                     || y >= shot.height() - depth;
                if (inFrame && !frame.contains(shot.pixel(x, y) | 0xff000000))
                    QFAIL(qPrintable(QStringLiteral("device pixel (%1, %2) of the frame is %3")
                                         .arg(x).arg(y).arg(shot.pixel(x, y), 8, 16)));
            }
        }
    }

private:
    qreal ratio_ = 1.0;
};

QTEST_MAIN(ScaledPicturesTest)
#include "scaled_pictures_test.moc"

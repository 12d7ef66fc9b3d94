// The window as the player first sees it: where every control lies, what it
// says and in which face and colour, which control covers which, the pointers,
// and the greetings that the start button hides.

#include <QAccessible>
#include <QDir>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <functional>
#include <memory>

#include "box_closer.h"
#include "platform/qt_text.h"
#include "window/pictures.h"
#include "window/twips.h"
#include "window_driver.h"

using namespace widget_tests;

namespace {

// Every control of the window with its rectangle in twips, as the designer laid
// it out, each container's controls from the top of the stack down.
struct Placed {
    const char* name;
    int index;
    const char* container;
    int left, top, width, height;
};

constexpr Placed kPlaced[] = {
    {"Command2", -1, "clientArea", 9360, 0, 2655, 2775},
    {"Command3", -1, "clientArea", 9360, 5160, 2655, 630},
    {"Text1", -1, "clientArea", 4800, 10800, 420, 150},
    {"Command1", -1, "clientArea", 10800, 2160, 1095, 735},
    {"Picture2", -1, "clientArea", 0, 0, 9345, 8145},
    {"Picture1", -1, "clientArea", 11160, 3000, 255, 255},
    {"Label86", -1, "clientArea", 9600, 1320, 2415, 1215},
    {"Label85", -1, "clientArea", 9840, 600, 2535, 735},
    {"Label84", -1, "clientArea", 0, 0, 2415, 735},
    {"Label74", -1, "clientArea", 9480, 0, 2415, 735},
    {"lblpunti", -1, "clientArea", 9960, 3840, 1575, 1215},
    {"Label45", -1, "clientArea", 9840, 2880, 2295, 855},
    {"Label44", -1, "clientArea", 9600, 5760, 2415, 735},
    {"lblerrori", -1, "clientArea", 10560, 6720, 855, 735},
    {"Image1", 0, "clientArea", 0, -120, 12960, 2865},
    {"Image1", 2, "clientArea", 0, 5400, 12960, 2865},
    {"Image1", 1, "clientArea", 0, 2520, 12960, 2865},
    {"Label42", -1, "mapArea", 0, 0, 2055, 495},
    {"lblreg", -1, "mapArea", 1920, 0, 1455, 420},
};

QString nameOf(const QWidget* widget)
{
    const QVariant index = widget->property("index");
    return index.isValid() ? QStringLiteral("%1(%2)").arg(widget->objectName()).arg(index.toInt())
                           : widget->objectName();
}

QString nameOf(const char* name, int index)
{
    return index < 0 ? QString::fromLatin1(name)
                     : QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

// The names of a container's child widgets from the top of the stack down.
QStringList stackOf(const QWidget* container)
{
    QStringList names;
    for (const QObject* child : container->children()) {
        if (child->isWidgetType())
            names.prepend(nameOf(static_cast<const QWidget*>(child)));
    }
    return names;
}

int countPixels(const QImage& image, const QRect& area, QRgb colour)
{
    int count = 0;
    const QRect inside = area & image.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x)
            count += (image.pixel(x, y) & 0xffffff) == (colour & 0xffffff);
    }
    return count;
}

void saveScreenshot(const QImage& image, const char* name)
{
    QDir().mkpath(QStringLiteral(EUROPA_SCREENSHOT_DIR));
    const QString path = QStringLiteral(EUROPA_SCREENSHOT_DIR "/%1.png").arg(QLatin1String(name));
    QVERIFY2(image.save(path), qPrintable(path));
    qInfo("screenshot: %s", qPrintable(path));
}

constexpr QRgb kGreen = qRgb(0, 255, 0);

} // namespace

class LayoutTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        driver_ = std::make_unique<WindowDriver>();
    }
    void cleanup() { driver_.reset(); }

    void theClientAreaIs796By544UnderTheMenuBar()
    {
        window::Form1& form = driver_->form();
        QWidget* client = form.centralWidget();
        QCOMPARE(client->size(), QSize(796, 544));
        QCOMPARE(client->pos(), QPoint(0, form.menuBar()->height()));
        QCOMPARE(form.size(), QSize(796, 544 + form.menuBar()->height()));
        // The frame does not let the player resize it.
        QCOMPARE(form.minimumSize(), form.maximumSize());
    }

    void theFrameOffersNoMaximiseButton()
    {
        const Qt::WindowFlags flags = driver_->form().windowFlags();
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QVERIFY(!(flags & Qt::FramelessWindowHint));
        for (const Qt::WindowType kept : {Qt::WindowTitleHint, Qt::WindowMinimizeButtonHint,
                                          Qt::WindowCloseButtonHint})
            QVERIFY(flags & kept);
    }

    void aRequestToFillTheScreenLeavesTheWindowAsItWas_data()
    {
        QTest::addColumn<Qt::WindowStates>("asked");
        QTest::newRow("maximised") << Qt::WindowStates(Qt::WindowMaximized);
        QTest::newRow("full screen") << Qt::WindowStates(Qt::WindowFullScreen);
        QTest::newRow("both") << (Qt::WindowMaximized | Qt::WindowFullScreen);
    }

    void aRequestToFillTheScreenLeavesTheWindowAsItWas()
    {
        QFETCH(Qt::WindowStates, asked);
        window::Form1& form = driver_->form();
        const QRect before = form.frameGeometry();
        // What the platform delivers when a window manager or a title bar
        // changes the window's state.
        form.windowHandle()->setWindowStates(asked);
        QTRY_COMPARE(form.windowHandle()->windowStates(), Qt::WindowStates(Qt::WindowNoState));
        QCOMPARE(form.windowState(), Qt::WindowStates(Qt::WindowNoState));
        QCOMPARE(form.frameGeometry(), before);
    }

    void everyControlLiesWhereTheDesignerPutIt_data()
    {
        QTest::addColumn<int>("row");
        for (int row = 0; row < int(std::size(kPlaced)); ++row)
            QTest::newRow(qPrintable(nameOf(kPlaced[row].name, kPlaced[row].index))) << row;
    }

    void everyControlLiesWhereTheDesignerPutIt()
    {
        QFETCH(int, row);
        const Placed& placed = kPlaced[row];
        QWidget* control = driver_->control(placed.name, placed.index);
        QCOMPARE(control->parentWidget()->objectName(), QString::fromLatin1(placed.container));
        QCOMPARE(control->geometry(), QRect(placed.left / 15, placed.top / 15, placed.width / 15,
                                            placed.height / 15));
    }

    void theMapsInnerAreaLiesInsideATwoPixelFrame()
    {
        QWidget* map = driver_->mapArea();
        QCOMPARE(map->parentWidget(), driver_->control("Picture2"));
        QCOMPARE(map->geometry(), QRect(2, 2, 619, 539));

        const QImage box = driver_->control("Picture2")->grab().toImage();
        const QPalette colours = driver_->control("Picture2")->palette();
        // Sunken: dark above and to the left, light below and to the right.
        QCOMPARE(QColor(box.pixel(0, 0)).name(), colours.color(QPalette::Dark).name());
        QCOMPARE(QColor(box.pixel(1, 1)).name(), colours.color(QPalette::Shadow).name());
        QCOMPARE(QColor(box.pixel(622, 542)).name(), colours.color(QPalette::Light).name());
        QCOMPARE(QColor(box.pixel(621, 541)).name(), colours.color(QPalette::Midlight).name());
        const QImage map0 = window::picture(window::Picture::Map);
        QCOMPARE(QColor(box.pixel(2, 300)).name(), QColor(map0.pixel(0, 298)).name());
        QCOMPARE(QColor(box.pixel(620, 540)).name(), QColor(map0.pixel(618, 538)).name());
    }

    // Where the desktop scales the window by two, the map comes from its
    // double-size copy and still covers the same 619 by 539 pixels of layout.
    void theMapStaysSharpOnScreensThatScaleByTwo()
    {
        const QImage sharp = window::picture(window::Picture::Map, 2.0);
        QCOMPARE(sharp.devicePixelRatio(), 2.0);
        QCOMPARE(sharp.size(), QSize(1238, 1078));
        QCOMPARE(sharp.deviceIndependentSize().toSize(), QSize(619, 539));
        QCOMPARE(window::picture(window::Picture::Map).size(), QSize(619, 539));
    }

    void controlsStackAsDesigned()
    {
        QStringList expected;
        for (const Placed& placed : kPlaced) {
            if (QLatin1String(placed.container) == QLatin1String("clientArea"))
                expected << nameOf(placed.name, placed.index);
        }
        QCOMPARE(stackOf(driver_->form().centralWidget()), expected);

        // The map holds the prompt line alone: its country labels are not controls.
        QStringList map;
        for (const Placed& placed : kPlaced) {
            if (QLatin1String(placed.container) == QLatin1String("mapArea"))
                map << nameOf(placed.name, placed.index);
        }
        QCOMPARE(stackOf(driver_->mapArea()), map);
    }

    // Nothing of a country label is ever seen: the map shows its picture
    // pixel for pixel wherever the prompt line does not cover it.
    void theMapShowsNothingOfItsLabels()
    {
        QWidget* map = driver_->mapArea();
        const QImage shown = map->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QImage picture = window::picture(window::Picture::Map).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown.size(), picture.size());
        const QRegion prompt = QRegion(driver_->control("Label42")->geometry())
                               + driver_->control("lblreg")->geometry();
        int differing = 0;
        for (int y = 0; y < shown.height(); ++y) {
            for (int x = 0; x < shown.width(); ++x)
                differing += !prompt.contains(QPoint(x, y)) && shown.pixel(x, y) != picture.pixel(x, y);
        }
        QCOMPARE(differing, 0);
    }

    // The anthem starts when the window object comes into being, before its
    // controls are loaded, and plays on while the window is shown.
    void theAnthemStartsBeforeTheControlsAreLoaded()
    {
        auto startButtons = [] {
            const QWidgetList all = QApplication::allWidgets();
            return std::count_if(all.cbegin(), all.cend(),
                                 [](const QWidget* w) { return w->objectName() == QLatin1String("Command2"); });
        };
        const auto before = startButtons();
        RecordingRuntime runtime;
        platform::EventDelivery delivery;
        auto whileTheAnthemStarts = before - 1;
        runtime.onSound = [&] { whileTheAnthemStarts = startButtons(); };
        window::Form1 form(runtime, delivery);
        QCOMPARE(runtime.sounds, std::vector<std::string>{"/quiz/Europa/inno.wav"});
        QCOMPARE(whileTheAnthemStarts, before);
        QCOMPARE(startButtons(), before + 1);
        QVERIFY(!form.isVisible());
    }

    void startUpShowsCountersAtZeroAndThePromptAlone()
    {
        auto text = [&](const char* name) { return static_cast<QLabel*>(driver_->control(name))->text(); };
        QCOMPARE(text("lblpunti"), QStringLiteral("0"));
        QCOMPARE(text("lblerrori"), QStringLiteral("0"));
        QCOMPARE(text("lblreg"), QString());
        QCOMPARE(text("Label42"), QStringLiteral("Click on"));
        QVERIFY(driver_->control("Command2")->isVisible());
    }

    void someControlsAreNeverSeen()
    {
        QWidget* client = driver_->form().centralWidget();
        QWidget* text1 = driver_->control("Text1");
        QVERIFY(text1->isVisible());
        QVERIFY(!client->rect().intersects(text1->geometry()));
        QVERIFY(text1->visibleRegion().isEmpty());
        QVERIFY(!driver_->control("Command1")->isVisible());
        QVERIFY(!driver_->control("Command1")->isEnabled());
        QVERIFY(!driver_->control("Picture1")->isVisible());
        QWidget* label84 = driver_->control("Label84");
        QVERIFY(driver_->control("Picture2")->geometry().contains(label84->geometry()));
        QCOMPARE(client->childAt(label84->geometry().center()), driver_->mapArea());
    }

    void theWindowsEdgeCutsOffTheRightEndOfTheButtons()
    {
        for (const char* name : {"Command2", "Command3"}) {
            const QRect seen = driver_->control(name)->visibleRegion().boundingRect();
            QCOMPARE(seen.width(), 177 - 5);
        }
    }

    void labelCaptionsFacesAndColours_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("pixels");
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<int>("alignment");
        const QColor green(0, 255, 0), purple(192, 0, 192);
        const int left = Qt::AlignLeft | Qt::AlignTop, centre = Qt::AlignHCenter | Qt::AlignTop;
        QTest::newRow("Label86") << "Label86" << "Happy Birthday" << 37 << green << centre;
        QTest::newRow("Label85") << "Label85" << "Europa" << 37 << green << left;
        QTest::newRow("Label45") << "Label45" << "EXACT" << 37 << green << left;
        QTest::newRow("lblpunti") << "lblpunti" << "0" << 48 << QColor(255, 255, 0) << centre;
        QTest::newRow("Label44") << "Label44" << "WRONG" << 37 << purple << left;
        QTest::newRow("lblerrori") << "lblerrori" << "0" << 48 << purple << left;
        QTest::newRow("Label42") << "Label42" << "Click on" << 32 << QColor(0, 0, 255) << left;
        QTest::newRow("lblreg") << "lblreg" << "" << 32 << QColor(255, 0, 0) << left;
        // The greeting's words are ours: no caption here means "the same as
        // the other greeting's, and not empty".
        QTest::newRow("Label74") << "Label74" << QString() << 37 << green << centre;
        QTest::newRow("Label84") << "Label84" << QString() << 37 << green << centre;
    }

    void labelCaptionsFacesAndColours()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(int, pixels);
        QFETCH(QColor, colour);
        QFETCH(int, alignment);
        auto* label = static_cast<QLabel*>(driver_->control(qPrintable(name)));
        if (caption.isNull()) {
            caption = static_cast<QLabel*>(driver_->control("Label74"))->text();
            QVERIFY(!caption.isEmpty());
        }
        QCOMPARE(label->text(), caption);
        const QFontInfo face(label->font());
        QCOMPARE(face.family(), QStringLiteral("Liberation Sans"));
        QCOMPARE(face.pixelSize(), pixels);
        QCOMPARE(face.weight(), int(QFont::Normal));
        QVERIFY(!face.italic());
        QCOMPARE(label->palette().color(QPalette::WindowText), colour);
        QCOMPARE(int(label->alignment()), alignment);
        QVERIFY(!label->autoFillBackground());
        QCOMPARE(label->frameShape(), QFrame::NoFrame);
    }

    // The layout is made for 96 dots per inch; there a size given in points
    // comes out as that many points, 27.75 included.
    void pointSizesHoldAtNinetySixDotsPerInch()
    {
        QCOMPARE(driver_->form().screen()->logicalDotsPerInchY(), 96.0);
        const QFontInfo heading(driver_->control("Label45")->font());
        QCOMPARE(heading.pointSizeF(), 27.75);
        const QFontInfo exit(driver_->control("Command3")->font());
        QCOMPARE(exit.pointSizeF(), 27.75);
    }

    void pushButtons_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("pixels");
        QTest::addColumn<int>("weight");
        QTest::addColumn<QColor>("background");
        QTest::addColumn<QString>("toolTip");
        QTest::addColumn<bool>("isDefault");
        const int normal = QFont::Normal;
        QTest::newRow("Command2") << "Command2"
                                  << "Click on me to travel among the States of our dear Europe" << 24
                                  << normal << QColor(0, 255, 255) << "" << true;
        QTest::newRow("Command3") << "Command3" << "EXIT" << 37 << normal << QColor(255, 255, 255)
                                  << "Per uscire dal gioco cliccami" << false;
        QTest::newRow("Command1") << "Command1" << "Per uscire   premi  il tasto esc" << 16
                                  << int(QFont::Bold) << QColor(128, 255, 255) << "Per uscire cliccami!"
                                  << false;
    }

    void pushButtons()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(int, pixels);
        QFETCH(int, weight);
        QFETCH(QColor, background);
        QFETCH(QString, toolTip);
        QFETCH(bool, isDefault);
        auto* button = static_cast<QPushButton*>(driver_->control(qPrintable(name)));
        QCOMPARE(button->text(), caption);
        QCOMPARE(QFontInfo(button->font()).pixelSize(), pixels);
        QCOMPARE(QFontInfo(button->font()).weight(), weight);
        QCOMPARE(button->palette().color(QPalette::Button), background);
        QCOMPARE(button->toolTip(), toolTip);
        QCOMPARE(button->isDefault(), isDefault);
    }

    void theTextBoxIsBlackOnBlack()
    {
        auto* text1 = static_cast<QLineEdit*>(driver_->control("Text1"));
        QCOMPARE(text1->text(), QStringLiteral("Text1"));
        QCOMPARE(text1->palette().color(QPalette::Text), QColor(Qt::black));
        QCOMPARE(text1->palette().color(QPalette::Base), QColor(Qt::black));
    }

    // The counters are read with what they count (spoken_test).
    void assistiveTechnologyReadsTheCaptions()
    {
        for (const char* name : {"Command2", "Command3", "Label45", "Label44", "Label42"}) {
            QWidget* control = driver_->control(name);
            QAccessibleInterface* access = QAccessible::queryAccessibleInterface(control);
            QVERIFY(access != nullptr);
            const QString caption = control->property("text").toString();
            QCOMPARE(access->text(QAccessible::Name), caption);
        }
    }

    // A screen reader meets every control the player can see, and of the map
    // nothing but the prompt line: no invisible country labels to walk through.
    void assistiveTechnologyMeetsTheVisibleControlsAlone()
    {
        QList<QObject*> reached;
        const std::function<void(QAccessibleInterface*)> walk = [&](QAccessibleInterface* node) {
            reached << node->object();
            for (int i = 0; i < node->childCount(); ++i) {
                if (QAccessibleInterface* child = node->child(i))
                    walk(child);
            }
        };
        walk(QAccessible::queryAccessibleInterface(&driver_->form()));
        for (const Placed& placed : kPlaced) {
            QWidget* control = driver_->control(placed.name, placed.index);
            if (control->isVisible())
                QVERIFY2(reached.contains(control), placed.name);
        }
        QStringList ofTheMap;
        for (QObject* object : reached) {
            if (object->isWidgetType() && object->parent() == driver_->mapArea())
                ofTheMap << object->objectName();
        }
        ofTheMap.sort();
        QCOMPARE(ofTheMap, (QStringList{QStringLiteral("Label42"), QStringLiteral("lblreg")}));
    }

    void theCaption()
    {
        const QString title = driver_->form().windowTitle();
        const QString words = QString(30, QLatin1Char(' '))
                              + QStringLiteral("Travel between the States of our splendid native land Europe - ");
        QVERIFY2(title.startsWith(words), qPrintable(title));
        QVERIFY(title.size() > words.size());
        QVERIFY(!title.at(words.size()).isSpace());
    }

    void theMenuBarHasItsFiveEntriesInView()
    {
        QMenuBar* bar = driver_->form().menuBar();
        const QList<QAction*> entries = bar->actions();
        QCOMPARE(entries.size(), 5);
        QCOMPARE(entries[0]->text(), QStringLiteral("Instructions"));
        QVERIFY(entries[0]->menu() == nullptr);
        QCOMPARE(entries[1]->objectName(), QStringLiteral("scuol"));
        QCOMPARE(entries[1]->menu()->actions().size(), 1);
        QCOMPARE(entries[1]->menu()->actions()[0]->objectName(), QStringLiteral("soFtware"));
        QCOMPARE(entries[2]->objectName(), QStringLiteral("Esc"));
        QCOMPARE(entries[2]->text(), QStringLiteral("To have a new State click on the car push-button"));
        QVERIFY(entries[2]->menu() == nullptr);
        QCOMPARE(entries[3]->menu()->actions().size(), 2);
        QCOMPARE(entries[3]->menu()->actions()[0]->text(),
                 QStringLiteral("For councils and in order to signal eventual errors"));
        QCOMPARE(entries[3]->menu()->actions()[1]->text(), QStringLiteral("    "));
        QCOMPARE(entries[4]->menu()->actions().size(), 2);
        for (QAction* entry : entries) {
            const QRect place = bar->actionGeometry(entry);
            QVERIFY2(!place.isEmpty() && bar->rect().contains(place), qPrintable(entry->text()));
        }
        // Addresses are placeholders that reach nobody.
        for (QAction* entry : entries) {
            QList<QAction*> texts{entry};
            if (entry->menu() != nullptr)
                texts << entry->menu()->actions();
            for (QAction* text : texts) {
                if (text->text().contains(QLatin1Char('@')) || text->text().contains(QLatin1String("www")))
                    QVERIFY2(text->text().contains(QLatin1String("example.org")), qPrintable(text->text()));
            }
        }
    }

    void onlyTheInstructionsCommandActs()
    {
        BoxCloser closer;
        const game::GameState before = driver_->state();
        QList<QAction*> actions;
        for (QAction* entry : driver_->form().menuBar()->actions()) {
            if (entry->objectName() != QLatin1String("istruzioni"))
                actions << entry;
            if (entry->menu() != nullptr)
                actions << entry->menu()->actions();
        }
        QCOMPARE(actions.size(), 4 + 5);
        for (QAction* action : actions)
            action->trigger();
        QTest::qWait(50);
        QVERIFY(closer.seen().empty());
        QCOMPARE(driver_->state().errori, before.errori);
        QCOMPARE(driver_->state().caso, before.caso);
        QVERIFY(driver_->runtime().sounds.size() == 1);  // the anthem only
    }

    void eachAreaShowsItsOwnPointer_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QString>("pointer");
        QTest::newRow("sea west of Ireland") << "mapArea" << mapPixel(300, 4200) << "globe";
        QTest::newRow("Germany") << "mapArea" << mapPixel(3500, 4500) << "flag of a label";
        QTest::newRow("the prompt line") << "Label42" << QPoint(20, 10) << "globe";
        QTest::newRow("the exit button") << "Command3" << QPoint(40, 20) << "hand";
        QTest::newRow("the start button") << "Command2" << QPoint(40, 100) << "arrow";
        QTest::newRow("the points heading") << "Label45" << QPoint(20, 20) << "flag of the window";
        QTest::newRow("the errors counter") << "lblerrori" << QPoint(10, 10) << "flag of the window";
        QTest::newRow("a flag tile below the counters") << "Image1(2)" << QPoint(700, 150) << "flag of the window";
    }

    void eachAreaShowsItsOwnPointer()
    {
        QFETCH(QString, control);
        QFETCH(QPoint, at);
        QFETCH(QString, pointer);
        window::Pointers made;
        const QMap<QString, QCursor> pointers{
            {QStringLiteral("globe"), made[window::PointerPicture::Globe]},
            {QStringLiteral("flag of a label"), made[window::PointerPicture::CountryLabel]},
            {QStringLiteral("flag of the window"), made[window::PointerPicture::Window]},
            {QStringLiteral("hand"), made[window::PointerPicture::Hand]},
            {QStringLiteral("arrow"), QCursor(Qt::ArrowCursor)},
        };
        QWidget* widget = control == QLatin1String("Image1(2)") ? driver_->control("Image1", 2)
                                                                 : driver_->control(qPrintable(control));
        // Come from outside the window so that the pointer is set afresh.
        driver_->moveMouseTo(driver_->form().menuBar(), QPoint(790, 5));
        driver_->moveMouseTo(widget, at);
        QVERIFY(samePointer(driver_->form().windowHandle()->cursor(), pointers.value(pointer)));
    }

    void theOnePixelStripBetweenTwoRowsOfFlags()
    {
        QWidget* client = driver_->form().centralWidget();
        const QImage shown = client->grab().toImage();
        const QImage tile = window::picture(window::Picture::FlagTile);
        const int x = 623;  // between the map and the buttons
        QCOMPARE(QColor(shown.pixel(x, 359)).name(), client->palette().color(QPalette::Midlight).name());
        QCOMPARE(QColor(shown.pixel(x, 358)).name(), QColor(tile.pixel(x, 358 - 168)).name());
        QCOMPARE(QColor(shown.pixel(x, 360)).name(), QColor(tile.pixel(x, 0)).name());
        // The top tile covers the top fifteen rows of the middle one.
        QCOMPARE(QColor(shown.pixel(x, 182)).name(), QColor(tile.pixel(x, 182 + 8)).name());
        QCOMPARE(QColor(shown.pixel(x, 183)).name(), QColor(tile.pixel(x, 183 - 168)).name());
    }

    void theGreetingsShowOnlyWhileAChallengeIsOn()
    {
        BoxCloser closer;
        driver_->runtime().setRandom(randomFor(1));  // Romania
        QWidget* start = driver_->control("Command2");
        const QRect column = start->geometry();
        const QImage atStartUp = driver_->grab();
        saveScreenshot(atStartUp, "start-up");
        QCOMPARE(countPixels(driver_->form().centralWidget()->grab().toImage(), column, kGreen), 0);

        driver_->click(start);
        QCOMPARE(closer.texts(), std::vector<QString>{QStringLiteral("Click on Romania")});
        QVERIFY(!start->isVisible());
        QTest::qWait(50);
        saveScreenshot(driver_->grab(), "challenge");
        const QImage during = driver_->form().centralWidget()->grab().toImage();
        for (const char* greeting : {"Label74", "Label85", "Label86"})
            QVERIFY2(countPixels(during, driver_->control(greeting)->geometry(), kGreen) > 100, greeting);
        for (const char* never : {"Text1", "Command1", "Picture1"})
            QVERIFY(driver_->control(never)->visibleRegion().isEmpty());

        driver_->clickMapAt(5700, 5640);  // Romania
        QCOMPARE(closer.texts().back(), QStringLiteral("        EXACT"));
        QVERIFY(start->isVisible());
        QCOMPARE(countPixels(driver_->form().centralWidget()->grab().toImage(), column, kGreen), 0);
    }

    void longNamesReadWholeOnOneLine_data()
    {
        QTest::addColumn<int>("country");
        QTest::addColumn<QString>("name");
        QTest::newRow("United Kingdom") << 17 << "United Kingdom";
        QTest::newRow("Czech Republic") << 7 << "Czech Republic";
        QTest::newRow("Malta") << 25 << "Malta";
    }

    void longNamesReadWholeOnOneLine()
    {
        QFETCH(int, country);
        QFETCH(QString, name);
        BoxCloser closer;
        driver_->runtime().setRandom(randomFor(country));
        driver_->click(driver_->control("Command2"));
        auto* prompt = static_cast<QLabel*>(driver_->control("lblreg"));
        QCOMPARE(prompt->text(), name);
        const QFontMetrics metrics(prompt->font());
        QVERIFY(prompt->width() >= metrics.horizontalAdvance(name));
        QVERIFY(prompt->height() >= metrics.height());
        QCOMPARE(prompt->pos(), QPoint(128, 0));
        QVERIFY(!prompt->wordWrap());
    }

private:
    std::unique_ptr<WindowDriver> driver_;
};

QTEST_MAIN(LayoutTest)
#include "layout_test.moc"

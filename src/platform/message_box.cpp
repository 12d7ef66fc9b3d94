#include "platform/message_box.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QShowEvent>
#include <QSpacerItem>
#include <QStyle>
#include <QtMath>
#include <algorithm>

#include "platform/one_size.h"

namespace platform {

namespace {
// The window manager draws the title in a font of its own that the program
// cannot know: commonly bold and somewhat larger than the application's.
constexpr double kTitleFontGrowth = 1.25;
// Beside the title: the window icon and three buttons, whatever the box asks
// for (some managers draw a layout of their own). Many centre the title and
// keep as much room on the icon's side as on the buttons': three controls'
// room on either side, each a square of the title bar's height, about one
// and a half lines of the title font.
constexpr int kControlsBesideTitle = 6;
constexpr double kControlWidthPerLine = 1.5;

QFont likelyTitleFont()
{
    QFont font = QApplication::font();
    font.setBold(true);
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * kTitleFontGrowth);
    else
        font.setPixelSize(qCeil(font.pixelSize() * kTitleFontGrowth));
    return font;
}

// The OK button's icon, the one the style gave the first box's button, kept
// for the program's life. Each icon the style makes afresh is a new set of
// pixmaps, and the toolkit keeps what it paints of each in its pixmap cache:
// one more entry for every box. Asking the style once more for the first box
// would look the icon up in the desktop's theme again.
QIcon keptOkIcon(QAbstractButton* button)
{
    static const QIcon icon = button->icon();
    return icon;
}

// A box whose title bar shows its whole title: never narrower than the title
// needs beside the title bar's controls. Its text, icon and button stay as
// the toolkit lays them out; only the room beside them grows.
//
// The title's room is a row of the box's own layout, so the toolkit's sizing,
// which runs before the box is placed, gives the whole size at once: the box
// is centred at the size it shows, and a later layout pass comes to the same
// size and asks nothing more of the window manager.
class TitledBox : public QMessageBox {
public:
    TitledBox(Icon icon, const QString& title, const QString& text, QWidget* parent)
        : QMessageBox(icon, title, text, QMessageBox::Ok, parent)
    {
        // Texts are shown as written: leading spaces stay, nothing is read as markup.
        setTextFormat(Qt::PlainText);
        keepOneSize(*this);
        QAbstractButton* ok = button(QMessageBox::Ok);
        if (!ok->icon().isNull())
            ok->setIcon(keptOkIcon(ok));
        sayTextWithTheButton(ok, text);
        reserveRoomForTitle();
    }

protected:
    void showEvent(QShowEvent* event) override
    {
        QMessageBox::showEvent(event);
        if (!event->spontaneous())
            placeOverTheMiddle();
    }

private:
    // The toolkit places a dialog as if its move set the frame's corner, but a
    // window about to be mapped for the first time is placed by its inside:
    // the box would open a title bar's height above the window's middle. So
    // its inside is centred over its window's inside (over the screen's free
    // area for a box of no window), before it is mapped, and kept on the free
    // area with a frame like the window's.
    void placeOverTheMiddle()
    {
        const QWidget* over = parentWidget() != nullptr ? parentWidget()->window() : nullptr;
        const QRect area = (over != nullptr ? over->screen() : screen())->availableGeometry();
        const QRect inside = over != nullptr ? over->geometry() : area;
        QMargins frame;
        if (over != nullptr) {
            const QRect outside = over->frameGeometry();
            frame = QMargins(inside.left() - outside.left(), inside.top() - outside.top(),
                             outside.right() - inside.right(), outside.bottom() - inside.bottom());
        }
        const QRect room = area.marginsRemoved(frame);
        const int x = inside.left() + (inside.width() - width()) / 2;
        const int y = inside.top() + (inside.height() - height()) / 2;
        setGeometry(std::max(room.left(), std::min(x, room.right() + 1 - width())),
                    std::max(room.top(), std::min(y, room.bottom() + 1 - height())), width(),
                    height());
    }

    // A screen reader speaks a new box when its window becomes active, but a
    // box opened by a mouse click may already be active when the reader
    // handles that click: it then takes the box's window in silence and
    // speaks only the button that takes the focus. So the text is the OK
    // button's description, spoken with the button however the box opened;
    // the text's label is tied to the button, so that a reader that does
    // speak the box does not read it a second time as the box's loose text.
    void sayTextWithTheButton(QAbstractButton* ok, const QString& text)
    {
        ok->setAccessibleDescription(text);
        if (auto* label = findChild<QLabel*>(QStringLiteral("qt_msgbox_label")))
            label->setBuddy(ok);
    }

    void reserveRoomForTitle()
    {
        auto* grid = qobject_cast<QGridLayout*>(layout());
        if (grid == nullptr)
            return;
        const QMargins margins = grid->contentsMargins();
        const int room = titleBarWidth(windowTitle()) - margins.left() - margins.right();
        // An empty row: it takes no height and no spacing, only width.
        grid->addItem(new QSpacerItem(room, 0, QSizePolicy::Fixed, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
};

void runBox(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text)
{
    TitledBox box(icon, title, text, parent);
    box.setWindowModality(Qt::ApplicationModal);
    // A box keeps its one size and stays over the window: no maximise or minimise button.
    box.setWindowFlags(box.windowFlags() & ~(Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint));
    box.exec();
}
} // namespace

QString applicationTitle()
{
    return QStringLiteral("Europa Quiz");
}

int titleBarWidth(const QString& title)
{
    const QFontMetrics metrics(likelyTitleFont());
    const int control = qCeil(metrics.height() * kControlWidthPerLine);
    return metrics.horizontalAdvance(title) + kControlsBesideTitle * control;
}

void showMessageBox(QWidget* parent, const QString& text, game::BoxStyle style,
                    const std::optional<QString>& title)
{
    runBox(parent, style == game::BoxStyle::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon,
           title.value_or(applicationTitle()), text);
}

void showRunTimeErrorBox(const QString& text)
{
    runBox(nullptr, QMessageBox::Critical, applicationTitle(), text);
}

} // namespace platform

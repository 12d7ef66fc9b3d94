#include "window/graphical_button.h"

#include <QEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <qdrawutil.h>

#include "window/pictures.h"

namespace window {

namespace {
constexpr int kBevel = 2;
constexpr int kTextMargin = 3;
constexpr int kPictureGap = 2;
constexpr int kCaptionFlags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;
} // namespace

GraphicalButton::GraphicalButton(const QString& caption, const QColor& background,
                                 const QImage& picture, QWidget* parent)
    : QPushButton(caption, parent), picture_(picture)
{
    QPalette colours = palette();
    colours.setColor(QPalette::Button, background);
    setPalette(colours);
}

// Every pixel is painted by the button itself, so a repaint of the button
// (pressed, released, losing the focus to a box) need paint nothing that lies
// beneath it: the flag tile and the large greetings under the start button.
// Styles clear this when they polish a button, so it is set after them.
bool GraphicalButton::event(QEvent* event)
{
    const bool handled = QPushButton::event(event);
    if (event->type() == QEvent::Polish || event->type() == QEvent::StyleChange)
        setAttribute(Qt::WA_OpaquePaintEvent);
    return handled;
}

void GraphicalButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QRect frame = rect();
    painter.fillRect(frame, palette().color(QPalette::Button));

    if (isDefault() || hasFocus()) {
        painter.setPen(palette().color(QPalette::Shadow));
        painter.drawRect(frame.adjusted(0, 0, -1, -1));
        frame.adjust(1, 1, -1, -1);
    }

    const bool down = isDown();
    const QRect inside = frame.adjusted(kBevel, kBevel, -kBevel, -kBevel);
    painter.save();
    painter.setClipRect(inside);
    // A pressed button shows its contents one pixel down and to the right.
    if (down)
        painter.translate(1, 1);

    const QRect textArea = inside.adjusted(kTextMargin, 0, -kTextMargin, 0);
    const QRect textSize = painter.fontMetrics().boundingRect(textArea, kCaptionFlags, text());
    const QSize pictureSize = picture_.deviceIndependentSize().toSize();
    const int stacked = pictureSize.height() + kPictureGap + textSize.height();

    QRect pictureRect(QPoint(), pictureSize);
    QRect captionRect(textArea.left(), 0, textArea.width(), textSize.height());
    if (stacked <= inside.height()) {
        // Picture and caption are centred together, the picture on top.
        const int top = inside.top() + (inside.height() - stacked) / 2;
        pictureRect.moveTopLeft(
            QPoint(inside.left() + (inside.width() - pictureSize.width()) / 2, top));
        captionRect.moveTop(top + pictureSize.height() + kPictureGap);
    } else {
        // Too low for both: the picture fills the middle and the caption lies over it.
        pictureRect.moveCenter(inside.center());
        captionRect.moveTop(inside.top() + (inside.height() - textSize.height()) / 2);
    }
    paintPicture(painter, pictureRect.topLeft(), picture_);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                   QPalette::ButtonText));
    painter.drawText(captionRect, kCaptionFlags, text());

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = captionRect.adjusted(-1, 0, 1, 0) & inside;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
    painter.restore();

    qDrawWinButton(&painter, frame, palette(), down);
}

} // namespace window

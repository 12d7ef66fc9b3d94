#include "window/country_label_widget.h"

#include <QMouseEvent>

#include "window/twips.h"

namespace window {

CountryLabelWidget::CountryLabelWidget(const CountryLabel& entry, std::function<void()> onClick,
                                       Pointers& pointers, QWidget* parent)
    : QLabel(QString::fromLatin1(entry.caption.data(), qsizetype(entry.caption.size())), parent),
      entry_(entry), onClick_(std::move(onClick))
{
    setObjectName(QString::fromLatin1(entry.name.data(), qsizetype(entry.name.size())));
    if (entry.groupIndex >= 0)
        setProperty("index", entry.groupIndex);
    setGeometry(toPixels(entry.rect));
    // The caption of a label that takes part is empty; the others are never
    // seen, so nothing of a label ever shows over the map.
    setVisible(entry.shown != Shown::Hidden);
    if (entry.pointer)
        setCursor(pointers[*entry.pointer]);
}

// The labels over the map have no caption: there is nothing to paint, and
// seventy of them would otherwise each set up a painter for nothing.
void CountryLabelWidget::paintEvent(QPaintEvent* event)
{
    if (!text().isEmpty())
        QLabel::paintEvent(event);
}

void CountryLabelWidget::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    pressed_ = event->button() == Qt::LeftButton;
}

void CountryLabelWidget::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    const bool clicked = pressed_ && event->button() == Qt::LeftButton
                         && rect().contains(event->position().toPoint());
    pressed_ = false;
    if (clicked && onClick_)
        onClick_();
}

} // namespace window

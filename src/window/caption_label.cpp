#include "window/caption_label.h"

#include "platform/qt_text.h"
#include "window/fonts.h"

namespace window {

using platform::fromUtf8;

QLabel* makeCaptionLabel(const layout::LabelPlacement& placement, QWidget* parent)
{
    auto* label = new QLabel(fromUtf8(placement.caption), parent);
    label->setObjectName(fromUtf8(placement.name));
    label->setGeometry(toPixels(placement.rect));
    label->setFont(captionFont(placement.points));
    label->setAlignment(placement.alignment | Qt::AlignTop);
    label->setWordWrap(true);
    QPalette colours = label->palette();
    colours.setColor(QPalette::WindowText, QColor(placement.colour));
    label->setPalette(colours);
    return label;
}

} // namespace window

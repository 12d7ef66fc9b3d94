#include "window/caption_label.h"

#include "window/fonts.h"
#include "window/qt_text.h"

namespace window {

QLabel* makeCaptionLabel(const layout::LabelSpec& spec, QWidget* parent)
{
    auto* label = new QLabel(fromUtf8(spec.caption), parent);
    label->setObjectName(fromUtf8(spec.name));
    label->setGeometry(toPixels(spec.rect));
    label->setFont(captionFont(spec.points));
    label->setAlignment(spec.alignment | Qt::AlignTop);
    label->setWordWrap(true);
    QPalette colours = label->palette();
    colours.setColor(QPalette::WindowText, QColor(spec.colour));
    label->setPalette(colours);
    return label;
}

} // namespace window

#pragma once

#include <QLabel>

#include "window/form1_layout.h"

namespace window {

// A label of the window: transparent, no border, its caption in its own colour
// at the top of its rectangle, breaking at spaces when wider than the label.
QLabel* makeCaptionLabel(const layout::LabelPlacement& placement, QWidget* parent);

} // namespace window

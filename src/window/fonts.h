#pragma once

#include <QFont>

namespace window {

// The face of every caption at a size in points of the layout's
// 96-dot-per-inch screen: a metric twin of Arial built into the program, so the
// window looks the same whatever fonts the machine has.
QFont captionFont(double points, QFont::Weight weight = QFont::Normal);

} // namespace window

#pragma once

#include "picture.h"

#include <QImage>

// Brings a composed canvas down to the picture's depth. Palettes are chosen
// from the canvas itself and pixels take the nearest entry, never dithered,
// so the same canvas always gives the same image. Throws std::runtime_error
// when a fully opaque depth is asked of a canvas with transparent pixels.
QImage reduceToDepth(const QImage &canvas, Depth depth);

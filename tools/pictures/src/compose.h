#pragma once

#include "picture.h"

#include <QDir>
#include <QImage>

// Paints the layers of a picture, read from the drawings in sourceDir, onto a
// transparent canvas of the picture's size. Throws std::runtime_error when a
// drawing cannot be read.
QImage compose(const Picture &picture, const QDir &sourceDir);

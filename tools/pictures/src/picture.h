#pragma once

#include <QRectF>
#include <QSize>
#include <QString>

#include <vector>

// How many colours a picture may keep once drawn.
enum class Depth {
    TrueColourAlpha,   // 32 bits: colour and a smooth alpha channel
    TrueColourMasked,  // 24-bit colour, each pixel either opaque or transparent
    TrueColour,        // 24 bits, fully opaque
    Colours256,        // a palette of 256 entries, one of them transparent if needed
    Colours16,         // a palette of 16 entries, one of them transparent if needed
};

// One drawing placed on the picture's canvas, in output pixels.
struct Layer {
    QString source;  // file name under sources/
    QRectF where;
    bool waving = false;  // bent by the picture's wave, like cloth in the wind
};

// A flag fixed at its hoist and flapping towards its fly.
struct Wave {
    double hoistX = 0;     // where the cloth is held still
    double flyX = 0;       // the free end, where the swing is widest
    double amplitude = 0;  // vertical swing at the fly, in pixels
    double wavelength = 0;
    double shading = 0;    // how much darker or lighter the folds turn, 0 to 1
};

struct Picture {
    QString output;  // file name under assets/pictures/
    QSize size;
    Depth depth;
    std::vector<Layer> layers;  // painted in order, the last on top
    Wave wave;
};

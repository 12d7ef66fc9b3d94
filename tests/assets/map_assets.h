#pragma once

#include <QImage>
#include <QString>

// The committed map pictures, read from the source tree: these tests judge the
// files the window ships, not a fresh run of their generator.
inline QString mapAssetPath(const char* file)
{
    return QStringLiteral(MAP_ASSETS_DIR "/") + QString::fromUtf8(file);
}

inline QImage loadMapAsset(const char* file)
{
    return QImage(mapAssetPath(file));
}

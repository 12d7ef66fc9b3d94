#!/bin/sh
# Renders the theme's fixed sizes of the stand-in icon from its SVG.
# Needs the Debian package imagemagick.
set -eu
cd "$(dirname "$0")"
for size in 16 32 48; do
    # The SVG is drawn on 48 units at 96 dots per inch.
    convert -background none -density $((96 * size / 48)) europa-quiz.svg \
        -resize "${size}x${size}" -define png:exclude-chunk=date,time \
        "PNG32:europa-quiz-$size.png"
done

#!/bin/sh
# Regenerates assets/pictures from the drawings in tools/pictures/sources.
#   tools/pictures/make-pictures.sh          write the pictures
#   tools/pictures/make-pictures.sh --check  fail if the committed pictures
#                                            differ from what the sources give
# Needs cmake, ninja, a C++20 compiler, qt6-base-dev and qt6-svg-dev.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
assets="$repo/assets/pictures"
build="$repo/build-pictures"

cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build"

# Draws into $1: the PNGs, and the icon's drawing itself for the desktop's icon theme.
draw() {
    "$build/make-pictures" "$here/sources" "$1"
    cp "$here/sources/window-icon.svg" "$1/window-icon.svg"
}

case "${1:-}" in
--check)
    fresh=$(mktemp -d)
    trap 'rm -rf "$fresh"' EXIT
    draw "$fresh"
    status=0
    for made in "$fresh"/*; do
        if ! cmp -s "$made" "$assets/$(basename "$made")"; then
            echo "out of date: assets/pictures/$(basename "$made")" >&2
            status=1
        fi
    done
    exit $status
    ;;
"")
    mkdir -p "$assets"
    draw "$assets"
    ;;
*)
    echo "usage: $0 [--check]" >&2
    exit 2
    ;;
esac

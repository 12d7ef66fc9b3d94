#!/bin/bash
# Checks that an installed prefix holds what the desktop and the program rely
# on: the bin/ link to the real program, the sounds beside it, the menu entry's
# icon at every size the theme is given.
# Usage: check_layout.sh PREFIX SOUND-SOURCE-DIR APP-ID EXECUTABLE
set -uo pipefail
prefix=$1 sound_source=$2 app_id=$3 executable=$4

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

link=$prefix/bin/$executable
if [ ! -L "$link" ]; then
    fail "$link is not a symbolic link"
else
    case $(readlink "$link") in
        /*) fail "$link points to an absolute path, which breaks when the prefix moves" ;;
    esac
fi
program=$(readlink -f "$link")
if [ ! -f "$program" ] || [ ! -x "$program" ]; then
    fail "$link does not lead to an executable file"
elif [ "$(basename "$(dirname "$program")")" = bin ]; then
    fail "the program itself lies in bin/, where its sounds folder would clutter PATH"
fi

# The program looks for its sounds beside its real path, not beside the link.
sounds=$(dirname "$program")/Europa
[ -d "$sounds" ] || fail "no Europa folder beside $program"
for wav in "$sound_source"/*.wav; do
    [ -e "$wav" ] || continue
    name=$(basename "$wav")
    cmp -s "$wav" "$sounds/$name" || fail "sound not installed as built: $name"
done

desktop=$prefix/share/applications/$app_id.desktop
metainfo=$prefix/share/metainfo/$app_id.metainfo.xml
[ -f "$desktop" ] || fail "no menu entry $desktop"
[ -f "$metainfo" ] || fail "no metainfo $metainfo"

# The menu finds the icon by the entry's Icon= name in the hicolor theme.
icon=$(sed -n 's/^Icon=//p' "$desktop" 2>/dev/null)
themes=$prefix/share/icons/hicolor
for size in 16 32 48 64 128 256; do
    png=$themes/${size}x${size}/apps/$icon.png
    if [ ! -f "$png" ]; then
        fail "no ${size}x${size} icon named '$icon'"
        continue
    fi
    # Width and height are the two big-endian words after the PNG signature and IHDR header.
    read -r w1 w2 w3 w4 h1 h2 h3 h4 < <(od -An -tu1 -j16 -N8 "$png")
    width=$(( (w1 << 24) | (w2 << 16) | (w3 << 8) | w4 ))
    height=$(( (h1 << 24) | (h2 << 16) | (h3 << 8) | h4 ))
    if [ "$width" != "$size" ] || [ "$height" != "$size" ]; then
        fail "${size}x${size} icon is ${width}x${height}"
    fi
done
svg=$themes/scalable/apps/$icon.svg
if [ ! -f "$svg" ]; then
    fail "no scalable icon named '$icon'"
elif ! grep -q '<svg' "$svg"; then
    fail "scalable icon $svg is not an SVG picture"
elif [ "$(file --brief --mime-type "$svg")" != image/svg+xml ]; then
    # Software centres go by the content's type, not the name's ending.
    fail "scalable icon $svg reads as $(file --brief --mime-type "$svg"), not as an SVG image"
fi

# What the software centre shows besides what the validator insists on.
for element in '<summary>' '<description>' '<screenshot' '<content_rating'; do
    grep -q "$element" "$metainfo" 2>/dev/null || fail "metainfo has no $element"
done

[ "$failures" -eq 0 ] || exit 1
echo "layout of $prefix is complete"

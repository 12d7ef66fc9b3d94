#!/bin/bash
# Takes the players' screenshot of the built program's window on a virtual
# display. Needs the Debian packages xvfb, xdotool and imagemagick.
# Usage: take-screenshot.sh BUILT-PROGRAM OUTPUT-PNG
set -euo pipefail

if [ -z "${EUROPA_INSIDE_XVFB:-}" ]; then
    EUROPA_INSIDE_XVFB=1 exec xvfb-run -a -s '-screen 0 1280x1024x24' "$0" "$@"
fi
program=$1 output=$2

SDL_AUDIODRIVER=dummy "$program" > /dev/null 2>&1 &
pid=$!
trap 'kill "$pid" 2> /dev/null || true' EXIT
window=$(timeout 20 xdotool search --sync --onlyvisible --pid "$pid" | head -n 1)
# Let the first paint finish before the picture is taken.
sleep 1
import -window "$window" "$output"
echo "wrote $output"

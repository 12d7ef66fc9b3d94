#!/bin/sh
# Runs one scenario module against the built program on a Wayland desktop:
#   run-in-weston.sh PROGRAM MAP_FACTS_HELPER MODULE
# A headless Weston of its own (no screen, no seat, no GPU), with its own
# runtime folder, session bus and accessibility bus; nothing outlives it.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/realwindow-wayland.XXXXXX")
mkdir "$work/home"
mkdir -m 700 "$work/runtime"

export EUROPA_QUIZ="$1" EUROPA_MAP_FACTS="$2" EUROPA_WORK="$work"
export PYTHONPATH="$here" PYTHONDONTWRITEBYTECODE=1
export PYTHONWARNINGS="ignore::DeprecationWarning"
export XDG_RUNTIME_DIR="$work/runtime" HOME="$work/home"
export WAYLAND_DISPLAY=europa-quiz-test
unset DISPLAY DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS 2>/dev/null || true

weston --backend=headless-backend.so --socket="$WAYLAND_DISPLAY" --idle-time=0 \
    > "$work/weston.log" 2>&1 &
weston=$!
. "$here/await-server.sh"
await_server "$weston" Weston "$work/weston.log" test -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY"

status=0
"$here/with-accessibility-bus.sh" "$3" || status=$?

kill "$weston" 2>/dev/null || true
wait "$weston" 2>/dev/null || true
if [ "$status" -eq 0 ]; then
    rm -rf "$work"
else
    echo "kept for inspection (program output, audio, Weston's log): $work" >&2
fi
exit "$status"

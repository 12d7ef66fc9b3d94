#!/bin/sh
# Runs one scenario module against the built program on a Wayland desktop:
#   run-in-weston.sh PROGRAM MAP_FACTS_HELPER MODULE
# A headless Weston of its own (no screen, no seat, no GPU), with its own
# runtime folder, session bus and accessibility bus; nothing outlives it.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
. "$here/wayland-run.sh"

weston --backend=headless-backend.so --socket="$WAYLAND_DISPLAY" --idle-time=0 \
    > "$work/weston.log" 2>&1 &
weston=$!
. "$here/await-server.sh"
await_server "$weston" Weston "$work/weston.log" test -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY"

status=0
"$here/with-accessibility-bus.sh" "$3" || status=$?

stop_server "$weston"
end_strays "$work"
if [ "$status" -eq 0 ]; then
    rm -rf "$work"
else
    echo "kept for inspection (program output, audio, Weston's log): $work" >&2
fi
exit "$status"

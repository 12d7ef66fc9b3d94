#!/bin/sh
# Runs one real-window scenario module against the built program:
#   run-in-xvfb.sh PROGRAM MAP_FACTS_HELPER MODULE
# in an X server, session bus and accessibility bus of its own, so nothing of
# the desktop it was started from leaks in and nothing outlives it.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
. "$here/session.sh"
begin_run "$1" "$2"
mkdir "$work/fb"
export EUROPA_FBDIR="$work/fb"

# A scenario may ask for another screen (EUROPA_SCREEN, WIDTHxHEIGHTxDEPTH)
# and for a window manager (EUROPA_WM, see with-window-manager.sh). A window
# manager that cannot open the new display (one a server still going away
# had held) ends with kServerDidNotComeUp before the program starts: the run
# starts again on a new display, three times at most.
attempt=1
while :; do
    status=0
    xvfb-run -a -s "-screen 0 ${EUROPA_SCREEN:-1280x1024x24} -fbdir $work/fb" \
        "$here/with-window-manager.sh" "$here/with-accessibility-bus.sh" "$3" || status=$?
    end_strays "$work"
    [ "$status" -eq "$kServerDidNotComeUp" ] && [ "$attempt" -lt 3 ] || break
    attempt=$((attempt + 1))
    echo "starting again on another display (attempt $attempt)" >&2
done
end_run "$status" "screen"

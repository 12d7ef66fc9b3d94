#!/bin/sh
# Runs one scenario module against the built program on GNOME's compositor,
# headless (no screen, no seat, no GPU):
#   run-in-gnome.sh mutter|gnome-shell PROGRAM MAP_FACTS_HELPER MODULE
# - mutter: mutter alone as a Wayland compositor, without X11;
# - gnome-shell: the whole shell, as a GNOME session on Wayland offers it, with
#   its Xwayland, and in unsafe mode, so that a scenario can ask it what it
#   shows (org.gnome.Shell.Eval) and for a screenshot. The scenario finds the
#   shell's session bus in EUROPA_SHELL_BUS.
# The compositor gets a runtime folder, a session bus and, for the shell, a
# stand-in system bus of its own (there is no logind here); the scenario runs
# with a session and accessibility bus of its own. Nothing outlives the run.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
compositor=$1
shift
case "$compositor" in
    mutter|gnome-shell) ;;
    *) echo "run-in-gnome.sh: no such compositor: $compositor" >&2; exit 2 ;;
esac
. "$here/wayland-run.sh"
# Settings are read from their defaults, never from a desktop's database.
export GSETTINGS_BACKEND=memory

. "$here/await-server.sh"
servers=""
stop_servers() {
    for pid in $servers; do
        stop_server "$pid"
    done
    servers=""
}
# Also when a server does not come up and await_server ends the script.
trap stop_servers EXIT

# A bus of the session's kind at a socket of the scratch folder's.
start_bus() {
    dbus-daemon --session --nofork --address="unix:path=$1" >>"$work/buses.log" 2>&1 &
    servers="$! $servers"
    await_server "$!" "a bus" "$work/buses.log" test -S "$1"
}
start_bus "$XDG_RUNTIME_DIR/compositor-bus"
shell_bus="unix:path=$XDG_RUNTIME_DIR/compositor-bus"

if [ "$compositor" = mutter ]; then
    DBUS_SESSION_BUS_ADDRESS=$shell_bus mutter --headless --wayland --no-x11 \
        --virtual-monitor 1280x1024 --wayland-display "$WAYLAND_DISPLAY" \
        >"$work/compositor.log" 2>&1 &
    servers="$! $servers"
    await_server "$!" mutter "$work/compositor.log" test -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY"
else
    start_bus "$XDG_RUNTIME_DIR/system-bus"
    # What a GNOME session on Wayland says of itself: the shell takes GNOME's
    # own settings (dialogs attached to their window), the program its platform.
    export XDG_CURRENT_DESKTOP=GNOME XDG_SESSION_TYPE=wayland
    shell_says() {
        gdbus call --address "$shell_bus" --timeout 5 --dest org.gnome.Shell \
            --object-path /org/gnome/Shell --method org.gnome.Shell.Eval "$1" 2>/dev/null
    }
    # Started once it says so, within fifteen seconds (it takes two to five).
    # Nothing asks it anything before: a call while it starts makes it likelier
    # to hang there. It does hang now and then even so, about one start in ten
    # on a busy machine (where looked at: a child it had forked to run a helper
    # waited on a lock that another of the shell's threads held at the fork,
    # and the shell on the child). Such a start is ended and the shell started
    # again, four times at most.
    start_shell() {
        DBUS_SESSION_BUS_ADDRESS=$shell_bus DBUS_SYSTEM_BUS_ADDRESS="unix:path=$XDG_RUNTIME_DIR/system-bus" \
            gnome-shell --headless --wayland --virtual-monitor 1280x1024 \
            --wayland-display "$WAYLAND_DISPLAY" --unsafe-mode >"$work/compositor.log" 2>&1 &
        shell=$!
        tries=0
        until grep -q "GNOME Shell started" "$work/compositor.log"; do
            tries=$((tries + 1))
            if [ "$tries" -gt 300 ] || ! kill -0 "$shell" 2>/dev/null; then
                pkill -KILL -P "$shell" 2>/dev/null || true
                kill -KILL "$shell" 2>/dev/null || true
                wait "$shell" 2>/dev/null || true
                return 1
            fi
            sleep 0.05
        done
    }
    attempt=1
    until start_shell; do
        cp "$work/compositor.log" "$work/compositor-$attempt.log"
        attempt=$((attempt + 1))
        if [ "$attempt" -gt 4 ]; then
            echo "gnome-shell did not start in four attempts:" >&2
            cat "$work/compositor.log" >&2
            exit 1
        fi
    done
    servers="$shell $servers"
    # The overview a session opens with closes, as when a player's first
    # window opens.
    overview_closed() {
        shell_says 'if (Main.overview.visible) Main.overview.hide(); !Main.overview.visible' |
            grep -q "'true'"
    }
    await_server "$shell" gnome-shell "$work/compositor.log" overview_closed
    export EUROPA_SHELL_BUS="$shell_bus"
    # The X display the session offers through Xwayland, as the shell tells
    # its session (DISPLAY, XAUTHORITY), once the shell manages it. Without
    # Xwayland on the machine the session offers none.
    if command -v Xwayland >/dev/null; then
        DISPLAY=$(shell_says 'GLib.getenv("DISPLAY")' | sed -n "s/^(true, '\"\(.*\)\"')$/\1/p")
        XAUTHORITY=$(shell_says 'GLib.getenv("XAUTHORITY")' | sed -n "s/^(true, '\"\(.*\)\"')$/\1/p")
        export DISPLAY XAUTHORITY
        x_managed() {
            xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'
        }
        await_server "$shell" Xwayland "$work/compositor.log" x_managed
    fi
fi

status=0
"$here/with-accessibility-bus.sh" "$3" || status=$?

stop_servers
end_strays "$work"
if [ "$status" -eq 0 ]; then
    rm -rf "$work"
else
    echo "kept for inspection (program output, audio, the compositor's log): $work" >&2
fi
exit "$status"

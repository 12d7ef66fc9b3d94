#!/bin/sh
# Runs one scenario module against the built program on a Wayland compositor,
# headless (no screen, no seat, no GPU):
#   run-on-wayland.sh COMPOSITOR PROGRAM MAP_FACTS_HELPER MODULE
# - weston: Weston's headless backend;
# - mutter: GNOME's compositor alone, without X11;
# - gnome-shell: the whole shell, as a GNOME session on Wayland offers it, with
#   its Xwayland, and in unsafe mode, so that a scenario can ask it what it
#   shows (org.gnome.Shell.Eval) and for a screenshot;
# - kwin-wayland: KDE's compositor, drawing into memory, asked what it shows
#   through its scripting.
# The compositor gets a runtime folder, a session bus and, for the shell, a
# stand-in system bus of its own (there is no logind here); a scenario finds
# the compositor's bus in EUROPA_COMPOSITOR_BUS. The scenario runs with a
# session and accessibility bus of its own. Nothing outlives the run.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
compositor=$1
shift
. "$here/session.sh"
begin_run "$1" "$2"
export WAYLAND_DISPLAY=europa-quiz-test
socket="$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY"
log="$work/compositor.log"
start_bus "$XDG_RUNTIME_DIR/compositor-bus"
export EUROPA_COMPOSITOR_BUS="$bus"

case "$compositor" in
    weston)
        weston --backend=headless-backend.so --socket="$WAYLAND_DISPLAY" --idle-time=0 >"$log" 2>&1 &
        started Weston "$log" test -S "$socket"
        ;;
    mutter)
        # Settings are read from their defaults, never from a desktop's database.
        export GSETTINGS_BACKEND=memory
        DBUS_SESSION_BUS_ADDRESS=$EUROPA_COMPOSITOR_BUS mutter --headless --wayland --no-x11 \
            --virtual-monitor 1280x1024 --wayland-display "$WAYLAND_DISPLAY" >"$log" 2>&1 &
        started mutter "$log" test -S "$socket"
        ;;
    gnome-shell)
        export GSETTINGS_BACKEND=memory
        start_bus "$XDG_RUNTIME_DIR/system-bus"
        system_bus=$bus
        # What a GNOME session on Wayland says of itself: the shell takes GNOME's
        # own settings (dialogs attached to their window), the program its platform.
        export XDG_CURRENT_DESKTOP=GNOME XDG_SESSION_TYPE=wayland
        shell_says() {
            gdbus call --address "$EUROPA_COMPOSITOR_BUS" --timeout 5 --dest org.gnome.Shell \
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
            DBUS_SESSION_BUS_ADDRESS=$EUROPA_COMPOSITOR_BUS DBUS_SYSTEM_BUS_ADDRESS=$system_bus \
                gnome-shell --headless --wayland --virtual-monitor 1280x1024 \
                --wayland-display "$WAYLAND_DISPLAY" --unsafe-mode >"$log" 2>&1 &
            shell=$!
            wait_until "$shell" 300 grep -q "GNOME Shell started" "$log" && return
            pkill -KILL -P "$shell" 2>/dev/null || true
            kill -KILL "$shell" 2>/dev/null || true
            wait "$shell" 2>/dev/null || true
            return 1
        }
        attempt=1
        until start_shell; do
            cp "$log" "$work/compositor-$attempt.log"
            attempt=$((attempt + 1))
            if [ "$attempt" -gt 4 ]; then
                echo "gnome-shell did not start in four attempts:" >&2
                cat "$log" >&2
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
        await_server "$shell" gnome-shell "$log" overview_closed
        # The X display the session offers through Xwayland, as the shell tells
        # its session (DISPLAY, XAUTHORITY), once the shell manages it. Without
        # Xwayland on the machine the session offers none.
        if command -v Xwayland >/dev/null; then
            DISPLAY=$(shell_says 'GLib.getenv("DISPLAY")' | sed -n "s/^(true, '\"\(.*\)\"')$/\1/p")
            XAUTHORITY=$(shell_says 'GLib.getenv("XAUTHORITY")' | sed -n "s/^(true, '\"\(.*\)\"')$/\1/p")
            export DISPLAY XAUTHORITY
            await_server "$shell" Xwayland "$log" x_managed
        fi
        ;;
    kwin-wayland)
        # What a Plasma session on Wayland says of itself; the program chooses
        # its platform from it.
        export XDG_CURRENT_DESKTOP=KDE XDG_SESSION_TYPE=wayland
        # Debian's binary carries a file capability, which a container may not
        # grant: the kernel then refuses to start it. A plain copy starts.
        cp "$(command -v kwin_wayland)" "$work/kwin_wayland"
        # Drawn into memory by its own software renderer.
        DBUS_SESSION_BUS_ADDRESS=$EUROPA_COMPOSITOR_BUS KWIN_COMPOSE=Q \
            "$work/kwin_wayland" --virtual --width 1280 --height 1024 --socket "$WAYLAND_DISPLAY" \
            --no-lockscreen --no-global-shortcuts --no-kactivities >"$log" 2>&1 &
        # Up once its scripting answers.
        scripting_answers() {
            gdbus introspect --address "$EUROPA_COMPOSITOR_BUS" --dest org.kde.KWin \
                --object-path /Scripting >/dev/null 2>&1
        }
        started kwin_wayland "$log" scripting_answers
        ;;
    *) echo "run-on-wayland.sh: no such compositor: $compositor" >&2; exit 2 ;;
esac

start_bus "$XDG_RUNTIME_DIR/scenario-bus"
status=0
DBUS_SESSION_BUS_ADDRESS=$bus "$here/with-accessibility-bus.sh" "$3" || status=$?
end_run "$status" "the compositor's log"

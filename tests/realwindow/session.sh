# Sourced, with `here` set to this folder, by every script of a real-window
# run: how a run begins and ends, and how it starts, waits for and stops the
# servers it needs (display servers, window managers, buses).

# The status of a run whose server did not come up, so that a run can tell a
# server that did not start from a scenario that failed.
kServerDidNotComeUp=75

#   begin_run PROGRAM MAP_FACTS_HELPER
# makes the run's scratch folder `work`, with its runtime folder and home, and
# sets what the scenarios read, with nothing of the desktop it was started
# from. The servers a run starts are stopped however it ends.
begin_run() {
    work=$(mktemp -d "${TMPDIR:-/tmp}/realwindow.XXXXXX")
    mkdir "$work/home"
    mkdir -m 700 "$work/runtime"
    export EUROPA_QUIZ="$1" EUROPA_MAP_FACTS="$2" EUROPA_WORK="$work"
    export PYTHONPATH="$here" PYTHONDONTWRITEBYTECODE=1
    # The AT-SPI bindings warn about their own deprecated calls on every lookup.
    export PYTHONWARNINGS="ignore::DeprecationWarning"
    export XDG_RUNTIME_DIR="$work/runtime" HOME="$work/home"
    unset DISPLAY XAUTHORITY WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS 2>/dev/null || true
    trap stop_servers EXIT
}

#   end_run STATUS WHAT_IS_KEPT
# stops the servers, ends whatever the run left behind, and ends the script
# with STATUS; the scratch folder goes, but for a failed run, which keeps it
# (program output, audio and WHAT_IS_KEPT) and names it on stderr.
end_run() {
    stop_servers
    end_strays "$work"
    if [ "$1" -eq 0 ]; then
        rm -rf "$work"
    else
        echo "kept for inspection (program output, audio, $2): $work" >&2
    fi
    exit "$1"
}

#   wait_until PID TRIES CHECK [ARGUMENT...]
# succeeds once CHECK does, trying every 50 ms; fails after TRIES tries, or
# once the process PID has ended.
wait_until() {
    local pid="$1" most="$2" tries=0
    shift 2
    until "$@"; do
        tries=$((tries + 1))
        if [ "$tries" -gt "$most" ] || ! kill -0 "$pid" 2>/dev/null; then
            return 1
        fi
        sleep 0.05
    done
}

#   await_server PID NAME LOG CHECK [ARGUMENT...]
# waits, for ten seconds at most, until CHECK succeeds; if it never does, or
# the server ends first, says so with the server's log, stops it and ends the
# script with kServerDidNotComeUp.
await_server() {
    local server="$1" name="$2" log="$3"
    shift 3
    if ! wait_until "$server" 200 "$@"; then
        echo "$name did not come up:" >&2
        cat "$log" >&2
        kill "$server" 2>/dev/null || true
        exit "$kServerDidNotComeUp"
    fi
}

# The servers this script started, the last first.
servers=""

#   started NAME LOG CHECK [ARGUMENT...]
# counts the command just started in the background as one of the script's
# servers and waits until CHECK says it is up (await_server).
started() {
    servers="$! $servers"
    await_server "$!" "$@"
}

#   stop_server PID
# asks the server to end and waits for it, five seconds at most; then ends it
# outright. A window manager can hang on its way out, and the run with it.
stop_server() {
    local watchdog
    kill "$1" 2>/dev/null || true
    (sleep 5; kill -KILL "$1" 2>/dev/null) >/dev/null 2>&1 &
    watchdog=$!
    wait "$1" 2>/dev/null || true
    kill "$watchdog" 2>/dev/null || true
}

stop_servers() {
    local pid
    for pid in $servers; do
        stop_server "$pid"
    done
    servers=""
}

#   end_strays WORK
# ends every process still running with WORK as its EUROPA_WORK, the run's
# scratch folder: whatever the run started and left behind, such as a service
# a bus started on demand. One left running would hold the test runner's
# output open, and the run would never be seen to end.
end_strays() {
    local process
    for process in /proc/[0-9]*; do
        [ "${process#/proc/}" = "$$" ] && continue
        if { tr '\0' '\n' <"$process/environ"; } 2>/dev/null | grep -qxF "EUROPA_WORK=$1"; then
            kill -KILL "${process#/proc/}" 2>/dev/null || true
        fi
    done
}

#   start_bus SOCKET
# starts a bus of the session's kind at SOCKET; `bus` is its address.
start_bus() {
    bus="unix:path=$1"
    dbus-daemon --session --nofork --address="$bus" >>"$EUROPA_WORK/buses.log" 2>&1 &
    started "a bus" "$EUROPA_WORK/buses.log" test -S "$1"
}

#   x_managed
# succeeds once a window manager manages the current X display: it names
# itself on the root window.
x_managed() {
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'
}

# Sourced by the scripts that start a server for a real-window run (a
# compositor, a window manager) and by the scripts that run one:
#   await_server PID NAME LOG CHECK [ARGUMENT...]
# waits, for ten seconds at most, until CHECK succeeds; if it never does, or
# the server ends first, says so with the server's log, stops it and ends the
# script with kServerDidNotComeUp, so that a run can tell a server that did
# not start from a scenario that failed.
kServerDidNotComeUp=75
await_server() {
    pid=$1 name=$2 log=$3
    shift 3
    tries=0
    until "$@"; do
        tries=$((tries + 1))
        if [ "$tries" -gt 200 ] || ! kill -0 "$pid" 2>/dev/null; then
            echo "$name did not come up:" >&2
            cat "$log" >&2
            kill "$pid" 2>/dev/null || true
            exit "$kServerDidNotComeUp"
        fi
        sleep 0.05
    done
}

#   stop_server PID
# asks the server to end and waits for it, five seconds at most; then ends it
# outright. A window manager can hang on its way out, and the run with it.
stop_server() {
    kill "$1" 2>/dev/null || true
    (sleep 5; kill -KILL "$1" 2>/dev/null) >/dev/null 2>&1 &
    watchdog=$!
    wait "$1" 2>/dev/null || true
    kill "$watchdog" 2>/dev/null || true
}

#   end_strays WORK
# ends every process still running with WORK as its EUROPA_WORK, the run's
# scratch folder: whatever the run started and left behind, such as a service
# a bus started on demand. One left running would hold the test runner's
# output open, and the run would never be seen to end.
end_strays() {
    for process in /proc/[0-9]*; do
        [ "${process#/proc/}" = "$$" ] && continue
        if { tr '\0' '\n' <"$process/environ"; } 2>/dev/null | grep -qxF "EUROPA_WORK=$1"; then
            kill -KILL "${process#/proc/}" 2>/dev/null || true
        fi
    done
}

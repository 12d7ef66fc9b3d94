# Sourced by the scripts that start a server for a real-window run (a
# compositor, a window manager):
#   await_server PID NAME LOG CHECK [ARGUMENT...]
# waits, for ten seconds at most, until CHECK succeeds; if it never does, or
# the server ends first, says so with the server's log, stops it and ends the
# script with status 1.
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
            exit 1
        fi
        sleep 0.05
    done
}

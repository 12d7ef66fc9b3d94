#!/bin/sh
# Runs one scenario module inside a session bus and an accessibility bus of
# its own, with Debian's own interpreter (the one first on PATH may lack the
# AT-SPI bindings):
#   with-accessibility-bus.sh MODULE
# A session bus already started for the run (a window manager's) is shared.
session=
[ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] || session="dbus-run-session --"
exec $session sh -c '
    /usr/libexec/at-spi-bus-launcher --launch-immediately &
    launcher=$!
    status=0
    /usr/bin/python3 -m unittest -v "$1" || status=$?
    kill "$launcher" 2>/dev/null
    wait "$launcher" 2>/dev/null
    exit $status' sh "$1"

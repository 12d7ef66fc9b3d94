#!/bin/sh
# Runs one scenario module with an accessibility bus of its own, on the
# session bus the run started, with Debian's own interpreter (the one first on
# PATH may lack the AT-SPI bindings):
#   with-accessibility-bus.sh MODULE
/usr/libexec/at-spi-bus-launcher --launch-immediately &
launcher=$!
status=0
/usr/bin/python3 -m unittest -v "$1" || status=$?
kill "$launcher" 2>/dev/null
wait "$launcher" 2>/dev/null
exit $status

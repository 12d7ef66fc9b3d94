#!/bin/sh
# Builds the quiz and the benchmark programs, then measures the quiz against
# the toolkit's floor under Xvfb and prints a Markdown report.
#   bench/run-bench.sh [--runs N] [--warmup N] [--settle S] [--idle-window S]
#                      [--only window|idle|sound|scaled|boxes]
# Takes about two and a half minutes with the defaults. Not part of the test
# command. Needs the test packages (Xvfb, the AT-SPI bindings the driver imports).
set -eu

here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(dirname "$here")
build=${EUROPA_BENCH_BUILD:-$source_dir/build-bench}

cmake -S "$source_dir" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DEUROPA_BUILD_TESTS=OFF -DEUROPA_BUILD_BENCH=ON --log-level=WARNING >/dev/null
work=$(mktemp -d "${TMPDIR:-/tmp}/europa-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
if ! cmake --build "$build" --target europa-quiz europa-floor europa-sound-latency \
        europa-slow-device europa-map-facts europa-box-memory >"$work/build.log" 2>&1; then
    cat "$work/build.log" >&2
    exit 1
fi

# The figures at 1x, then the window figures at twice the size and at one and
# a half times (drawn from the pictures at twice the size) on a screen large
# enough for the doubled window, then what a message box leaves behind; --only
# picks one group, `scaled` the second alone, `boxes` the last.
only=""
previous=""
for arg in "$@"; do
    [ "$previous" = "--only" ] && only=$arg
    previous=$arg
done
# Each X server writes its screen into a folder of its own: a server that is
# ending can still remove its screen file after the next one has made it.
measure() {
    screen=$1
    shift
    fb=$(mktemp -d "$work/screen.XXXXXX")
    PYTHONPATH="$here:$source_dir/tests/realwindow" PYTHONDONTWRITEBYTECODE=1 \
    xvfb-run -a -s "-screen 0 $screen -fbdir $fb" \
        /usr/bin/python3 "$here/bench.py" \
            --quiz "$build/src/europa-quiz" \
            --floor "$build/bench/europa-floor" \
            --facts "$build/tools/map-facts/europa-map-facts" \
            --slow-device "$build/bench/libeuropa-slow-device.so" \
            --sound-latency "$build/bench/europa-sound-latency" \
            --fbdir "$fb" "$@"
}
if [ "$only" != scaled ] && [ "$only" != boxes ]; then
    measure 1280x1024x24 "$@"
fi
if [ -z "$only" ] || [ "$only" = scaled ]; then
    for scale in 2 1.5; do
        echo
        measure 1920x1200x24 "$@" --scale $scale
    done
fi
if [ -z "$only" ] || [ "$only" = boxes ]; then
    echo
    xvfb-run -a -s "-screen 0 1280x1024x24" "$build/bench/europa-box-memory" 2>/dev/null
fi

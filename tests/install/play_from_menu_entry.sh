#!/bin/bash
# Starts the installed program with its menu entry's command, from a folder of
# its own, on a virtual display, and listens through SDL's disk audio driver
# for the anthem that greets the player; then asks the program to end as a
# desktop session does, with SIGTERM.
# Usage: play_from_menu_entry.sh PREFIX APP-ID FALLBACK-ANTHEM-WAV
set -euo pipefail

if [ -z "${EUROPA_INSIDE_XVFB:-}" ]; then
    command -v xvfb-run > /dev/null || { echo "FAIL: xvfb-run not found (Debian package xvfb)"; exit 1; }
    # A session bus of its own too, as a desktop session has: without one the
    # libraries go looking for a bus through the display, and with the
    # sanitizers that search can hang the sound start-up.
    EUROPA_INSIDE_XVFB=1 exec xvfb-run -a dbus-run-session -- "$0" "$@"
fi

prefix=$1 app_id=$2 fallback_anthem=$3

# Samples the anthem must have reached the device: a twentieth of a second.
min_sound_bytes=4410
wait_for_sound_s=20
wait_for_end_s=5

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/cwd" "$work/runtime"
chmod 700 "$work/runtime"

desktop=$prefix/share/applications/$app_id.desktop
command_line=$(sed -n 's/^Exec=//p' "$desktop" | head -n 1)
# Field codes stand for files and URLs handed over by the launcher; there are none here.
command_line=$(printf '%s' "$command_line" | sed 's/ *%[fFuUick]//g')
[ -n "$command_line" ] || { echo "FAIL: no Exec= line in $desktop"; exit 1; }

program=$(PATH="$prefix/bin:$PATH" command -v "${command_line%% *}") \
    || { echo "FAIL: '$command_line' is not found in $prefix/bin"; exit 1; }
sounds=$(dirname "$(readlink -f "$program")")/Europa
if ! compgen -G "$sounds/*.wav" > /dev/null; then
    # The recorded sounds are not in this tree yet: what is tested here is
    # that the installed program finds them, so a test tone stands in.
    echo "note: no sounds installed yet, the anthem is a test tone"
    cp "$fallback_anthem" "$sounds/inno.wav"
fi

audio=$work/audio.raw
(
    cd "$work/cwd"
    export PATH="$prefix/bin:$PATH" XDG_RUNTIME_DIR="$work/runtime"
    export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$audio"
    exec sh -c "exec $command_line"
) > "$work/program.log" 2>&1 &
pid=$!

sound_bytes() { [ -f "$audio" ] && tr -d '\000' < "$audio" | wc -c || echo 0; }
fail_with_log() {
    echo "FAIL: $*"
    sed 's/^/  program: /' "$work/program.log"
    kill -KILL "$pid" 2> /dev/null || true
    exit 1
}

deadline=$((SECONDS + wait_for_sound_s))
while [ "$(sound_bytes)" -lt "$min_sound_bytes" ]; do
    kill -0 "$pid" 2> /dev/null || { wait "$pid" && status=0 || status=$?; fail_with_log "the program ended early with status $status"; }
    [ "$SECONDS" -lt "$deadline" ] || fail_with_log "no anthem within ${wait_for_sound_s}s: $(sound_bytes) non-zero bytes"
    sleep 0.2
done
echo "anthem heard: $(sound_bytes) non-zero bytes of samples"

kill -TERM "$pid"
deadline=$((SECONDS + wait_for_end_s))
while kill -0 "$pid" 2> /dev/null; do
    [ "$SECONDS" -lt "$deadline" ] || fail_with_log "still running ${wait_for_end_s}s after SIGTERM"
    sleep 0.1
done

if [ -n "$(ls -A "$work/cwd")" ]; then
    echo "FAIL: the program wrote into the folder it was started from:"
    ls -A "$work/cwd"
    exit 1
fi
echo "the menu entry's command started the installed program, which found its sounds"

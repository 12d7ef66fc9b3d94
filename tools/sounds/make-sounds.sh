#!/usr/bin/env bash
# Writes the "Europa" sound folder: every country name of the game spoken in
# Italian, the anthem played at start-up and the success chime.
#
#   tools/sounds/make-sounds.sh [OUTPUT_DIR]     (default: assets/sounds/Europa)
#
# The same espeak-ng and sox give the same bytes on every run: nothing here is
# random and sox never dithers, so a rerun shows up in git only when an input
# changed.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
out=${1:-$root/assets/sounds/Europa}
table=$root/src/game/country_table.h

readonly rate=22050
readonly peak_db=-1
# espeak-ng speaks at 175 words a minute by default, which swallows the
# longer names; the quiz asks for them one at a time, so there is no hurry.
readonly words_per_minute=140

die() { echo "make-sounds: $*" >&2; exit 1; }

for tool in espeak-ng sox awk; do
    command -v "$tool" >/dev/null || die "$tool is not installed"
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"

# -D: no dither, which would add noise (random from run to run) to every
# quantised sample and lift the silent edges off zero; -R: a fixed seed for
# anything else sox might randomise.
sx() { sox -D -R "$@"; }

# Frequency in Hz of a note in scientific pitch notation (A4 = 440 Hz,
# equal temperament), e.g. "F#5".
hz() {
    awk -v note="$1" 'BEGIN {
        split("C C# D D# E F F# G G# A A# B", names, " ")
        name = substr(note, 1, length(note) - 1)
        octave = substr(note, length(note))
        for (i = 1; i <= 12; i++) if (names[i] == name) semis = i - 10
        printf "%.4f", 440 * 2 ^ (octave - 4 + semis / 12)
    }'
}

# Multiplies two decimal numbers, for harmonics and note lengths.
times() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.4f", a * b }'; }

# Speech from espeak-ng, cut to the sound itself, with short fades so that
# playback neither starts nor stops on a click. espeak pads with digital
# zero, so a 0.1 % threshold removes the padding and keeps even the quiet
# "sv" of Svezia whole.
# usage: speak TEXT OUT.wav [extra espeak-ng options...]
speak() {
    local text=$1 file=$2
    shift 2
    espeak-ng -v it -s "$words_per_minute" "$@" -w "$work/speech.wav" "$text"
    # sox cannot fade out at "the end" once silence has changed the length,
    # so the fade-out is done as a fade-in of the reversed sound.
    sx "$work/speech.wav" -b 16 "$file" \
        silence 1 0.005 0.1% reverse silence 1 0.005 0.1% \
        fade h 0.04 reverse fade h 0.02 \
        gain -n "$peak_db"
}

# One soft tone: a sine with two weaker overtones, a gentle attack and a
# decay that has died away by the end of the note, so that repeated notes
# are heard as two.
# usage: tone NOTE SECONDS OUT.wav
tone() {
    local f seconds=$2
    f=$(hz "$1")
    sx -r "$rate" -c 3 -n -e floating-point -b 32 "$3" \
        synth "$seconds" sine "$f" sine "$(times "$f" 2)" sine "$(times "$f" 3)" \
        remix 1v0.70,2v0.20,3v0.06 \
        fade h 0.02 fade t 0 -0 "$(times "$seconds" 0.95)"
}

# The Ode to Joy theme in D major, pairs of note and length in eighths.
readonly anthem_score=(
    F#5 2 F#5 2 G5 2 A5 2   A5 2 G5 2 F#5 2 E5 2   D5 2 D5 2 E5 2 F#5 2   F#5 3 E5 1 E5 4
    F#5 2 F#5 2 G5 2 A5 2   A5 2 G5 2 F#5 2 E5 2   D5 2 D5 2 E5 2 F#5 2   E5 3 D5 1 D5 4
    E5 2 E5 2 F#5 2 D5 2    E5 2 F#5 1 G5 1 F#5 2 D5 2   E5 2 F#5 1 G5 1 F#5 2 E5 2   D5 2 E5 2 A4 4
    F#5 2 F#5 2 G5 2 A5 2   A5 2 G5 2 F#5 2 E5 2   D5 2 D5 2 E5 2 F#5 2   E5 3 D5 1 D5 4
)
# 160 quarter notes a minute: 16 bars in 24 seconds.
readonly eighth_seconds=0.1875

anthem() {
    local i n=0 notes=()
    for ((i = 0; i < ${#anthem_score[@]}; i += 2)); do
        notes+=("$work/note$(printf %03d $n).wav")
        tone "${anthem_score[i]}" "$(times "${anthem_score[i + 1]}" "$eighth_seconds")" "${notes[-1]}"
        n=$((n + 1))
    done
    # A small room joins the notes; the padding leaves it time to ring out.
    sx "${notes[@]}" -b 16 "$1" \
        gain -8 pad 0 1.0 reverb 30 50 40 channels 1 \
        reverse silence 1 0.005 0.05% fade h 0.05 reverse \
        gain -n "$peak_db"
}

# Three rising bell notes of a major chord, a little quieter than the word
# that follows them: "Esatto!".
success() {
    local i f notes=(D6 F#6 A6) bells=()
    for i in 0 1 2; do
        f=$(hz "${notes[i]}")
        bells+=(-v 1 "$work/bell$i.wav")
        # 2.76 is the first overtone of a struck bar, which makes a sine a bell.
        sx -r "$rate" -c 2 -n -e floating-point -b 32 "$work/bell$i.wav" \
            synth 0.6 sine "$f" sine "$(times "$f" 2.76)" \
            remix 1v0.5,2v0.08 fade h 0.008 fade l 0 -0 0.59 \
            pad "$(times "$i" 0.09)" 0
    done
    sx -m "${bells[@]}" -b 16 "$work/chime.wav" pad 0.01 0 gain -n "$((peak_db - 4))"
    # A touch higher than the country names: this one is good news.
    speak "Esatto!" "$work/word.wav" -p 60
    # The word comes in while the last bell is still dying away.
    sx "$work/word.wav" "$work/word-late.wav" pad 0.45 0
    sx -m -v 1 "$work/chime.wav" -v 1 "$work/word-late.wav" -b 16 "$1" gain -n "$peak_db"
}

# The file names come from the game's own country table, so a sound can
# never be named differently from the path the game plays; each file speaks
# its own name. A table row this pattern misses must stop the run rather
# than leave a country silent.
mapfile -t countries < <(sed -n 's/^ *{[0-9]*, .*"Europa\\\\\([^"]*\)\.wav".*/\1/p' "$table")
rows=$(grep -c '^ *{[0-9]*, ' "$table" || true)
((${#countries[@]} > 0 && ${#countries[@]} == rows)) ||
    die "read ${#countries[@]} sound names from the $rows rows of $table"

# The two sounds that belong to no country, named by their own constants.
fixed_sound() {
    sed -n 's/.* '"$1"' = "Europa\\\\\([^"]*\)";$/\1/p' "$table" | grep .
}
anthem_file=$(fixed_sound kAnthemSound) || die "no kAnthemSound in $table"
success_file=$(fixed_sound kSuccessSound) || die "no kSuccessSound in $table"

for name in "${countries[@]}"; do
    speak "$name" "$out/$name.wav"
done
anthem "$out/$anthem_file"
success "$out/$success_file"
echo "make-sounds: wrote $((${#countries[@]} + 2)) files to $out"

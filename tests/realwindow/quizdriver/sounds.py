"""Stand-in sound files that can be told apart in the program's audio output.

Every stand-in is a flat run of one sample value, different for each file, in
exactly the format the program opens its device with (16-bit mono, 44100 Hz),
so nothing is resampled on the way. SDL's disk driver writes what the device
plays into a raw file; a run of one of those values there is that file being
played, and silence is zero.
"""

import array
import os
import struct
import sys
from dataclasses import dataclass

RATE = 44100
BYTES_PER_SAMPLE = 2

# Long enough to be still playing when the window first shows, short enough
# to have ended before a scenario listens for the sounds that follow it.
_ANTHEM_SECONDS = 2.0
_OTHER_SECONDS = 0.25


def _wav_bytes(value, seconds):
    frames = int(RATE * seconds)
    data = array.array("h", [value]) * frames
    if sys.byteorder != "little":
        data.byteswap()
    payload = data.tobytes()
    fmt = struct.pack("<HHIIHH", 1, 1, RATE, RATE * BYTES_PER_SAMPLE, BYTES_PER_SAMPLE, 16)
    return (b"RIFF" + struct.pack("<I", 4 + 8 + len(fmt) + 8 + len(payload)) + b"WAVE"
            + b"fmt " + struct.pack("<I", len(fmt)) + fmt
            + b"data" + struct.pack("<I", len(payload)) + payload)


def relative_to_folder(table_path):
    """The tables spell sound paths with backslashes, relative to the program."""
    return table_path.replace("\\", "/")


@dataclass
class Played:
    sound: str       # the table's path, e.g. "Europa\\Esatto.wav"
    start: int       # first sample of the run in the output
    length: int      # samples
    ongoing: bool    # the run reaches the end of the output so far


class SoundFixture:
    """One stand-in file for each sound the tables name."""

    def __init__(self, facts):
        paths = [facts.anthem, facts.success] + [c["sound"] for c in facts.countries]
        self._value_of = {path: 1000 * (i + 1) for i, path in enumerate(paths)}
        self._path_of = {value: path for path, value in self._value_of.items()}
        self._anthem = facts.anthem

    def install(self, program_folder):
        for path, value in self._value_of.items():
            target = os.path.join(program_folder, relative_to_folder(path))
            os.makedirs(os.path.dirname(target), exist_ok=True)
            seconds = _ANTHEM_SECONDS if path == self._anthem else _OTHER_SECONDS
            with open(target, "wb") as f:
                f.write(_wav_bytes(value, seconds))

    def played(self, output_path):
        """The sounds found in a disk-driver output file, in the order heard."""
        try:
            with open(output_path, "rb") as f:
                raw = f.read()
        except FileNotFoundError:
            return []
        samples = array.array("h")
        samples.frombytes(raw[:len(raw) - len(raw) % BYTES_PER_SAMPLE])
        if sys.byteorder != "little":
            samples.byteswap()
        runs = []
        current, start = 0, 0
        for i, value in enumerate(samples):
            if value != current:
                if current != 0:
                    runs.append(Played(self._path_of.get(current, "unknown %d" % current),
                                       start, i - start, False))
                current, start = value, i
        if current != 0:
            runs.append(Played(self._path_of.get(current, "unknown %d" % current),
                               start, len(samples) - start, True))
        return runs

"""Orca, Debian's screen reader, listening to the run: what it would speak.

Orca runs as any screen reader does, a client of the run's accessibility bus,
with preferences of its own in the scratch folder, and speaks through the
speech service it starts, Speech Dispatcher. With no sound device, the service
speaks through its dummy voice into libao's null device. Every utterance Orca
hands the service is written to Orca's debug log as a line
"SPEECH OUTPUT: '...'": the log is what a player who listens would have heard.
"""

import os
import re
import subprocess
import time

from .ui import UiError

# Orca's own start, with two changes made from outside: its debug log is
# written a line at a time, so that it can be read while Orca runs, and it
# starts beside another user's Orca (another test run on the same machine),
# which it would otherwise refuse.
_LAUNCH = """
import importlib.machinery, sys
launcher = importlib.machinery.SourceFileLoader("orca_launcher", "/usr/bin/orca").load_module()
from orca import debug
debug.debugLevel = debug.LEVEL_ALL
debug.eventDebugLevel = debug.LEVEL_OFF
debug.debugFile = open(sys.argv[1], "w", buffering=1)
launcher.otherOrcas = lambda: []
sys.argv = ["orca", "--user-prefs", sys.argv[2]]
sys.exit(launcher.main())
"""

# The utterance, then any voice it is spoken in: "SPEECH OUTPUT: 'EXIT'{...}".
# The names of keys Orca echoes are written with a space before the voice
# ("'tab ' {...}") and left out: they are the player's own keys.
# The speech service's settings in the run's home folder: the dummy voice, its
# sound through libao, and libao's null device. Without them the service finds
# no sound device, refuses to start, and Orca goes on without speech.
_SPEECH_SETTINGS = {
    ".config/speech-dispatcher/speechd.conf": 'AudioOutputMethod "libao"\nDefaultModule dummy\n',
    ".libao": "default_driver=null\n",
}

_SPOKEN = re.compile(r"SPEECH OUTPUT: '(.*)'(?: voice=\S+)?\{.*\}$")
# Orca says this once it listens to the bus.
READY = "Screen reader on."


class Orca:
    """One Orca for a scenario, started before the program and stopped after it."""

    def __init__(self, folder):
        os.makedirs(folder, exist_ok=True)
        self.log_path = os.path.join(folder, "orca-debug.txt")
        prefs = os.path.join(folder, "orca-prefs")
        os.makedirs(prefs, exist_ok=True)
        for path, content in _SPEECH_SETTINGS.items():
            path = os.path.join(os.environ["HOME"], path)
            os.makedirs(os.path.dirname(path), exist_ok=True)
            with open(path, "w") as settings:
                settings.write(content)
        environment = dict(os.environ)
        # Orca's settings and the toolkit's accessibility switch are kept in
        # memory: the run leaves nothing in any settings store.
        environment["GSETTINGS_BACKEND"] = "memory"
        self._output = open(os.path.join(folder, "orca-output.txt"), "wb")
        self.process = subprocess.Popen(
            ["/usr/bin/python3", "-c", _LAUNCH, self.log_path, prefs], env=environment,
            stdin=subprocess.DEVNULL, stdout=self._output, stderr=self._output)
        self.wait_spoken(lambda said: READY in said, 30.0, "Orca to start")

    def stop(self):
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(5)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        self._output.close()

    # --- what Orca said ---------------------------------------------------------

    def spoken(self):
        """Every utterance so far, in order."""
        try:
            with open(self.log_path, encoding="utf-8", errors="replace") as log:
                return [m.group(1) for m in map(_SPOKEN.search, log) if m]
        except FileNotFoundError:
            return []

    def mark(self):
        """A place in what Orca has said, for spoken_since."""
        return len(self.spoken())

    def spoken_since(self, mark):
        return self.spoken()[mark:]

    def wait_spoken(self, done, timeout, what, since=0):
        """Waits until done(the utterances since `since`) holds; returns them."""
        deadline = time.monotonic() + timeout
        while True:
            said = self.spoken()[since:]
            if done(said):
                return said
            if self.process.poll() is not None:
                raise UiError("Orca ended (status %s) while waiting for %s"
                              % (self.process.returncode, what))
            if time.monotonic() > deadline:
                raise UiError("Orca never spoke %s; it said: %r" % (what, said))
            time.sleep(0.05)

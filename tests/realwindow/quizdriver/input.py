"""The player's hands: real pointer and key events through xdotool (XTEST)."""

import subprocess
import time


def _xdotool(*args):
    subprocess.run(("xdotool",) + tuple(str(a) for a in args), check=True)


# xdotool's default pauses (100 ms after a click, 12 ms between keys) would be
# most of a scenario's time; the program needs none of them.
def click(x, y):
    _xdotool("mousemove", x, y, "click", "--delay", 0, 1)


def key(name):
    _xdotool("key", "--delay", 0, name)


def hold(name, seconds=0.15):
    """A key held as long as a person holds it: a press and a release sent
    together may be taken as no press (Alt opens no menu)."""
    _xdotool("keydown", name)
    time.sleep(seconds)
    _xdotool("keyup", name)


def double_click(x, y):
    # Well inside every desktop's double-click time.
    _xdotool("mousemove", x, y, "click", "--repeat", 2, "--delay", 50, 1)

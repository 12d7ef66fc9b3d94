"""When the program first opens a file, timed by the kernel's inotify.

The program opens a sound file the moment it is asked to play it, so the
first open of a sound is the time the sound was asked for.
"""

import ctypes
import ctypes.util
import os
import threading
import time

_libc = ctypes.CDLL(ctypes.util.find_library("c"), use_errno=True)
_IN_OPEN = 0x20


class FirstOpen:
    """Records the monotonic time of the first open of `path`."""

    def __init__(self, path):
        self.opened_at = None
        self._fd = _libc.inotify_init()
        if self._fd < 0:
            raise OSError(ctypes.get_errno(), "inotify_init")
        if _libc.inotify_add_watch(self._fd, os.fsencode(path), _IN_OPEN) < 0:
            raise OSError(ctypes.get_errno(), "inotify_add_watch " + path)
        self._thread = threading.Thread(target=self._wait, daemon=True)
        self._thread.start()

    def _wait(self):
        if os.read(self._fd, 4096):
            self.opened_at = time.monotonic()
        os.close(self._fd)

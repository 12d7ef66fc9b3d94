"""Pointer and key events through the XTEST extension, without a process
start in between: a benchmark's clock starts the moment the event leaves.
The X connection is the real-window driver's (quizdriver/x11.py)."""

import ctypes
import ctypes.util

from quizdriver.x11 import Display

_xtst = ctypes.cdll.LoadLibrary(ctypes.util.find_library("Xtst") or "libXtst.so.6")
_xtst.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int,
                                       ctypes.c_int, ctypes.c_ulong]
_xtst.XTestFakeButtonEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int,
                                       ctypes.c_ulong]
_xtst.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int,
                                    ctypes.c_ulong]

_XK_RETURN = 0xFF0D
_CURRENT_SCREEN = -1
_LEFT_BUTTON = 1


class Hands:
    def __init__(self):
        self._display = Display()
        self._dpy = self._display.connection
        self._return = self._display.keycode(_XK_RETURN)

    def close(self):
        self._display.close()

    def move(self, x, y):
        _xtst.XTestFakeMotionEvent(self._dpy, _CURRENT_SCREEN, x, y, 0)
        self._display.sync()

    def click(self):
        _xtst.XTestFakeButtonEvent(self._dpy, _LEFT_BUTTON, 1, 0)
        _xtst.XTestFakeButtonEvent(self._dpy, _LEFT_BUTTON, 0, 0)
        self._display.flush()

    def press_return(self):
        _xtst.XTestFakeKeyEvent(self._dpy, self._return, 1, 0)
        _xtst.XTestFakeKeyEvent(self._dpy, self._return, 0, 0)
        self._display.flush()

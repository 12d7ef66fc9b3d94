"""Pointer and key events through the XTEST extension, without a process
start in between: a benchmark's clock starts the moment the event leaves."""

import ctypes
import ctypes.util

_xlib = ctypes.cdll.LoadLibrary(ctypes.util.find_library("X11") or "libX11.so.6")
_xtst = ctypes.cdll.LoadLibrary(ctypes.util.find_library("Xtst") or "libXtst.so.6")

_xlib.XOpenDisplay.restype = ctypes.c_void_p
_xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
_xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]
_xlib.XFlush.argtypes = [ctypes.c_void_p]
_xlib.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
_xlib.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
_xlib.XKeysymToKeycode.restype = ctypes.c_ubyte
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
        self._dpy = _xlib.XOpenDisplay(None)
        if not self._dpy:
            raise RuntimeError("cannot open the X display")
        self._return = _xlib.XKeysymToKeycode(self._dpy, _XK_RETURN)

    def close(self):
        _xlib.XCloseDisplay(self._dpy)

    def move(self, x, y):
        _xtst.XTestFakeMotionEvent(self._dpy, _CURRENT_SCREEN, x, y, 0)
        _xlib.XSync(self._dpy, 0)

    def click(self):
        _xtst.XTestFakeButtonEvent(self._dpy, _LEFT_BUTTON, 1, 0)
        _xtst.XTestFakeButtonEvent(self._dpy, _LEFT_BUTTON, 0, 0)
        _xlib.XFlush(self._dpy)

    def press_return(self):
        _xtst.XTestFakeKeyEvent(self._dpy, self._return, 1, 0)
        _xtst.XTestFakeKeyEvent(self._dpy, self._return, 0, 0)
        _xlib.XFlush(self._dpy)

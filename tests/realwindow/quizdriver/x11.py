"""The few X11 queries the driver needs, straight through libX11.

Mapped state, geometry and titles of a process's top-level windows, and the
close request a window manager sends when the player closes a window. Input
goes through xdotool instead (see input.py).
"""

import ctypes
import ctypes.util

_xlib = ctypes.cdll.LoadLibrary(ctypes.util.find_library("X11") or "libX11.so.6")

_Window = ctypes.c_ulong
_Atom = ctypes.c_ulong

IS_VIEWABLE = 2
_CLIENT_MESSAGE = 33
_ANY_PROPERTY_TYPE = 0
_NO_EVENT_MASK = 0


class _XWindowAttributes(ctypes.Structure):
    _fields_ = [
        ("x", ctypes.c_int), ("y", ctypes.c_int),
        ("width", ctypes.c_int), ("height", ctypes.c_int),
        ("border_width", ctypes.c_int), ("depth", ctypes.c_int),
        ("visual", ctypes.c_void_p), ("root", _Window),
        ("c_class", ctypes.c_int), ("bit_gravity", ctypes.c_int),
        ("win_gravity", ctypes.c_int), ("backing_store", ctypes.c_int),
        ("backing_planes", ctypes.c_ulong), ("backing_pixel", ctypes.c_ulong),
        ("save_under", ctypes.c_int), ("colormap", ctypes.c_ulong),
        ("map_installed", ctypes.c_int), ("map_state", ctypes.c_int),
        ("all_event_masks", ctypes.c_long), ("your_event_mask", ctypes.c_long),
        ("do_not_propagate_mask", ctypes.c_long), ("override_redirect", ctypes.c_int),
        ("screen", ctypes.c_void_p),
    ]


class _XClientMessageEvent(ctypes.Structure):
    _fields_ = [
        ("type", ctypes.c_int), ("serial", ctypes.c_ulong),
        ("send_event", ctypes.c_int), ("display", ctypes.c_void_p),
        ("window", _Window), ("message_type", _Atom), ("format", ctypes.c_int),
        ("data", ctypes.c_long * 5),
    ]


class _XEvent(ctypes.Union):
    _fields_ = [("xclient", _XClientMessageEvent), ("pad", ctypes.c_long * 24)]


_ERROR_HANDLER = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)


def _ignore_x_error(_display, _event):
    # A window may vanish between listing it and asking about it; Xlib's
    # default handler would end the whole driver for that.
    return 0


_keep_handler_alive = _ERROR_HANDLER(_ignore_x_error)

_xlib.XOpenDisplay.restype = ctypes.c_void_p
_xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
_xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]
_xlib.XSetErrorHandler.argtypes = [_ERROR_HANDLER]
_xlib.XSetErrorHandler.restype = ctypes.c_void_p
_xlib.XDefaultRootWindow.restype = _Window
_xlib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
_xlib.XInternAtom.restype = _Atom
_xlib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
_xlib.XQueryTree.argtypes = [ctypes.c_void_p, _Window, ctypes.POINTER(_Window),
                             ctypes.POINTER(_Window), ctypes.POINTER(ctypes.POINTER(_Window)),
                             ctypes.POINTER(ctypes.c_uint)]
_xlib.XGetWindowAttributes.argtypes = [ctypes.c_void_p, _Window,
                                       ctypes.POINTER(_XWindowAttributes)]
_xlib.XTranslateCoordinates.argtypes = [ctypes.c_void_p, _Window, _Window, ctypes.c_int,
                                        ctypes.c_int, ctypes.POINTER(ctypes.c_int),
                                        ctypes.POINTER(ctypes.c_int), ctypes.POINTER(_Window)]
_xlib.XGetWindowProperty.argtypes = [ctypes.c_void_p, _Window, _Atom, ctypes.c_long,
                                     ctypes.c_long, ctypes.c_int, _Atom,
                                     ctypes.POINTER(_Atom), ctypes.POINTER(ctypes.c_int),
                                     ctypes.POINTER(ctypes.c_ulong),
                                     ctypes.POINTER(ctypes.c_ulong),
                                     ctypes.POINTER(ctypes.c_void_p)]
_xlib.XFree.argtypes = [ctypes.c_void_p]
_xlib.XSendEvent.argtypes = [ctypes.c_void_p, _Window, ctypes.c_int, ctypes.c_long,
                             ctypes.POINTER(_XEvent)]
_xlib.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
_xlib.XFlush.argtypes = [ctypes.c_void_p]
_xlib.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
_xlib.XKeysymToKeycode.restype = ctypes.c_ubyte
_xlib.XGetAtomName.restype = ctypes.c_void_p
_xlib.XGetAtomName.argtypes = [ctypes.c_void_p, _Atom]
_xlib.XDisplayWidth.argtypes = [ctypes.c_void_p, ctypes.c_int]
_xlib.XDisplayHeight.argtypes = [ctypes.c_void_p, ctypes.c_int]


class Display:
    """One connection to the X server named by $DISPLAY."""

    def __init__(self):
        _xlib.XSetErrorHandler(_keep_handler_alive)
        self._dpy = _xlib.XOpenDisplay(None)
        if not self._dpy:
            raise RuntimeError("cannot open the X display")
        self._root = _xlib.XDefaultRootWindow(self._dpy)
        self._atoms = {}

    def close(self):
        if self._dpy:
            _xlib.XCloseDisplay(self._dpy)
            self._dpy = None

    @property
    def connection(self):
        """The Xlib Display pointer, for the XTEST extension (bench/xtest.py)."""
        return self._dpy

    def keycode(self, keysym):
        return _xlib.XKeysymToKeycode(self._dpy, keysym)

    def _atom(self, name):
        if name not in self._atoms:
            self._atoms[name] = _xlib.XInternAtom(self._dpy, name.encode(), 0)
        return self._atoms[name]

    def top_level_windows(self):
        root, parent = _Window(), _Window()
        children = ctypes.POINTER(_Window)()
        count = ctypes.c_uint()
        if not _xlib.XQueryTree(self._dpy, self._root, ctypes.byref(root), ctypes.byref(parent),
                                ctypes.byref(children), ctypes.byref(count)):
            return []
        windows = [children[i] for i in range(count.value)]
        if children:
            _xlib.XFree(children)
        return windows

    def _property(self, window, name, length=1024):
        actual_type, actual_format = _Atom(), ctypes.c_int()
        items, remaining = ctypes.c_ulong(), ctypes.c_ulong()
        data = ctypes.c_void_p()
        status = _xlib.XGetWindowProperty(
            self._dpy, window, self._atom(name), 0, length, 0, _ANY_PROPERTY_TYPE,
            ctypes.byref(actual_type), ctypes.byref(actual_format), ctypes.byref(items),
            ctypes.byref(remaining), ctypes.byref(data))
        if status != 0 or not data.value:
            return None, 0, 0
        return data, actual_format.value, items.value

    def pid_of(self, window):
        data, fmt, items = self._property(window, "_NET_WM_PID", 1)
        if data is None:
            return None
        # Format-32 properties come back as C longs.
        pid = ctypes.cast(data, ctypes.POINTER(ctypes.c_long))[0] if fmt == 32 and items else None
        _xlib.XFree(data)
        return pid

    def title_of(self, window):
        data, fmt, items = self._property(window, "_NET_WM_NAME")
        if data is None:
            return None
        text = ctypes.string_at(data, items).decode("utf-8", "replace") if fmt == 8 else None
        _xlib.XFree(data)
        return text

    def icon_sizes(self, window):
        """The sizes, as (width, height), of the icons the window offers (_NET_WM_ICON)."""
        data, fmt, items = self._property(window, "_NET_WM_ICON", 1 << 20)
        if data is None:
            return []
        # Format-32 properties come back as C longs: width, height, then the pixels.
        values = ctypes.cast(data, ctypes.POINTER(ctypes.c_long)) if fmt == 32 else None
        sizes, i = [], 0
        while values is not None and i + 2 <= items:
            width, height = values[i], values[i + 1]
            sizes.append((width, height))
            i += 2 + width * height
        _xlib.XFree(data)
        return sizes

    def attributes(self, window):
        attrs = _XWindowAttributes()
        if not _xlib.XGetWindowAttributes(self._dpy, window, ctypes.byref(attrs)):
            return None
        return attrs

    def is_viewable(self, window):
        attrs = self.attributes(window)
        return attrs is not None and attrs.map_state == IS_VIEWABLE

    def geometry(self, window):
        """(x, y, width, height) of the window's inside, in root coordinates."""
        attrs = self.attributes(window)
        if attrs is None:
            return None
        x, y, child = ctypes.c_int(), ctypes.c_int(), _Window()
        _xlib.XTranslateCoordinates(self._dpy, window, self._root, 0, 0,
                                    ctypes.byref(x), ctypes.byref(y), ctypes.byref(child))
        return (x.value, y.value, attrs.width, attrs.height)

    def screen_size(self):
        """(width, height) of the screen: the size the run script gave Xvfb."""
        _, _, width, height = self.geometry(self._root)
        return width, height

    def viewable_windows_of(self, pid):
        return [w for w in self.client_windows()
                if self.pid_of(w) == pid and self.is_viewable(w)]

    # --- under a window manager ------------------------------------------------

    def client_windows(self):
        """The root's children and, under a window manager, the windows it
        manages inside its frames."""
        windows = self.top_level_windows()
        return windows + [w for w in self._longs(self._root, "_NET_CLIENT_LIST")
                          if w not in windows]

    def _longs(self, window, name):
        """A format-32 property's values; empty when the window has none."""
        data, fmt, items = self._property(window, name)
        if data is None:
            return []
        values = list(ctypes.cast(data, ctypes.POINTER(ctypes.c_long))[:items]) if fmt == 32 else []
        _xlib.XFree(data)
        return values

    def frame_extents(self, window):
        """(left, right, top, bottom) of the frame the window manager drew
        around the window, or None."""
        sides = self._longs(window, "_NET_FRAME_EXTENTS")
        return tuple(sides) if len(sides) == 4 else None

    def frame_geometry(self, window):
        """(x, y, width, height) of the window with its frame, or None."""
        extents = self.frame_extents(window)
        if extents is None:
            return None
        left, right, top, bottom = extents
        x, y, width, height = self.geometry(window)
        return (x - left, y - top, width + left + right, height + top + bottom)

    def states_of(self, window):
        """The names of the window's _NET_WM_STATE atoms."""
        return self._atom_names(window, "_NET_WM_STATE")

    def allowed_actions(self, window):
        """The names of what the window manager lets the player do with the
        window (_NET_WM_ALLOWED_ACTIONS)."""
        return self._atom_names(window, "_NET_WM_ALLOWED_ACTIONS")

    def active_window(self):
        """The window the window manager has given the focus (_NET_ACTIVE_WINDOW)."""
        active = self._longs(self._root, "_NET_ACTIVE_WINDOW")
        return active[0] if active else None

    def stacking(self):
        """The managed windows from the bottom of the stack to the top."""
        return self._longs(self._root, "_NET_CLIENT_LIST_STACKING")

    def _atom_names(self, window, name):
        names = []
        for atom in self._longs(window, name):
            text = _xlib.XGetAtomName(self._dpy, atom)
            if text:
                names.append(ctypes.string_at(text).decode())
                _xlib.XFree(text)
        return names

    def work_area(self):
        """(x, y, width, height) of the screen's free area: the window
        manager's _NET_WORKAREA, or the whole screen."""
        area = self._longs(self._root, "_NET_WORKAREA")
        if len(area) >= 4:
            return tuple(area[:4])
        return (0, 0, _xlib.XDisplayWidth(self._dpy, 0), _xlib.XDisplayHeight(self._dpy, 0))

    def request_close(self, window):
        """What a window manager sends when the player closes a window."""
        event = _XEvent()
        event.xclient.type = _CLIENT_MESSAGE
        event.xclient.window = window
        event.xclient.message_type = self._atom("WM_PROTOCOLS")
        event.xclient.format = 32
        event.xclient.data[0] = self._atom("WM_DELETE_WINDOW")
        event.xclient.data[1] = 0  # CurrentTime
        _xlib.XSendEvent(self._dpy, window, 0, _NO_EVENT_MASK, ctypes.byref(event))
        _xlib.XSync(self._dpy, 0)

    def sync(self):
        _xlib.XSync(self._dpy, 0)

    def flush(self):
        _xlib.XFlush(self._dpy)

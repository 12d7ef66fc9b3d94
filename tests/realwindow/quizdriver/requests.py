"""What clients ask of the X server about their windows, as they ask it.

A window manager sees a client's configure requests, but no other client
can: the manager holds the redirection, and what reaches the window
afterwards is the manager's answer. The RECORD extension shows the requests
themselves, from every client, with the client they came from. Recorded
here: creating, mapping, unmapping and destroying a window, configuring it, and
rewriting its WM_NORMAL_HINTS (the size and place a client gives the
manager, which it reads again each time they change).
"""

import ctypes
import ctypes.util
import struct
import threading
import time
from dataclasses import dataclass

from .x11 import Display

_xtst = ctypes.cdll.LoadLibrary(ctypes.util.find_library("Xtst") or "libXtst.so.6")
_xlib = ctypes.cdll.LoadLibrary(ctypes.util.find_library("X11") or "libX11.so.6")

# Core request opcodes.
CREATE_WINDOW = 1
DESTROY_WINDOW = 4
MAP_WINDOW = 8
UNMAP_WINDOW = 10
CONFIGURE_WINDOW = 12
CHANGE_PROPERTY = 18
_RECORDED = ((CREATE_WINDOW, CREATE_WINDOW), (DESTROY_WINDOW, DESTROY_WINDOW),
             (MAP_WINDOW, CONFIGURE_WINDOW),
             (CHANGE_PROPERTY, CHANGE_PROPERTY))

# ConfigureWindow's value mask: x, y, width, height and border width; the
# stacking bits are left out, a raise changes no geometry.
GEOMETRY_BITS = 0x1F
WM_NORMAL_HINTS = 40  # a predefined atom

_ALL_CLIENTS = 3
_FROM_CLIENT = 1


class _Range8(ctypes.Structure):
    _fields_ = [("first", ctypes.c_ubyte), ("last", ctypes.c_ubyte)]


class _Range16(ctypes.Structure):
    _fields_ = [("first", ctypes.c_ushort), ("last", ctypes.c_ushort)]


class _ExtRange(ctypes.Structure):
    _fields_ = [("ext_major", _Range8), ("ext_minor", _Range16)]


class _Range(ctypes.Structure):
    _fields_ = [("core_requests", _Range8), ("core_replies", _Range8),
                ("ext_requests", _ExtRange), ("ext_replies", _ExtRange),
                ("delivered_events", _Range8), ("device_events", _Range8),
                ("errors", _Range8), ("client_started", ctypes.c_int),
                ("client_died", ctypes.c_int)]


class _InterceptData(ctypes.Structure):
    _fields_ = [("id_base", ctypes.c_ulong), ("server_time", ctypes.c_ulong),
                ("client_seq", ctypes.c_ulong), ("category", ctypes.c_int),
                ("client_swapped", ctypes.c_int), ("data", ctypes.POINTER(ctypes.c_ubyte)),
                ("data_len", ctypes.c_ulong)]


_INTERCEPT = ctypes.CFUNCTYPE(None, ctypes.c_void_p, ctypes.POINTER(_InterceptData))

_xtst.XRecordAllocRange.restype = ctypes.POINTER(_Range)
_xtst.XRecordCreateContext.restype = ctypes.c_ulong
_xtst.XRecordCreateContext.argtypes = [ctypes.c_void_p, ctypes.c_int,
                                       ctypes.POINTER(ctypes.c_ulong), ctypes.c_int,
                                       ctypes.POINTER(ctypes.POINTER(_Range)), ctypes.c_int]
_xtst.XRecordEnableContext.argtypes = [ctypes.c_void_p, ctypes.c_ulong, _INTERCEPT,
                                       ctypes.c_void_p]
_xtst.XRecordDisableContext.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
_xtst.XRecordFreeContext.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
_xtst.XRecordFreeData.argtypes = [ctypes.POINTER(_InterceptData)]
_xlib.XFree.argtypes = [ctypes.c_void_p]


@dataclass(frozen=True)
class Request:
    opcode: int
    window: int
    client: int      # the resource-id base of the client that sent it
    mask: int = 0    # ConfigureWindow's value mask
    values: tuple = ()  # ConfigureWindow's values, in the mask's order

    def describe(self):
        if self.opcode == CONFIGURE_WINDOW:
            names = [n for bit, n in enumerate(("x", "y", "width", "height", "border",
                                                 "sibling", "stacking")) if self.mask >> bit & 1]
            return "ConfigureWindow %s" % ", ".join(
                "%s=%d" % pair for pair in zip(names, self.values))
        return {CREATE_WINDOW: "CreateWindow", MAP_WINDOW: "MapWindow", UNMAP_WINDOW: "UnmapWindow",
                DESTROY_WINDOW: "DestroyWindow",
                CHANGE_PROPERTY: "ChangeProperty WM_NORMAL_HINTS"}.get(self.opcode, "request")


def _parse(data):
    """The request in `data`, or None for one that is not recorded here."""
    raw = ctypes.string_at(data.data, data.data_len * 4)
    opcode = raw[0]
    # Each request here names its window in the same place (CreateWindow the new one).
    window = struct.unpack_from("=I", raw, 4)[0]
    if opcode == CONFIGURE_WINDOW:
        mask = struct.unpack_from("=H", raw, 8)[0]
        count = bin(mask).count("1")
        values = struct.unpack_from("=%di" % count, raw, 12) if len(raw) >= 12 + 4 * count else ()
        return Request(opcode, window, data.id_base, mask, values)
    if opcode == CHANGE_PROPERTY:
        prop = struct.unpack_from("=I", raw, 8)[0]
        return Request(opcode, window, data.id_base) if prop == WM_NORMAL_HINTS else None
    if opcode in (CREATE_WINDOW, MAP_WINDOW, UNMAP_WINDOW, DESTROY_WINDOW):
        return Request(opcode, window, data.id_base)
    return None


class RequestRecorder:
    """Records, from every client, the requests above while it runs."""

    def __init__(self):
        self._control = Display()
        self._data = Display()
        self._lock = threading.Lock()
        self._requests = []
        ranges = []
        for first, last in _RECORDED:
            rng = _xtst.XRecordAllocRange()
            rng.contents.core_requests.first, rng.contents.core_requests.last = first, last
            ranges.append(rng)
        array = (ctypes.POINTER(_Range) * len(ranges))(*ranges)
        clients = ctypes.c_ulong(_ALL_CLIENTS)
        self._context = _xtst.XRecordCreateContext(self._control.connection, 0,
                                                   ctypes.byref(clients), 1, array, len(ranges))
        for rng in ranges:
            _xlib.XFree(rng)
        if not self._context:
            raise RuntimeError("the X server would not record requests (RECORD extension)")
        self._control.sync()
        self._callback = _INTERCEPT(self._intercept)
        self._thread = threading.Thread(target=self._run, daemon=True)
        self._thread.start()

    def _run(self):
        _xtst.XRecordEnableContext(self._data.connection, self._context, self._callback, None)

    def _intercept(self, _closure, data):
        try:
            if data.contents.category == _FROM_CLIENT and data.contents.data_len:
                request = _parse(data.contents)
                if request is not None:
                    with self._lock:
                        self._requests.append(request)
        finally:
            _xtst.XRecordFreeData(data)

    def requests(self):
        with self._lock:
            return list(self._requests)

    def settle(self, pause=0.05):
        """Lets what the server has recorded so far reach the recorder."""
        self._control.sync()
        time.sleep(pause)

    def stop(self):
        if self._context:
            _xtst.XRecordDisableContext(self._control.connection, self._context)
            self._control.sync()
            self._thread.join(5.0)
            _xtst.XRecordFreeContext(self._control.connection, self._context)
            self._control.sync()
            self._context = 0
        self._data.close()
        self._control.close()

    def _owned(self, window):
        """The requests about `window` from the client that created it (a
        window manager maps and configures the windows it frames too)."""
        requests = [r for r in self.requests() if r.window == window]
        owner = next((r.client for r in requests if r.opcode == CREATE_WINDOW), None)
        return [r for r in requests if r.client == owner]

    def asked_once_mapped(self, window):
        """What the client that created `window` asked about its size and
        place from each time it mapped it until it unmapped or destroyed it:
        its geometry configures and its WM_NORMAL_HINTS rewrites."""
        asked, mapped = [], False
        for request in self._owned(window):
            if request.opcode == MAP_WINDOW:
                mapped = True
            elif request.opcode in (UNMAP_WINDOW, DESTROY_WINDOW):
                mapped = False
            elif mapped and (request.opcode == CHANGE_PROPERTY or request.mask & GEOMETRY_BITS):
                asked.append(request)
        return asked

    def mapped(self, window):
        """Whether the client that created `window` was seen to map it."""
        return any(r.opcode == MAP_WINDOW for r in self._owned(window))

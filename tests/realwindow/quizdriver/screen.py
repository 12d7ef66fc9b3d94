"""Screenshots read straight from Xvfb's frame buffer.

Started with -fbdir DIR, Xvfb keeps its screen in DIR/Xvfb_screen0 as an XWD
image that it updates in place, so a look at the screen is a read of mapped
memory rather than a round trip through the X server.
"""

import mmap
import os
import struct

_HEADER_FIELDS = 25
_XWD_COLOR_BYTES = 12


class Screen:
    def __init__(self, fbdir):
        path = os.path.join(fbdir, "Xvfb_screen0")
        with open(path, "rb") as f:
            self._map = mmap.mmap(f.fileno(), 0, access=mmap.ACCESS_READ)
        fields = struct.unpack(">%dI" % _HEADER_FIELDS, self._map[:4 * _HEADER_FIELDS])
        header_size = fields[0]
        self.width, self.height = fields[4], fields[5]
        bits_per_pixel, self._stride = fields[11], fields[12]
        ncolors = fields[19]
        if bits_per_pixel != 32:
            raise RuntimeError("the frame buffer must be 32 bits a pixel (use a 24-bit screen)")
        self._pixels = header_size + ncolors * _XWD_COLOR_BYTES

    def close(self):
        self._map.close()

    def save(self, path):
        """Keeps the screen as it is now, as an XWD image (convert xwd:FILE out.png)."""
        with open(path, "wb") as f:
            f.write(self._map[:])

    def _clip(self, rect):
        x, y, w, h = rect
        x0, y0 = max(0, x), max(0, y)
        x1, y1 = min(self.width, x + w), min(self.height, y + h)
        return x0, y0, max(0, x1 - x0), max(0, y1 - y0)

    def rows(self, rect, step=1):
        """The raw rows of a rectangle, 4 bytes a pixel (blue, green, red, pad);
        with a step, only every step-th row."""
        x, y, w, h = self._clip(rect)
        start = self._pixels + x * 4
        return [self._map[start + row * self._stride:start + row * self._stride + w * 4]
                for row in range(y, y + h, step)]

    def whole(self):
        return (0, 0, self.width, self.height)

    def pixel(self, x, y):
        """(red, green, blue) of one screen pixel."""
        offset = self._pixels + y * self._stride + x * 4
        blue, green, red = self._map[offset], self._map[offset + 1], self._map[offset + 2]
        return red, green, blue

    def region_differs(self, rect, before):
        """True once any row of `rect` differs from `before` (from rows())."""
        return self.rows(rect) != before

    def fraction_of_colour(self, rect, rgb):
        red, green, blue = rgb
        wanted = bytes((blue, green, red))
        total = hits = 0
        for row in self.rows(rect):
            for i in range(0, len(row), 4):
                total += 1
                hits += row[i:i + 3] == wanted
        return hits / total if total else 0.0

    def fraction_changed(self, rect, before):
        total = changed = 0
        for now, then in zip(self.rows(rect), before):
            for i in range(0, len(now), 4):
                total += 1
                changed += now[i:i + 3] != then[i:i + 3]
        return changed / total if total else 0.0

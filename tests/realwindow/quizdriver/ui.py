"""What the program shows, read through the accessibility bus.

Controls are found the way a screen reader finds them: push buttons by their
caption, message boxes by their role, and the captionless labels by where they
stand in the window's client area.
"""

import time
from dataclasses import dataclass

import pyatspi

class UiError(AssertionError):
    pass


@dataclass
class Box:
    title: str
    text: str
    accessible: object

    def ok_button(self):
        return _find(self.accessible, lambda a: a.getRole() == pyatspi.ROLE_PUSH_BUTTON)


def _children(acc):
    try:
        return [c for c in (acc.getChildAtIndex(i) for i in range(acc.childCount)) if c]
    except Exception:  # the object went away while we looked
        return []


def _find(acc, wanted):
    for child in _children(acc):
        if wanted(child):
            return child
        found = _find(child, wanted)
        if found is not None:
            return found
    return None


def _find_all(acc, wanted, out):
    for child in _children(acc):
        if wanted(child):
            out.append(child)
        _find_all(child, wanted, out)
    return out


def extents(acc):
    e = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return e.x, e.y, e.width, e.height


def showing(acc):
    return acc.getState().contains(pyatspi.STATE_SHOWING)


def wait_for(condition, timeout, what, interval=0.005):
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise UiError("timed out after %.1f s waiting for %s" % (timeout, what))
        time.sleep(interval)


def application_of(pid, timeout=10.0):
    def lookup():
        desktop = pyatspi.Registry.getDesktop(0)
        for app in _children(desktop):
            try:
                if app.get_process_id() == pid and app.childCount > 0:
                    return app
            except Exception:
                continue
        return None
    return wait_for(lookup, timeout, "the program on the accessibility bus", 0.01)


class QuizUi:
    """The quiz's window and boxes as the accessibility bus presents them."""

    def __init__(self, pid, client_height):
        self.client_height = client_height
        self.app = application_of(pid)
        self.frame = wait_for(
            lambda: _find(self.app, lambda a: a.getRole() == pyatspi.ROLE_FRAME),
            5.0, "the main window's frame")
        self._found = {}

    def boxes(self):
        out = []
        for child in _children(self.app):
            try:
                if child.getRole() != pyatspi.ROLE_ALERT:
                    continue
                texts = _find_all(child, lambda a: a.getRole() == pyatspi.ROLE_LABEL and a.name, [])
                out.append(Box(child.name, texts[0].name if texts else "", child))
            except Exception:
                continue  # closed while being read
        return out

    def frame_extents(self):
        return extents(self.frame)

    def client_origin(self):
        x, y, width, height = self.frame_extents()
        return x, y + height - self.client_height

    def menu_bar(self):
        return self._cached("menu bar", lambda: _find(
            self.frame, lambda a: a.getRole() == pyatspi.ROLE_MENU_BAR))

    def menu_item(self, caption):
        return self._cached("menu " + caption, lambda: _find(
            self.menu_bar(), lambda a: a.name == caption))

    def button(self, caption):
        return self._cached("button " + caption, lambda: _find(
            self.frame, lambda a: a.getRole() == pyatspi.ROLE_PUSH_BUTTON and a.name == caption))

    def label_near(self, client_x, client_y, tolerance=6):
        """The label whose top-left corner is nearest a point of the client area."""
        key = "label %d,%d" % (client_x, client_y)

        def lookup():
            ox, oy = self.client_origin()
            best, best_distance = None, None
            for label in _find_all(self.frame, lambda a: a.getRole() == pyatspi.ROLE_LABEL, []):
                x, y, _, _ = extents(label)
                distance = max(abs(x - ox - client_x), abs(y - oy - client_y))
                if distance <= tolerance and (best is None or distance < best_distance):
                    best, best_distance = label, distance
            return best
        return self._cached(key, lookup)

    def _cached(self, key, lookup):
        if key not in self._found:
            found = lookup()
            if found is None:
                raise UiError("no %s in the window" % key)
            self._found[key] = found
        return self._found[key]

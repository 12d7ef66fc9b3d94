"""KWin as a Wayland compositor, asked over its session bus what it shows and
told what to do, the way a KWin script does it (org.kde.kwin.Scripting).

A script cannot return anything to the one that loads it, so each script
sends its answer with callDBus to an object this helper offers on the same
bus for the time of the question.
"""

import itertools
import json
import os
import tempfile
import time

from gi.repository import Gio, GLib

from .managed_window import ManagedWindow

_ANSWER_INTERFACE = """<node><interface name="org.example.EuropaQuiz.KWinAnswer">
  <method name="Answer"><arg type="s" direction="in"/></method>
</interface></node>"""
_ANSWER_PATH = "/org/example/EuropaQuiz/KWinAnswer"


class KWinWindow(ManagedWindow):
    """One window as KWin manages it, read in one go."""

    def __init__(self, facts):
        self.id = facts["id"]
        self.pid = facts["pid"]
        self.title = facts["caption"]
        # (x, y, width, height): title bar and borders included.
        self.frame = tuple(facts["frame"])
        # (x, y, width, height): what the program draws, without KWin's frame.
        self.surface = tuple(facts["surface"])
        self.full_screen = facts["fullScreen"]
        # Scripts do not see it: KWin's own window information tells it.
        self.maximized = facts["maximized"]
        self.maximizable = facts["maximizable"]
        self.modal = facts["modal"]
        self.no_border = facts["noBorder"]


class KWin:
    """The KWin of one run, on the session bus at `address`."""

    # Every managed window's facts, as a JSON text.
    _FACTS = """workspace.clientList().map(function (w) {
        var f = w.frameGeometry;
        return {id: String(w.internalId), pid: w.pid, caption: w.caption,
                frame: [f.x, f.y, f.width, f.height],
                surface: [w.bufferGeometry.x, w.bufferGeometry.y, w.bufferGeometry.width,
                          w.bufferGeometry.height],
                fullScreen: w.fullScreen, maximizable: w.maximizable, modal: w.modal,
                noBorder: w.noBorder};
    })"""
    _names = itertools.count()

    def __init__(self, address):
        self._bus = Gio.DBusConnection.new_for_address_sync(
            address, Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT
            | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION, None, None)
        self._answers = []
        self._bus.register_object(_ANSWER_PATH,
                                  Gio.DBusNodeInfo.new_for_xml(_ANSWER_INTERFACE).interfaces[0],
                                  self._on_answer, None, None)

    def _on_answer(self, connection, sender, path, interface, method, parameters, invocation):
        self._answers.append(parameters.unpack()[0])
        invocation.return_value(None)

    def _scripting(self, method, signature, arguments):
        return self._bus.call_sync("org.kde.KWin", "/Scripting", "org.kde.kwin.Scripting", method,
                                   GLib.Variant(signature, arguments) if signature else None,
                                   None, 0, 10000, None).unpack()

    def run(self, script, answer=None, timeout=5.0):
        """Runs a script in KWin; with `answer`, a JavaScript expression, waits
        for its value (as JSON) and returns it."""
        name = "europa-quiz-%d-%d" % (os.getpid(), next(self._names))
        if answer is not None:
            script += '\ncallDBus("%s", "%s", "org.example.EuropaQuiz.KWinAnswer", "Answer", ' \
                      "JSON.stringify(%s));" % (self._bus.get_unique_name(), _ANSWER_PATH, answer)
        with tempfile.NamedTemporaryFile("w", suffix=".js", delete=False) as f:
            f.write(script)
        self._answers.clear()
        try:
            self._scripting("loadScript", "(ss)", (f.name, name))
            self._scripting("start", None, None)
            if answer is None:
                return None
            context = GLib.MainContext.default()
            deadline = time.monotonic() + timeout
            while not self._answers:
                if time.monotonic() > deadline:
                    raise AssertionError("KWin did not answer the script:\n%s" % script)
                context.iteration(False)
                time.sleep(0.005)
            return json.loads(self._answers[0])
        finally:
            self._scripting("unloadScript", "(s)", (name,))
            os.unlink(f.name)

    def _windows(self):
        windows = []
        for facts in self.run("", self._FACTS):
            information = self._bus.call_sync(
                "org.kde.KWin", "/KWin", "org.kde.KWin", "getWindowInfo",
                GLib.Variant("(s)", (facts["id"],)), None, 0, 10000, None).unpack()[0]
            # Empty for a window that closed in between.
            if information:
                facts["maximized"] = bool(information["maximizeHorizontal"]
                                          or information["maximizeVertical"])
                windows.append(KWinWindow(facts))
        return windows

    def windows_of(self, pid):
        return [window for window in self._windows() if window.pid == pid]

    def window(self, window_id):
        """The window of that id as it is now, or None once it has gone."""
        return next((window for window in self._windows() if window.id == window_id), None)

    def _with_window(self, window, statement):
        self.run("workspace.clientList().filter(function (w) { return String(w.internalId) == %s; })"
                 ".forEach(function (w) { %s });" % (json.dumps(window.id), statement))

    def full_screen(self, window):
        """Asks KWin to show the window full screen, as its window menu's "Fullscreen" does."""
        self._with_window(window, "w.fullScreen = true;")

    def maximize(self, window):
        """Asks KWin to maximise the window, as its title bar's double-click does."""
        self._with_window(window, "w.setMaximize(true, true);")

    def work_area(self):
        """The screen's free area, as (x, y, width, height)."""
        return tuple(self.run("", "(function () { var a = workspace.clientArea("
                                  "KWin.MaximizeArea, workspace.activeScreen, workspace.currentDesktop);"
                                  " return [a.x, a.y, a.width, a.height]; })()"))

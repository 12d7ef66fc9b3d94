"""The program as a Wayland client, under a headless Weston of run-on-wayland.sh.

Weston's headless backend has no pointer and no keyboard to drive, and a
Wayland client's windows are not listed anywhere a test can read. So the
window counts as shown once its frame is on the accessibility bus, and the
player's presses go through that bus as the controls' own actions, the way
assistive technology presses them. Everything else is QuizProgram's.
"""

import json

from gi.repository import Gio, GLib

from .managed_window import ManagedWindow
from .program import QuizProgram
from .ui import QuizUi, UiError, wait_for


def press(accessible):
    """The control's own press action, or its first action when it has none by that name."""
    action = accessible.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    action.doAction(names.index("Press") if "Press" in names else 0)


class WaylandQuizProgram(QuizProgram):
    PLATFORM = "wayland"

    def __init__(self, program, fixture, facts, run_dir, audio="disk", environment=None,
                 closed_descriptors=()):
        wayland = {
            # The client's requests, to read the app id it gives its window.
            "WAYLAND_DEBUG": "client",
            # In the sanitizer build: the Wayland client library and Qt's shell
            # plugins keep a few blocks for the life of the process, in code
            # unloaded before the leak check runs, so no suppression can name
            # them. Every other run checks the program's own leaks.
            "ASAN_OPTIONS": "detect_leaks=0",
        }
        wayland.update(environment or {})
        super().__init__(program, fixture, facts, run_dir, audio, wayland, closed_descriptors)

    def _open_display(self):
        return None

    def wait_window(self, timeout=15.0):
        """The window's frame on the accessibility bus."""
        try:
            self.ui = QuizUi(self.process.pid, self.facts.client_height)
        except UiError:
            if self.running():
                raise
            raise AssertionError("the program ended with status %s before its window "
                                 "showed:\n%s" % (self.process.returncode, self.stderr()))
        self.window = self.ui.frame
        return self.window

    def click_accessible(self, acc):
        press(acc)

    def close_box(self, how="enter"):
        """Closes the open box with its OK button, whichever way is asked for."""
        box = self.wait_box()
        press(box.ok_button())
        wait_for(lambda: not self.running() or not self.ui.boxes(), 5.0,
                 "the box %r to close" % box.text)
        return box


class ShellWindow(ManagedWindow):
    """One window as GNOME Shell manages it, read in one go."""

    # Meta.WindowType of a dialog that keeps its parent waiting
    MODAL_DIALOG = 4
    # Meta.WindowClientType
    CLIENT_WAYLAND, CLIENT_X11 = 0, 1

    def __init__(self, facts):
        self.id = facts["id"]
        self.shown = facts["shown"]
        self.title = facts["title"]
        self.type = facts["type"]
        self.client_type = facts["clientType"]
        # (x, y, width, height): title bar and borders included, whoever draws them.
        self.frame = tuple(facts["frame"])
        self.maximizable = facts["maximizable"]
        self.maximized = facts["maximized"]
        self.full_screen = facts["fullscreen"]

    def _kind(self):
        return " type %d" % self.type


class GnomeShell:
    """The headless GNOME Shell of run-on-wayland.sh, asked over its own session
    bus (EUROPA_COMPOSITOR_BUS) what it shows: it answers in unsafe mode only."""

    # The facts of every window, but those closing (their picture may stay a
    # moment for the shell's animation), as JSON.
    _WINDOWS = """global.get_window_actors().filter(a => !a.is_destroyed()).map(a => {
        const w = a.meta_window, f = w.get_frame_rect();
        return {id: w.get_id(), shown: a.visible && a.mapped, pid: w.get_pid(), title: w.get_title(),
                type: w.get_window_type(), clientType: w.get_client_type(),
                frame: [f.x, f.y, f.width, f.height], maximizable: w.can_maximize(),
                maximized: w.maximized_horizontally || w.maximized_vertically,
                fullscreen: w.is_fullscreen()};
    })"""

    def __init__(self, address):
        self._bus = Gio.DBusConnection.new_for_address_sync(
            address, Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT
            | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION, None, None)

    def _call(self, path, interface, method, arguments):
        return self._bus.call_sync("org.gnome.Shell", path, interface, method, arguments,
                                   None, 0, 10000, None).unpack()

    def eval(self, script):
        """What a script run in the shell ends with, read as JSON."""
        ok, result = self._call("/org/gnome/Shell", "org.gnome.Shell", "Eval",
                                GLib.Variant("(s)", (script,)))
        if not ok:
            raise AssertionError("the shell could not run %r: %s" % (script, result))
        return json.loads(result) if result else None

    def pid(self):
        """The shell's process, as its bus knows it."""
        return self._bus.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus",
                                   "org.freedesktop.DBus", "GetConnectionUnixProcessID",
                                   GLib.Variant("(s)", ("org.gnome.Shell",)), None, 0, 10000,
                                   None).unpack()[0]

    def work_area(self):
        """The screen but the top bar, as (x, y, width, height)."""
        area = self.eval("(() => { const a = global.workspace_manager.get_active_workspace()"
                         ".get_work_area_for_monitor(0); return [a.x, a.y, a.width, a.height]; })()")
        return tuple(area)

    def windows_of(self, pid):
        """The process's windows on screen, in the order they opened: the shell
        numbers windows in that order."""
        return sorted((ShellWindow(facts) for facts in self.eval(self._WINDOWS)
                       if facts["pid"] == pid and facts["shown"]), key=lambda window: window.id)

    def window(self, window_id):
        """The window of that id as it is now, or None once it has gone."""
        return next((ShellWindow(facts) for facts in self.eval(self._WINDOWS)
                     if facts["id"] == window_id), None)

    def _on(self, window, call):
        self.eval("global.get_window_actors().map(a => a.meta_window)"
                  ".filter(w => w.get_id() == %d).forEach(w => w.%s)" % (window.id, call))

    def maximize(self, window):
        """Asks the shell to maximise the window."""
        self._on(window, "maximize(imports.gi.Meta.MaximizeFlags.BOTH)")

    def full_screen(self, window):
        """Asks the shell to show the window full screen."""
        self._on(window, "make_fullscreen()")

    # A pointer of the shell's own, made once: a seat that gains its first
    # pointer while a program runs tells the program so only after the
    # events that made it.
    _POINTER = """(() => {
        const Clutter = imports.gi.Clutter;
        if (!global.europaQuizPointer)
            global.europaQuizPointer = Clutter.get_default_backend().get_default_seat()
                .create_virtual_device(Clutter.InputDeviceType.POINTER_DEVICE);
        return global.europaQuizPointer; })()"""

    def make_pointer(self):
        """Gives the seat a pointer, as a player's machine has from the start."""
        self.eval("%s ? true : false" % self._POINTER)

    def click(self, x, y):
        """A click of the primary button at (x, y) on the screen, as a player's mouse makes it."""
        self.eval("""(() => {
            const Clutter = imports.gi.Clutter, pointer = %s;
            const now = global.get_current_time() * 1000;
            pointer.notify_absolute_motion(now, %d, %d);
            pointer.notify_button(now + 1000, Clutter.BUTTON_PRIMARY, Clutter.ButtonState.PRESSED);
            pointer.notify_button(now + 2000, Clutter.BUTTON_PRIMARY, Clutter.ButtonState.RELEASED);
            return true; })()""" % (self._POINTER, x, y))

    def screenshot(self, path):
        """The whole screen, as the shell draws it, into a PNG file."""
        self._call("/org/gnome/Shell/Screenshot", "org.gnome.Shell.Screenshot", "Screenshot",
                   GLib.Variant("(bbs)", (False, False, path)))


class GnomeQuizProgram(WaylandQuizProgram):
    """The program on the GNOME session of run-on-wayland.sh, started as a
    player starts it there: with no platform named, so the program chooses."""

    PLATFORM = None

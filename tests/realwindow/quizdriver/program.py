"""One run of the built program, driven like a player drives it.

The program looks for its sounds in a folder beside itself, so each test
folder gets its own hard link (or copy) of the binary with stand-in sounds
next to it.
"""

import os
import shutil
import subprocess

from . import input as xinput
from .sounds import SoundFixture
from .ui import QuizUi, UiError, extents, wait_for
from .x11 import Display

PROGRAM_NAME = "europa-quiz"


def prepare_program_folder(binary, facts, folder):
    """A folder holding the program and a stand-in for every sound it plays."""
    os.makedirs(folder, exist_ok=True)
    target = os.path.join(folder, PROGRAM_NAME)
    if not os.path.exists(target):
        try:
            os.link(binary, target)
        except OSError:
            shutil.copy2(binary, target)
    fixture = SoundFixture(facts)
    fixture.install(folder)
    return target, fixture


class QuizProgram:
    """The program on the X server the run script started, driven through XTEST."""

    # Qt's platform plugin for the display server.
    PLATFORM = "xcb"

    def __init__(self, program, fixture, facts, run_dir, audio="disk", environment=None,
                 closed_descriptors=()):
        self.facts = facts
        self.fixture = fixture
        self.run_dir = run_dir
        os.makedirs(run_dir, exist_ok=True)
        self.audio_output = os.path.join(run_dir, "audio.raw")
        self.stderr_path = os.path.join(run_dir, "stderr.txt")
        extra = environment or {}
        environment = dict(os.environ)
        environment.update({
            "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
            "QT_QPA_PLATFORM": self.PLATFORM,
            "SDL_AUDIODRIVER": audio,
            "SDL_DISKAUDIOFILE": self.audio_output,
        })
        environment.update(extra)
        # None unsets a variable: a PLATFORM of None leaves the choice to the program.
        environment = {name: value for name, value in environment.items() if value is not None}
        self._stderr = open(self.stderr_path, "wb")
        self.display = self._open_display()
        # Standard descriptors to start the program without, as a launcher may.
        def close_descriptors():
            for descriptor in closed_descriptors:
                os.close(descriptor)
        self.process = subprocess.Popen([program], cwd=run_dir, env=environment,
                                        stdin=subprocess.DEVNULL, stdout=self._stderr,
                                        stderr=self._stderr, preexec_fn=close_descriptors)
        self.window = None
        self.ui = None

    # --- life of the process -------------------------------------------------

    def wait_window(self, timeout=15.0, scale=1.0):
        """The main window, once mapped and on the accessibility bus; `scale`
        is the screen's, below 1 too."""
        self.wait_mapped(timeout, scale)
        self.ui = QuizUi(self.process.pid, self.facts.client_height)
        return self.window

    def wait_mapped(self, timeout=15.0, scale=1.0):
        """The main window, once the X server shows it."""
        def mapped():
            if self.process.poll() is not None:
                raise AssertionError("the program ended with status %s before its window "
                                     "showed:\n%s" % (self.process.returncode, self.stderr()))
            windows = [w for w in self.display.viewable_windows_of(self.process.pid)
                       if self.display.geometry(w)[2] >= int(self.facts.client_width * scale)]
            return windows[0] if windows else None
        self.window = wait_for(mapped, timeout, "the main window to map", 0.002)
        return self.window

    def wait_exit(self, timeout=10.0):
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            raise AssertionError("the program was still running %.0f s later" % timeout)

    def running(self):
        return self.process.poll() is None

    def stop(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        self._stderr.close()
        if self.display is not None:
            self.display.close()

    def _open_display(self):
        return Display()

    def memory_mb(self, peak=True):
        """The memory the program holds (or held at most, with `peak`), in MB."""
        field = "VmHWM:" if peak else "VmRSS:"
        with open("/proc/%d/status" % self.process.pid) as status:
            for line in status:
                if line.startswith(field):
                    return int(line.split()[1]) / 1024.0
        return 0.0

    def stderr(self):
        self._stderr.flush()
        with open(self.stderr_path, "rb") as f:
            return f.read().decode("utf-8", "replace")

    # --- what the player sees -------------------------------------------------

    def client_origin(self):
        x, y, _, height = self.display.geometry(self.window)
        return x, y + height - self.facts.client_height

    def map_point_on_screen(self, px, py):
        ox, oy = self.client_origin()
        frame = self.facts.map_frame
        return ox + frame + px, oy + frame + py

    def counter(self, which):
        """The caption of lblpunti ("points"), lblerrori ("errors") or lblreg ("prompt").
        A counter is named for what it counts, its caption last ("WRONG 3")."""
        name = self.ui.label_near(*self.facts.counters[which]).name
        return name if which == "prompt" else name.rpartition(" ")[2]

    def wait_counter(self, which, value, timeout=2.0):
        try:
            wait_for(lambda: self.counter(which) == value, timeout, "the %s label" % which)
        except UiError:
            raise UiError("the %s label reads %r, not %r" % (which, self.counter(which), value))

    def sounds_heard(self):
        return [p.sound for p in self.fixture.played(self.audio_output)]

    # --- what the player does -------------------------------------------------

    def click_map(self, px, py):
        xinput.click(*self.map_point_on_screen(px, py))

    def click_label(self, label):
        point = self.facts.best_point(label)
        assert point is not None, "%s is covered everywhere" % label.name
        self.click_map(*point)

    def visible_rect(self, acc):
        """The part of a control inside the window, as (x, y, width, height)."""
        x, y, width, height = extents(acc)
        wx, wy, ww, wh = self.display.geometry(self.window)
        left, top = max(x, wx), max(y, wy)
        right, bottom = min(x + width, wx + ww), min(y + height, wy + wh)
        assert right > left and bottom > top, "the control lies outside the window"
        return left, top, right - left, bottom - top

    def click_accessible(self, acc):
        """A click in the middle of the part of a control the window shows."""
        x, y, width, height = self.visible_rect(acc)
        xinput.click(x + width // 2, y + height // 2)

    def wait_box(self, timeout=5.0):
        return wait_for(lambda: (self.ui.boxes() or [None])[0], timeout, "a message box")

    def close_box(self, how="enter"):
        """Closes the open box with Enter, or with a click on its OK button."""
        box = self.wait_box()
        # Told apart by their X windows: the next box may open at once, with
        # the same title and text as the last.
        open_windows = self._other_windows()
        if how == "enter":
            xinput.key("Return")
        else:
            self.click_accessible(box.ok_button())
        wait_for(lambda: not (open_windows & self._other_windows()), 5.0,
                 "the box %r to close" % box.text)
        # A window manager hands the focus on once the box has gone; a click
        # that comes sooner, sooner than a player could make it, the manager
        # may take for its own.
        if self.display.active_window() is not None:
            wait_for(lambda: not self.running() or self.display.active_window()
                     in set(self.display.viewable_windows_of(self.process.pid)) - open_windows,
                     5.0, "the focus to leave the box %r" % box.text)
        return box

    def title_bar_of_box(self, timeout=5.0):
        """What the X server holds as the open box's title (_NET_WM_NAME):
        what a window manager writes in its title bar."""
        def titled():
            titles = [self.display.title_of(w) for w in self._other_windows()]
            return next((t for t in titles if t), None)
        return wait_for(titled, timeout, "a box with a title")

    def _other_windows(self):
        if not self.running():
            return set()
        return set(self.display.viewable_windows_of(self.process.pid)) - {self.window}

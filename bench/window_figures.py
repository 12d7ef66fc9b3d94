"""What the player waits for and what the machine pays, measured from outside.

Every figure is taken the same way for the quiz and for the floor program:
the clock starts when the process is started or the click leaves, and stops
when Xvfb's frame buffer first shows the result.
"""

import ctypes
import ctypes.util
import os
import subprocess
import time

from quizdriver.ui import UiError, wait_for

# The middle of the car button's visible part, in client pixels; the floor's
# button stands in the same place.
BUTTON_POINT = (710, 92)
# The window is hundreds of rows high: every sixteenth row of the screen is
# enough to see it appear, and cheap enough to look at every half millisecond
# without taking much of a core from the program being timed.
PAINT_ROW_STEP = 16
POLL_SECONDS = 0.0005

_libc = ctypes.CDLL(ctypes.util.find_library("c"), use_errno=True)


class _Timespec(ctypes.Structure):
    _fields_ = [("seconds", ctypes.c_long), ("nanoseconds", ctypes.c_long)]


def cpu_seconds(pid):
    """CPU time of all the process's threads so far, to the nanosecond."""
    clock = ctypes.c_int()
    if _libc.clock_getcpuclockid(pid, ctypes.byref(clock)) != 0:
        raise OSError("no CPU clock for process %d" % pid)
    now = _Timespec()
    if _libc.clock_gettime(clock.value, ctypes.byref(now)) != 0:
        raise OSError(ctypes.get_errno(), "clock_gettime")
    return now.seconds + now.nanoseconds / 1e9


def peak_rss_mib(pid):
    with open("/proc/%d/status" % pid) as status:
        for line in status:
            if line.startswith("VmHWM:"):
                return int(line.split()[1]) / 1024
    raise RuntimeError("no VmHWM for process %d" % pid)


def _wait(condition, timeout, what):
    return wait_for(condition, timeout, what, POLL_SECONDS)


class Run:
    """One process of the quiz or the floor, from its start to its end."""

    def __init__(self, bench, argv, env, time_first_paint=True):
        self.bench = bench
        # The screen's scale the program was started at: the window's pixels
        # on the X server are device pixels.
        self.scale = float(env.get("QT_SCALE_FACTOR", "1"))
        baseline = bench.screen.rows(bench.screen.whole(), PAINT_ROW_STEP)
        self.started = time.monotonic()
        self.process = subprocess.Popen(argv, env=env, stdin=subprocess.DEVNULL,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        if time_first_paint:
            self.first_paint = _wait(
                lambda: bench.screen.rows(bench.screen.whole(), PAINT_ROW_STEP) != baseline
                and time.monotonic(), 20, "the first paint") - self.started
        self.window = _wait(self._main_window, 20, "the main window")

    def _main_window(self):
        for window in self.bench.display.viewable_windows_of(self.process.pid):
            if self.bench.display.geometry(window)[2] >= BUTTON_POINT[0]:
                return window
        return None

    def client_point(self, x, y):
        """The screen point of the device pixel that holds the centre of the
        client area's logical pixel (x, y)."""
        wx, wy, _, height = self.bench.display.geometry(self.window)
        client_top = wy + height - round(self.bench.facts.client_height * self.scale)
        return wx + int((x + 0.5) * self.scale), client_top + int((y + 0.5) * self.scale)

    def boxes(self):
        return set(self.bench.display.viewable_windows_of(self.process.pid)) - {self.window}

    def _new_box(self, known):
        """A window of the program mapped since `known` was listed, if any."""
        display = self.bench.display
        for window in set(display.top_level_windows()) - known:
            if display.pid_of(window) == self.process.pid and display.is_viewable(window):
                return window
        return None

    def click_to_box(self, point):
        """Seconds from a click at `point` to the box it opens painted on screen."""
        hands, screen, display = self.bench.hands, self.bench.screen, self.bench.display
        hands.move(*point)
        time.sleep(0.2)  # the button's hover look is painted before the clock starts
        before = screen.rows(screen.whole())
        known = set(display.top_level_windows())
        clicked = time.monotonic()
        hands.click()
        box = _wait(lambda: self._new_box(known), 10, "a box")
        x, y, w, h = display.geometry(box)
        _wait(lambda: screen.rows((x, y, w, h)) != [row[x * 4:(x + w) * 4]
                                                    for row in before[y:y + h]],
              10, "the box to be painted")
        return time.monotonic() - clicked

    def close_box(self):
        """Return closes the box; pressed again should it come before the box
        has taken the keyboard (with no window manager, a box takes it itself
        a moment after it shows)."""
        boxes = self.boxes()
        for _ in range(10):
            self.bench.hands.press_return()
            try:
                _wait(lambda: not boxes & self.boxes(), 1, "the box to close")
                return
            except UiError:
                pass
        raise UiError("the box did not close")

    def click_map(self, px, py):
        frame = self.bench.facts.map_frame
        self.bench.hands.move(*self.client_point(frame + px, frame + py))
        self.bench.hands.click()

    def peak_rss_mib(self):
        return peak_rss_mib(self.process.pid)

    def cpu_seconds(self):
        return cpu_seconds(self.process.pid)

    def end(self):
        if self.process.poll() is None:
            self.process.kill()
        self.process.wait()
        time.sleep(0.1)  # the screen is black again before the next start


class QuizChallenge:
    """A whole challenge in the quiz, told which country by the sound it plays."""

    def __init__(self, facts, fixture):
        self.facts, self.fixture = facts, fixture
        self._countries = {c["sound"]: c for c in facts.countries}

    def finish(self, run, audio_output):
        """With the prompt box open: close it, answer right, close the answer."""
        country = _wait(lambda: self._asked(audio_output), 5, "the country's sound")
        run.close_box()
        points = self.facts.points_answering(country["number"])
        run.click_map(*points[0][1])
        _wait(lambda: run.boxes(), 5, "the answer")
        run.close_box()

    def _asked(self, audio_output):
        for played in reversed(self.fixture.played(audio_output)):
            if played.sound in self._countries:
                return self._countries[played.sound]
        return None


def idle_cpu_per_minute(bench, programs, windows):
    """CPU seconds a minute that each of `programs` (argv, env) costs, started
    together and left untouched, so that all meet the same machine; one list
    of figures for each (start, length) window, in seconds from the start."""
    runs = [Run(bench, argv, env, time_first_paint=False) for argv, env in programs]
    started = time.monotonic()
    figures = []
    try:
        for start, length in windows:
            time.sleep(max(0.0, started + start - time.monotonic()))
            before = [run.cpu_seconds() for run in runs]
            time.sleep(length)
            figures.append([(run.cpu_seconds() - then) / length * 60
                            for run, then in zip(runs, before)])
        return figures
    finally:
        for run in runs:
            run.end()


def environment(run_dir, audio, scale=1):
    """The programs' environment; `audio` picks what the quiz finds as its
    device, `scale` the screen's scale both programs are started at."""
    env = {k: v for k, v in os.environ.items() if not k.startswith(("SDL_", "QT_SCALE"))}
    env.update({"QT_QPA_PLATFORM": "xcb", "XDG_RUNTIME_DIR": run_dir})
    if scale != 1:
        env["QT_SCALE_FACTOR"] = str(scale)
    env.pop("LD_PRELOAD", None)
    env.pop("DBUS_SESSION_BUS_ADDRESS", None)
    if audio == "disk":
        env.update({"SDL_AUDIODRIVER": "disk",
                    "SDL_DISKAUDIOFILE": os.path.join(run_dir, "audio.raw")})
    elif audio.startswith("slow:"):
        slow = os.path.join(run_dir, "slow-device")
        env.update({"SDL_AUDIODRIVER": "disk", "SDL_DISKAUDIOFILE": slow,
                    "EUROPA_SLOW_DEVICE": slow, "LD_PRELOAD": audio[len("slow:"):]})
    return env

"""The common ground of the real-window scenarios.

The run script provides, in the environment: the program (EUROPA_QUIZ), the
map-facts helper (EUROPA_MAP_FACTS) and a scratch folder (EUROPA_WORK); on
an X server also the folder where Xvfb keeps its frame buffer (EUROPA_FBDIR).
"""

import os
import tempfile
import time
import unittest

from gi.repository import Gio, GLib

from .mapfacts import MapFacts
from .program import QuizProgram, prepare_program_folder
from .screen import Screen
from .sounds import RATE
from .wayland import WaylandQuizProgram

CAR_BUTTON = "Click on me to travel among the States of our dear Europe"
EXIT_BUTTON = "EXIT"
EXACT = "        EXACT"

# How much later than the window's first showing the anthem may be heard. The
# sound thread opens the device before it reads the anthem, and the device
# plays in buffers of 11.6 ms; on a machine running the test command's two
# builds side by side that takes tens of milliseconds. A quarter of a second
# still tells an anthem started with the window from one held back until later.
# (That it is asked for before the controls are even loaded is a widget test.)
ANTHEM_SLACK_SECONDS = 0.25


def _wait_for_accessibility_bus(timeout=10.0):
    # A program started before the bus launcher owns its name would come up
    # without accessibility and stay invisible to the driver.
    bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        reply = bus.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus",
                              "org.freedesktop.DBus", "NameHasOwner",
                              GLib.Variant("(s)", ("org.a11y.Bus",)), None,
                              Gio.DBusCallFlags.NONE, -1, None)
        if reply.unpack()[0]:
            return
        time.sleep(0.02)
    raise RuntimeError("the accessibility bus launcher never came up")


class ProgramTestCase(unittest.TestCase):
    """A scenario with the program in a folder of its own, beside stand-in sounds."""

    # The driver for the display server the run script started.
    driver = QuizProgram

    @classmethod
    def setUpClass(cls):
        _wait_for_accessibility_bus()
        cls.work = os.environ["EUROPA_WORK"]
        cls.facts = MapFacts.load()
        cls.program, cls.fixture = prepare_program_folder(
            os.environ["EUROPA_QUIZ"], cls.facts, os.path.join(cls.work, "program"))

    def start(self, audio="disk", wait=True, environment=None, closed_descriptors=()):
        run_dir = tempfile.mkdtemp(prefix=self._testMethodName + ".", dir=self.work)
        quiz = self.driver(self.program, self.fixture, self.facts, run_dir, audio, environment,
                           closed_descriptors)
        self.addCleanup(quiz.stop)
        self.keep_at_end(run_dir)
        if wait:
            quiz.wait_window()
        return quiz

    def keep_at_end(self, run_dir):
        """Keeps, beside the program's output, what a failure report needs."""

    # --- shared steps ----------------------------------------------------------

    def start_challenge(self, quiz):
        """Presses the car button and closes the prompt; returns the country asked for."""
        quiz.click_accessible(quiz.ui.button(CAR_BUTTON))
        box = quiz.wait_box()
        self.assertTrue(box.text.startswith("Click on "), box.text)
        quiz.close_box("enter")
        return box.text[len("Click on "):]

    def expect_box(self, quiz, text, how="enter"):
        box = quiz.close_box(how)
        self.assertEqual(box.text, text)
        return box

    def assert_ends_without_another_box(self, quiz, timeout=10.0):
        deadline = time.monotonic() + timeout
        while quiz.running():
            self.assertEqual(quiz.ui.boxes(), [], "another box after the last one")
            self.assertLess(time.monotonic(), deadline, "the program did not end")
            time.sleep(0.01)
        self.assertEqual(quiz.wait_exit(), 0, quiz.stderr())

    def label_of_country(self, country):
        """The country's largest label: its middle is the surest place to click."""
        number = self.facts.country_number(country)
        points = self.facts.points_answering(number)
        self.assertTrue(points, "no shown label answers for " + country)
        return max((label for label, _ in points),
                   key=lambda l: (l.right - l.left) * (l.bottom - l.top))


class QuizTestCase(ProgramTestCase):
    """A scenario on an X server, whose screen is kept when it fails."""

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.screen = Screen(os.environ["EUROPA_FBDIR"])

    @classmethod
    def tearDownClass(cls):
        cls.screen.close()

    def keep_at_end(self, run_dir):
        # Cleanups run last-in first-out: the screen is kept as it was at the end.
        self.addCleanup(self.screen.save, os.path.join(run_dir, "screen-at-end.xwd"))

    def start_with_the_anthem(self):
        """Starts the program with its sound recorded; returns it once its
        window has shown, having checked that the first sound heard is the
        anthem, playing when the window first showed."""
        quiz = self.start(wait=False)
        opened_at = mapped_at = None
        deadline = time.monotonic() + 15
        while mapped_at is None or self.facts.anthem not in quiz.sounds_heard():
            self.assertTrue(quiz.running(), quiz.stderr())
            self.assertLess(time.monotonic(), deadline, "no window or no anthem")
            if opened_at is None and os.path.exists(quiz.audio_output):
                opened_at = time.monotonic()
            if mapped_at is None and quiz.display.viewable_windows_of(quiz.process.pid):
                mapped_at = time.monotonic()
            time.sleep(0.001)

        # The disk device writes in real time from the moment it opens, so a
        # sample's place in its output tells when it was played.
        heard = quiz.fixture.played(quiz.audio_output)
        self.assertEqual(heard[0].sound, self.facts.anthem, "something played before the anthem")
        anthem_at = opened_at + heard[0].start / RATE
        self.assertLessEqual(anthem_at, mapped_at + ANTHEM_SLACK_SECONDS,
                             "the anthem started %.0f ms after the window showed"
                             % (1000 * (anthem_at - mapped_at)))
        self.assertTrue(heard[0].ongoing or anthem_at + heard[0].length / RATE > mapped_at,
                        "the anthem was over before the window showed")
        quiz.wait_window()
        return quiz


class WaylandTestCase(ProgramTestCase):
    """A scenario on a headless Wayland compositor, which has no screen to keep."""

    driver = WaylandQuizProgram

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
from .wayland import WaylandQuizProgram

CAR_BUTTON = "Click on me to travel among the States of our dear Europe"
EXIT_BUTTON = "EXIT"
EXACT = "        EXACT"


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

    def start(self, audio="disk", wait=True, environment=None):
        run_dir = tempfile.mkdtemp(prefix=self._testMethodName + ".", dir=self.work)
        quiz = self.driver(self.program, self.fixture, self.facts, run_dir, audio, environment)
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


class WaylandTestCase(ProgramTestCase):
    """A scenario on a headless Wayland compositor, which has no screen to keep."""

    driver = WaylandQuizProgram

"""Under a window manager (any EUROPA_WM, see with-window-manager.sh), at the
scale EUROPA_SCALE gives the program (1 when unset): every kind of box opens
over the middle of the window, whole on the screen with its title bar, in the
same place each time it comes, and the program asks nothing more of its size
or place once it is mapped.

Each box is read from the X server once it has settled: its frame from
_NET_FRAME_EXTENTS, its place from the server. What the program asks is seen
through the RECORD extension (quizdriver/requests.py): a configure request of
the box's window or a rewrite of its WM_NORMAL_HINTS, sent between the
program's own MapWindow and its UnmapWindow, is the program asking again; the
window manager's own configures come from another client and do not count.
"""

import os
import time
import unittest

from quizdriver import input as xinput
from quizdriver.requests import RequestRecorder
from quizdriver.testcase import CAR_BUTTON, EXACT, EXIT_BUTTON, QuizTestCase
from quizdriver.ui import extents, wait_for

# How far a box's middle may lie from the window's: the toolkit halves both
# widths, and a window manager may give a box's frame a side a pixel wider.
CENTRE_TOLERANCE = 3
# A box has settled once its frame has stayed put this long.
SETTLED_FOR = 0.1
# Rounds of the game in one run: the instructions, a challenge from the
# keyboard and one from the car button, each with a miss and the answer.
ROUNDS = 3
RUNS = 2


class BoxPlacement(QuizTestCase):
    def setUp(self):
        self.scale = float(os.environ.get("EUROPA_SCALE", "1"))
        self.recorder = RequestRecorder()
        self.addCleanup(self.recorder.stop)
        self.seen = []        # (what, window, frame, client geometry) of every box
        self.faults = []

    def test_every_box_opens_over_the_window_and_stays(self):
        for _ in range(RUNS):
            self.play_one_run()
        self.recorder.settle()

        places = {}
        for what, window, frame, inside in self.seen:
            # The same box is the same title and text, however it was opened.
            places.setdefault(what[1:], set()).add(frame)
            asked = self.recorder.asked_once_mapped(window)
            if not self.recorder.mapped(window):
                self.faults.append("%s: its MapWindow was not recorded" % (what,))
            if asked:
                self.faults.append("%s, %s: asked again once mapped: %s" % (
                    what, inside, "; ".join(r.describe() for r in asked)))
        for what, frames in places.items():
            if len(frames) > 1:
                self.faults.append("%s: opened in %d places: %s" % (what, len(frames),
                                                                   sorted(frames)))
        self.assertGreaterEqual(len(self.seen), 20 * RUNS)
        self.assertEqual(self.faults, [], "\n".join(self.faults))

    # --- one run of the game ----------------------------------------------------

    def play_one_run(self):
        quiz = self.start(audio="dummy", environment={"QT_SCALE_FACTOR": str(self.scale)})
        self.window_frame(quiz)
        for _ in range(ROUNDS):
            self.click_control(quiz, quiz.ui.menu_item("Instructions"))
            self.read_box(quiz, "instructions")
            xinput.key("Return")
            self.play_challenge(quiz, "the prompt from the keyboard")
            self.click_control(quiz, quiz.ui.button(CAR_BUTTON))
            self.play_challenge(quiz, "the prompt from the car button")
        self.click_control(quiz, quiz.ui.button(EXIT_BUTTON))
        self.read_box(quiz, "the exit box")
        self.assertEqual(quiz.wait_exit(), 0, quiz.stderr())
        self.assertEqual(quiz.stderr(), "")

    def play_challenge(self, quiz, how):
        prompt = self.read_box(quiz, how)
        country = prompt[len("Click on "):]
        other = next(c["name"] for c in self.facts.countries
                     if c["drawn"] and c["name"] != country)
        self.click_country(quiz, other)
        self.read_box(quiz, "a miss")
        self.click_country(quiz, country)
        self.assertEqual(self.read_box(quiz, "the answer"), EXACT)

    def click_control(self, quiz, acc):
        """A click in the middle of a control, whose place the accessibility
        bus gives in the toolkit's unscaled pixels."""
        x, y, width, height = extents(acc)
        xinput.click(round((x + width / 2) * self.scale), round((y + height / 2) * self.scale))

    def click_country(self, quiz, country):
        px, py = self.facts.best_point(self.label_of_country(country))
        wx, wy, _, height = quiz.display.geometry(quiz.window)
        menu_bar = round(height / self.scale) - self.facts.client_height
        xinput.click(wx + int((self.facts.map_frame + px + 0.5) * self.scale),
                     wy + int((menu_bar + self.facts.map_frame + py + 0.5) * self.scale))

    # --- what the X server holds --------------------------------------------------

    def window_frame(self, quiz):
        frame = wait_for(lambda: quiz.display.frame_geometry(quiz.window), 5.0,
                         "the window manager to frame the window")
        self.assertGreater(quiz.display.frame_extents(quiz.window)[2], 0, "no title bar")
        return frame

    def read_box(self, quiz, kind):
        """Reads the open box once settled, checks where it lies, closes it and
        returns its text."""
        box = quiz.wait_box()
        window = wait_for(lambda: self.box_window(quiz), 5.0, "the box %r to be framed" % box.text)
        frame = self.settled_frame(quiz, window)
        inside = quiz.display.geometry(window)
        what = (kind, box.title, box.text)
        self.seen.append((what, window, frame, inside))

        screen_width, screen_height = quiz.display.screen_size()
        x, y, width, height = frame
        if x < 0 or y < 0 or x + width > screen_width or y + height > screen_height:
            self.faults.append("%s: the frame %s runs off the %dx%d screen" % (
                what, frame, screen_width, screen_height))
        if quiz.display.frame_extents(window)[2] <= 0:
            self.faults.append("%s: no title bar" % (what,))
        off = [a - b for a, b in zip(centre(inside), centre(quiz.display.geometry(quiz.window)))]
        if max(abs(d) for d in off) > CENTRE_TOLERANCE:
            self.faults.append("%s: its middle lies %+d, %+d px from the window's" % (
                what, off[0], off[1]))

        quiz.close_box("enter")
        return box.text

    def box_window(self, quiz):
        boxes = [w for w in quiz.display.viewable_windows_of(quiz.process.pid)
                 if w != quiz.window and quiz.display.frame_extents(w)]
        return boxes[0] if boxes else None

    def settled_frame(self, quiz, window):
        frame, since = quiz.display.frame_geometry(window), time.monotonic()
        deadline = since + 3.0
        while time.monotonic() < deadline:
            time.sleep(0.01)
            now = quiz.display.frame_geometry(window)
            if now != frame:
                frame, since = now, time.monotonic()
            elif time.monotonic() - since >= SETTLED_FOR:
                return frame
        self.fail("the box's frame was still moving after 3 s: %s" % (frame,))


def centre(geometry):
    x, y, width, height = geometry
    return (2 * x + width) / 2, (2 * y + height) / 2


if __name__ == "__main__":
    unittest.main()

import os
import random
import time
import unittest

from quizdriver import input as xinput
from quizdriver import ui as atspi
from quizdriver.testcase import CAR_BUTTON, EXIT_BUTTON, QuizTestCase

SEEDS = tuple(int(s) for s in os.environ.get("STORM_SEEDS", "1 2 3").split())
MAX_CLICKS = 1000
ERROR_LIMIT = 20

GAME_OVER_TITLE = "Fine del gioco"
INSTRUCTIONS_TITLE = "Attention"

# A click that must open a box gets this long to do it; any other click gets a
# short look, since a box it opened unexpectedly would still be read (and
# counted) at the next look.
BOX_EXPECTED_SECONDS = 2.0
SETTLE_SECONDS = 0.03


def _inside(point, rect):
    x, y = point
    rx, ry, rw, rh = rect
    return rx <= x < rx + rw and ry <= y < ry + rh


def _grown(rect, margin):
    x, y, w, h = rect
    return x - margin, y - margin, w + 2 * margin, h + 2 * margin


class Storm:
    """One game played by random clicks, every box read and closed as it opens."""

    def __init__(self, test, quiz, seed):
        self.test, self.quiz, self.random = test, quiz, random.Random(seed)
        self.window = quiz.display.geometry(quiz.window)
        self.car = quiz.ui.button(CAR_BUTTON)
        # The exit button ends the game by another road; the storm stays off it.
        self.exit_area = _grown(quiz.visible_rect(quiz.ui.button(EXIT_BUTTON)), 3)
        self.instructions = quiz.visible_rect(quiz.ui.menu_item("Instructions"))
        self.wrong_boxes = 0
        self.game_over_boxes = 0

    def random_point(self):
        x, y, w, h = self.window
        while True:
            point = (x + self.random.randrange(w), y + self.random.randrange(h))
            if not _inside(point, self.exit_area):
                return point

    def expects_box(self, point):
        if len(self.quiz.display.viewable_windows_of(self.quiz.process.pid)) > 1:
            return False  # a menu is open and may swallow the click
        if _inside(point, self.instructions):
            return True
        if atspi.showing(self.car) and _inside(point, self.quiz.visible_rect(self.car)):
            return True
        ox, oy = self.quiz.client_origin()
        frame = self.quiz.facts.map_frame
        px, py = point[0] - ox - frame, point[1] - oy - frame
        if 0 <= px < self.quiz.facts.map_width and 0 <= py < self.quiz.facts.map_height:
            label = self.quiz.facts.label_at(px, py)
            return label is not None and label.handler
        return False

    def handle_box(self, box):
        """Reads and closes one box; returns False once the game is over."""
        t = self.test
        if box.title == GAME_OVER_TITLE:
            self.game_over_boxes += 1
            t.assertEqual(self.wrong_boxes, ERROR_LIMIT, "the game ended early")
            t.assertEqual(self.quiz.counter("errors"), str(ERROR_LIMIT))
            self.quiz.close_box("enter")
            return False
        t.assertTrue(box.text.startswith("This is")
                     or box.text.startswith("Click on ")
                     or box.text.strip() == "EXACT"
                     or box.title == INSTRUCTIONS_TITLE,
                     "unexpected box %r: %r" % (box.title, box.text))
        self.quiz.close_box(self.random.choice(("enter", "click")))
        if box.text.startswith("This is"):
            self.wrong_boxes += 1
            if self.wrong_boxes < ERROR_LIMIT:
                self.quiz.wait_counter("errors", str(self.wrong_boxes))
        return True

    def play(self):
        t, quiz = self.test, self.quiz
        for _ in range(MAX_CLICKS):
            t.assertTrue(quiz.running(), "the program died:\n" + quiz.stderr())
            point = self.random_point()
            expected = self.expects_box(point)
            xinput.click(*point)
            deadline = time.monotonic() + (BOX_EXPECTED_SECONDS if expected else SETTLE_SECONDS)
            boxes = quiz.ui.boxes()
            while not boxes and time.monotonic() < deadline:
                time.sleep(0.005)
                boxes = quiz.ui.boxes()
            t.assertTrue(boxes or not expected, "a click at %s opened no box" % (point,))
            while boxes:
                if not self.handle_box(boxes[0]):
                    return
                boxes = quiz.ui.boxes()
            if self.wrong_boxes < ERROR_LIMIT:
                t.assertEqual(quiz.counter("errors"), str(self.wrong_boxes))
            else:
                # The tick after the twentieth miss brings the end of the game.
                self.handle_box(quiz.wait_box())
                return
        t.fail("no end of the game after %d clicks" % MAX_CLICKS)


class ClickStorm(QuizTestCase):
    def test_random_clicks_until_the_error_limit(self):
        for seed in SEEDS:
            with self.subTest(seed=seed):
                quiz = self.start(audio="dummy")
                storm = Storm(self, quiz, seed)
                storm.play()
                self.assertEqual(storm.game_over_boxes, 1)
                self.assert_ends_without_another_box(quiz)


if __name__ == "__main__":
    unittest.main()

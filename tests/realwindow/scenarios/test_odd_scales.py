import time
import unittest

from quizdriver import input as xinput
from quizdriver.testcase import CAR_BUTTON, EXIT_BUTTON, QuizTestCase
from quizdriver.ui import UiError, extents

# A few hundred MB: the game at any scale it plays holds far less.
MEMORY_LIMIT_MB = 400

LINE_START = "europa-quiz: cannot open the window: at scale "

# Each scale set in QT_SCALE_FACTOR, and whether the game plays there: where
# it does not, no display could show its window.
SCALES = [
    ("0.5", True),
    ("0.75", True),
    ("1000", False),
    ("-1", False),
]


def click_button(quiz, caption, scale):
    """A click in the middle of a button, whose place the accessibility bus
    gives in the screen's logical pixels."""
    x, y, width, height = extents(quiz.ui.button(caption))
    xinput.click(round((x + width / 2) * scale), round((y + height / 2) * scale))


class OddScales(QuizTestCase):
    def plays(self, quiz, scale):
        try:
            self.play_and_leave(quiz, scale)
        except UiError:
            if not quiz.running():
                self.fail("the program ended with status %s:\n%s"
                          % (quiz.process.returncode, quiz.stderr()))
            raise

    def play_and_leave(self, quiz, scale):
        quiz.wait_window(scale=scale)
        click_button(quiz, CAR_BUTTON, scale)
        box = quiz.close_box()
        self.assertTrue(box.text.startswith("Click on "), box.text)
        click_button(quiz, EXIT_BUTTON, scale)
        self.assertLess(quiz.memory_mb(), MEMORY_LIMIT_MB)
        self.expect_box(quiz, "To the next challenge!")
        self.assert_ends_without_another_box(quiz)

    def ends_at_once_with_one_line(self, quiz, scale):
        started = time.monotonic()
        while quiz.running():
            memory = quiz.memory_mb(peak=False)
            if memory > MEMORY_LIMIT_MB or time.monotonic() - started > 10:
                quiz.process.kill()
                self.fail("still running after %.1f s, holding %.0f MB"
                          % (time.monotonic() - started, memory))
            time.sleep(0.02)
        self.assertEqual(quiz.wait_exit(), 1, quiz.stderr())
        lines = quiz.stderr().splitlines()
        self.assertEqual(len(lines), 1, quiz.stderr())
        self.assertTrue(lines[0].startswith(LINE_START + scale + " "), lines[0])

    def test_the_game_plays_or_ends_at_once_with_one_line(self):
        for scale, playable in SCALES:
            with self.subTest(scale=scale):
                quiz = self.start(audio="dummy", wait=False,
                                  environment={"QT_SCALE_FACTOR": scale})
                if playable:
                    self.plays(quiz, float(scale))
                else:
                    self.ends_at_once_with_one_line(quiz, scale)


if __name__ == "__main__":
    unittest.main()

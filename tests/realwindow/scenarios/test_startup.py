import os
import time
import unittest

from quizdriver import ui as atspi
from quizdriver.sounds import RATE
from quizdriver.testcase import CAR_BUTTON, EXIT_BUTTON, QuizTestCase
from quizdriver.ui import CLIENT_HEIGHT, CLIENT_WIDTH

CAPTION_START = " " * 30 + "Travel between the States of our splendid native land Europe - "

# How much later than the window's first showing the anthem may be heard. The
# sound thread opens the device before it reads the anthem, and the device
# plays in buffers of 11.6 ms; on a machine running the test command's two
# builds side by side that takes tens of milliseconds. A quarter of a second
# still tells an anthem started with the window from one held back until later.
# (That it is asked for before the controls are even loaded is a widget test.)
ANTHEM_SLACK_SECONDS = 0.25


class StartUp(QuizTestCase):
    def test_window_shows_at_its_size_with_caption_while_the_anthem_plays(self):
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
        x, y, width, height = quiz.display.geometry(quiz.window)
        bar_x, bar_y, bar_width, bar_height = atspi.extents(quiz.ui.menu_bar())
        self.assertEqual((width, height), (CLIENT_WIDTH, bar_height + CLIENT_HEIGHT),
                         "the window is not 796 by 544 under a %d-pixel menu bar" % bar_height)
        self.assertEqual((bar_x, bar_y, bar_width), (x, y, width),
                         "the menu bar does not span the window's top")

        # Centred on the screen.
        screen_width, screen_height = quiz.display.screen_size()
        self.assertLessEqual(abs(x - (screen_width - width) // 2), 1, "not centred across: x=%d" % x)
        self.assertLessEqual(abs(y - (screen_height - height) // 2), 1, "not centred down: y=%d" % y)

        title = quiz.display.title_of(quiz.window)
        self.assertTrue(title.startswith(CAPTION_START), repr(title))
        self.assertGreater(len(title), len(CAPTION_START), "the credit line is missing")
        icons = quiz.display.icon_sizes(quiz.window)
        for side in (16, 32, 48):
            self.assertIn((side, side), icons, "no %d-pixel window icon" % side)

    def test_the_game_waits_for_its_first_challenge(self):
        quiz = self.start(audio="dummy")
        quiz.wait_counter("points", "0")
        quiz.wait_counter("errors", "0")
        self.assertEqual(quiz.counter("prompt"), "")
        self.assertEqual(quiz.ui.boxes(), [])
        for caption in (CAR_BUTTON, EXIT_BUTTON):
            self.assertTrue(atspi.showing(quiz.ui.button(caption)), caption)


if __name__ == "__main__":
    unittest.main()

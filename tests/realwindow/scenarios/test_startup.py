import unittest

from quizdriver import ui as atspi
from quizdriver.testcase import CAR_BUTTON, EXIT_BUTTON, QuizTestCase

CAPTION_START = " " * 30 + "Travel between the States of our splendid native land Europe - "


class StartUp(QuizTestCase):
    def test_window_shows_at_its_size_with_caption_while_the_anthem_plays(self):
        quiz = self.start_with_the_anthem()
        x, y, width, height = quiz.display.geometry(quiz.window)
        bar_x, bar_y, bar_width, bar_height = atspi.extents(quiz.ui.menu_bar())
        client = (self.facts.client_width, self.facts.client_height)
        self.assertEqual((width, height), (client[0], bar_height + client[1]),
                         "the window is not %d by %d under a %d-pixel menu bar" % (*client, bar_height))
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

"""The game as a Wayland client, under a headless Weston (run-on-wayland.sh weston),
driven through the accessibility bus (quizdriver/wayland.py)."""

import unittest

from quizdriver.testcase import CAR_BUTTON, EXIT_BUTTON, WaylandTestCase
from quizdriver.ui import wait_for


class WaylandDesktop(WaylandTestCase):
    def test_starts_shows_its_boxes_and_ends_cleanly(self):
        quiz = self.start()
        self.assertTrue(quiz.running(), quiz.stderr())

        heard = wait_for(quiz.sounds_heard, 10.0, "the anthem")
        self.assertEqual(heard[0], self.facts.anthem)

        quiz.click_accessible(quiz.ui.button(CAR_BUTTON))
        prompt = quiz.close_box()
        self.assertEqual(prompt.title, "Europa Quiz")
        self.assertTrue(prompt.text.startswith("Click on "), prompt.text)

        quiz.click_accessible(quiz.ui.button(EXIT_BUTTON))
        self.expect_box(quiz, "To the next challenge!")
        self.assertEqual(quiz.wait_exit(), 0, quiz.stderr())
        # The desktop matches the window to its menu entry by this id.
        self.assertIn('set_app_id("org.example.EuropaQuiz")', quiz.stderr())


if __name__ == "__main__":
    unittest.main()

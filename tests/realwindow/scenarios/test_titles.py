import unittest

from quizdriver.testcase import CAR_BUTTON, QuizTestCase

# What a window manager writes in each title bar is what the X server holds
# as the window's _NET_WM_NAME; the toolkit's own idea of the title may differ.
# (The end box's title bar is checked where the game ends, in test_endings.)
APPLICATION_TITLE = "Europa Quiz"
INSTRUCTIONS_TITLE = "Attention"


class TitleBars(QuizTestCase):
    def test_each_window_is_titled_exactly(self):
        quiz = self.start(audio="dummy")
        main_title = quiz.display.title_of(quiz.window)
        self.assertNotIn("\u2014", main_title, "something was added to the caption")

        quiz.click_accessible(quiz.ui.menu_item("Instructions"))
        self.assertEqual(quiz.title_bar_of_box(), INSTRUCTIONS_TITLE)
        quiz.close_box("enter")

        quiz.click_accessible(quiz.ui.button(CAR_BUTTON))
        self.assertEqual(quiz.title_bar_of_box(), APPLICATION_TITLE)
        quiz.close_box("enter")
        self.assertEqual(quiz.display.title_of(quiz.window), main_title)


if __name__ == "__main__":
    unittest.main()

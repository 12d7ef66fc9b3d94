import unittest

from quizdriver import ui as atspi
from quizdriver.testcase import QuizTestCase


# Run on a screen smaller than the window (EUROPA_SCREEN in CMakeLists.txt).
class SmallScreen(QuizTestCase):
    def test_the_window_keeps_its_top_left_corner_on_the_screen(self):
        quiz = self.start(audio="dummy")
        screen = quiz.display.screen_size()
        x, y, width, height = quiz.display.geometry(quiz.window)
        self.assertGreater(width, screen[0], "the screen is not smaller than the window")
        self.assertEqual((x, y), (0, 0), "the window's top-left corner is off the screen")
        bar_x, bar_y, _, bar_height = atspi.extents(quiz.ui.menu_bar())
        self.assertGreaterEqual(bar_y, 0)
        self.assertLessEqual(bar_y + bar_height, screen[1], "the menu bar is off the screen")

        # Portugal, at the west edge of the map, can be clicked.
        portugal = self.facts.label("Label21")
        sx, sy = quiz.map_point_on_screen(*self.facts.best_point(portugal))
        self.assertTrue(0 <= sx < screen[0] and 0 <= sy < screen[1], (sx, sy))
        quiz.click_label(portugal)
        self.expect_box(quiz, "This is Portugal")


if __name__ == "__main__":
    unittest.main()

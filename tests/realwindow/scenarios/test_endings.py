import unittest

from quizdriver.testcase import EXIT_BUTTON, QuizTestCase

GAME_OVER_TITLE = "Fine del gioco"
GAME_OVER = "Mi dispiace hai superato la soglia dei 20 errori... La tua gara \u00e8 finita"


class Endings(QuizTestCase):
    def test_the_twentieth_miss_ends_the_game_with_one_box(self):
        quiz = self.start(audio="dummy")
        bulgaria = self.facts.label("Label3")
        for errors in range(1, 21):
            quiz.click_label(bulgaria)
            self.expect_box(quiz, "This is  Bulgaria")
            if errors < 20:
                quiz.wait_counter("errors", str(errors))

        end = quiz.wait_box()
        self.assertEqual((end.title, end.text), (GAME_OVER_TITLE, GAME_OVER))
        self.assertEqual(quiz.title_bar_of_box(), GAME_OVER_TITLE, "the title bar reads otherwise")
        self.assertEqual(quiz.counter("errors"), "20")
        quiz.close_box("enter")
        self.assert_ends_without_another_box(quiz)

    def test_the_exit_button_says_goodbye_then_ends(self):
        quiz = self.start(audio="dummy")
        quiz.click_accessible(quiz.ui.button(EXIT_BUTTON))
        self.expect_box(quiz, "To the next challenge!", how="click")
        self.assert_ends_without_another_box(quiz)

    def test_closing_the_window_ends_the_program(self):
        quiz = self.start(audio="dummy")
        quiz.display.request_close(quiz.window)
        self.assert_ends_without_another_box(quiz)


if __name__ == "__main__":
    unittest.main()

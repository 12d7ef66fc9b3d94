import time
import unittest

from quizdriver import ui as atspi
from quizdriver.testcase import CAR_BUTTON, EXACT, QuizTestCase

GREETING_GREEN = (0, 255, 0)
BLACK = (0, 0, 0)


class WholeChallenge(QuizTestCase):
    def test_a_solved_challenge_brings_the_button_back_and_scores_at_the_next(self):
        quiz = self.start()
        car = quiz.ui.button(CAR_BUTTON)
        button_area = quiz.visible_rect(car)
        atspi.wait_for(lambda: self.screen.fraction_of_colour(button_area, BLACK) < 0.5, 5,
                       "the window to be painted")
        idle = self.screen.rows(button_area)

        quiz.click_accessible(car)
        prompt = quiz.wait_box()
        self.assertRegex(prompt.text, r"^Click on \S")
        country = prompt.text[len("Click on "):]
        self.assertEqual(quiz.counter("prompt"), "", "the name showed before the prompt closed")
        quiz.close_box("enter")

        quiz.wait_counter("prompt", country)
        self.assertFalse(atspi.showing(car), "the car button stayed")
        atspi.wait_for(lambda: self.screen.fraction_of_colour(button_area, GREETING_GREEN) > 0.02,
                       2, "the greetings where the car button was")
        atspi.wait_for(lambda: self.facts.sound_of(country) in quiz.sounds_heard(), 2,
                       "the sound of " + country)

        quiz.click_label(self.label_of_country(country))
        answer = quiz.wait_box()
        self.assertEqual(answer.text, EXACT)
        # The success sound waits for the player to close the answer.
        time.sleep(0.1)
        self.assertNotIn(self.facts.success, quiz.sounds_heard())
        quiz.close_box("click")

        atspi.wait_for(lambda: atspi.showing(car), 2, "the car button to come back")
        self.assertEqual(quiz.counter("prompt"), "")
        atspi.wait_for(lambda: self.screen.fraction_changed(button_area, idle) < 0.05, 2,
                       "the car button to cover the greetings again")
        atspi.wait_for(lambda: self.facts.success in quiz.sounds_heard(), 2, "the success sound")
        self.assertEqual(quiz.counter("errors"), "0")
        self.assertEqual(quiz.counter("points"), "0", "the point came before the next challenge")

        quiz.click_accessible(car)
        self.assertTrue(quiz.wait_box().text.startswith("Click on "))
        self.assertEqual(quiz.counter("points"), "0", "the announcement shows the points before")
        quiz.close_box("enter")
        quiz.wait_counter("points", "1")


if __name__ == "__main__":
    unittest.main()

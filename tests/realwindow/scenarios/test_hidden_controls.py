"""A control the player cannot reach answers no one: pressed through the
accessibility bus, as screen readers and switch access press it, neither the
hidden car button nor a control under an open box does anything."""

import time
import unittest

from quizdriver import ui as atspi
from quizdriver.testcase import CAR_BUTTON, EXACT, EXIT_BUTTON, QuizTestCase
from quizdriver.wayland import press

# A press through the bus lands a tenth of a second after it is made.
PRESS_LANDS = 0.5


class HiddenControls(QuizTestCase):
    def test_the_hidden_car_button_starts_nothing(self):
        quiz = self.start()
        car = quiz.ui.button(CAR_BUTTON)
        country = self.start_challenge(quiz)
        quiz.wait_counter("prompt", country)
        atspi.wait_for(lambda: not atspi.showing(car), 2, "the car button to hide")

        press(car)
        time.sleep(PRESS_LANDS)

        self.assertEqual([box.text for box in quiz.ui.boxes()], [], "the hidden button answered")
        self.assertFalse(atspi.showing(car))
        self.assertEqual(quiz.counter("prompt"), country)
        self.assertEqual(quiz.counter("points"), "0")

        # The challenge goes on, and its point is counted once, at the next.
        quiz.click_label(self.label_of_country(country))
        self.assertEqual(quiz.close_box("enter").text, EXACT)
        atspi.wait_for(lambda: atspi.showing(car), 2, "the car button to come back")
        self.start_challenge(quiz)
        quiz.wait_counter("points", "1")

    def test_nothing_under_an_open_box_answers(self):
        quiz = self.start()
        car = quiz.ui.button(CAR_BUTTON)
        controls = [car, quiz.ui.button(EXIT_BUTTON), quiz.ui.menu_item("Instructions")]
        quiz.click_accessible(car)
        prompt = quiz.wait_box()

        for control in controls:
            press(control)
        time.sleep(PRESS_LANDS)

        self.assertEqual([box.text for box in quiz.ui.boxes()], [prompt.text])
        quiz.close_box("enter")
        quiz.wait_counter("prompt", prompt.text[len("Click on "):])
        time.sleep(PRESS_LANDS)
        self.assertTrue(quiz.running(), quiz.stderr())
        self.assertEqual(quiz.ui.boxes(), [])
        self.assertFalse(atspi.showing(car))
        self.assertEqual(quiz.counter("points"), "0")


if __name__ == "__main__":
    unittest.main()

import unittest

from quizdriver import ui as atspi
from quizdriver.testcase import CAR_BUTTON, QuizTestCase

# A label, the member of its group (-1 for a single label), and what a click on
# it says to a player who is not being asked for its country.
MISSES = [
    ("Label3", -1, "This is  Bulgaria"),
    ("Label9", -1, "This is Hungary"),
    ("Label31", -1, "This is  Finland "),
    ("Label71", -1, "This is Belgium"),   # it covers Label55 entirely
    ("Label50", 2, "This is Italy"),      # Sicily
    ("Label20", -1, "This is Portugal"),
]


class Misses(QuizTestCase):
    def test_before_any_challenge_every_country_is_a_miss_counted_once(self):
        quiz = self.start()
        for errors, (name, index, message) in enumerate(MISSES, start=1):
            with self.subTest(label=name, index=index):
                quiz.click_label(self.facts.label(name, index))
                self.expect_box(quiz, message, how="enter" if errors % 2 else "click")
                quiz.wait_counter("errors", str(errors))
        self.assertEqual(quiz.sounds_heard(), [self.facts.anthem], "a miss made a sound")
        self.assertTrue(atspi.showing(quiz.ui.button(CAR_BUTTON)))
        self.assertEqual(quiz.counter("prompt"), "")
        self.assertEqual(quiz.counter("points"), "0")

    def test_a_miss_during_a_challenge_leaves_the_challenge_open(self):
        quiz = self.start(audio="dummy")
        country = self.start_challenge(quiz)
        asked = self.facts.country_number(country)
        name, index, message = next(
            m for m in MISSES if self.facts.country_of(self.facts.label(m[0], m[1])) != asked)
        quiz.click_label(self.facts.label(name, index))
        self.expect_box(quiz, message)
        quiz.wait_counter("errors", "1")
        self.assertEqual(quiz.counter("prompt"), country)
        self.assertFalse(atspi.showing(quiz.ui.button(CAR_BUTTON)))


if __name__ == "__main__":
    unittest.main()

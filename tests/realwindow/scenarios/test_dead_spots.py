import unittest

from quizdriver.testcase import QuizTestCase

# Points of the map, in twips, where a click must do nothing, and the label on
# top there (None: the bare map).
DEAD_SPOTS = [
    ("the Bay of Biscay", (1200, 5100), None),
    ("northern France", (2500, 4850), "Label67"),
    ("Switzerland", (3180, 5370), None),
    ("southern Norway", (3600, 2250), None),
    ("the Pyrenees", (2100, 6075), "Label69"),
]


class DeadSpots(QuizTestCase):
    def test_clicks_where_no_label_answers_do_nothing(self):
        quiz = self.start()
        for place, twips, on_top in DEAD_SPOTS:
            pixel = self.facts.pixel_of_twips(*twips)
            label = self.facts.label_at(*pixel)
            self.assertEqual(label and label.name, on_top, place)
            quiz.click_map(*pixel)

        # Boxes are modal and clicks are handled in order: had any spot above
        # opened a box, that box would come first and swallow this click. Its
        # country lies far from all of them, so no wrong answer can pass for it.
        quiz.click_label(self.facts.label("Label9"))
        self.expect_box(quiz, "This is Hungary")
        quiz.wait_counter("errors", "1")

        # Inside both Label68 and Label67: Label68 lies on top and answers.
        quiz.click_map(*self.facts.pixel_of_twips(2500, 5100))
        self.expect_box(quiz, "This is  France")
        quiz.wait_counter("errors", "2")
        self.assertEqual(quiz.sounds_heard(), [self.facts.anthem], "a click made a sound")


if __name__ == "__main__":
    unittest.main()

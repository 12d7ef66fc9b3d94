"""The game played with Orca listening: what a player who listens hears.

Orca's debug log holds every utterance it would speak. Boxes opened by a mouse
click are the ones a screen reader may take in silence (it can handle the
click after the box's window is already active), which shows one time in
several: the challenge is played five times over with the mouse.
"""

import os
import unittest

import pyatspi

from quizdriver import input as xinput
from quizdriver import ui as atspi
from quizdriver.orca import Orca
from quizdriver.testcase import CAR_BUTTON, EXACT, EXIT_BUTTON, QuizTestCase

# Challenges played with the mouse, each opening three boxes by a click.
ROUNDS = 5
TEXT1_NAME = "Start"
MAP_NAME = "Map of Europe"
INSTRUCTIONS = "The game ends if it exceeds the 20 errors..."


def plain(utterance):
    """An utterance as words: Orca ends a phrase with a full stop and keeps a
    text's spaces as they are."""
    return " ".join(utterance.split()).rstrip(".")


def said(utterances, text):
    """How many times the text was spoken whole."""
    return [plain(u) for u in utterances].count(plain(text))


class ScreenReader(QuizTestCase):
    def setUp(self):
        self.orca = Orca(os.path.join(self.work, "orca." + self._testMethodName))
        self.addCleanup(self.orca.stop)

    def hear(self, text, since, what=None):
        """Waits until Orca has spoken the text whole; returns what it said since."""
        return self.orca.wait_spoken(lambda u: said(u, text) > 0, 10.0,
                                     what or repr(text), since)

    def tab_to(self, quiz, caption, stops=4):
        """Presses Tab until the button has the focus, once round the window at
        most, and hears it spoken."""
        button = quiz.ui.button(caption)
        for _ in range(stops):
            mark = self.orca.mark()
            xinput.key("Tab")
            try:
                atspi.wait_for(lambda: button.getState().contains(pyatspi.STATE_FOCUSED),
                               1.0, "the focus on " + caption)
            except atspi.UiError:
                continue
            self.hear(caption + " push button", mark)
            return
        self.fail("Tab never reached " + caption)

    def box_is_spoken_once(self, quiz, open_box):
        """Opens a box, hears its text while it is open, closes it with Enter,
        and checks that the text was spoken once; returns the place in Orca's
        log before the box was opened, and the box's text."""
        mark = self.orca.mark()
        open_box()
        text = quiz.wait_box().text
        self.hear(text, mark, "the box %r" % text)
        quiz.close_box("enter")
        self.assertEqual(said(self.orca.spoken_since(mark), text), 1,
                         "the box %r was spoken more than once: %r"
                         % (text, self.orca.spoken_since(mark)))
        return mark, text

    def test_every_stop_box_and_count_is_spoken(self):
        mark = self.orca.mark()
        quiz = self.start()
        caption = quiz.display.title_of(quiz.window)
        # The window, then the first focus by its name.
        at_start = self.hear(TEXT1_NAME + " text", mark, "the first focus")
        self.assertIn(plain(caption) + " frame", [plain(u) for u in at_start])

        # Each stop of the keyboard order by its name, and round to the first;
        # the map says what to do and names no country.
        countries = [c["name"] for c in self.facts.countries]
        for stop in (EXIT_BUTTON + " push button", CAR_BUTTON + " push button", MAP_NAME,
                     TEXT1_NAME + " text"):
            mark = self.orca.mark()
            xinput.key("Tab")
            heard = self.hear(stop, mark)
            if stop == MAP_NAME:
                # Its name, then its description.
                heard = self.orca.wait_spoken(
                    lambda u: [plain(w) for w in u].index(MAP_NAME) < len(u) - 1, 5.0,
                    "the map's description", mark)
                self.assertEqual([c for c in countries if c in " ".join(heard)], [],
                                 "the map names countries: %r" % heard)

        # The menu from the keyboard: Alt opens it at the instructions, Enter
        # chooses them.
        mark = self.orca.mark()
        xinput.hold("Alt_L")
        self.hear("Instructions", mark, "the menu opened by Alt")
        _, text = self.box_is_spoken_once(quiz, lambda: xinput.key("Return"))
        self.assertEqual(text, INSTRUCTIONS)

        # The car button from the keyboard: Tab to it, Space presses it.
        self.tab_to(quiz, CAR_BUTTON)
        _, text = self.box_is_spoken_once(quiz, lambda: xinput.key("space"))
        country = text[len("Click on "):]

        # Five challenges played with the mouse, every box opened by a click:
        # a miss, the answer, the next challenge's prompt. Each new count is
        # told as it appears.
        for challenge in range(1, ROUNDS + 1):
            wrong = next(c for c in countries if c != country
                         and self.facts.points_answering(self.facts.country_number(c)))
            mark, text = self.box_is_spoken_once(
                quiz, lambda: quiz.click_label(self.label_of_country(wrong)))
            self.assertEqual(plain(text), "This is " + wrong)
            self.hear("notification WRONG %d" % challenge, mark, "the errors counter")

            _, text = self.box_is_spoken_once(
                quiz, lambda: quiz.click_label(self.label_of_country(country)))
            self.assertEqual(text, EXACT)

            mark, text = self.box_is_spoken_once(
                quiz, lambda: quiz.click_accessible(quiz.ui.button(CAR_BUTTON)))
            self.assertTrue(text.startswith("Click on "), text)
            country = text[len("Click on "):]
            self.hear("notification EXACT %d" % challenge, mark, "the points counter")

        _, text = self.box_is_spoken_once(
            quiz, lambda: quiz.click_accessible(quiz.ui.menu_item("Instructions")))
        self.assertEqual(text, INSTRUCTIONS)
        counts = [u for u in self.orca.spoken() if plain(u).startswith("notification")]
        self.assertEqual(len(counts), len(set(counts)), "a count was told twice: %r" % counts)


if __name__ == "__main__":
    unittest.main()

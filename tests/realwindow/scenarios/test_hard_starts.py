import os
import signal
import time
import unittest

from quizdriver.slow_display import DelayingDisplay
from quizdriver.testcase import EXACT, EXIT_BUTTON, QuizTestCase


class SlowDisplay(QuizTestCase):
    """A display that answers, however slowly, gets the window."""

    def test_the_window_shows_on_a_display_far_away(self):
        for delay in (0.1, 0.2):
            with self.subTest(delay=delay):
                proxy = DelayingDisplay(os.environ["DISPLAY"], delay)
                self.addCleanup(proxy.close)
                quiz = self.start(audio="dummy", wait=False, environment={"DISPLAY": proxy.name})
                # A plain Qt window takes 14 s at 0.1 s and 27 s at 0.2 s.
                quiz.wait_mapped(timeout=240.0)
                quiz.stop()

    def test_a_pause_of_the_program_while_it_starts_is_not_the_displays_silence(self):
        # The display's first answer comes three seconds late, while the
        # program, two seconds into its start, is stopped for twelve, as
        # ctrl-Z in a terminal stops it.
        proxy = DelayingDisplay(os.environ["DISPLAY"], 0.05, hold_first_answer=3.0)
        self.addCleanup(proxy.close)
        quiz = self.start(audio="dummy", wait=False, environment={"DISPLAY": proxy.name})
        time.sleep(2.0)
        quiz.process.send_signal(signal.SIGTSTP)
        time.sleep(12)
        quiz.process.send_signal(signal.SIGCONT)
        quiz.wait_mapped(timeout=240.0)


class ClosedStandardDescriptors(QuizTestCase):
    """Started without stdin, stdout or stderr, the game plays to its end."""

    def test_the_game_plays_and_ends_with_status_zero(self):
        # The audio driver that fails writes the program's sound warning: with
        # stderr closed it must go nowhere, not into the display's connection.
        for closed in ((0,), (1,), (2,), (0, 1, 2)):
            for audio in ("bogus", "dummy"):
                with self.subTest(closed=closed, audio=audio):
                    quiz = self.start(audio=audio, wait=False, closed_descriptors=closed)
                    quiz.wait_window(timeout=30.0)
                    country = self.start_challenge(quiz)
                    quiz.click_label(self.label_of_country(country))
                    self.expect_box(quiz, EXACT)
                    quiz.click_accessible(quiz.ui.button(EXIT_BUTTON))
                    self.expect_box(quiz, "To the next challenge!", how="click")
                    self.assert_ends_without_another_box(quiz)


if __name__ == "__main__":
    unittest.main()

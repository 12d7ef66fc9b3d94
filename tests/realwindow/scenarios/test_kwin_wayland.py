"""The game on KDE Plasma's Wayland session, under a headless KWin
(run-on-wayland.sh kwin-wayland), driven through the accessibility bus and
seen as KWin sees it, through its scripting (quizdriver/kwin.py)."""

import unittest

from quizdriver.compositor import CompositorTestCase
from quizdriver.kwin import KWin
from quizdriver.wayland import WaylandQuizProgram


class PlasmaQuizProgram(WaylandQuizProgram):
    """Started as a player starts it on Plasma: with no platform named, so
    the program chooses from what the session says of itself."""

    PLATFORM = None


class KWinWaylandSession(CompositorTestCase):
    driver = PlasmaQuizProgram
    compositor = KWin

    def test_a_player_s_start_keeps_the_window_whole_with_its_boxes_over_it(self):
        self.play(self.start(), boxes_centred=True)

    def test_full_screen_asked_of_kwin_leaves_the_window_as_it_was(self):
        self.refuse_full_screen(self.start())


if __name__ == "__main__":
    unittest.main()

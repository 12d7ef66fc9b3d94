"""Under a window manager (EUROPA_WM, see with-window-manager.sh), on the
screen CMake sets for each run: the window shows at its size and whole with
its title bar, stays as it is when asked to fill the screen, and offers no
maximise; every box opens readable over it; a challenge plays and the exit
button ends the program cleanly. Frames, titles, states and the stacking are
read from the X server, as the manager sets them.
"""

import os
import subprocess
import time
import unittest

from quizdriver import input as xinput
from quizdriver import ui as atspi
from quizdriver.testcase import CAR_BUTTON, EXACT, EXIT_BUTTON, QuizTestCase
from quizdriver.text_width import text_width
from quizdriver.ui import wait_for

# Managers that keep the place a window asks for; the others place it by
# rules of their own, and only its being whole on the screen is checked.
KEEPS_THE_PLACE_ASKED = {"openbox", "xfwm4"}

FILLING_STATES = ("_NET_WM_STATE_MAXIMIZED_VERT", "_NET_WM_STATE_MAXIMIZED_HORZ",
                  "_NET_WM_STATE_FULLSCREEN")
MAXIMISING_ACTIONS = ("_NET_WM_ACTION_MAXIMIZE_VERT", "_NET_WM_ACTION_MAXIMIZE_HORZ")

# Long enough for a manager to carry out a request and the program to undo it.
SETTLE_SECONDS = 0.5


def frame_top_left(area, size):
    """Centred along each side where the frame fits, else against the free
    area's left or top edge."""
    def place(start, room, length):
        return start + (room - length) // 2 if length <= room else start
    return (place(area[0], area[2], size[0]), place(area[1], area[3], size[1]))


def wmctrl(window, *arguments):
    subprocess.run(["wmctrl", "-i", "-r", hex(window)] + list(arguments), check=True)


class UnderAWindowManager(QuizTestCase):
    def framed(self, quiz, window):
        return wait_for(lambda: quiz.display.frame_geometry(window), 5.0,
                        "the window manager to frame the window")

    def test_the_window_shows_whole_at_its_size_with_its_title_bar_and_the_anthem(self):
        quiz = self.start_with_the_anthem()
        display = quiz.display
        x, y, width, height = self.framed(quiz, quiz.window)
        inside = display.geometry(quiz.window)
        area = display.work_area()

        _, _, _, bar_height = atspi.extents(quiz.ui.menu_bar())
        client = (self.facts.client_width, self.facts.client_height)
        self.assertEqual(inside[2:], (client[0], bar_height + client[1]),
                         "the window is not %d by %d under a %d-pixel menu bar" % (*client, bar_height))
        self.assertGreater(display.frame_extents(quiz.window)[2], 0, "no title bar")
        self.assert_whole_on(area, (x, y, width, height), "the window's frame")
        if os.environ["EUROPA_WM"] in KEEPS_THE_PLACE_ASKED:
            self.assertEqual((x, y), frame_top_left(area, (width, height)),
                             "frame %s on the free area %s" % ((x, y, width, height), area))

        # Placed before it showed: it does not move once on the screen.
        time.sleep(0.3)
        self.assertEqual(display.frame_geometry(quiz.window), (x, y, width, height))

    def test_nothing_makes_the_window_fill_the_screen(self):
        quiz = self.start(audio="dummy")
        display = quiz.display
        framed = self.framed(quiz, quiz.window)
        inside = display.geometry(quiz.window)
        for action in MAXIMISING_ACTIONS:
            self.assertNotIn(action, display.allowed_actions(quiz.window), "offers to maximise")

        def double_click_on_the_title_bar():
            x, y, width, _ = display.frame_geometry(quiz.window)
            top = display.frame_extents(quiz.window)[2]
            xinput.double_click(x + width // 2, y + top // 2)

        for request, make in (
                ("maximise", lambda: wmctrl(quiz.window, "-b",
                                            "add,maximized_vert,maximized_horz")),
                ("fullscreen", lambda: wmctrl(quiz.window, "-b", "add,fullscreen")),
                ("double-click on the title bar", double_click_on_the_title_bar)):
            with self.subTest(request):
                make()
                time.sleep(SETTLE_SECONDS)
                states = display.states_of(quiz.window)
                self.assertFalse([s for s in FILLING_STATES if s in states], states)
                self.assertEqual(display.geometry(quiz.window), inside)
                self.assertEqual(display.frame_geometry(quiz.window), framed)
        self.assertTrue(quiz.running(), quiz.stderr())

    def test_a_challenge_and_the_exit_through_boxes_readable_over_the_window(self):
        quiz = self.start(audio="dummy")
        self.framed(quiz, quiz.window)
        quiz.click_accessible(quiz.ui.button(CAR_BUTTON))
        prompt = quiz.wait_box()
        self.assertTrue(prompt.text.startswith("Click on "), prompt.text)
        self.assert_readable_over_the_window(quiz, prompt.text)
        quiz.close_box("enter")

        country = prompt.text[len("Click on "):]
        quiz.click_map(*self.point_on_screen_answering(quiz, country))
        self.assertEqual(quiz.wait_box().text, EXACT)
        self.assert_readable_over_the_window(quiz, EXACT)
        quiz.close_box("enter")

        quiz.click_accessible(quiz.ui.button(EXIT_BUTTON))
        self.assert_readable_over_the_window(quiz, quiz.wait_box().text)
        quiz.close_box("enter")
        self.assertEqual(quiz.wait_exit(), 0, quiz.stderr())
        self.assertEqual(quiz.stderr(), "")

    # --- steps -------------------------------------------------------------

    def assert_whole_on(self, area, rect, what):
        """Whole on the free area along each side where it fits."""
        for start, length, area_start, room in ((rect[0], rect[2], area[0], area[2]),
                                                (rect[1], rect[3], area[1], area[3])):
            if length <= room:
                self.assertGreaterEqual(start, area_start, "%s %s runs off" % (what, rect))
                self.assertLessEqual(start + length, area_start + room,
                                     "%s %s runs off" % (what, rect))

    def assert_readable_over_the_window(self, quiz, text):
        """The open box has a title bar wide enough for its whole title in the
        manager's title font beside the manager's controls, lies whole on the
        screen with its middle over the window, and above it."""
        display = quiz.display

        def box_window():
            boxes = [w for w in display.viewable_windows_of(quiz.process.pid)
                     if w != quiz.window and display.frame_extents(w)]
            return boxes[0] if boxes else None
        box = wait_for(box_window, 5.0, "the box %r to be framed" % text)
        # Read once the manager has placed it.
        time.sleep(0.1)
        what = "the box %r" % text

        title = display.title_of(box)
        _, _, top, bottom = display.frame_extents(box)
        self.assertGreater(top, 0, "%s has no title bar" % what)
        control = top - bottom
        needed = (text_width(title, os.environ["EUROPA_WM_TITLE_FONT"])
                  + 2 * int(os.environ["EUROPA_WM_TITLE_CONTROLS"]) * control)
        self.assertGreaterEqual(display.geometry(box)[2], needed,
                                "%s titled %r" % (what, title))

        frame = display.frame_geometry(box)
        self.assert_whole_on(display.work_area(), frame, what)
        wx, wy, ww, wh = display.frame_geometry(quiz.window)
        middle = (frame[0] + frame[2] // 2, frame[1] + frame[3] // 2)
        self.assertTrue(wx <= middle[0] < wx + ww and wy <= middle[1] < wy + wh,
                        "%s at %s is not over the window at %s" % (what, frame, (wx, wy, ww, wh)))
        stack = display.stacking()
        self.assertGreater(stack.index(box), stack.index(quiz.window), "%s is beneath" % what)

    def point_on_screen_answering(self, quiz, country):
        """A point of the country's labels that the screen shows."""
        _, _, screen_width, screen_height = quiz.display.work_area()
        for _, point in self.facts.points_answering(self.facts.country_number(country)):
            x, y = quiz.map_point_on_screen(*point)
            if x < screen_width and y < screen_height:
                return point
        self.fail("no label of %s on the screen" % country)


if __name__ == "__main__":
    unittest.main()

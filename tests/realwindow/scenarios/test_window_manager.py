"""Under a window manager (openbox, see with-window-manager.sh), on the screen
CMake sets for each run: the window's whole frame is placed, every box shows
its whole title, and the window stays as it is when asked to fill the screen.
Frames, titles and states are read from the X server, as the manager sets them.
"""

import os
import subprocess
import time
import unittest

from quizdriver.testcase import CAR_BUTTON, EXACT, EXIT_BUTTON, QuizTestCase
from quizdriver.text_width import text_width
from quizdriver.ui import wait_for

# Openbox centres the title with three buttons' room on either side; each
# button takes about as much as the title bar is high.
BUTTONS_PER_SIDE = 3


def frame_top_left(area, size):
    """Centred along each side where the frame fits, else against the free
    area's left or top edge."""
    def place(start, room, length):
        return start + (room - length) // 2 if length <= room else start
    return (place(area[0], area[2], size[0]), place(area[1], area[3], size[1]))


class UnderAWindowManager(QuizTestCase):
    def framed(self, quiz, window):
        return wait_for(lambda: quiz.display.frame_geometry(window), 5.0,
                        "the window manager to frame the window")

    def test_the_whole_frame_is_placed_on_the_screen(self):
        quiz = self.start(audio="dummy")
        display = quiz.display
        x, y, width, height = self.framed(quiz, quiz.window)
        area = display.work_area()
        self.assertGreater(display.frame_extents(quiz.window)[2], 0, "no title bar")

        self.assertEqual((x, y), frame_top_left(area, (width, height)),
                         "frame %s on the free area %s" % ((x, y, width, height), area))
        for start, length, area_start, room in ((x, width, area[0], area[2]),
                                                (y, height, area[1], area[3])):
            if length <= room:
                self.assertGreaterEqual(start, area_start)
                self.assertLessEqual(start + length, area_start + room, "the frame runs off")

        # Placed before it showed: it does not move once on the screen.
        time.sleep(0.3)
        self.assertEqual(display.frame_geometry(quiz.window), (x, y, width, height))

    def test_each_box_is_wide_enough_for_its_whole_title(self):
        quiz = self.start(audio="dummy")
        quiz.click_accessible(quiz.ui.button(CAR_BUTTON))
        prompt = quiz.wait_box()
        self.assert_title_fits(quiz, prompt.text)
        quiz.close_box("enter")

        country = prompt.text[len("Click on "):]
        label, point = self.point_on_screen_answering(quiz, country)
        quiz.click_map(*point)
        self.assertEqual(quiz.wait_box().text, EXACT)
        self.assert_title_fits(quiz, EXACT)
        quiz.close_box("enter")

        quiz.click_accessible(quiz.ui.button(EXIT_BUTTON))
        self.assert_title_fits(quiz, quiz.wait_box().text)
        quiz.close_box("enter")
        self.assertEqual(quiz.wait_exit(), 0, quiz.stderr())

    def test_a_request_to_fill_the_screen_is_refused(self):
        quiz = self.start(audio="dummy")
        display = quiz.display
        framed = self.framed(quiz, quiz.window)
        inside = display.geometry(quiz.window)

        subprocess.run(["wmctrl", "-i", "-r", hex(quiz.window), "-b", "add,fullscreen"],
                       check=True)
        time.sleep(0.5)

        self.assertNotIn("_NET_WM_STATE_FULLSCREEN", display.states_of(quiz.window))
        self.assertEqual(display.geometry(quiz.window), inside)
        self.assertEqual(display.frame_geometry(quiz.window), framed)

    # --- steps -------------------------------------------------------------

    def assert_title_fits(self, quiz, text):
        def box_window():
            boxes = [w for w in quiz.display.viewable_windows_of(quiz.process.pid)
                     if w != quiz.window and quiz.display.frame_extents(w)]
            return boxes[0] if boxes else None
        window = wait_for(box_window, 5.0, "the box %r to be framed" % text)
        title = quiz.display.title_of(window)
        _, _, top, bottom = quiz.display.frame_extents(window)
        font = "%s Bold %s" % (os.environ["EUROPA_WM_TITLE_FAMILY"],
                               os.environ["EUROPA_WM_TITLE_POINTS"])
        needed = text_width(title, font) + 2 * BUTTONS_PER_SIDE * (top - bottom)
        width = quiz.display.geometry(window)[2]
        self.assertGreaterEqual(width, needed, "the box %r titled %r" % (text, title))

    def point_on_screen_answering(self, quiz, country):
        """A label of the country and a point of it that the screen shows."""
        _, _, screen_width, screen_height = quiz.display.work_area()
        for label, point in self.facts.points_answering(self.facts.country_number(country)):
            x, y = quiz.map_point_on_screen(*point)
            if x < screen_width and y < screen_height:
                return label, point
        self.fail("no label of %s on the screen" % country)


if __name__ == "__main__":
    unittest.main()

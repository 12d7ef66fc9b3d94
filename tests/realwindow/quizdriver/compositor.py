"""A round of the game on a Wayland desktop whose compositor tells what it
shows: each window's frame and whether it can be, or is, maximised or full
screen. The program is driven through the accessibility bus; the compositor
(`desktop`: GnomeShell, KWin) is asked for its windows of the program's
process on screen, in the order they opened, its free area, and to maximise a window or
show it full screen as its own title bar and window menu would."""

import os
import time

from .testcase import CAR_BUTTON, EXIT_BUTTON, ProgramTestCase
from .ui import wait_for

# The least height of a title bar: the frame's part above the program's window.
TITLE_BAR = 20
# How far a box's centre may lie from the window's, in pixels: the halves of
# odd sizes round, and a compositor's own rule for a dialog's place may round.
CENTRED = 3
# How long the window must stay as it was, once it is, in seconds.
STAYS = 0.3


class CompositorTestCase(ProgramTestCase):
    # The driver of the run's compositor, given the address of its bus.
    compositor = None

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.desktop = cls.compositor(os.environ["EUROPA_COMPOSITOR_BUS"])
        cls.work_area = cls.desktop.work_area()

    # --- what the compositor shows ---------------------------------------------

    def settled(self, find, what):
        """The window `find` returns, once there and where the compositor leaves it."""
        last = wait_for(find, 10.0, what)
        while True:
            time.sleep(0.1)
            now = wait_for(find, 5.0, what)
            if now.frame == last.frame:
                return now
            last = now

    def find_main_window(self, quiz):
        return next((w for w in self.desktop.windows_of(quiz.process.pid)
                     if w.title.strip().startswith("Travel")), None)

    def main_window(self, quiz):
        return self.settled(lambda: self.find_main_window(quiz), "the main window in the compositor")

    def box_window(self, quiz, window):
        """The box opened last."""
        return self.settled(lambda: next(
            (w for w in reversed(self.desktop.windows_of(quiz.process.pid)) if w.id != window.id),
            None), "the box in the compositor")

    def assert_whole_on_screen(self, window):
        x, y, width, height = window.frame
        ax, ay, aw, ah = self.work_area
        self.assertTrue(ax <= x and ay <= y and x + width <= ax + aw and y + height <= ay + ah,
                        "%r lies outside the free area %r" % (window, self.work_area))

    def assert_as_it_was(self, window):
        """The window where and as large as it was, neither maximised nor full screen."""
        def as_it_was():
            now = self.desktop.window(window.id)
            self.assertIsNotNone(now, "%r went away" % (window,))
            return not now.maximized and not now.full_screen and now.frame == window.frame
        try:
            wait_for(as_it_was, 5.0, "the window as it was")
            time.sleep(STAYS)
            self.assertTrue(as_it_was())
        except AssertionError:
            self.fail("the window was %r and is now %r" % (window, self.desktop.window(window.id)))

    # --- the round every start plays -------------------------------------------

    def play(self, quiz, boxes_centred):
        """The window whole with the compositor's title bar; maximise asked of
        the compositor and refused; the boxes of a challenge and of the exit
        whole on screen (and centred on the window where the compositor
        attaches them to it); the exit ends with status 0."""
        window = self.main_window(quiz)
        self.assert_whole_on_screen(window)
        _, _, _, own_height = quiz.ui.frame_extents()
        self.assertGreaterEqual(window.frame[3] - own_height, TITLE_BAR,
                                "no title bar above the window: %r" % (window,))
        self.assertFalse(window.maximizable, window)
        # The compositor's own request, as its title-bar double-click and
        # keyboard shortcut send it, whether or not the window offers it. The
        # program gives the state back; on Wayland a compositor may count that
        # only once the program draws its window again, which the next
        # challenge makes sure of.
        self.desktop.maximize(window)

        quiz.click_accessible(quiz.ui.button(CAR_BUTTON))
        self.check_box(quiz, window, boxes_centred)
        prompt = quiz.close_box()
        self.assertTrue(prompt.text.startswith("Click on "), prompt.text)
        self.assert_as_it_was(window)

        quiz.click_accessible(quiz.ui.button(EXIT_BUTTON))
        self.check_box(quiz, window, boxes_centred)
        self.expect_box(quiz, "To the next challenge!")
        self.assertEqual(quiz.wait_exit(), 0, quiz.stderr())

    def refuse_full_screen(self, quiz):
        """Full screen asked of the compositor, as its window menu or a script
        asks it: the window stays, or comes back, where and as large as it was,
        while a box is open and once it has closed."""
        window = self.main_window(quiz)
        self.desktop.full_screen(window)
        quiz.click_accessible(quiz.ui.button(CAR_BUTTON))
        quiz.wait_box()
        self.assert_as_it_was(window)
        quiz.close_box()
        self.assert_as_it_was(window)

    def check_box(self, quiz, window, centred):
        """The open box whole on screen, offering no maximise, and where asked,
        centred on the window as it was."""
        quiz.wait_box()
        box = self.box_window(quiz, window)
        self.assert_whole_on_screen(box)
        if centred:
            (bx, by), (wx, wy) = box.centre(), window.centre()
            self.assertLessEqual(max(abs(bx - wx), abs(by - wy)), CENTRED,
                                 "%r is not centred on %r" % (box, window))
        self.assertFalse(box.maximizable, box)
        return box

"""The game on GNOME's Wayland session, under a headless GNOME Shell with its
Xwayland (run-on-wayland.sh gnome-shell), driven through the accessibility bus
and seen as the shell sees it: each window's frame, kind and whether it can
be maximised, from the shell itself."""

import os
import re
import signal
import time
import unittest

from quizdriver.testcase import CAR_BUTTON, EXIT_BUTTON, ProgramTestCase
from quizdriver.ui import wait_for
from quizdriver.wayland import GnomeQuizProgram, GnomeShell, ShellWindow

# The least height of a title bar: the frame's part above the program's window.
TITLE_BAR = 20
# How far a box's centre may lie from the window's, in pixels: the halves of
# odd sizes round, and the shell's own rule for a dialog's place may round.
CENTRED = 3
# How long the window must stay as it was, once it is, in seconds.
STAYS = 0.3
# The program's first frame: a buffer given to a surface.
FIRST_FRAME = re.compile(r"-> wl_surface@\d+\.attach\(wl_buffer")
# The car button's middle in the client area: it starts at 624,0 and is 177
# by 185 pixels.
CAR_BUTTON_MIDDLE = (624 + 177 // 2, 185 // 2)


class GnomeShellSession(ProgramTestCase):
    driver = GnomeQuizProgram

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.shell = GnomeShell(os.environ["EUROPA_COMPOSITOR_BUS"])
        cls.shell.make_pointer()
        cls.work_area = cls.shell.work_area()

    def keep_at_end(self, run_dir):
        self.addCleanup(self.shell.screenshot, os.path.join(run_dir, "screen-at-end.png"))

    # --- what the shell shows ------------------------------------------------

    def settled(self, find, what):
        """The window `find` returns, once shown and where the shell leaves it."""
        def shown():
            window = find()
            return window if window is not None and window.shown else None
        last = wait_for(shown, 10.0, what)
        while True:
            time.sleep(0.1)
            now = wait_for(shown, 5.0, what)
            if now.frame == last.frame:
                return now
            last = now

    def main_window(self, quiz):
        return self.settled(lambda: self.find_main_window(quiz), "the main window in the shell")

    def find_main_window(self, quiz):
        return next((w for w in self.shell.windows_of(quiz.process.pid)
                     if w.title.strip().startswith("Travel")), None)

    def first_shown(self, find, what):
        """The window `find` returns, as the shell first shows it."""
        def shown():
            window = find()
            return window if window is not None and window.shown else None
        return wait_for(shown, 15.0, what, 0.002)

    def box_window(self, quiz, window):
        """The box opened last: the shell numbers windows in the order they open."""
        return self.settled(lambda: max(
            (w for w in self.shell.windows_of(quiz.process.pid) if w.id != window.id),
            key=lambda w: w.id, default=None), "the box in the shell")

    def assert_whole_on_screen(self, window):
        x, y, width, height = window.frame
        ax, ay, aw, ah = self.work_area
        self.assertTrue(ax <= x and ay <= y and x + width <= ax + aw and y + height <= ay + ah,
                        "%r lies outside the free area %r" % (window, self.work_area))

    def assert_as_it_was(self, window):
        """The window where and as large as it was, with no maximised state."""
        def as_it_was():
            now = self.shell.window(window.id)
            self.assertIsNotNone(now, "%r went away" % (window,))
            return not now.maximized and now.frame == window.frame
        try:
            wait_for(as_it_was, 5.0, "the window as it was")
            time.sleep(STAYS)
            self.assertTrue(as_it_was())
        except AssertionError:
            self.fail("the window is now %r" % (self.shell.window(window.id),))

    # --- the round both starts play ------------------------------------------

    def play(self, quiz, boxes_centred):
        window = self.main_window(quiz)
        self.assert_whole_on_screen(window)
        _, _, _, own_height = quiz.ui.frame_extents()
        self.assertGreaterEqual(window.frame[3] - own_height, TITLE_BAR,
                                "no title bar above the window: %r" % (window,))
        self.assertFalse(window.maximizable, window)
        # The shell's own request, as its title-bar double-click and keyboard
        # shortcut send it, whether or not the window offers it. The program
        # gives the state back; on Wayland the shell counts that only once the
        # program draws its window again, which the next challenge makes sure of.
        self.shell.maximize(window)

        quiz.click_accessible(quiz.ui.button(CAR_BUTTON))
        self.check_box(quiz, window, boxes_centred)
        prompt = quiz.close_box()
        self.assertTrue(prompt.text.startswith("Click on "), prompt.text)
        self.assert_as_it_was(window)

        quiz.click_accessible(quiz.ui.button(EXIT_BUTTON))
        self.check_box(quiz, window, boxes_centred)
        self.expect_box(quiz, "To the next challenge!")
        self.assertEqual(quiz.wait_exit(), 0, quiz.stderr())

    def check_box(self, quiz, window, centred):
        """The open box: whole on screen, offering no maximise, and where the
        shell attaches it to the window, a modal dialog centred on it."""
        quiz.wait_box()
        box = self.box_window(quiz, window)
        self.assert_whole_on_screen(box)
        if centred:
            self.assertEqual(box.type, ShellWindow.MODAL_DIALOG, box)
            (bx, by), (wx, wy) = box.centre(), window.centre()
            self.assertLessEqual(max(abs(bx - wx), abs(by - wy)), CENTRED,
                                 "%r is not centred on %r" % (box, window))
        self.assertFalse(box.maximizable, box)

    def car_button_on_screen(self, window):
        """The middle of the car button, from the window's frame as the shell
        has it: the program's own title bar above, borders of one width."""
        x, y, width, height = window.frame
        side = (width - self.facts.client_width) // 2
        client_top = y + height - side - self.facts.client_height
        return x + side + CAR_BUTTON_MIDDLE[0], client_top + CAR_BUTTON_MIDDLE[1]

    # --- the starts ------------------------------------------------------------

    def test_a_player_s_start_runs_through_xwayland_with_gnome_s_frames(self):
        if not os.environ.get("DISPLAY"):
            self.skipTest("the session offers no Xwayland: this machine lacks the xwayland package")
        quiz = self.start()
        self.assertEqual(self.main_window(quiz).client_type, ShellWindow.CLIENT_X11)
        self.play(quiz, boxes_centred=True)

    def start_on_wayland_and_see_it_shown_once(self, shell_late=0.0):
        """The program named to Wayland, its main window once the shell has
        placed it, checked to have first shown where it stays. With
        `shell_late`, the shell stops for that many seconds as the program
        sends its first frame, as a busy machine holds it."""
        quiz = self.start(wait=False, environment={"QT_QPA_PLATFORM": "wayland"})
        if shell_late:
            # The program's Wayland requests, as it sends them, on its stderr.
            wait_for(lambda: FIRST_FRAME.search(quiz.stderr()), 15.0, "the first frame", 0.001)
            shell = self.shell.pid()
            os.kill(shell, signal.SIGSTOP)
            try:
                time.sleep(shell_late)
            finally:
                os.kill(shell, signal.SIGCONT)
        first = self.first_shown(lambda: self.find_main_window(quiz), "the main window shown")
        window = self.main_window(quiz)
        self.assertEqual(first.frame, window.frame, "the window moved after it showed")
        # Its one size follows, and with it nothing to maximise.
        wait_for(lambda: not self.shell.window(window.id).maximizable, 5.0,
                 "the window's one size in the shell")
        quiz.wait_window()
        return quiz, window

    def test_wayland_window_shows_once_and_takes_the_first_click(self):
        """Shown where it stays, before and after the player's first click,
        which opens the first challenge's box: the click counts."""
        quiz, window = self.start_on_wayland_and_see_it_shown_once()
        self.shell.click(*self.car_button_on_screen(window))
        box = quiz.wait_box()
        self.assertTrue(box.text.startswith("Click on "), box.text)
        self.assertEqual(self.shell.window(window.id).frame, window.frame,
                         "the window moved on the first click")
        self.check_box(quiz, window, centred=False)

    def test_wayland_window_shows_once_when_the_shell_answers_late(self):
        """The program gives its window its one size only once the shell has
        answered the first frame (or after a longer wait): a shell slowed by a
        busy machine still places the window once."""
        self.start_on_wayland_and_see_it_shown_once(shell_late=0.5)

    def test_wayland_named_by_the_player_runs_whole_on_screen(self):
        quiz = self.start(environment={"QT_QPA_PLATFORM": "wayland"})
        self.assertEqual(self.main_window(quiz).client_type, ShellWindow.CLIENT_WAYLAND)
        self.play(quiz, boxes_centred=False)


if __name__ == "__main__":
    unittest.main()

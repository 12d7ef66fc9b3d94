"""The game on GNOME's Wayland session, under a headless GNOME Shell with its
Xwayland (run-on-wayland.sh gnome-shell), driven through the accessibility bus
and seen as the shell sees it: each window's frame, kind and whether it can
be maximised, from the shell itself."""

import os
import re
import signal
import time
import unittest

from quizdriver.compositor import CompositorTestCase
from quizdriver.ui import wait_for
from quizdriver.wayland import GnomeQuizProgram, GnomeShell, ShellWindow

# The program's first frame: a buffer given to a surface.
FIRST_FRAME = re.compile(r"-> wl_surface@\d+\.attach\(wl_buffer")
# The car button's middle in the client area: it starts at 624,0 and is 177
# by 185 pixels.
CAR_BUTTON_MIDDLE = (624 + 177 // 2, 185 // 2)


class GnomeShellSession(CompositorTestCase):
    driver = GnomeQuizProgram
    compositor = GnomeShell

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.desktop.make_pointer()

    def keep_at_end(self, run_dir):
        self.addCleanup(self.desktop.screenshot, os.path.join(run_dir, "screen-at-end.png"))

    def first_shown(self, quiz):
        """The main window as the shell first shows it."""
        return wait_for(lambda: self.find_main_window(quiz), 15.0, "the main window shown", 0.002)

    def check_box(self, quiz, window, centred):
        """Where the shell attaches a box to the window, it is a modal dialog."""
        box = super().check_box(quiz, window, centred)
        if centred:
            self.assertEqual(box.type, ShellWindow.MODAL_DIALOG, box)
        return box

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
            shell = self.desktop.pid()
            os.kill(shell, signal.SIGSTOP)
            try:
                time.sleep(shell_late)
            finally:
                os.kill(shell, signal.SIGCONT)
        first = self.first_shown(quiz)
        window = self.main_window(quiz)
        self.assertEqual(first.frame, window.frame, "the window moved after it showed")
        # Its one size follows, and with it nothing to maximise.
        wait_for(lambda: not self.desktop.window(window.id).maximizable, 5.0,
                 "the window's one size in the shell")
        quiz.wait_window()
        return quiz, window

    def test_wayland_window_shows_once_and_takes_the_first_click(self):
        """Shown where it stays, before and after the player's first click,
        which opens the first challenge's box: the click counts."""
        quiz, window = self.start_on_wayland_and_see_it_shown_once()
        self.desktop.click(*self.car_button_on_screen(window))
        box = quiz.wait_box()
        self.assertTrue(box.text.startswith("Click on "), box.text)
        self.assertEqual(self.desktop.window(window.id).frame, window.frame,
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

    def test_full_screen_asked_of_the_shell_leaves_the_window_as_it_was(self):
        starts = {"Wayland named by the player": {"QT_QPA_PLATFORM": "wayland"}}
        if os.environ.get("DISPLAY"):
            starts["a player's start"] = None
        for start, environment in starts.items():
            with self.subTest(start=start):
                self.refuse_full_screen(self.start(environment=environment))


if __name__ == "__main__":
    unittest.main()

"""The game as a Wayland client, under a headless Weston (run-in-weston.sh).

Weston's headless backend has no pointer and no keyboard to drive, so the
player's presses go through the accessibility bus as the controls' own
actions, the way assistive technology presses them.
"""

import os
import subprocess
import tempfile
import unittest

from quizdriver.testcase import CAR_BUTTON, EXIT_BUTTON, ProgramTestCase
from quizdriver.ui import QuizUi, wait_for


def press(accessible):
    action = accessible.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    action.doAction(names.index("Press") if "Press" in names else 0)


class WaylandDesktop(ProgramTestCase):
    def start(self):
        run_dir = tempfile.mkdtemp(dir=self.work)
        self.audio = os.path.join(run_dir, "audio.raw")
        self.stderr_path = os.path.join(run_dir, "stderr.txt")
        environment = dict(os.environ, QT_QPA_PLATFORM="wayland",
                           QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                           SDL_AUDIODRIVER="disk", SDL_DISKAUDIOFILE=self.audio,
                           # The client's requests, to read the app id it gives its window.
                           WAYLAND_DEBUG="client",
                           # In the sanitizer build: the Wayland client library and
                           # Qt's shell plugins keep a few blocks for the life of the
                           # process, in code unloaded before the leak check runs, so
                           # no suppression can name them. Every other run checks the
                           # program's own leaks.
                           ASAN_OPTIONS="detect_leaks=0")
        self.stderr_file = open(self.stderr_path, "wb")
        process = subprocess.Popen([self.program], cwd=run_dir, env=environment,
                                   stdin=subprocess.DEVNULL, stdout=self.stderr_file,
                                   stderr=self.stderr_file)
        self.addCleanup(self.stderr_file.close)
        self.addCleanup(lambda: process.poll() is None and (process.kill(), process.wait()))
        return process

    def stderr(self):
        self.stderr_file.flush()
        with open(self.stderr_path, "rb") as f:
            return f.read().decode("utf-8", "replace")

    def close_box(self, ui, expected_title=None):
        box = wait_for(lambda: (ui.boxes() or [None])[0], 5.0, "a message box")
        if expected_title is not None:
            self.assertEqual(box.title, expected_title)
        press(box.ok_button())
        wait_for(lambda: not ui.boxes(), 5.0, "the box %r to close" % box.text)
        return box

    def test_starts_shows_its_boxes_and_ends_cleanly(self):
        process = self.start()
        ui = QuizUi(process.pid)
        self.assertTrue(process.poll() is None, self.stderr())

        heard = wait_for(lambda: [p.sound for p in self.fixture.played(self.audio)], 10.0,
                         "the anthem")
        self.assertEqual(heard[0], self.facts.anthem)

        press(ui.button(CAR_BUTTON))
        prompt = self.close_box(ui, "Europa Quiz")
        self.assertTrue(prompt.text.startswith("Click on "), prompt.text)

        press(ui.button(EXIT_BUTTON))
        goodbye = self.close_box(ui)
        self.assertEqual(goodbye.text, "To the next challenge!")
        self.assertEqual(process.wait(10), 0, self.stderr())
        # The desktop matches the window to its menu entry by this id.
        self.assertIn('set_app_id("org.example.EuropaQuiz")', self.stderr())


if __name__ == "__main__":
    unittest.main()

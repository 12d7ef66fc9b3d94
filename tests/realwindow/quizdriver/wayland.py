"""The program as a Wayland client, under the headless Weston of run-in-weston.sh.

Weston's headless backend has no pointer and no keyboard to drive, and a
Wayland client's windows are not listed anywhere a test can read. So the
window counts as shown once its frame is on the accessibility bus, and the
player's presses go through that bus as the controls' own actions, the way
assistive technology presses them. Everything else is QuizProgram's.
"""

from .program import QuizProgram
from .ui import QuizUi, UiError, wait_for


def press(accessible):
    """The control's own press action, or its first action when it has none by that name."""
    action = accessible.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    action.doAction(names.index("Press") if "Press" in names else 0)


class WaylandQuizProgram(QuizProgram):
    PLATFORM = "wayland"

    def __init__(self, program, fixture, facts, run_dir, audio="disk", environment=None):
        wayland = {
            # The client's requests, to read the app id it gives its window.
            "WAYLAND_DEBUG": "client",
            # In the sanitizer build: the Wayland client library and Qt's shell
            # plugins keep a few blocks for the life of the process, in code
            # unloaded before the leak check runs, so no suppression can name
            # them. Every other run checks the program's own leaks.
            "ASAN_OPTIONS": "detect_leaks=0",
        }
        wayland.update(environment or {})
        super().__init__(program, fixture, facts, run_dir, audio, wayland)

    def _open_display(self):
        return None

    def wait_window(self, timeout=15.0):
        """The window's frame on the accessibility bus."""
        try:
            self.ui = QuizUi(self.process.pid)
        except UiError:
            if self.running():
                raise
            raise AssertionError("the program ended with status %s before its window "
                                 "showed:\n%s" % (self.process.returncode, self.stderr()))
        self.window = self.ui.frame
        return self.window

    def click_accessible(self, acc):
        press(acc)

    def close_box(self, how="enter"):
        """Closes the open box with its OK button, whichever way is asked for."""
        box = self.wait_box()
        press(box.ok_button())
        wait_for(lambda: not self.running() or not self.ui.boxes(), 5.0,
                 "the box %r to close" % box.text)
        return box

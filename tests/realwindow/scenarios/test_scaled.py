import math
import unittest

from quizdriver import input as xinput
from quizdriver.program import MAP_FRAME
from quizdriver.testcase import QuizTestCase
from quizdriver.ui import CLIENT_HEIGHT

# Map pixels beside the edges that are easiest to miss on a scaled screen:
# each is clicked on every device pixel it is drawn on.
EDGE_PIXELS = [
    # Label60, Finland's one-pixel row, its ends, and the rows above and below it.
    (360, 31), (360, 32), (360, 33), (352, 32), (368, 32), (369, 32),
    # Where Italy (Label50) meets Slovenia (Label90), and Slovenia's east edge.
    (263, 372), (264, 372), (296, 370), (297, 370),
    # Malta (Label82): its first and last columns and the sea beside them.
    (255, 528), (256, 528), (280, 528), (281, 528), (270, 536), (270, 537),
    # Label67, the part of France that does not answer: its west and top edges.
    (159, 330), (160, 330), (170, 319), (170, 320),
]


def device_pixels(logical, scale):
    """The device pixels (counted from the client area's corner) whose centre
    lies in the logical pixel at `logical`."""
    first = math.ceil(logical * scale - 0.5)
    last = math.ceil((logical + 1) * scale - 0.5) - 1
    return range(first, last + 1)


class ScaledScreen(QuizTestCase):
    # Boxes one run of the game can show before its twentieth error ends it.
    BOXES_PER_RUN = 18

    def start_scaled(self, scale):
        quiz = self.start(audio="dummy", environment={"QT_SCALE_FACTOR": str(scale)})
        wx, wy, _, height = quiz.display.geometry(quiz.window)
        menu_bar = round(height / scale) - CLIENT_HEIGHT
        return quiz, (wx, wy + round(menu_bar * scale))

    def finish_run(self, quiz, client, scale, boxes):
        # A last click of a far country: a box that a click where nothing
        # answers had opened would come first.
        px, py = self.facts.best_point(self.facts.label("Label9"))
        xinput.click(client[0] + device_pixels(MAP_FRAME + px, scale)[0],
                     client[1] + device_pixels(MAP_FRAME + py, scale)[0])
        box = quiz.close_box("enter")
        self.assertEqual(box.text, "This is Hungary", "a click where nothing answers opened a box")
        quiz.wait_counter("errors", str(boxes + 1))
        quiz.stop()

    def check_every_device_pixel(self, scale):
        quiz, client = self.start_scaled(scale)
        boxes = 0
        for px, py in EDGE_PIXELS:
            label = self.facts.label_at(px, py)
            number = label and self.facts.country_of(label)
            country = number and next(c["name"] for c in self.facts.countries
                                      if c["number"] == number)
            for dy in device_pixels(MAP_FRAME + py, scale):
                for dx in device_pixels(MAP_FRAME + px, scale):
                    if boxes == self.BOXES_PER_RUN:
                        self.finish_run(quiz, client, scale, boxes)
                        quiz, client = self.start_scaled(scale)
                        boxes = 0
                    where = "map pixel (%d, %d), device pixel (%d, %d) of the client area at %sx" % (
                        px, py, dx, dy, scale)
                    xinput.click(client[0] + dx, client[1] + dy)
                    if country:
                        box = quiz.close_box("enter")
                        self.assertTrue(box.text.startswith("This is"), where)
                        self.assertEqual(box.text[len("This is"):].strip(), country, where)
                        boxes += 1
        self.finish_run(quiz, client, scale, boxes)

    def test_twice_the_size(self):
        self.check_every_device_pixel(2)

    def test_one_and_a_half_times_the_size(self):
        self.check_every_device_pixel(1.5)


if __name__ == "__main__":
    unittest.main()

import math
import time
import unittest

from quizdriver import input as xinput
from quizdriver.testcase import QuizTestCase
from quizdriver.ui import UiError, wait_for

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


def qt_round(value):
    """Rounds as the toolkit does where it places a picture: halves up."""
    return math.floor(value + 0.5)


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
        menu_bar = round(height / scale) - self.facts.client_height
        return quiz, (wx, wy + round(menu_bar * scale))

    def finish_run(self, quiz, client, scale, boxes):
        # A last click of a far country: a box that a click where nothing
        # answers had opened would come first.
        px, py = self.facts.best_point(self.facts.label("Label9"))
        xinput.click(client[0] + device_pixels(self.facts.map_frame + px, scale)[0],
                     client[1] + device_pixels(self.facts.map_frame + py, scale)[0])
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
            for dy in device_pixels(self.facts.map_frame + py, scale):
                for dx in device_pixels(self.facts.map_frame + px, scale):
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

    def test_captions_beside_the_map_at_every_scale(self):
        """The headings and counters beside the map are drawn in their colours at
        every scale: their glyphs are the window's largest (96 device pixels at
        twice the size), and a glyph the toolkit fails to draw leaves the flag
        tile bare where the player reads the score."""
        for scale in (1, 1.25, 1.5, 2):
            with self.subTest(scale=scale):
                quiz, client = self.start_scaled(scale)
                for name in ("Label45", "lblpunti", "Label44", "lblerrori"):
                    (left, top, width, height), colour = self.facts.captions[name]
                    rect = (client[0] + round(left * scale), client[1] + round(top * scale),
                            round(width * scale), round(height * scale))
                    try:
                        wait_for(lambda: self.screen.fraction_of_colour(rect, colour) > 0.02,
                                 5, "%s drawn at %sx" % (name, scale))
                    except UiError:
                        self.fail("%s is not drawn at %sx: %.3f of its area in its colour"
                                  % (name, scale, self.screen.fraction_of_colour(rect, colour)))
                quiz.stop()

    def test_twice_the_size(self):
        self.check_every_device_pixel(2)

    def test_one_and_a_half_times_the_size(self):
        self.check_every_device_pixel(1.5)

    def test_the_frame_beside_the_map_at_one_and_a_quarter(self):
        """At 1.25 the map's first pixel starts half-way into a device pixel:
        the map's picture begins on the next one, and the frame's inner ring
        holds the one before. Where labels meet the map's edge (Portugal, on
        its first column), a click on any device pixel of the ring answers
        nothing, and the map's first device column answers."""
        scale = 1.25
        quiz = self.start(audio="dummy", environment={"QT_SCALE_FACTOR": str(scale)})
        wx, wy, _, height = quiz.display.geometry(quiz.window)
        menu_bar = round(height / scale) - self.facts.client_height
        first_column = qt_round(self.facts.map_frame * scale)
        ring = range(qt_round((self.facts.map_frame - 1) * scale), first_column)
        top = qt_round((menu_bar + self.facts.map_frame) * scale)
        edge_labels = [l for l in self.facts.labels
                       if l.shown and l.left == 0 and self.facts.country_of(l)]
        self.assertTrue(edge_labels)

        def map_row(device_row):
            return math.floor((device_row - top + 0.5) / scale)

        rows = [r for r in range(top, top + qt_round(self.facts.map_height * scale))
                if any(l.top <= map_row(r) < l.bottom for l in edge_labels)]
        # What the screen shows: the ring's own colour on every device pixel
        # clicked below, the map from the first column on.
        ring_colour = self.screen.pixel(wx + ring[0], wy + rows[0])
        for r in rows:
            for c in ring:
                self.assertEqual(self.screen.pixel(wx + c, wy + r), ring_colour, (c, r))
            self.assertNotEqual(self.screen.pixel(wx + first_column, wy + r), ring_colour, r)

        for r in rows:
            for c in ring:
                xinput.click(wx + c, wy + r)
        time.sleep(0.3)
        self.assertEqual(quiz.ui.boxes(), [], "a click on the frame opened a box")
        self.assertEqual(quiz.counter("errors"), "0")

        answered = 0
        for label in edge_labels:
            country = next(c["name"] for c in self.facts.countries
                           if c["number"] == self.facts.country_of(label))
            own = [r for r in rows if label.top <= map_row(r) < label.bottom]
            for r in (own[0], own[-1]):
                xinput.click(wx + first_column, wy + r)
                box = quiz.close_box("enter")
                self.assertEqual(box.text[len("This is"):].strip(), country, (first_column, r))
                answered += 1
        quiz.wait_counter("errors", str(answered))
        quiz.stop()


if __name__ == "__main__":
    unittest.main()

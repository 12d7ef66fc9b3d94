"""Where the country labels and the counters lie, read from the program's own tables.

The map-facts helper prints the tables as JSON; this module answers the
driver's questions about them in map pixels (the map's inner area, one pixel
being kTwipsPerPixel twips of the tables), and tells the size of the window's
client area and of the map's frame, in pixels of the layout.
"""

import json
import os
import subprocess
from dataclasses import dataclass


@dataclass(frozen=True)
class Label:
    name: str
    index: int
    left: int      # pixels, right and bottom bounds outside
    top: int
    right: int
    bottom: int
    shown: bool
    handler: bool

    def contains(self, x, y):
        return self.left <= x < self.right and self.top <= y < self.bottom


class MapFacts:
    def __init__(self, data):
        self.twips_per_pixel = data["twips_per_pixel"]
        self.client_width = data["client_width"]
        self.client_height = data["client_height"]
        # The map's inner area starts inside the sunken frame of its box.
        self.map_frame = data["map_frame"]
        self.map_width = data["map_width"]
        self.map_height = data["map_height"]
        tpp = self.twips_per_pixel
        self.labels = [Label(d["name"], d["index"], d["left"] // tpp, d["top"] // tpp,
                             (d["left"] + d["width"]) // tpp, (d["top"] + d["height"]) // tpp,
                             d["shown"] == "yes", d["handler"])
                       for d in data["labels"]]
        self.answers = data["answers"]
        self.countries = data["countries"]
        self.anthem = data["anthem"]
        self.success = data["success"]
        # The top-left corner of each counter label in the client area, in pixels.
        self.counters = {name: tuple(corner) for name, corner in data["counters"].items()}
        # The captions on the window: (left, top, width, height) in client
        # pixels, and the colour of their text.
        self.captions = {c["name"]: ((c["left"], c["top"], c["width"], c["height"]), tuple(c["colour"]))
                         for c in data["captions"]}

    @classmethod
    def load(cls, helper=None):
        helper = helper or os.environ["EUROPA_MAP_FACTS"]
        out = subprocess.run([helper], check=True, capture_output=True, text=True).stdout
        return cls(json.loads(out))

    def label(self, name, index=-1):
        return next(l for l in self.labels if l.name == name and l.index == index)

    def pixel_of_twips(self, x, y):
        return x // self.twips_per_pixel, y // self.twips_per_pixel

    def label_at(self, x, y):
        """The shown label on top at map pixel (x, y), or None for the bare map."""
        for label in self.labels:
            if label.shown and label.contains(x, y):
                return label
        return None

    def country_number(self, name):
        return next(c["number"] for c in self.countries if c["name"] == name)

    def sound_of(self, name):
        return next(c["sound"] for c in self.countries if c["name"] == name)

    def country_of(self, label):
        return self.answers.get(label.name) if label.handler else None

    def best_point(self, label):
        """The pixel of `label` nearest its middle where it is the label on top."""
        cx2, cy2 = label.left + label.right - 1, label.top + label.bottom - 1
        candidates = sorted(((x, y) for x in range(label.left, label.right)
                             for y in range(label.top, label.bottom)),
                            key=lambda p: (2 * p[0] - cx2) ** 2 + (2 * p[1] - cy2) ** 2)
        for x, y in candidates:
            if self.label_at(x, y) is label and x < self.map_width and y < self.map_height:
                return x, y
        return None

    def points_answering(self, number):
        """A click point for every shown label that answers for country `number`."""
        points = []
        for label in self.labels:
            if label.shown and self.country_of(label) == number:
                point = self.best_point(label)
                if point is not None:
                    points.append((label, point))
        return points

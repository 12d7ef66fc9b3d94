"""A window as a compositor or window manager reports it, read in one go."""


class ManagedWindow:
    """What every compositor's reading gives: a title, the frame (x, y, width,
    height, title bar and borders included, whoever draws them) and whether
    the window fills the screen or is maximised."""

    def centre(self):
        x, y, width, height = self.frame
        return x + width / 2.0, y + height / 2.0

    def _kind(self):
        """What a compositor adds to the window's description: nothing here."""
        return ""

    def __repr__(self):
        return "<%r%s frame %r%s%s>" % (self.title, self._kind(), self.frame,
                                        " full screen" if self.full_screen else "",
                                        " maximised" if self.maximized else "")

"""The windows' small labels show their whole text inside the boxes their design gives them."""

import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from frontend_e2e import Session, settings  # noqa: E402
from harness import PREFERENCES_TITLE, VIEWER_TITLE, is_lit, wait_until  # noqa: E402
from windows_e2e import ABOUT_WIDTH, window_of_width  # noqa: E402

# Label boxes in their window's client area: left, top, width, height.
LOADING = (265, 151, 39, 10)
VERSION = (12, 61, 21, 14)
FASTER = (30, 13, 23, 10)
SLOWER = (161, 13, 25, 10)
# How far beside a box a text running over it would show.
OVERRUN = 3


def is_dark(p):
    return max(p) < 120


def lit_columns(image, origin, box, ink):
    """The columns of the box's rows, from OVERRUN left of it to OVERRUN right, that hold ink."""
    x, y, width, height = box
    left = origin[0] + x - OVERRUN
    return [left + column - origin[0] for column in range(width + 2 * OVERRUN)
            if image.count(ink, left + column, origin[1] + y, 1, height)]


def runs(columns):
    """Runs of neighbouring columns, as (first, last)."""
    found = []
    for column in columns:
        if found and column == found[-1][1] + 1:
            found[-1] = (found[-1][0], column)
        else:
            found.append((column, column))
    return found


class LabelsTest(unittest.TestCase):

    def assert_inside(self, columns, box, what):
        x, _, width, _ = box
        self.assertTrue(columns, f"{what}: no text in its box")
        self.assertGreaterEqual(min(columns), x, f"{what} runs over its box's left edge")
        self.assertLess(max(columns), x + width, f"{what} runs over its box's right edge")

    def test_loading_shows_whole_on_the_splash(self):
        # A sound device that cannot start holds the splash up behind its message box.
        session = Session(self, settings_text=settings(), audio_driver="no-such-driver")
        session.server.wait_window("WaveMix Error")
        splash = window_of_width(session.server, VIEWER_TITLE, ABOUT_WIDTH)
        origin = session.server.geometry(splash)[:2]
        columns = wait_until(lambda: lit_columns(session.server.screenshot(), origin, LOADING, is_lit),
                             what="the Loading label")
        self.assert_inside(columns, LOADING, "Loading. . .")
        # It ends in the two dots set apart by blanks (the first may touch the word).
        dots = runs(columns)[-2:]
        self.assertTrue(len(dots) == 2 and all(last - first <= 1 for first, last in dots),
                        f"not two spaced dots at the end: {runs(columns)}")

    def test_version_and_slider_ends_show_whole(self):
        session = Session(self, settings_text=settings())
        server = session.server
        session.main_window()
        wait_until(session.menu_showing, what="the menu")

        session.click_menu("About")
        about = window_of_width(server, VIEWER_TITLE, ABOUT_WIDTH)
        origin = server.geometry(about)[:2]
        columns = wait_until(lambda: lit_columns(server.screenshot(), origin, VERSION, lambda p: min(p) > 150),
                             what="the version label")
        self.assert_inside(columns, VERSION, "v2.0")
        server.key(about, "Escape")
        server.wait_no_window(VIEWER_TITLE)

        session.click_menu("Options")
        preferences = server.wait_window(PREFERENCES_TITLE)
        origin = server.geometry(preferences)[:2]

        def labels_drawn():
            image = server.screenshot()
            return image if lit_columns(image, origin, FASTER, is_dark) else None

        image = wait_until(labels_drawn, what="the slider's labels")
        for what, box in [("Faster", FASTER), ("Slower", SLOWER)]:
            with self.subTest(what):
                self.assert_inside(lit_columns(image, origin, box, is_dark), box, what)


if __name__ == "__main__":
    unittest.main()

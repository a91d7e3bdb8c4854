"""What the player comes back to: the keyboard after a dialog closes, the main window after a
game ends while it is minimised, and a blank game screen when a new game starts."""

import os
import sys
import threading
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from frontend_e2e import SHIP_SIZE, SHIP_START_X, Session, settings  # noqa: E402
from harness import MAIN_TITLE, MESSAGE_TITLE, PREFERENCES_TITLE, VIEWER_TITLE, wait_until  # noqa: E402
from scores_e2e import DIALOG_WIDTH  # noqa: E402
from windows_e2e import ABOUT_WIDTH, VIEWER_WIDTH, window_of_width  # noqa: E402

# The game screen's background, shown until a game's first frame.
SCREEN_GREY = (128, 128, 128)
SCREEN_WIDTH, SCREEN_HEIGHT = 484, 300


def focused_window(server):
    """The window X gives the keys to (the root window when nobody has them)."""
    out = server.run("xdotool", "getwindowfocus", "-f", check=False).strip()
    return int(out) if out.isdigit() else None


def pointer_off_the_windows(server):
    # Where the keyboard falls to the root, keys go to the window under the pointer: keep it
    # over none of ours.
    server.run("xdotool", "mousemove", "0", "0")


class ReturnTest(unittest.TestCase):

    def test_keyboard_returns_to_the_main_window_after_each_dialog(self):
        # An empty table asks for a name after a game; no help file makes Help a message box.
        session = Session(self, settings_text=settings(scores=""))
        os.remove(os.path.join(session.program.directory, "VOIDRAID.HLP"))
        server = session.server
        window = session.main_window()
        wait_until(session.menu_showing, what="the menu")

        def about():
            session.click_menu("About")
            return window_of_width(server, VIEWER_TITLE, ABOUT_WIDTH), ["Escape"]

        def viewer():
            session.click_menu("Information")
            return window_of_width(server, VIEWER_TITLE, VIEWER_WIDTH), ["Escape"]

        def preferences():
            session.click_menu("Options")
            # OK is first in the tab order.
            return server.wait_window(PREFERENCES_TITLE), ["Return"]

        def name_entry():
            session.start_game(window)
            server.key(window, "Escape")
            # The name, then OK of the table.
            return window_of_width(server, VIEWER_TITLE, DIALOG_WIDTH), ["Return", "Return"]

        def table():
            session.click_menu("High Scores")
            return window_of_width(server, VIEWER_TITLE, DIALOG_WIDTH), ["Return"]

        def message_box():
            session.click_menu("Help")
            return server.wait_window(MESSAGE_TITLE), ["Return"]

        for what, open_dialog in [("About", about), ("viewer", viewer), ("Preferences", preferences),
                                  ("high-score entry", name_entry), ("high-score table", table),
                                  ("message box", message_box)]:
            with self.subTest(what):
                dialog, keys = open_dialog()
                server.key(dialog, *keys)
                wait_until(lambda: dialog not in server.stacking(), what=f"the {what} to close")
                wait_until(lambda: focused_window(server) == window, what=f"the keyboard back after the {what}")
                wait_until(session.menu_showing, what="the menu")

        # Keys sent to nobody in particular reach the program: F1 asks for the missing help.
        pointer_off_the_windows(server)
        server.run("xdotool", "key", "F1")
        server.wait_window(MESSAGE_TITLE)

    def test_game_ending_while_minimised_brings_the_main_window_back(self):
        # At a frame a millisecond, the ship left alone soon loses its last life; an empty table
        # then asks for a name.
        session = Session(self, settings_text=settings("GameSpeed=1\n", scores=""), window_manager=True)
        server = session.server
        window = session.main_window()
        wait_until(session.menu_showing, what="the menu")
        session.start_game(window)
        server.run("xdotool", "windowminimize", "--sync", str(window))
        self.assertEqual(server.visible_windows(MAIN_TITLE), [], "the main window was not minimised")

        message = server.wait_window(MESSAGE_TITLE, timeout=120)
        self.assertEqual(server.visible_windows(MAIN_TITLE), [window])
        # Still the modal box's turn: it stays above the window and keeps the keyboard.
        self.assertEqual(server.stacking()[-1:], [message])
        server.key(message, "Return")

        dialog = window_of_width(server, VIEWER_TITLE, DIALOG_WIDTH)
        self.assertEqual(server.visible_windows(MAIN_TITLE), [window])
        server.key(dialog, "Return", "Return")
        wait_until(lambda: dialog not in server.stacking(), what="the high-score dialog to close")
        wait_until(session.menu_showing, what="the menu")

    def test_new_game_starts_on_the_screen_background(self):
        # Slow frames leave several screenshots between Start Game and the first frame.
        session = Session(self, settings_text=settings("GameSpeed=66\n"))
        server = session.server
        window = session.main_window()
        wait_until(session.menu_showing, what="the menu")

        def first_screen(steer):
            """The first screenshot of the game screen after Start Game, and the ship's place once
            the game runs. steer: a key held then, so that the frame left at the end stands apart
            from a new game's."""
            # Screenshots from before the click: the first after the menu went may come sooner
            # than the program can answer the click.
            shots, stop = [], threading.Event()

            def grab():
                while not stop.is_set():
                    shots.append(server.screenshot())

            grabber = threading.Thread(target=grab)
            grabber.start()
            try:
                wait_until(lambda: shots, what="a screenshot")
                session.click_menu("Start Game")
                ship = wait_until(session.ship_x, what="the ship")
            finally:
                stop.set()
                grabber.join()
            shown = next(shot for shot in shots if not session.menu_showing(shot))
            if steer:
                server.key_down(window, steer)
                wait_until(lambda: (session.ship_x() or 0) > SCREEN_WIDTH - 2 * SHIP_SIZE, what="the ship at the right")
                server.key_up(steer)
            server.key(window, "Escape")
            wait_until(session.menu_showing, what="the menu after Esc")
            return shown, ship

        for game, steer in [("first", "Right"), ("second", None)]:
            with self.subTest(game):
                shown, ship = first_screen(steer)
                x, y = session.at(0, 0)
                background = shown.count(lambda p: p == SCREEN_GREY, x, y, SCREEN_WIDTH, SCREEN_HEIGHT)
                # Grey throughout, or already the game's own first frames: the ship where it starts.
                if background < SCREEN_WIDTH * SCREEN_HEIGHT:
                    self.assertEqual(background, 0, "part grey, part a frame")
                    self.assertLess(session.ship_x(shown) or 0, SCREEN_WIDTH - 2 * SHIP_SIZE,
                                    "the last game's frame was shown")
                self.assertAlmostEqual(ship, SHIP_START_X, delta=SHIP_SIZE)


if __name__ == "__main__":
    unittest.main()

"""The program as a player meets it: menu, game screen, viewer, Preferences, help, exit."""

import os
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from harness import (FULL_SCORE_TABLE, HELP_TITLE, MAIN_TITLE, MESSAGE_TITLE, PREFERENCES_TITLE,  # noqa: E402
                     VIEWER_TITLE, Image, Program, WindowWatch, XServer, ini_sections, is_lit, is_yellow, wait_steady,
                     wait_until)

# The main window's design, in its client area.
MENU_BUTTONS = ["Start Game", "High Scores", "Options", "Information", "About", "Help", "Exit"]
MENU_BUTTON_LEFT, MENU_BUTTON_TOP, MENU_BUTTON_PITCH = 7 + 354, 10 + 71, 23
MENU_BUTTON_WIDTH, MENU_BUTTON_HEIGHT = 95, 21
SHIP_TOP, SHIP_SIZE, SHIP_START_X = 250, 32, 200
SHIP_STEP = 10  # pixels a frame while steering

# The viewer: its page and buttons, in its client area.
PAGE_LEFT, PAGE_TOP, PAGE_WIDTH, PAGE_HEIGHT = 1, 2, 320, 200
VIEWER_BUTTON_X = 285 + 15
VIEWER_PREV_Y, VIEWER_NEXT_Y = 127 + 10, 150 + 10

# Preferences, in its client area.
PREFERENCES_HELP = (145 + 33, 85 + 10)
PREFERENCES_OK = (145 + 33, 107 + 10)


def settings(options="", scores=FULL_SCORE_TABLE):
    text = ""
    if options:
        text += "[Options]\n" + options
    return text + "[HiScores]\n" + scores


class Session:
    """One X server and one run of the program in it."""

    def __init__(self, test, depth=24, settings_text=None, watch=False, audio_driver="dummy", window_manager=False):
        self.server = XServer(depth=depth)
        test.addCleanup(self.server.stop)
        if window_manager:
            # True: openbox, the manager most tests are seen under; or a manager's name.
            self.server.start_window_manager("openbox" if window_manager is True else window_manager)
        self.watch = WindowWatch(self.server) if watch else None
        if self.watch:
            test.addCleanup(self.watch.stop)
        self.program = Program(self.server, settings_text, audio_driver)
        test.addCleanup(self.program.stop)
        self.program.start()

    def main_window(self):
        window = self.program.main_window()
        self.origin = self.server.geometry(window)[:2]
        return window

    def at(self, x, y):
        """Screen position of a point of the main window's client area."""
        return self.origin[0] + x, self.origin[1] + y

    def help_view(self):
        """The help window, once shown, and the pixels of its page (below its buttons)."""
        help_window = self.server.wait_window(HELP_TITLE)
        hx, hy, width, height = self.server.geometry(help_window)

        def page():
            return self.server.grab(hx, hy + 50, width, height - 50).data

        def has_text(data):
            return Image(width, height - 50, data).count(lambda p: max(p) < 80) > 100
        # Text on the page, laid out and at its topic.
        return help_window, wait_steady(page, has_text, what="the help page")

    def help_seen_and_closed(self):
        help_window, view = self.help_view()
        self.server.close(help_window)
        self.server.wait_no_window(HELP_TITLE)
        return view

    def click_menu(self, label):
        row = MENU_BUTTONS.index(label)
        x, y = self.at(MENU_BUTTON_LEFT + MENU_BUTTON_WIDTH // 2, MENU_BUTTON_TOP + row * MENU_BUTTON_PITCH + 10)
        self.server.click(x, y)

    def menu_showing(self, image=None):
        """Every menu button shows its yellow face."""
        image = image or self.server.screenshot()
        for row in range(len(MENU_BUTTONS)):
            x, y = self.at(MENU_BUTTON_LEFT + 4, MENU_BUTTON_TOP + row * MENU_BUTTON_PITCH + 4)
            if image.count(is_yellow, x, y, MENU_BUTTON_WIDTH - 8, MENU_BUTTON_HEIGHT - 8) < 200:
                return False
        return True

    def game_showing(self, image=None):
        """The game screen with its status bar: the weapons gauge's bright red row is there."""
        image = image or self.server.screenshot()
        x, y = self.at(2, 3)
        return image.count(lambda p: p[0] > 200 and p[1] < 60 and p[2] < 60, x, y, 60, 1) > 40

    def ship_x(self, screenshot=None):
        """Left edge of the 32-pixel-wide column of the ship's row with the most lit pixels, on
        the screen now or in a screenshot of it; None when nothing ship-like is there (the ship
        is breaking up, say)."""
        left, top = self.at(0, SHIP_TOP)
        if screenshot:
            image = screenshot.crop(left, top, 484, SHIP_SIZE)
        else:
            image = self.server.grab(left, top, 484, SHIP_SIZE)
        lit = [[is_lit(image.pixel(x, row)) for x in range(484)] for row in range(SHIP_SIZE)]
        columns = [sum(lit[row][x] for row in range(SHIP_SIZE)) for x in range(484)]
        best = max(range(484 - SHIP_SIZE), key=lambda x: sum(columns[x:x + SHIP_SIZE]))
        # Taller than a 16-pixel asteroid or enemy, even when the ship banks and looks narrow.
        rows = sum(1 for row in range(SHIP_SIZE) if any(lit[row][best:best + SHIP_SIZE]))
        return best if sum(columns[best:best + SHIP_SIZE]) > 100 and rows > 20 else None

    def start_game(self, window):
        self.click_menu("Start Game")
        wait_until(self.game_showing, what="the game screen")
        self.server.focus(window)

    def steer(self, window, key, seconds):
        """Holds a steering key for about seconds."""
        self.server.key_down(window, key)
        held_from = time.monotonic()
        while time.monotonic() - held_from < seconds:
            time.sleep(0.01)
        self.server.key_up(key)

    def steer_right(self, window, seconds):
        """Holds Right for about seconds and looks at the ship twice while it is held; returns its
        x at both looks and the longest time that can lie between them (from before the first
        look began to after the second ended), or None when the ship was not seen both times
        (destroyed, or hidden by a wreck)."""
        self.server.key_down(window, "Right")
        held_from = time.monotonic()
        first = self.ship_x()
        while time.monotonic() - held_from < seconds:
            time.sleep(0.01)
        second = self.ship_x()
        between = time.monotonic() - held_from
        self.server.key_up("Right")
        if first is None or second is None:
            return None
        return first, second, between


class FrontEndTest(unittest.TestCase):

    def test_splash_then_menu(self):
        session = Session(self, settings_text=settings(), watch=True)
        window = session.main_window()
        wait_until(session.menu_showing, what="the menu")
        events = session.watch.settled()

        splash = [e for e in events if e["name"] == VIEWER_TITLE and e["width"] == 320 and e["height"] == 200]
        main = [e for e in events if e["name"] == MAIN_TITLE]
        self.assertTrue(splash and splash[0]["what"] == "map", "the splash was never shown")
        self.assertEqual(main[0]["what"], "map")
        # The splash is up before the main window and goes once the main window is shown.
        self.assertLess(splash[0]["ms"], main[0]["ms"])
        unmapped = [e for e in events if e["id"] == splash[0]["id"] and e["what"] == "unmap"]
        self.assertTrue(unmapped, "the splash stayed on screen")
        self.assertGreaterEqual(unmapped[0]["ms"], main[0]["ms"])
        # Both centred on the 800 x 600 screen.
        self.assertEqual((splash[0]["x"], splash[0]["y"]), (240, 200))
        x, y, width, height = session.server.geometry(window)
        self.assertEqual((width, height), (484, 395))
        self.assertEqual((x, y), ((800 - 484) // 2, (600 - 395) // 2))

        # At the menu Esc does nothing; the window and its menu stay.
        session.server.key(window, "Escape")
        time.sleep(0.3)
        self.assertTrue(session.program.running())
        self.assertTrue(session.menu_showing())
        self.assertFalse(session.game_showing())

    def test_start_game_and_steer_right(self):
        # A slow frame period leaves time to see the ship between key presses.
        session = Session(self, settings_text=settings("GameSpeed=30\n"))
        window = session.main_window()
        wait_until(session.menu_showing, what="the menu")
        session.start_game(window)
        self.assertFalse(session.menu_showing())

        # The ship may be rammed while it flies; a destroyed ship starts again at its place.
        for attempt in range(4):
            seen = session.steer_right(window, 0.3)
            if seen and seen[1] > seen[0] + 2 * SHIP_STEP:
                break
            time.sleep(0.5)
        else:
            self.fail(f"the ship did not move right while Right was held (last seen: {seen})")

    def test_escape_returns_to_menu(self):
        session = Session(self, settings_text=settings())
        window = session.main_window()
        wait_until(session.menu_showing, what="the menu")
        # Enter clicks the default button, Start Game.
        session.server.key(window, "Return")
        wait_until(session.game_showing, what="the game screen after Enter")
        session.server.key(window, "Escape")
        wait_until(session.menu_showing, what="the menu after Esc")
        self.assertFalse(session.game_showing())
        self.assertTrue(session.program.running())

    def test_viewer_pages_without_wrapping(self):
        session = Session(self, settings_text=settings())
        window = session.main_window()
        wait_until(session.menu_showing, what="the menu")
        session.click_menu("Information")
        server = session.server
        viewer = server.wait_window(VIEWER_TITLE)
        vx, vy, _, _ = server.geometry(viewer)

        def page():
            # The page left of the buttons, which stand over its lower right corner.
            return server.grab(vx + PAGE_LEFT, vy + PAGE_TOP, 280, PAGE_HEIGHT).data

        def page_drawn(previous=None):
            # Its heading and text lit, and other than the page before.
            return wait_steady(page, lambda p: p != previous and Image(280, PAGE_HEIGHT, p).count(is_lit) > 500,
                               what="a page drawn")

        def page_equal_to(expected):
            return wait_until(lambda: page() == expected, what="the page seen before")

        def press(button_y):
            server.click(vx + VIEWER_BUTTON_X, vy + button_y)

        def press_in_vain(button_y, shown):
            press(button_y)
            time.sleep(0.3)
            self.assertEqual(page(), shown, "the page changed where it should not")

        pages = [page_drawn()]
        press_in_vain(VIEWER_PREV_Y, pages[0])  # no wrap to the last page
        for _ in range(4):
            press(VIEWER_NEXT_Y)
            pages.append(page_drawn(pages[-1]))
        self.assertEqual(len(set(pages)), 5, "the five pages are not all different")
        press_in_vain(VIEWER_NEXT_Y, pages[4])  # no wrap to the first page
        press(VIEWER_PREV_Y)
        page_equal_to(pages[3])

        # Coming back to the viewer from the main window starts it again at its first page.
        server.focus(window)
        server.focus(viewer)
        page_equal_to(pages[0])

        # Esc at the menu is not the viewer's, even with the pointer resting on it.
        server.focus(window)
        server.key(window, "Escape")
        time.sleep(0.3)
        self.assertTrue(server.visible_windows(VIEWER_TITLE), "Esc at the menu closed the viewer")
        server.focus(viewer)

        # Esc closes the viewer; it opens again on its first page.
        press(VIEWER_NEXT_Y)
        page_equal_to(pages[1])
        server.key(viewer, "Escape")
        server.wait_no_window(VIEWER_TITLE)
        session.click_menu("Information")
        server.wait_window(VIEWER_TITLE)
        page_equal_to(pages[0])

    def test_slider_sets_frame_period_of_next_game(self):
        session = Session(self, settings_text=settings())
        window = session.main_window()
        wait_until(session.menu_showing, what="the menu")
        server = session.server
        session.click_menu("Options")
        dialog = server.wait_window(PREFERENCES_TITLE)
        # Tab from OK to the slider; End moves it to its slowest end, 66 milliseconds; Up steps
        # toward the low end and Down toward the high end, one at a time: 64.
        server.key(dialog, "Tab", "End", "Up", "Up", "Up", "Down")
        dx, dy, _, _ = server.geometry(dialog)
        server.click(dx + PREFERENCES_OK[0], dy + PREFERENCES_OK[1])
        server.wait_no_window(PREFERENCES_TITLE)

        session.start_game(window)
        for attempt in range(6):
            seen = session.steer_right(window, 0.6)
            # Only a run from the left half tells the periods apart: at 10 ms the ship would
            # reach the right edge, 25 steps away, well within the hold.
            if seen and seen[1] > seen[0] and seen[0] < SHIP_START_X + 30:
                break
            session.steer(window, "Left", 1.0)
        else:
            self.fail(f"the ship was not seen moving from the left half (last seen: {seen})")
        # At 64 ms a frame the ship makes at most one step per 64 ms between the two looks, and
        # a few more where the timer catches up after the program waited; at the default 10 ms
        # it would have crossed the field.
        first, second, between = seen
        steps = (second - first) / SHIP_STEP
        self.assertLessEqual(steps, between / 0.064 + 3, f"moved {steps} steps in {between:.2f} s")

        # The period is kept as a setting too.
        server.key(window, "Escape")
        wait_until(session.menu_showing, what="the menu")
        server.close(window)
        self.assertEqual(session.program.wait_exit(), 0)
        self.assertEqual(ini_sections(session.program.settings_text())["Options"]["GameSpeed"], "64")

    def test_help_opens_at_contents_and_preferences(self):
        session = Session(self, settings_text=settings())
        window = session.main_window()
        wait_until(session.menu_showing, what="the menu")
        server = session.server

        session.click_menu("Help")
        contents = session.help_seen_and_closed()

        # F1 at the menu opens the same contents.
        server.key(window, "F1")
        self.assertEqual(session.help_seen_and_closed(), contents)

        # So does F1 during a game: the game's keys do not swallow it.
        session.start_game(window)
        server.key(window, "F1")
        self.assertEqual(session.help_seen_and_closed(), contents)
        server.key(window, "Escape")
        wait_until(session.menu_showing, what="the menu after the game")

        # The Preferences' Help opens the Preferences topic, over the modal dialog.
        session.click_menu("Options")
        dialog = server.wait_window(PREFERENCES_TITLE)
        dx, dy, _, _ = server.geometry(dialog)
        server.click(dx + PREFERENCES_HELP[0], dy + PREFERENCES_HELP[1])
        help_window, preferences = session.help_view()
        self.assertNotEqual(preferences, contents)
        # The help takes input while the dialog is open: it can be closed, the dialog stays.
        server.close(help_window)
        server.wait_no_window(HELP_TITLE)
        self.assertTrue(server.visible_windows(PREFERENCES_TITLE))
        # ...and the dialog takes its own input again.
        server.click(dx + PREFERENCES_OK[0], dy + PREFERENCES_OK[1])
        server.wait_no_window(PREFERENCES_TITLE)

    def test_sound_that_cannot_start_is_reported_and_switched_off(self):
        session = Session(self, settings_text=settings("SoundFX_Toggle=1\nMusic_Toggle=1\n"),
                          audio_driver="no-such-driver")
        server = session.server
        message = server.wait_window("WaveMix Error")
        server.key(message, "Return")
        server.wait_no_window("WaveMix Error")
        window = session.main_window()
        wait_until(session.menu_showing, what="the menu")
        # The game runs silent; both boxes were cleared, and so is what the exit saves.
        session.start_game(window)
        server.key(window, "Escape")
        wait_until(session.menu_showing, what="the menu after the game")
        server.close(window)
        self.assertEqual(session.program.wait_exit(), 0)
        options = ini_sections(session.program.settings_text())["Options"]
        self.assertEqual((options["SoundFX_Toggle"], options["Music_Toggle"]), ("0", "0"))

    def test_missing_help_file_is_reported(self):
        session = Session(self, settings_text=settings())
        os.remove(os.path.join(session.program.directory, "VOIDRAID.HLP"))
        session.main_window()
        wait_until(session.menu_showing, what="the menu")
        session.click_menu("Help")
        message = session.server.wait_window(MESSAGE_TITLE)
        self.assertFalse(session.server.visible_windows(HELP_TITLE))
        session.server.key(message, "Return")
        session.server.wait_no_window(MESSAGE_TITLE)
        self.assertTrue(session.program.running())

    def test_close_box_ends_game_then_program(self):
        scores = FULL_SCORE_TABLE
        session = Session(self, settings_text="[HiScores]\n" + scores)
        window = session.main_window()
        wait_until(session.menu_showing, what="the menu")
        session.start_game(window)

        # During a game the close box ends the game; the window stays, back at its menu.
        session.server.close(window)
        wait_until(session.menu_showing, what="the menu after closing during a game")
        self.assertTrue(session.program.running())
        self.assertEqual(session.server.visible_windows(MAIN_TITLE), [window])

        # At the menu it ends the program, the settings written beside the high scores.
        session.server.close(window)
        self.assertEqual(session.program.wait_exit(), 0)
        sections = ini_sections(session.program.settings_text())
        self.assertEqual(sections["Options"], {"SoundFX_Toggle": "1", "Music_Toggle": "0", "GameSpeed": "10"})
        self.assertEqual(sections["HiScores"], ini_sections("[HiScores]\n" + scores)["HiScores"])

    def test_colour_depth_check(self):
        stored = settings("SoundFX_Toggle=0\nMusic_Toggle=0\nGameSpeed=33\n")
        cases = [
            # depth, settings file at the start, refused
            (8, None, True),
            (8, stored, True),
            (16, stored, False),
        ]
        for depth, settings_text, refused in cases:
            with self.subTest(depth=depth, settings=settings_text is not None):
                session = Session(self, depth=depth, settings_text=settings_text, watch=True)
                if not refused:
                    session.main_window()
                    wait_until(session.menu_showing, what="the menu")
                    continue
                message = session.server.wait_window(MESSAGE_TITLE)
                mx, my, width, height = session.server.geometry(message)
                # Readable: dark text on the light box, not solid blocks.
                dark = wait_until(lambda: (lambda n: n if n > 200 else None)(
                    session.server.grab(mx, my, width, height).count(lambda p: max(p) < 80)), what="the box's text")
                self.assertLess(dark, width * height // 4)
                session.server.key(message, "Return")
                self.assertEqual(session.program.wait_exit(), 0)
                self.assertFalse([e for e in session.watch.settled() if e["name"] == MAIN_TITLE],
                                 "the main window was shown")
                # A refused start leaves the settings file as it was, or absent.
                if settings_text is None:
                    self.assertFalse(os.path.exists(session.program.ini_path))
                else:
                    self.assertEqual(session.program.settings_text(), settings_text)


if __name__ == "__main__":
    unittest.main()

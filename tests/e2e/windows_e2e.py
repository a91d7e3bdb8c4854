"""The windows as a desktop player expects them: Tab going round, frames counted under a window
manager, the program's own window class, and windows that come up with the keyboard and stay on
top while they block the others."""

import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from frontend_e2e import PAGE_HEIGHT, PAGE_LEFT, PAGE_TOP, Session, settings  # noqa: E402
from harness import (FULL_SCORE_TABLE, HELP_TITLE, MAIN_TITLE, MESSAGE_TITLE, PREFERENCES_TITLE,  # noqa: E402
                     VIEWER_TITLE, Program, XServer, ini_sections, is_lit, is_yellow, wait_steady, wait_until)
from scores_e2e import DESIGN_HEIGHT, DIALOG_WIDTH, TWIPS, VIEW_HEIGHT, centred, px  # noqa: E402

SCREEN_WIDTH, SCREEN_HEIGHT = 800, 600
PROGRAM_CLASS = ("voidraid", "Voidraid")
ABOUT_WIDTH, VIEWER_WIDTH = 320, 322
# The About box: inside its OK button, its right edge, and the "Loading" label's rows beneath.
ABOUT_OK = (258 + 5, 145 + 5)
ABOUT_OK_RIGHT = 258 + 50
LOADING_TOP, LOADING_HEIGHT = 151, 10
SCORES_WIDTH = DIALOG_WIDTH

# Managers that draw frames and say what they drew.
FRAMING_MANAGERS = ("openbox", "fluxbox")
# Far more than a start takes even on a loaded machine, far less than a wait on a manager that
# never answers, which is for ever.
START_BOUND_MS = 5000
# The frame actions the designs decide on; the others (move, shade...) are the manager's own.
DESIGNED_ACTIONS = {"_NET_WM_ACTION_MINIMIZE", "_NET_WM_ACTION_MAXIMIZE_HORZ", "_NET_WM_ACTION_MAXIMIZE_VERT",
                    "_NET_WM_ACTION_RESIZE", "_NET_WM_ACTION_CLOSE"}
MINIMIZE, CLOSE = "_NET_WM_ACTION_MINIMIZE", "_NET_WM_ACTION_CLOSE"


def window_of_width(server, title, width):
    """The shown window with this title and client width (the splash, the About box, the viewer
    and the high-score dialog share one title)."""
    return wait_until(lambda: next((w for w in server.visible_windows(title) if server.geometry(w)[2] == width), None),
                      what=f"the '{title}' window {width} pixels wide")


def on_top(server, window):
    return wait_until(lambda: server.stacking()[-1:] == [window], what=f"window {window} on top")


class WindowsTest(unittest.TestCase):

    def test_tab_goes_round_every_window(self):
        def main(session):
            return session.main_window()

        def viewer(session):
            session.click_menu("Information")
            return session.server.wait_window(VIEWER_TITLE)

        def preferences(session):
            session.click_menu("Options")
            return session.server.wait_window(PREFERENCES_TITLE)

        def name_entry(session):
            # An empty table takes a game of 0.
            session.start_game(session.main_window())
            session.server.key(session.main_window(), "Escape")
            return window_of_width(session.server, VIEWER_TITLE, DIALOG_WIDTH)

        def page(session, viewer_window):
            """The page left of the buttons once it is drawn (its heading and text lit)."""
            x, y, _, _ = session.server.geometry(viewer_window)
            shown = session.server.screenshot().crop(x + PAGE_LEFT, y + PAGE_TOP, 280, PAGE_HEIGHT)
            return shown.data if shown.count(is_lit) > 500 else None

        def preferences_opened(session, window, before):
            session.server.wait_window(PREFERENCES_TITLE)

        def program_ended(session, window, before):
            self.assertEqual(session.program.wait_exit(), 0)

        def next_page_shown(session, window, before):
            wait_until(lambda: page(session, window) not in (None, before), what="the next page")

        def viewer_closed(session, window, before):
            session.server.wait_no_window(VIEWER_TITLE)

        def help_opened(session, window, before):
            session.server.wait_window(HELP_TITLE)

        def name_typed(session, window, before):
            wait_until(lambda: os.path.exists(session.program.ini_path), what="the table written")
            self.assertEqual(ini_sections(session.program.settings_text())["HiScores"], {"Score1": "0;ab"})

        cases = [
            # window (focus on its first control), keys, then Enter: what shows where the focus went
            ("main: round past Exit to Options", main, ["Tab"] * 9, preferences_opened),
            ("main: back round to Exit", main, ["shift+Tab"], program_ended),
            ("viewer: round to Previous, on to Next", viewer, ["Tab"] * 4, next_page_shown),
            ("viewer: back round to OK", viewer, ["shift+Tab"], viewer_closed),
            ("Preferences: back round to Help", preferences, ["shift+Tab"], help_opened),
            ("high-score entry: round to the name box", name_entry, ["Tab"] * 3 + ["a", "b"], name_typed),
        ]
        for what, open_window, keys, outcome in cases:
            with self.subTest(what):
                session = Session(self, settings_text=None if open_window is name_entry else settings())
                session.main_window()
                wait_until(session.menu_showing, what="the menu")
                window = open_window(session)
                before = None
                if open_window is viewer:
                    before = wait_steady(lambda: page(session, window), what="the first page")
                session.server.key(window, *keys)
                session.server.key(window, "Return")
                outcome(session, window, before)

    def test_frames_count_under_a_window_manager(self):
        for manager in FRAMING_MANAGERS:
            with self.subTest(manager):
                session = Session(self, settings_text=settings(scores="Score1=500;Ace\n"), window_manager=manager)
                server = session.server
                window = session.main_window()
                wait_until(session.menu_showing, what="the menu")

                # The main window is centred with its frame (once the frame is known: a manager
                # may say only when it puts the window on screen).
                x, y, width, height = server.frame_rect(window)
                self.assertGreater(height, server.geometry(window)[3], "no frame: the manager did not take the window")
                wait_until(lambda: server.frame_rect(window)[:2] == ((SCREEN_WIDTH - width) // 2,
                                                                     (SCREEN_HEIGHT - height) // 2),
                           what="the main window centred with its frame")
                x, y, width, height = server.frame_rect(window)

                # The viewer opens centred over it, frames and all.
                session.click_menu("Information")
                viewer = server.wait_window(VIEWER_TITLE)
                _, _, vwidth, vheight = server.frame_rect(viewer)
                wait_until(lambda: server.frame_rect(viewer)[:2] == (x + (width - vwidth) // 2,
                                                                     y + (height - vheight) // 2),
                           what="the viewer centred over the main window")
                server.key(viewer, "Escape")
                server.wait_no_window(VIEWER_TITLE)

                # The table from the menu: 2550 twips high with its frame, at once, and where the
                # centring put the design window with its frame.
                session.click_menu("High Scores")
                dialog = window_of_width(server, VIEWER_TITLE, DIALOG_WIDTH)
                dx, dy, dwidth, dheight = server.frame_rect(dialog)
                self.assertEqual(dheight, px(VIEW_HEIGHT))
                frame_height = dheight - server.geometry(dialog)[3]
                self.assertGreater(frame_height, 0)
                design_height = px(DESIGN_HEIGHT) + frame_height
                self.assertEqual((dx, dy), (centred(SCREEN_WIDTH, dwidth * TWIPS),
                                            centred(SCREEN_HEIGHT, design_height * TWIPS)))

    def test_start_up_hands_over_from_the_splash_to_the_main_window(self):
        for manager in (None,) + FRAMING_MANAGERS:
            with self.subTest(manager or "no manager"):
                session = Session(self, settings_text=settings(), watch=True, window_manager=manager or False)
                session.main_window()

                def first(what, name):
                    return next((e for e in session.watch.snapshot() if e["what"] == what and e["name"] == name),
                                None)

                gone = wait_until(lambda: first("unmap", VIEWER_TITLE), what="the splash to go")
                splash, main = first("map", VIEWER_TITLE), first("map", MAIN_TITLE)
                self.assertIsNotNone(splash, "the splash was never on screen")
                self.assertLess(splash["ms"], main["ms"], "the splash came after the main window")
                self.assertLess(main["ms"] - session.program.started_ms, START_BOUND_MS)
                # The splash is taken away only once the main window is on screen: some window
                # always shows that the program is there.
                self.assertGreaterEqual(gone["ms"], main["ms"])

    def test_frames_offer_the_designed_buttons(self):
        def viewer(session):
            session.click_menu("Information")
            return window_of_width(session.server, VIEWER_TITLE, VIEWER_WIDTH), "Escape"

        def preferences(session):
            session.click_menu("Options")
            return session.server.wait_window(PREFERENCES_TITLE), "Return"

        def high_scores(session):
            session.click_menu("High Scores")
            return window_of_width(session.server, VIEWER_TITLE, SCORES_WIDTH), "Return"

        # window, its frame's actions, what the desktop is told it is
        designs = [
            ("main window", None, {CLOSE}, None),
            ("viewer", viewer, {MINIMIZE, CLOSE}, None),
            ("Preferences", preferences, {CLOSE}, "_NET_WM_WINDOW_TYPE_UTILITY"),
            ("high-score dialog", high_scores, set(), "_NET_WM_WINDOW_TYPE_DIALOG"),
        ]
        for manager in FRAMING_MANAGERS:
            # A sound device that cannot start brings a message box first.
            session = Session(self, settings_text=settings(), audio_driver="no-such-driver", window_manager=manager)
            server = session.server

            def check(what, window, actions, window_type):
                allowed = wait_until(lambda: server.atoms(window, "_NET_WM_ALLOWED_ACTIONS"),
                                     what=f"the {what}'s actions")
                if manager == "openbox":
                    # openbox keeps minimise and close on every window whatever the hints ask;
                    # what a fixed size forbids it takes away.
                    actions = actions | {MINIMIZE, CLOSE}
                self.assertEqual(allowed & DESIGNED_ACTIONS, actions)
                self.assertEqual(server.atoms(window, "_NET_WM_WINDOW_TYPE"), {window_type} if window_type else set())

            with self.subTest(manager=manager, window="message box"):
                message = server.wait_window("WaveMix Error")
                check("message box", message, {CLOSE}, "_NET_WM_WINDOW_TYPE_DIALOG")
                server.key(message, "Return")
            window = session.main_window()
            wait_until(session.menu_showing, what="the menu")
            for what, open_window, actions, window_type in designs:
                with self.subTest(manager=manager, window=what):
                    shown, leave = open_window(session) if open_window else (window, None)
                    check(what, shown, actions, window_type)
                    if leave:
                        server.key(shown, leave)
                        wait_until(lambda: shown not in server.stacking(), what=f"the {what} to close")

    def test_starts_at_once_all_come_up(self):
        # Several starts on one busy desktop: none may wait for ever on the manager.
        starts = 7
        for manager in FRAMING_MANAGERS:
            with self.subTest(manager):
                server = XServer()
                self.addCleanup(server.stop)
                server.start_window_manager(manager)
                programs = [Program(server, "[HiScores]\n" + FULL_SCORE_TABLE) for _ in range(starts)]
                for program in programs:
                    self.addCleanup(program.stop)
                for program in programs:
                    program.start()
                wait_until(lambda: len(server.visible_windows(MAIN_TITLE)) == starts, timeout=120,
                           what=f"{starts} main windows")
                self.assertTrue(all(program.running() for program in programs))

    def test_every_window_carries_the_program_class(self):
        # A sound device that cannot start brings a message box first.
        session = Session(self, settings_text=settings(), audio_driver="no-such-driver")
        server = session.server
        seen = {}

        def look(what, window):
            seen[what] = server.window_class(window)

        message = server.wait_window("WaveMix Error")
        look("message box", message)
        server.key(message, "Return")
        window = session.main_window()
        wait_until(session.menu_showing, what="the menu")
        look("main window", window)

        for button, find, leave in [
            ("About", lambda: window_of_width(server, VIEWER_TITLE, ABOUT_WIDTH), "Escape"),
            ("Information", lambda: window_of_width(server, VIEWER_TITLE, VIEWER_WIDTH), "Escape"),
            ("Options", lambda: server.wait_window(PREFERENCES_TITLE), None),
            ("High Scores", lambda: window_of_width(server, VIEWER_TITLE, DIALOG_WIDTH), "Return"),
            ("Help", lambda: server.wait_window(HELP_TITLE), None),
        ]:
            session.click_menu(button)
            opened = find()
            look(button, opened)
            if leave:
                server.key(opened, leave)
            else:
                server.close(opened)
            wait_until(lambda: opened not in server.stacking(), what=f"the {button} window to close")
        self.assertEqual(seen, {what: PROGRAM_CLASS for what in seen})
        self.assertEqual(len(seen), 7)

    def test_information_again_brings_the_viewer_up_with_the_keyboard(self):
        for window_manager in (False, True):
            with self.subTest(window_manager=window_manager):
                session = Session(self, settings_text=settings(), window_manager=window_manager)
                server = session.server
                window = session.main_window()
                wait_until(session.menu_showing, what="the menu")
                session.click_menu("Information")
                viewer = server.wait_window(VIEWER_TITLE)

                # The main window comes in front of the viewer, with the keyboard.
                server.run("xdotool", "windowraise", str(window))
                server.focus(window)
                on_top(server, window)

                session.click_menu("Information")
                on_top(server, viewer)
                # Esc, sent to whichever window has the keyboard, is the viewer's.
                server.run("xdotool", "key", "Escape")
                server.wait_no_window(VIEWER_TITLE)

    def test_modal_window_stays_above_the_window_it_blocks(self):
        def game_over_box(session):
            # At a frame a millisecond, the ship left alone soon loses its last life.
            session.start_game(session.main_window())
            return session.server.wait_window(MESSAGE_TITLE, timeout=120), MESSAGE_TITLE

        def preferences(session):
            session.click_menu("Options")
            return session.server.wait_window(PREFERENCES_TITLE), PREFERENCES_TITLE

        for what, open_modal in [("game-over box", game_over_box), ("Preferences", preferences)]:
            with self.subTest(what):
                session = Session(self, settings_text=settings("GameSpeed=1\n"))
                server = session.server
                window = session.main_window()
                wait_until(session.menu_showing, what="the menu")
                modal, title = open_modal(session)

                # Without a window manager, xdotool's close destroys the main window's X window;
                # the program makes it anew, and the modal window stays above it.
                server.run("xdotool", "windowclose", str(window))
                remade = wait_until(lambda: [w for w in server.visible_windows(MAIN_TITLE) if w != window],
                                    what="the main window made anew")[0]
                on_top(server, modal)
                self.assertIn(remade, server.stacking())

                # It keeps the keyboard; once it closes, the menu is back and takes input.
                server.run("xdotool", "key", "Return")
                server.wait_no_window(title)
                wait_until(session.menu_showing, what="the menu")
                self.assertTrue(session.program.running())

    def test_about_label_stays_in_its_box(self):
        session = Session(self, settings_text=settings())
        session.main_window()
        wait_until(session.menu_showing, what="the menu")
        session.click_menu("About")
        about = window_of_width(session.server, VIEWER_TITLE, ABOUT_WIDTH)
        x, y, _, _ = session.server.geometry(about)
        image = wait_until(lambda: (lambda i: i if i.count(is_yellow, x + ABOUT_OK[0], y + ABOUT_OK[1], 40, 10) > 200
                                    else None)(session.server.screenshot()), what="the OK button")
        # Right of OK, which covers the "Loading" label's box, the picture there is black.
        self.assertEqual(image.count(is_lit, x + ABOUT_OK_RIGHT, y + LOADING_TOP, 12, LOADING_HEIGHT), 0)


if __name__ == "__main__":
    unittest.main()

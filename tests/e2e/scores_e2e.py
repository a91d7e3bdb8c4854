"""The high-score dialog as a player meets it: a name asked for after a game, the table shown
from the menu, and the table kept in the settings file."""

import os
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from harness import (MAIN_TITLE, MESSAGE_TITLE, VIEWER_TITLE, Program, WaitTimeout, WindowWatch, XServer, ini_sections,  # noqa: E402
                     is_lit, is_yellow, wait_until)

SCREEN_WIDTH, SCREEN_HEIGHT = 800, 600
DIALOG_TITLE = VIEWER_TITLE

# The main window's menu, in its client area.
MENU_BUTTONS = ["Start Game", "High Scores"]
MENU_BUTTON_LEFT, MENU_BUTTON_TOP, MENU_BUTTON_PITCH = 7 + 354, 10 + 71, 23
MENU_BUTTON_WIDTH, MENU_BUTTON_HEIGHT = 95, 21

# The dialog's design, in twips, 15 to the pixel.
TWIPS = 15
DESIGN_WIDTH, DESIGN_HEIGHT = 4605, 2925
VIEW_HEIGHT = 2505 + 45  # the top of the entry layout's Ok, and a little


def px(twips):
    return round(twips / TWIPS)


def rect(left, top, width, height):
    return px(left), px(top), px(width), px(height)


DIALOG_WIDTH = px(DESIGN_WIDTH)
NAMES = rect(255, 405, 1620, 1080)
SCORES = rect(1890, 405, 1170, 1080)
PROMPT = rect(240, 1725, 2850, 165)
BOXES_ROW = rect(240, 1920, 1905 + 1185 - 240, 360)
NEW_SCORE_OK = rect(3870, 2505, 570, 302)
VIEW_OK = rect(3855, 1725, 600, 302)  # moved up to the prompt's row


def centred(screen_pixels, size_twips):
    """The left or top edge, in pixels, that the dialog's centring gives."""
    return px((screen_pixels * TWIPS - size_twips) // 2)


def yellow_in(image, origin, area, minimum=200):
    x, y, width, height = area
    return image.count(is_yellow, origin[0] + x, origin[1] + y, width, height) >= minimum


def lit_in(image, origin, area):
    x, y, width, height = area
    return image.count(is_lit, origin[0] + x, origin[1] + y, width, height)


def scores_section(places):
    """A "HiScores" section from (name, score) pairs, as the program writes it."""
    return "[HiScores]\n" + "".join(f"Score{i}={score};{name}\n" for i, (name, score) in enumerate(places, 1))


class Session:
    """One X server and one run of the program, started with the given settings file (bytes or
    text; None for no file). prepare(program) runs just before the start, on_start(session) once
    the program is started, before the menu is waited for; the other options are the Program's."""

    def __init__(self, test, settings=None, watch=False, prepare=None, on_start=None, **program_options):
        self.test = test
        self.server = XServer(width=SCREEN_WIDTH, height=SCREEN_HEIGHT)
        test.addCleanup(self.server.stop)
        self.watch = WindowWatch(self.server) if watch else None
        if self.watch:
            test.addCleanup(self.watch.stop)
        self.program = Program(self.server, **program_options)
        test.addCleanup(self.program.stop)
        if settings is not None:
            with open(self.program.ini_path, "wb") as ini:
                ini.write(settings if isinstance(settings, bytes) else settings.encode())
        if prepare:
            prepare(self.program)
        self.program.start()
        if on_start:
            on_start(self)
        self.window = self.program.main_window()
        self.origin = self.server.geometry(self.window)[:2]
        wait_until(self.menu_showing, what="the menu")

    def menu_showing(self):
        image = self.server.screenshot()
        for row in range(len(MENU_BUTTONS)):
            x = self.origin[0] + MENU_BUTTON_LEFT + 4
            y = self.origin[1] + MENU_BUTTON_TOP + row * MENU_BUTTON_PITCH + 4
            if image.count(is_yellow, x, y, MENU_BUTTON_WIDTH - 8, MENU_BUTTON_HEIGHT - 8) < 200:
                return False
        return True

    def click_menu(self, label):
        row = MENU_BUTTONS.index(label)
        self.server.click(self.origin[0] + MENU_BUTTON_LEFT + MENU_BUTTON_WIDTH // 2,
                          self.origin[1] + MENU_BUTTON_TOP + row * MENU_BUTTON_PITCH + MENU_BUTTON_HEIGHT // 2)

    def play_and_quit(self):
        """Starts a game and ends it at once with Esc: a game of 0 points."""
        self.click_menu("Start Game")
        wait_until(lambda: not self.menu_showing(), what="the game screen")
        self.server.key(self.window, "Escape")

    def dialog(self, timeout=20.0):
        """The high-score dialog (the splash and the viewer share its title, not its width)."""
        def find():
            for window in self.server.visible_windows(DIALOG_TITLE):
                if self.server.geometry(window)[2] == DIALOG_WIDTH:
                    return window
            return None
        return wait_until(find, timeout, what="the high-score dialog")

    def wait_height(self, dialog, height):
        return wait_until(lambda: (lambda g: g if g[3] == height else None)(self.server.geometry(dialog)),
                          what=f"the dialog {height} pixels high")

    def wait_gone(self, dialog):
        wait_until(lambda: dialog not in self.server.visible_windows(DIALOG_TITLE), what="the dialog to close")

    def hiscores(self):
        return ini_sections(self.program.settings_text()).get("HiScores", {})

    def settings_bytes(self):
        with open(self.program.ini_path, "rb") as ini:
            return ini.read()

    def lists(self, dialog, rows=True):
        """The insides of the two lists as shown, as pixels, once they show rows (or none)."""
        x, y = self.server.geometry(dialog)[:2]
        inset = 3  # inside the frames

        def grab():
            image = self.server.screenshot()
            crops = [image.crop(x + left + inset, y + top + inset, width - 2 * inset, height - 2 * inset)
                     for left, top, width, height in (NAMES, SCORES)]
            shows_rows = any(crop.count(is_lit) for crop in crops)
            return b"".join(crop.data for crop in crops) if shows_rows == rows else None
        return wait_until(grab, what="the lists with rows" if rows else "the lists empty")

    def assert_entry_layout(self, dialog):
        origin = self.server.geometry(dialog)[:2]
        # Drawn once the prompt shows; then the rest of the layout must be there with it.
        image = wait_until(lambda: (lambda i: i if lit_in(i, origin, PROMPT) > 50 else None)(self.server.screenshot()),
                           what="the prompt")
        self.test.assertTrue(lit_in(image, origin, BOXES_ROW) > 200, "the name and score boxes are not shown")
        self.test.assertTrue(yellow_in(image, origin, NEW_SCORE_OK), "the entry layout's Ok is not shown")

    def assert_view_layout(self, dialog):
        image = wait_until(lambda: (lambda i: i if yellow_in(i, self.server.geometry(dialog)[:2], VIEW_OK) else None)(
            self.server.screenshot()), what="the Ok button in the prompt's row")
        origin = self.server.geometry(dialog)[:2]
        prompt_x, prompt_y, _, _ = PROMPT
        boxes_x, boxes_y, boxes_width, boxes_height = BOXES_ROW
        below_lists = (prompt_x, prompt_y, boxes_width, boxes_y + boxes_height - prompt_y)
        self.test.assertEqual(lit_in(image, origin, below_lists), 0, "the prompt or the boxes still show")

    def assert_esc_does_nothing(self, dialog, height):
        self.server.key(dialog, "Escape")
        time.sleep(0.5)
        self.test.assertIn(dialog, self.server.visible_windows(DIALOG_TITLE), "Esc closed the dialog")
        self.test.assertEqual(self.server.geometry(dialog)[3], height, "Esc changed the layout")


class HighScoreDialogTest(unittest.TestCase):

    def test_name_entered_after_game_then_table_from_menu(self):
        session = Session(self)
        server = session.server
        session.play_and_quit()

        # An empty table takes a game of 0: the entry layout, centred with its design size.
        dialog = session.dialog()
        left, top = centred(SCREEN_WIDTH, DESIGN_WIDTH), centred(SCREEN_HEIGHT, DESIGN_HEIGHT)
        self.assertEqual(server.geometry(dialog), (left, top, DIALOG_WIDTH, px(DESIGN_HEIGHT)))
        session.assert_entry_layout(dialog)
        session.lists(dialog, rows=False)

        # Neither Esc nor the window system's close leaves the entry layout: a name is asked for.
        session.assert_esc_does_nothing(dialog, px(DESIGN_HEIGHT))
        server.close(dialog)
        time.sleep(0.5)
        self.assertIn(dialog, server.visible_windows(DIALOG_TITLE), "the close request ended the entry")
        self.assertEqual(server.geometry(dialog)[3], px(DESIGN_HEIGHT))

        # The name, then Tab to the score box, whose text cannot be edited; Enter enters the name.
        server.focus(dialog)
        server.type("NAME")
        server.key(dialog, "Tab")
        server.type("77")
        server.key(dialog, "Return")
        wait_until(lambda: os.path.exists(session.program.ini_path) and session.hiscores(), what="the table written")
        self.assertEqual(session.hiscores(), {"Score1": "0;NAME"})

        # The view layout: shortened in place, OK in the prompt's row, the new row in the lists.
        self.assertEqual(session.wait_height(dialog, px(VIEW_HEIGHT))[:2], (left, top))
        session.assert_view_layout(dialog)
        after_entry = session.lists(dialog)
        session.assert_esc_does_nothing(dialog, px(VIEW_HEIGHT))

        # Enter is now OK: the dialog closes and the menu comes back.
        server.key(dialog, "Return")
        session.wait_gone(dialog)
        wait_until(session.menu_showing, what="the menu after the dialog")

        # High Scores reads the table again and shows it in the view layout, centred anew.
        session.click_menu("High Scores")
        dialog = session.dialog()
        self.assertEqual(session.wait_height(dialog, px(VIEW_HEIGHT))[:2], (left, top))
        session.assert_view_layout(dialog)
        self.assertEqual(session.lists(dialog), after_entry)
        server.key(dialog, "Return")
        session.wait_gone(dialog)
        self.assertEqual(session.hiscores(), {"Score1": "0;NAME"})

    def test_table_admits_or_refuses_a_game_of_0(self):
        top_four = [("Ace", 500), ("Bo", 400), ("Cy", 0), ("Di", 0)]
        # Enter at once enters an empty name, listed below the entries with the same score.
        entered = top_four + [("", 0)]
        cases = [
            # the table; whether a game of 0 earns a place; the table afterwards
            ("full, its fifth 0 like the places above it", top_four + [("Ed", 0)], False, top_four + [("Ed", 0)]),
            ("full, its fifth below 0", top_four + [("Ed", -1)], True, entered),
            ("four places", top_four, True, entered),
        ]
        for what, places, admitted, after in cases:
            with self.subTest(what):
                settings = "[Options]\nGameSpeed=10\n" + scores_section(places)
                session = Session(self, settings, watch=True)
                session.play_and_quit()
                if admitted:
                    dialog = session.dialog()
                    session.server.key(dialog, "Return")
                    session.wait_height(dialog, px(VIEW_HEIGHT))
                    session.server.key(dialog, "Return")
                    session.wait_gone(dialog)
                wait_until(session.menu_showing, what="the menu after the game")
                dialogs = [e for e in session.watch.settled()
                           if e["what"] == "map" and e["name"] == DIALOG_TITLE and e["width"] == DIALOG_WIDTH]
                self.assertEqual(bool(dialogs), admitted)
                self.assertEqual(session.hiscores(), ini_sections(scores_section(after))["HiScores"])
                self.assertEqual(ini_sections(session.program.settings_text())["Options"], {"GameSpeed": "10"})

    def test_utf8_name_typed_shown_and_stored(self):
        typed = "zoë ærøskøbing-åse"  # 18 characters; the box takes 15
        kept = typed[:15]
        session = Session(self)
        server = session.server
        session.play_and_quit()
        dialog = session.dialog()
        server.focus(dialog)
        server.type(typed)
        server.key(dialog, "Return")
        session.wait_height(dialog, px(VIEW_HEIGHT))
        stored = ini_sections(session.settings_bytes().decode("utf-8"))["HiScores"]
        self.assertEqual(stored, {"Score1": "0;" + kept})
        shown = session.lists(dialog)
        server.key(dialog, "Return")
        session.wait_gone(dialog)

        # The same name from a file written in the Windows code page shows the same.
        session = Session(self, scores_section([(kept, 0)]).encode("cp1252"))
        session.click_menu("High Scores")
        dialog = session.dialog()
        session.wait_height(dialog, px(VIEW_HEIGHT))
        self.assertEqual(session.lists(dialog), shown)

    def test_close_request_in_view_layout_is_ok(self):
        session = Session(self, scores_section([("Ace", 500)]))
        server = session.server
        session.click_menu("High Scores")
        dialog = session.dialog()
        session.wait_height(dialog, px(VIEW_HEIGHT))
        server.close(dialog)
        session.wait_gone(dialog)
        wait_until(session.menu_showing, what="the menu after the dialog")

        # The next qualifying game still asks for a name.
        session.play_and_quit()
        dialog = session.dialog()
        self.assertEqual(server.geometry(dialog)[3], px(DESIGN_HEIGHT))
        session.assert_entry_layout(dialog)

    def test_table_and_settings_that_cannot_be_saved_are_told_once_each(self):
        settings = "[Options]\nGameSpeed=10\n" + scores_section([("Ace", 500)])
        session = Session(self, settings, watch=True)
        server = session.server
        os.chmod(session.program.ini_path, 0o444)
        session.play_and_quit()
        dialog = session.dialog()
        table_alone = session.lists(dialog)
        server.key(dialog, "Return")

        # The entry cannot be saved: one message, and the dialog still takes and shows the entry.
        message = server.wait_window(MESSAGE_TITLE)
        server.key(message, "Return")
        server.wait_no_window(MESSAGE_TITLE)
        session.wait_height(dialog, px(VIEW_HEIGHT))
        session.assert_view_layout(dialog)
        wait_until(lambda: session.lists(dialog) != table_alone, what="the entry in the lists")
        server.key(dialog, "Return")
        session.wait_gone(dialog)
        wait_until(session.menu_showing, what="the menu after the dialog")

        # The settings at exit: one message, then the program ends as usual.
        server.close(session.window)
        message = server.wait_window(MESSAGE_TITLE)
        self.assertTrue(session.program.running())
        server.key(message, "Return")
        self.assertEqual(session.program.wait_exit(), 0)
        messages = [e for e in session.watch.settled() if e["what"] == "map" and e["name"] == MESSAGE_TITLE]
        self.assertEqual(len(messages), 2)
        self.assertEqual(session.program.settings_text(), settings)


if __name__ == "__main__":
    unittest.main()

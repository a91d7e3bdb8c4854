"""The session ending, the terminal closed or Ctrl+C: the program leaves through its normal exit,
the settings saved, wherever it stands."""

import os
import signal
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from harness import MESSAGE_TITLE, PREFERENCES_TITLE, VIEWER_TITLE, ini_sections, wait_steady, wait_until  # noqa: E402
from frontend_e2e import PREFERENCES_OK, Session  # noqa: E402


def dialog_looks(server, dialog):
    """The dialog's pixels once two looks in a row agree."""
    x, y, width, height = server.geometry(dialog)
    return wait_steady(lambda: server.grab(x, y, width, height).data, what="the dialog drawn")


def changed(server, dialog, before):
    """The dialog's pixels, steady again, once they differ from before; None until then."""
    now = dialog_looks(server, dialog)
    return now if now != before else None


class SignalExitTest(unittest.TestCase):

    def test_signal_saves_the_settings_and_ends_the_program(self):
        cases = [
            # signals sent, where the program stands, the frame period saved
            ([signal.SIGTERM], "menu", "66"),
            ([signal.SIGHUP], "game", "66"),
            ([signal.SIGINT], "preferences", "65"),
            ([signal.SIGTERM], "high scores", "66"),
            ([signal.SIGHUP], "message box", "66"),
            ([signal.SIGTERM, signal.SIGTERM, signal.SIGINT], "game", "66"),
        ]
        for signals, where, speed in cases:
            with self.subTest(signals=[s.name for s in signals], where=where):
                # No high-score table: a game ended the usual way would ask for a name, and the
                # program would wait in that dialog.
                session = Session(self, settings_text="[Options]\nSoundFX_Toggle=0\n", watch=True)
                window = session.main_window()
                wait_until(session.menu_showing, what="the menu")
                server = session.server
                # Tab from OK to the slider; End moves it to 66 milliseconds.
                session.click_menu("Options")
                dialog = server.wait_window(PREFERENCES_TITLE)
                server.key(dialog, "Tab", "End")
                dx, dy, _, _ = server.geometry(dialog)
                server.click(dx + PREFERENCES_OK[0], dy + PREFERENCES_OK[1])
                server.wait_no_window(PREFERENCES_TITLE)
                if where == "game":
                    session.start_game(window)
                elif where == "preferences":
                    # The dialog's controls are the live settings, saved even while it is open.
                    session.click_menu("Options")
                    dialog = server.wait_window(PREFERENCES_TITLE)
                    # Each key shows: Tab the focus on the slider, Up the slider a step down.
                    looks = dialog_looks(server, dialog)
                    server.key(dialog, "Tab")
                    looks = wait_until(lambda: changed(server, dialog, looks), what="the focus on the slider")
                    server.key(dialog, "Up")
                    wait_until(lambda: changed(server, dialog, looks), what="the slider moved")
                elif where == "high scores":
                    session.click_menu("High Scores")
                    server.wait_window(VIEWER_TITLE)
                elif where == "message box":
                    # The help file gone, Help says so in a message box.
                    os.remove(os.path.join(session.program.directory, "VOIDRAID.HLP"))
                    session.click_menu("Help")
                    server.wait_window(MESSAGE_TITLE)

                shown_before = session.watch.catch_up()
                for sent in signals:
                    session.program.process.send_signal(sent)
                self.assertEqual(session.program.wait_exit(), 0)
                self.assertEqual(ini_sections(session.program.settings_text()),
                                 {"Options": {"SoundFX_Toggle": "0", "Music_Toggle": "0", "GameSpeed": speed}})
                # Neither the game-over box nor the high-score dialog came up on the way out.
                opened = [e["name"] for e in session.watch.snapshot()[shown_before:] if e["what"] == "map"]
                self.assertEqual(opened, [])

    def test_signal_ends_the_program_past_a_box_and_tells_a_failed_save_on_standard_error(self):
        cases = [
            # where the box comes from, whether the signal's own exit saves (and fails)
            ("the settings that could not be saved at exit", False),
            ("the missing help file", True),
        ]
        for box, signal_saves in cases:
            with self.subTest(box=box):
                settings = "[Options]\nSoundFX_Toggle=0\n"
                session = Session(self, settings_text=settings, watch=True)
                window = session.main_window()
                wait_until(session.menu_showing, what="the menu")
                server = session.server
                # A settings file the program may not write.
                os.chmod(session.program.ini_path, 0o444)
                if signal_saves:
                    os.remove(os.path.join(session.program.directory, "VOIDRAID.HLP"))
                    server.key(window, "F1")
                else:
                    server.close(window)
                server.wait_window(MESSAGE_TITLE)

                shown_before = session.watch.catch_up()
                session.program.process.send_signal(signal.SIGTERM)
                self.assertEqual(session.program.wait_exit(), 0)
                opened = [e["name"] for e in session.watch.snapshot()[shown_before:] if e["what"] == "map"]
                self.assertEqual(opened, [])
                self.assertEqual(session.program.settings_text(), settings)
                with open(os.path.join(session.program.directory, "program.log")) as log:
                    told = "The settings could not be saved" in log.read()
                self.assertEqual(told, signal_saves)

    def test_input_queued_before_the_signal_is_not_dispatched(self):
        cases = [
            # what the player did while the program could not read it
            ("F1 with no help file", lambda session, window: session.server.key(window, "F1")),
            ("a click on Options", lambda session, window: session.click_menu("Options")),
        ]
        for queued, send in cases:
            with self.subTest(queued=queued):
                session = Session(self, settings_text="[Options]\nSoundFX_Toggle=0\n", watch=True)
                window = session.main_window()
                wait_until(session.menu_showing, what="the menu")
                os.remove(os.path.join(session.program.directory, "VOIDRAID.HLP"))
                session.server.focus(window)
                process = session.program.process
                # Stopped, the program reads nothing: the input and the signal wait together.
                process.send_signal(signal.SIGSTOP)
                try:
                    send(session, window)
                    # One more request answered: the server has handled the input by now.
                    session.server.stacking()
                    process.send_signal(signal.SIGTERM)
                    shown_before = session.watch.catch_up()
                finally:
                    process.send_signal(signal.SIGCONT)
                self.assertEqual(session.program.wait_exit(), 0)
                opened = [e["name"] for e in session.watch.snapshot()[shown_before:] if e["what"] == "map"]
                self.assertEqual(opened, [])
                self.assertIn("GameSpeed", ini_sections(session.program.settings_text())["Options"])


if __name__ == "__main__":
    unittest.main()

"""The settings file shared, locked, limited or far too large: nothing confirmed is lost, nothing
hangs, every failure is told and the program ends as usual."""

import fcntl
import os
import shutil
import signal
import sys
import threading
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from harness import MESSAGE_TITLE, ini_sections, wait_until  # noqa: E402
from scores_e2e import VIEW_HEIGHT, Session, px, scores_section  # noqa: E402

NEGATIVES = [(f"n{place}", -place) for place in range(1, 6)]
SETTINGS = "[Options]\nGameSpeed=10\n" + scores_section(NEGATIVES)
LOCK_WAIT = 2.0  # how long the program waits for another program's lock
# The classic shared score folder: group-writable, without setgid, the file another member's.
OWNER, PLAYER, MEMBERS = 4001, 4002, 4000


def confirm(session, name):
    """Types name into the entry dialog of a game just ended; returns the dialog and a function
    that confirms it."""
    dialog = session.dialog()
    session.server.focus(dialog)
    session.server.type(name)
    return dialog, lambda: session.server.key(dialog, "Return")


def dismiss_message(session):
    message = session.server.wait_window(MESSAGE_TITLE)
    session.server.key(message, "Return")
    session.server.wait_no_window(MESSAGE_TITLE)


def close_dialog(session, dialog):
    session.wait_height(dialog, px(VIEW_HEIGHT))
    session.server.key(dialog, "Return")
    session.wait_gone(dialog)
    wait_until(session.menu_showing, what="the menu after the dialog")


class SettingsFileTest(unittest.TestCase):

    def refused_saves_told_then_exit(self, session):
        """A game entered as Alice, whose save is refused and told, then the exit's save refused
        and told too; the program still ends as usual."""
        session.play_and_quit()
        dialog, confirm_name = confirm(session, "Alice")
        confirm_name()
        dismiss_message(session)
        close_dialog(session, dialog)
        session.server.close(session.window)
        dismiss_message(session)
        self.assertEqual(session.program.wait_exit(), 0)

    def test_two_copies_confirming_keep_both_entries(self):
        for order in ("one after the other", "at once"):
            with self.subTest(order):
                alice = Session(self, SETTINGS)
                bob = Session(self, beside=alice.program)
                # Both games end, and both tables are read, before either name is confirmed.
                alice.play_and_quit()
                bob.play_and_quit()
                alice_dialog, confirm_alice = confirm(alice, "Alice")
                bob_dialog, confirm_bob = confirm(bob, "Bob")
                if order == "at once":
                    threads = [threading.Thread(target=press) for press in (confirm_alice, confirm_bob)]
                    for thread in threads:
                        thread.start()
                    for thread in threads:
                        thread.join()
                else:
                    confirm_alice()
                    wait_until(lambda: "0;Alice" in alice.hiscores().values(), what="Alice's entry saved")
                    confirm_bob()
                wait_until(lambda: {"0;Alice", "0;Bob"} <= set(alice.hiscores().values()),
                           what="both entries in the file")
                self.assertEqual(sorted(alice.hiscores().items())[2:], [("Score3", "-1;n1"), ("Score4", "-2;n2"),
                                                                        ("Score5", "-3;n3")])
                for session, dialog in ((alice, alice_dialog), (bob, bob_dialog)):
                    close_dialog(session, dialog)
                    session.server.close(session.window)
                    self.assertEqual(session.program.wait_exit(), 0)
                self.assertEqual(ini_sections(alice.program.settings_text())["Options"]["GameSpeed"], "10")

    def test_a_lock_held_by_another_program_is_waited_for_then_told(self):
        session = Session(self, SETTINGS, watch=True)
        before = session.settings_bytes()
        with open(session.program.ini_path, "rb") as held:
            fcntl.flock(held, fcntl.LOCK_SH)
            session.play_and_quit()
            dialog, confirm_name = confirm(session, "Alice")
            confirm_name()
            # The save gives up and says so; the dialog then goes on with the entry shown.
            dismiss_message(session)
            close_dialog(session, dialog)
            self.assertEqual(session.settings_bytes(), before)

            # The exit's save meets the same lock, is told, and the program still ends.
            session.server.close(session.window)
            dismiss_message(session)
            self.assertEqual(session.program.wait_exit(), 0)
        messages = [e for e in session.watch.settled() if e["what"] == "map" and e["name"] == MESSAGE_TITLE]
        self.assertEqual(len(messages), 2)
        self.assertEqual(session.settings_bytes(), before)

    def test_a_signal_during_the_wait_for_a_lock_ends_the_program(self):
        # A folder the player cannot write, so that the file is written in place; root writes
        # any folder, so the program then runs as another user.
        wrapper = ()
        if os.geteuid() == 0:
            if not shutil.which("setpriv"):
                self.skipTest("needs setpriv to run the program as a player who cannot write its folder")
            wrapper = ("setpriv", f"--reuid={PLAYER}", f"--regid={PLAYER}", "--clear-groups")

        def read_only_folder(program):
            os.chmod(program.root, 0o755)
            for name in os.listdir(program.directory):
                os.chmod(os.path.join(program.directory, name), 0o755 if name == "voidraid" else 0o644)
            os.chmod(program.ini_path, 0o666)
            os.chmod(program.directory, 0o555)
            self.addCleanup(os.chmod, program.directory, 0o755)

        session = Session(self, SETTINGS, prepare=read_only_folder, wrapper=wrapper, watch=True)
        with open(session.program.ini_path, "rb") as held:
            fcntl.flock(held, fcntl.LOCK_SH)
            session.play_and_quit()
            _, confirm_name = confirm(session, "Alice")
            confirm_name()
            signalled = time.monotonic()
            session.program.process.send_signal(signal.SIGTERM)
            # The signal is not lost in the wait, and cuts it short: both saves, the entry's and
            # the exit's, give up sooner than one whole wait, with no box for anybody to answer.
            self.assertEqual(session.program.wait_exit(timeout=LOCK_WAIT * 10), 0)
            self.assertLess(time.monotonic() - signalled, LOCK_WAIT)
        self.assertFalse([e for e in session.watch.settled() if e["name"] == MESSAGE_TITLE])
        with open(session.program.log_path) as log:
            told = log.read()
        self.assertEqual(told.count("the file is in use by another program"), 2, told)

    def test_a_file_size_limit_below_the_file_is_told_and_the_program_ends_as_usual(self):
        settings = SETTINGS + ";" + "-" * 3000 + "\n"
        session = Session(self, settings, wrapper=("prlimit", "--fsize=2048"))
        self.refused_saves_told_then_exit(session)
        self.assertEqual(session.program.settings_text(), settings)
        self.assertNotIn(".VOIDRAID.INI.new", os.listdir(session.program.directory), "a partial file left behind")

    def test_a_settings_file_over_1_mib_is_told_once_and_never_written_over(self):
        settings = "[Options]\nGameSpeed=40\nMusic_Toggle=1\n;" + "-" * (1 << 20) + "\n"
        session = Session(self, settings, watch=True, on_start=dismiss_message)
        # The defaults: any game enters the empty table, whose save is refused and told.
        self.refused_saves_told_then_exit(session)
        self.assertEqual(session.program.settings_text(), settings)
        messages = [e for e in session.watch.settled() if e["what"] == "map" and e["name"] == MESSAGE_TITLE]
        self.assertEqual(len(messages), 3, "said once at the start, then once for each refused save")

    def test_a_shared_group_folder_keeps_the_files_owner_group_and_mode(self):
        if os.geteuid() != 0 or not shutil.which("setpriv"):
            self.skipTest("needs root and setpriv to run the program as one member of a shared group")

        def shared_folder(program):
            os.chmod(program.root, 0o755)
            os.chown(program.directory, 0, MEMBERS)
            os.chmod(program.directory, 0o775)
            for name in os.listdir(program.directory):
                os.chmod(os.path.join(program.directory, name), 0o644)
            os.chmod(os.path.join(program.directory, "voidraid"), 0o755)
            os.chown(program.ini_path, OWNER, MEMBERS)
            os.chmod(program.ini_path, 0o664)

        def owner_and_mode():
            info = os.stat(session.program.ini_path)
            return info.st_uid, info.st_gid, info.st_mode & 0o7777

        player = ("setpriv", f"--reuid={PLAYER}", f"--regid={PLAYER}", f"--groups={MEMBERS}")
        session = Session(self, SETTINGS, prepare=shared_folder, wrapper=player)
        session.play_and_quit()
        dialog, confirm_name = confirm(session, "Alice")
        confirm_name()
        wait_until(lambda: "0;Alice" in session.hiscores().values(), what="the entry saved")
        self.assertEqual(owner_and_mode(), (OWNER, MEMBERS, 0o664))
        close_dialog(session, dialog)
        session.server.close(session.window)
        self.assertEqual(session.program.wait_exit(), 0)
        self.assertIn("SoundFX_Toggle", ini_sections(session.program.settings_text())["Options"])
        self.assertEqual(owner_and_mode(), (OWNER, MEMBERS, 0o664))


if __name__ == "__main__":
    unittest.main()

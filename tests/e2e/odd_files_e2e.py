"""Odd files around the program: a folder named like a link, a sound file that is no file, a
folder beside the program spelt like it in another letter case. None may hang or misdirect it."""

import array
import os
import sys
import unittest
import wave

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from harness import (FULL_SCORE_TABLE, MESSAGE_TITLE, PREFERENCES_TITLE, Program, XServer,  # noqa: E402
                     wait_until)
from frontend_e2e import PREFERENCES_HELP, PREFERENCES_OK, Session as MenuSession  # noqa: E402

SETTINGS_WITH_MUSIC = "[Options]\nMusic_Toggle=1\n[HiScores]\n" + FULL_SCORE_TABLE
OUTPUT_RATE = 22050  # the mixer's; SDL's disk driver writes 16-bit stereo frames at it
MUSIC_FILE = "0000_000.X25"


class Session(MenuSession):
    """One X server and one run of the program from a folder of the given name, its files
    arranged by prepare(program) before the start."""

    def __init__(self, test, folder, settings_text=SETTINGS_WITH_MUSIC, prepare=None):
        self.server = XServer()
        test.addCleanup(self.server.stop)
        self.program = Program(self.server, settings_text, folder=folder)
        test.addCleanup(self.program.stop)
        self.output = os.path.join(self.program.root, "audio.raw")
        self.program.audio_driver = "disk"
        self.program.environment = {"SDL_DISKAUDIOFILE": self.output}
        if prepare:
            prepare(self.program)
        self.program.start()

    def music_heard(self, seconds=1.0):
        """True when most of the next seconds of the mixer's output are not silent."""
        def size():
            return os.path.getsize(self.output) if os.path.exists(self.output) else 0

        start = size() // 4 * 4
        end = start + int(seconds * OUTPUT_RATE) * 4
        wait_until(lambda: size() >= end, what=f"{seconds} s more of sound output")
        samples = array.array("h")
        with open(self.output, "rb") as raw:
            raw.seek(start)
            samples.frombytes(raw.read(end - start))
        loud = sum(1 for sample in samples if abs(sample) > 100)
        return loud > len(samples) // 2


def silent_wave(path):
    with wave.open(path, "wb") as out:
        out.setnchannels(2)
        out.setsampwidth(2)
        out.setframerate(OUTPUT_RATE)
        out.writeframes(bytes(4 * OUTPUT_RATE * 5))


class OddFilesTest(unittest.TestCase):

    def test_help_opens_at_its_contents_from_a_folder_named_like_a_link(self):
        session = Session(self, "Void #2 ?level=1 100% raid", settings_text="[HiScores]\n" + FULL_SCORE_TABLE)
        window = session.main_window()
        wait_until(session.menu_showing, what="the menu")
        server = session.server

        server.key(window, "F1")
        contents = session.help_seen_and_closed()
        # A topic over the Preferences, then the contents again: from their top.
        session.click_menu("Options")
        dialog = server.wait_window(PREFERENCES_TITLE)
        dx, dy, _, _ = server.geometry(dialog)
        server.click(dx + PREFERENCES_HELP[0], dy + PREFERENCES_HELP[1])
        self.assertNotEqual(session.help_seen_and_closed(), contents)
        server.click(dx + PREFERENCES_OK[0], dy + PREFERENCES_OK[1])
        server.wait_no_window(PREFERENCES_TITLE)
        session.click_menu("Help")
        self.assertEqual(session.help_seen_and_closed(), contents)

    def test_missing_help_in_a_folder_with_an_at_sign_is_told_whole_and_once(self):
        session = Session(self, "me@work", settings_text="[HiScores]\n" + FULL_SCORE_TABLE,
                          prepare=lambda program: os.remove(os.path.join(program.directory, "VOIDRAID.HLP")))
        window = session.main_window()
        wait_until(session.menu_showing, what="the menu")
        server = session.server
        server.key(window, "F1")
        message = server.wait_window(MESSAGE_TITLE)
        x, y, width, height = server.geometry(message)

        def text_right_edge():
            # The text above the OK button, dark on the box's grey.
            text = server.screenshot().crop(x, y, width, height - 50)
            dark = [column for column in range(width) for row in range(text.height)
                    if max(text.pixel(column, row)) < 80]
            return max(dark, default=0)

        # The box is as wide as the whole path: its last line runs up to the right margin, where a
        # text cut at the '@' would stop some hundred pixels short.
        wait_until(lambda: text_right_edge() > width - 30, what="the path shown to its end")
        # F1 again in the box stacks no second box on it: one Return closes the only one.
        server.key(message, "F1", "Return")
        server.wait_no_window(MESSAGE_TITLE)
        self.assertTrue(session.program.running())

    def test_sound_file_that_is_no_regular_file_does_not_hold_the_start(self):
        def odd_files(program):
            # A FIFO with no writer would hold a blocking open for ever.
            fifo = os.path.join(program.directory, "0000_003.X25")
            os.remove(fifo)
            os.mkfifo(fifo)
            folder = os.path.join(program.directory, "0000_005.X25")
            os.remove(folder)
            os.mkdir(folder)

        session = Session(self, "Game", prepare=odd_files)
        session.main_window()
        wait_until(session.menu_showing, what="the menu")
        self.assertTrue(session.music_heard(), "the music slot is silent")

    def test_sounds_are_the_programs_own_beside_a_folder_spelt_alike(self):
        def folder_beside(program):
            # The lower-cased sound paths name these exactly: silent waves, not the program's.
            beside = os.path.join(program.root, "game")
            os.mkdir(beside)
            for slot in range(8):
                silent_wave(os.path.join(beside, f"0000_00{slot}.x25"))

        session = Session(self, "Game", prepare=folder_beside)
        session.main_window()
        wait_until(session.menu_showing, what="the menu")
        self.assertTrue(session.music_heard(), "the music came from the folder beside the program")


if __name__ == "__main__":
    unittest.main()

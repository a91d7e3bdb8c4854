"""`make clean` removes what the builds made and keeps the player's file beside the program."""

import os
import shutil
import subprocess
import tempfile
import unittest

MAKEFILE = os.environ.get("VR_MAKEFILE", os.path.join(os.path.dirname(__file__), "..", "..", "Makefile"))
MAKE = os.environ.get("VR_MAKE", "make")

BUILT = ["build/CMakeCache.txt", "build/bin/voidraid", "build/bin/VOIDRAID.HLP", "build/bin/.VOIDRAID.INI.new",
         "build/game/CMakeFiles/vr_game.dir/frame.cpp.o", "build-asan/bin/voidraid", "build-release/bin/voidraid"]
PLAYERS_FILE = "build/bin/VOIDRAID.INI"


class MakeCleanTest(unittest.TestCase):

    def tree_after_clean(self, files):
        """Every path left under the scratch project once `make clean` has run over files."""
        root = tempfile.mkdtemp(prefix="voidraid-clean-")
        self.addCleanup(shutil.rmtree, root, ignore_errors=True)
        shutil.copy(MAKEFILE, os.path.join(root, "Makefile"))
        for name, text in files.items():
            path = os.path.join(root, name)
            os.makedirs(os.path.dirname(path), exist_ok=True)
            with open(path, "w") as out:
                out.write(text)
        subprocess.run([MAKE, "-s", "-C", root, "clean"], check=True, capture_output=True, timeout=60)
        left = {}
        for directory, folders, names in os.walk(root):
            for name in folders + names:
                path = os.path.join(directory, name)
                relative = os.path.relpath(path, root)
                left[relative] = open(path).read() if os.path.isfile(path) else None
        return left

    def test_clean_keeps_the_players_file_and_nothing_else(self):
        cases = [
            # files before the clean, what is left besides the Makefile
            ({**dict.fromkeys(BUILT, "x"), PLAYERS_FILE: "[HiScores]\nScore1=900;Ace\n"},
             {"build": None, "build/bin": None, PLAYERS_FILE: "[HiScores]\nScore1=900;Ace\n"}),
            (dict.fromkeys(BUILT, "x"), {}),
            ({}, {}),
        ]
        for files, left in cases:
            with self.subTest(players_file=PLAYERS_FILE in files, built=bool(files)):
                self.assertEqual(self.tree_after_clean(files), {"Makefile": open(MAKEFILE).read(), **left})


if __name__ == "__main__":
    unittest.main()

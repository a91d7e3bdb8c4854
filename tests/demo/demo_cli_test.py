"""The headless demo as a user drives it: keys and random files in, JSON trace and PNGs out."""

import json
import os
import struct
import subprocess
import sys
import tempfile
import unittest

DEMO = os.environ.get("VR_DEMO", "voidraid-demo")

# Draws of 0.99 never spawn anything: one per free asteroid slot and one per free enemy slot.
NO_SPAWN_DRAWS_PER_FRAME = 12


class DemoTest(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()

    def tearDown(self):
        self.dir.cleanup()

    def write(self, name, text):
        path = os.path.join(self.dir.name, name)
        with open(path, "w") as f:
            f.write(text)
        return path

    def run_demo(self, *args, check=True):
        result = subprocess.run([DEMO, *args], capture_output=True, text=True, timeout=60)
        if check:
            self.assertEqual(result.returncode, 0, result.stderr)
        return result

    def trace(self, frames, keys="", draws=None):
        draws = NO_SPAWN_DRAWS_PER_FRAME * frames if draws is None else draws
        result = self.run_demo("--frames", str(frames), "--trace",
                               "--keys", self.write("keys", keys),
                               "--random", self.write("random", "0.99\n" * draws))
        return [json.loads(line) for line in result.stdout.splitlines()]

    def test_keys_arrive_just_before_their_tick(self):
        # Frame 1's key comes before the reset of the first tick, which clears the counters.
        lines = self.trace(7, "1 down 39\n2 down 39\n2 down 39\n5 up 39\n6 down 32\n")
        self.assertEqual([l["frame"] for l in lines], [1, 2, 3, 4, 5, 6, 7])
        self.assertEqual([l["ShipX"] for l in lines], [200, 210, 220, 230, 230, 230, 230])
        self.assertEqual([l["RightThrust"] for l in lines], [0, 2, 2, 2, 0, 0, 0])
        # The first shot of the program comes from the gun at ShipX + 15, with sound 3.
        self.assertEqual([l["sounds"] for l in lines], [[], [], [], [], [], [3], []])
        shot = lines[5]["PlayerShots"][0]
        self.assertEqual((shot["X"], shot["Y"], shot["Frame"]), (245, 260 - 15, 2))

    def test_trace_carries_every_table_slot_by_slot(self):
        first = self.trace(1)[0]
        self.assertEqual(first["NewGamePending"], 0)
        self.assertEqual(first["GameRunning"], -1)
        self.assertEqual((first["Lives"], first["Score"], first["Shields"], first["WeaponEnergy"]), (5, 0, 100, 100))
        sizes = {name: len(first[name]) for name in ("PlayerShots", "Enemies", "EnemyShots", "Explosions", "Asteroids")}
        self.assertEqual(sizes, {"PlayerShots": 10, "Enemies": 10, "EnemyShots": 10, "Explosions": 10, "Asteroids": 6})
        self.assertEqual(set(first["Enemies"][9]), {"Y", "X", "State", "Dodge", "SpeedX", "Frame", "SpeedY"})
        self.assertEqual(first["Asteroids"][0], {"Y": -100, "X": 20, "Speed": 1, "Frame": 1})

    def test_escape_ends_the_run_in_its_frame(self):
        lines = self.trace(50, "3 down 27\n")
        self.assertEqual(len(lines), 3)
        self.assertEqual([l["endgame"] for l in lines], [False, False, True])
        self.assertEqual(lines[-1]["GameRunning"], 0)

    def test_a_game_played_out_ends_with_the_game_over_message(self):
        # A script that keeps spawning fast asteroids, many of them above the ship, which
        # stays where it is: the rams take one life after the other.
        spawn_over_ship = "0.0\n0.99\n0.45\n" + "0.99\n" * 5 + "0.99\n" * 6
        result = self.run_demo("--frames", "5000", "--trace",
                               "--random", self.write("random", spawn_over_ship * 5000))
        lines = [json.loads(line) for line in result.stdout.splitlines()]
        self.assertTrue(lines[-1]["endgame"])
        self.assertEqual(lines[-1]["messages"], ["Game Over.  Score: 0"])
        self.assertEqual(sum(1 for l in lines if l["endgame"]), 1)
        self.assertEqual(lines[-1]["Lives"], 0)

    def test_running_out_of_random_numbers_names_the_frame(self):
        result = self.run_demo("--frames", "5", "--random", self.write("random", "0.99\n" * 20), check=False)
        self.assertNotEqual(result.returncode, 0)
        self.assertIn("frame 2", result.stderr)

    def test_bad_input_is_refused_with_its_place(self):
        cases = [
            (["--random", "random"], "random", "0.5\n1.0\n", "random:2"),
            (["--keys", "keys"], "keys", "1 down 39\n2 sideways 39\n", "keys:2"),
            (["--keys", "keys"], "keys", "x down 39\n", "frame"),
        ]
        for args, name, text, expected in cases:
            with self.subTest(text=text):
                self.write(name, text)
                full = [a if a != name else os.path.join(self.dir.name, name) for a in args]
                result = self.run_demo("--frames", "3", *full, check=False)
                self.assertNotEqual(result.returncode, 0)
                self.assertIn(expected, result.stderr)

    def test_png_is_the_back_buffer_after_its_tick(self):
        path = os.path.join(self.dir.name, "frame.png")
        self.run_demo("--frames", "3", "--png", "2:" + path,
                      "--random", self.write("random", "0.99\n" * 100))
        with open(path, "rb") as f:
            data = f.read()
        self.assertEqual(data[:8], b"\x89PNG\r\n\x1a\n")
        width, height = struct.unpack(">II", data[16:24])
        self.assertEqual((width, height), (484, 300))


if __name__ == "__main__":
    if len(sys.argv) > 1 and not sys.argv[1].startswith("-") and os.path.exists(sys.argv[1]):
        DEMO = sys.argv.pop(1)
    unittest.main()

"""The game screen shows exactly the frames the engine composes, whichever way they reach the X
server: through shared memory, through the connection, or through the connection after the
server has refused our memory.

The program runs with its wall clock pinned (fixed_clock), so that its clock-seeded generator
gives a sequence the test knows; the headless demo, handed the same numbers, composes every frame
of that game. A game left alone plays the same in both, frame for frame, so every screenshot of
the game screen must be one of the demo's frames, pixel for pixel: a part of a frame not sent, or
sent from the wrong place, shows as a picture the demo never made.
"""

import fcntl
import hashlib
import json
import os
import random
import shutil
import struct
import subprocess
import sys
import tempfile
import time
import unittest
import zlib

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from harness import FULL_SCORE_TABLE, MAIN_TITLE, MESSAGE_TITLE, XPROBE, Program, XServer, wait_until  # noqa: E402

DEMO = os.environ.get("VR_DEMO", "")
FIXED_CLOCK = os.environ.get("VR_FIXED_CLOCK", "")
FIXED_WALL_CLOCK_S = 1700000000  # as fixed_clock.cpp pins it

SCREEN_WIDTH, SCREEN_HEIGHT = 484, 300  # the game screen, at the main window's client origin
START_BUTTON = (7 + 354 + 47, 10 + 71 + 10)
SCREENSHOTS = 12


def seeded_numbers(count):
    """The generator's numbers after a reseed from the pinned clock: std::mt19937 seeded with the
    clock's nanoseconds cut to 32 bits, its top 24 bits of each draw over 2 to the 24th."""
    state = [(FIXED_WALL_CLOCK_S * 10**9) & 0xFFFFFFFF]
    for i in range(1, 624):
        state.append((1812433253 * (state[-1] ^ (state[-1] >> 30)) + i) & 0xFFFFFFFF)
    generator = random.Random()
    generator.setstate((3, tuple(state) + (624,), None))
    return [(generator.getrandbits(32) >> 8) / 16777216 for _ in range(count)]


def png_rgb(path):
    """The RGB rows of one of the demo's PNGs (8-bit RGB, no interlace, filter type 0 each row)."""
    with open(path, "rb") as png:
        data = png.read()
    at, idat, width = 8, b"", 0
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        if kind == b"IHDR":
            width = struct.unpack(">I", body[:4])[0]
        elif kind == b"IDAT":
            idat += body
        at += 12 + length
    raw = zlib.decompress(idat)
    stride = 1 + width * 3
    rows = [raw[i + 1:i + stride] for i in range(0, len(raw), stride)]
    assert all(raw[i] == 0 for i in range(0, len(raw), stride)), "a filtered row"
    return b"".join(rows)


def demo_frames(directory):
    """{digest of a frame's RGB: [frame numbers]} for every frame of the game left alone."""
    numbers = os.path.join(directory, "random.txt")
    with open(numbers, "w") as out:
        out.writelines(f"{value!r}\n" for value in seeded_numbers(100000))
    last = 1500  # the game ends well before
    args = [DEMO, "--frames", str(last), "--random", numbers]
    for frame in range(1, last + 1):
        args += ["--png", f"{frame}:{os.path.join(directory, f'{frame}.png')}"]
    subprocess.run(args, check=True, capture_output=True, timeout=600)
    frames = {}
    for frame in range(1, last + 1):
        path = os.path.join(directory, f"{frame}.png")
        if not os.path.exists(path):
            break
        frames.setdefault(hashlib.sha1(png_rgb(path)).hexdigest(), []).append(frame)
    return frames


def reference_frames():
    """The demo's frames, made once for every test of this build and its demo as it is now:
    the first test to come makes them, the others wait for it and read its digests."""
    with open(DEMO, "rb") as demo:
        key = hashlib.sha1(demo.read() + str(FIXED_WALL_CLOCK_S).encode()).hexdigest()[:16]
    cache = os.environ.get("VR_E2E_CACHE") or tempfile.gettempdir()
    os.makedirs(cache, exist_ok=True)
    path = os.path.join(cache, f"screen-frames-{key}.json")
    with open(path + ".lock", "w") as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        if not os.path.exists(path):
            directory = tempfile.mkdtemp(prefix="voidraid-screen-")
            try:
                frames = demo_frames(directory)
            finally:
                shutil.rmtree(directory, ignore_errors=True)
            with open(path + ".new", "w") as out:
                json.dump(frames, out)
            os.replace(path + ".new", path)
        with open(path) as cached:
            return json.load(cached)


class GameScreenTest(unittest.TestCase):

    @classmethod
    def setUpClass(cls):
        if not DEMO or not FIXED_CLOCK:
            raise unittest.SkipTest("VR_DEMO and VR_FIXED_CLOCK name the demo and the clock pin")
        cls.frames = reference_frames()

    def play_and_compare(self, server, expect_shared_memory):
        program = Program(server, "[HiScores]\n" + FULL_SCORE_TABLE, environment={"LD_PRELOAD": FIXED_CLOCK})
        self.addCleanup(program.stop)
        program.start()
        window = program.main_window()
        x0, y0, _, _ = server.geometry(window)
        server.click(x0 + START_BUTTON[0], y0 + START_BUTTON[1])

        def screen():
            return server.grab(x0, y0, SCREEN_WIDTH, SCREEN_HEIGHT)

        def frame_of(image):
            return self.frames.get(hashlib.sha1(image.data).hexdigest())

        # The first frame: until it comes the screen shows its background.
        wait_until(lambda: frame_of(screen()), what="a frame of the game on the screen")
        with open(f"/proc/{program.process.pid}/maps") as maps:
            shared = "/SYSV" in maps.read()
        self.assertEqual(shared, expect_shared_memory, "shared memory in use" if shared else "no shared memory")

        seen = []
        for shot in range(SCREENSHOTS):
            if shot == SCREENSHOTS // 2:
                # Uncovered, the screen is drawn again from the frame it shows, once the program
                # has seen the exposure: until then the cover's white stays.
                server.run(XPROBE, "cover", str(x0 + 150), str(y0 + 60), "200", "160", "200")
                wait_until(lambda: frame_of(screen()) or server.visible_windows(MESSAGE_TITLE),
                           what="a frame of the game after the cover went")
            image = screen()
            found = frame_of(image)
            if not found and server.visible_windows(MESSAGE_TITLE):
                break  # the game is over and its message may stand over the screen
            if not found:
                path = os.path.join(tempfile.mkdtemp(prefix="voidraid-screen-failed-"), f"screenshot-{shot}.ppm")
                with open(path, "wb") as out:
                    out.write(b"P6 %d %d 255\n" % (image.width, image.height) + image.data)
                self.fail(f"screenshot {shot} is no frame of the game (kept in {path}); frames before: {seen}")
            later = [frame for frame in found if not seen or frame >= seen[-1]]
            self.assertTrue(later, f"screenshot {shot} shows frame {found}, after frame {seen[-1] if seen else 0}")
            seen.append(min(later))
            time.sleep(0.05)
        self.assertGreaterEqual(len(seen), SCREENSHOTS // 2, f"too few screenshots in play: {seen}")
        self.assertGreater(seen[-1], seen[0], "the game did not move on")
        self.assertTrue(program.running())
        program.log.flush()
        with open(os.path.join(program.directory, "program.log")) as log:
            self.assertEqual(log.read(), "", "the program reported errors")

    def test_frames_over_shared_memory(self):
        server = XServer(depth=24)
        self.addCleanup(server.stop)
        self.play_and_compare(server, expect_shared_memory=True)

    def test_frames_over_the_connection(self):
        server = XServer(depth=24, options=["-extension", "MIT-SHM"])
        self.addCleanup(server.stop)
        self.play_and_compare(server, expect_shared_memory=False)

    def test_frames_when_the_server_refuses_our_memory(self):
        # A server in an IPC namespace of its own offers MIT-SHM but cannot attach our segments,
        # as one on another machine cannot.
        if subprocess.run(["unshare", "--ipc", "true"], capture_output=True).returncode != 0:
            self.skipTest("no IPC namespace of its own for the X server here")
        server = XServer(depth=24, wrapper=["unshare", "--ipc"])
        self.addCleanup(server.stop)
        self.play_and_compare(server, expect_shared_memory=False)


if __name__ == "__main__":
    unittest.main()

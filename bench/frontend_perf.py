"""Measurements of the program under Xvfb; run through frontend_perf.sh.

CPU is the process's own CPU time (every thread, from the scheduler's nanosecond counts) over a
fixed stretch of wall time, measured in several rounds and reported as the median, so that other
work on the machine moves single rounds but hardly the figure. Where xgalaga++ is installed
(Debian package xgalaga++), its game is measured the same way in the same X server, in rounds
taken in turn with ours.
"""

import os
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

program_dir, xprobe, probe = sys.argv[1:4]
os.environ["VR_PROGRAM_DIR"] = program_dir
os.environ["VR_XPROBE"] = xprobe
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))

from harness import FULL_SCORE_TABLE, MAIN_TITLE, MESSAGE_TITLE, Program, WindowWatch, XServer, is_yellow, wait_until  # noqa: E402

START_BUTTON = (7 + 354 + 47, 10 + 71 + 10)
PERIOD_MS = 10
ROUNDS = int(os.environ.get("VR_PERF_ROUNDS", "7"))
WINDOW_S = float(os.environ.get("VR_PERF_WINDOW", "5"))
PEER = shutil.which("xgalaga++") or ("/usr/games/xgalaga++" if os.path.exists("/usr/games/xgalaga++") else None)


def cpu_seconds(pid):
    """CPU time of every thread of the process so far."""
    total = 0
    for task in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{task}/schedstat") as stat:
                total += int(stat.read().split()[0])
        except (OSError, ValueError, IndexError):
            pass  # a thread that ended meanwhile
    return total / 1e9


def cpu_share(pid, seconds):
    """Share of one core the process used over the next seconds of wall time."""
    begin, cpu = time.monotonic(), cpu_seconds(pid)
    time.sleep(seconds)
    return (cpu_seconds(pid) - cpu) / (time.monotonic() - begin), begin, time.monotonic()


def memory_kb(pid, key):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith(key + ":"):
                return int(line.split()[1])
    return 0


def frame_times(path):
    if not os.path.exists(path) or os.path.getsize(path) < 8:
        return []
    import array
    values = array.array("d")
    with open(path, "rb") as log:
        values.frombytes(log.read())
    return list(values[1:1 + int(values[0])])


def startup_times(server, runs=10):
    times = []
    for _ in range(runs):
        program = Program(server, "[HiScores]\n" + FULL_SCORE_TABLE)
        watch = WindowWatch(server)
        started = time.monotonic() * 1000
        program.start()
        shown = wait_until(lambda: [e for e in watch.snapshot() if e["what"] == "map" and e["name"] == MAIN_TITLE],
                           what="the main window")[0]
        times.append(shown["ms"] - started)
        watch.stop()
        program.stop()
    return times


def percent(values):
    return f"{statistics.median(values) * 100:.2f} % of a core (median of {len(values)}: " + \
        " ".join(f"{v * 100:.2f}" for v in sorted(values)) + ")"


class Game:
    """Our program at the defaults: effects on, music off, 10 ms frames."""

    def __init__(self, server):
        self.server = server
        self.log = os.path.join(tempfile.mkdtemp(), "frames")
        self.program = Program(server, "[HiScores]\n" + FULL_SCORE_TABLE)
        env_backup = dict(server.env)
        server.env.update(LD_PRELOAD=probe, VR_FRAME_LOG=self.log)
        self.program.start()
        server.env.clear()
        server.env.update(env_backup)
        self.pid = self.program.process.pid
        self.window = self.program.main_window()
        self.x0, self.y0, _, _ = server.geometry(self.window)
        self.menu, self.play, self.intervals = [], [], []

    def menu_up(self):
        image = self.server.screenshot()
        x, y = self.x0 + START_BUTTON[0], self.y0 + START_BUTTON[1]
        return image.count(is_yellow, x - 40, y - 6, 80, 12) > 300

    def back_to_menu(self):
        """Ends the game, however far it got, and waits for the menu."""
        for _ in range(20):
            for message in self.server.visible_windows(MESSAGE_TITLE):
                self.server.key(message, "Return")
            if self.menu_up():
                return
            if not self.server.visible_windows(MESSAGE_TITLE):
                self.server.key(self.window, "Escape")
            time.sleep(0.25)
        wait_until(self.menu_up, what="the menu")

    def round(self):
        wait_until(self.menu_up, what="the menu")
        time.sleep(1)
        self.menu.append(cpu_share(self.pid, WINDOW_S)[0])
        for _ in range(5):
            seen = len(frame_times(self.log))
            self.server.click(self.x0 + START_BUTTON[0], self.y0 + START_BUTTON[1])
            wait_until(lambda: len(frame_times(self.log)) > seen + 20, what="the game's frames")
            # Firing all the while, as the peer's player does.
            self.server.key_down(self.window, "space")
            time.sleep(0.5)
            seen = len(frame_times(self.log))
            share, begin, end = cpu_share(self.pid, WINDOW_S)
            ticks = [t for t in frame_times(self.log)[seen:] if begin * 1000 <= t <= end * 1000]
            self.server.key_up("space")
            # Only a stretch of steady frames counts: a game over inside it is not play.
            steady = len(ticks) >= 0.9 * WINDOW_S * 1000 / PERIOD_MS and ticks[-1] > end * 1000 - 50
            self.back_to_menu()
            if steady:
                self.play.append(share)
                self.intervals += [b - a for a, b in zip(ticks, ticks[1:])]
                return
        print("no steady stretch of play in this round")

    def stop(self):
        print(f"RSS: {memory_kb(self.pid, 'VmRSS') / 1024:.1f} MB now, peak {memory_kb(self.pid, 'VmHWM') / 1024:.1f} MB")
        self.program.process.send_signal(signal.SIGKILL)
        self.program.stop()


class Peer:
    """xgalaga++ at its defaults (640 x 480 at 50 Hz): s starts a game, Space held fires."""

    def __init__(self, server):
        self.server = server
        self.home = tempfile.mkdtemp(prefix="xgalaga-home-")
        self.process = subprocess.Popen([PEER], env=dict(server.env, HOME=self.home), cwd=self.home,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.window = server.wait_window("XGalaga++")
        # Beside our window, so that neither covers the other.
        server.run("xdotool", "windowmove", "--sync", str(self.window), str(server.width - 660), "0")
        self.play = []

    def round(self):
        # A game lasts some ten seconds when the ship stands still, so each round starts one.
        self.server.key(self.window, "s")
        self.server.key_down(self.window, "space")
        time.sleep(0.5)
        self.play.append(cpu_share(self.process.pid, WINDOW_S)[0])
        self.server.key_up("space")
        time.sleep(0.5)

    def stop(self):
        self.process.send_signal(signal.SIGKILL)
        self.process.wait()
        shutil.rmtree(self.home, ignore_errors=True)


def main():
    # Wide enough for our window, centred, and the peer's 640 x 480 beside it.
    server = XServer(depth=24, width=1920, height=800)
    try:
        times = startup_times(server)
        print(f"exec to main window mapped: median {statistics.median(times):.1f} ms, "
              f"max {max(times):.1f} ms over {len(times)} runs")

        game = Game(server)
        peer = Peer(server) if PEER else None
        for _ in range(ROUNDS):
            game.round()
            if peer:
                peer.round()
        print(f"CPU over {WINDOW_S:.0f} s stretches, {ROUNDS} rounds taken in turn:")
        print(f"  at the menu:                   {percent(game.menu)}")
        if game.play:
            print(f"  playing at {PERIOD_MS} ms, firing:       {percent(game.play)}")
        if peer:
            print(f"  xgalaga++ playing, firing:     {percent(peer.play)}")
        else:
            print("  xgalaga++ is not installed: no figure beside ours")
        if game.intervals:
            mean = statistics.mean(game.intervals)
            print(f"tick interval: mean {mean:.3f} ms ({(mean / PERIOD_MS - 1) * 100:+.2f} %), "
                  f"stdev {statistics.pstdev(game.intervals):.3f} ms, max {max(game.intervals):.2f} ms, "
                  f"{len(game.intervals)} ticks")
        if peer:
            peer.stop()
        game.stop()
    finally:
        server.stop()


main()

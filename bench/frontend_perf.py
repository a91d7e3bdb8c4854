"""Measurements of the program under Xvfb; run through frontend_perf.sh."""

import os
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

TICK = os.sysconf("SC_CLK_TCK")
START_BUTTON = (7 + 354 + 47, 10 + 71 + 10)
PERIOD_MS = 10


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICK


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


def main():
    server = XServer(depth=24)
    try:
        times = startup_times(server)
        print(f"exec to main window mapped: median {statistics.median(times):.1f} ms, "
              f"max {max(times):.1f} ms over {len(times)} runs")

        log = os.path.join(tempfile.mkdtemp(), "frames")
        program = Program(server, "[HiScores]\n" + FULL_SCORE_TABLE)
        program.server = server
        env_backup = dict(server.env)
        server.env.update(LD_PRELOAD=probe, VR_FRAME_LOG=log)
        program.start()
        server.env.clear()
        server.env.update(env_backup)
        pid = program.process.pid
        window = program.main_window()
        x0, y0, _, _ = server.geometry(window)

        def menu_up():
            image = server.screenshot()
            return image.count(is_yellow, x0 + START_BUTTON[0] - 40, y0 + START_BUTTON[1] - 6, 80, 12) > 300

        wait_until(menu_up, what="the menu")
        time.sleep(2)
        begin, cpu = time.monotonic(), cpu_seconds(pid)
        time.sleep(10)
        menu_cpu = (cpu_seconds(pid) - cpu) / (time.monotonic() - begin)
        print(f"CPU at the menu: {menu_cpu * 100:.2f} % of a core (10 s); "
              f"RSS {memory_kb(pid, 'VmRSS') / 1024:.1f} MB")

        # Games at the default period, restarted whenever one ends; only stretches of steady
        # frames count.
        busy = 0.0
        span = 0.0
        intervals = []
        deadline = time.monotonic() + 20
        server.click(x0 + START_BUTTON[0], y0 + START_BUTTON[1])
        while time.monotonic() < deadline:
            begin, cpu, seen = time.monotonic(), cpu_seconds(pid), len(frame_times(log))
            time.sleep(1.0)
            end, used = time.monotonic(), cpu_seconds(pid) - cpu
            frames = frame_times(log)
            stretch = frames[seen:]
            steady = len(stretch) >= 0.9 * 1000 / PERIOD_MS and stretch and stretch[-1] > (end * 1000 - 50)
            if steady:
                busy += used
                span += end - begin
                intervals += [b - a for a, b in zip(stretch, stretch[1:])]
                continue
            # The game is over: close its message and start the next one.
            for message in server.visible_windows(MESSAGE_TITLE):
                server.key(message, "Return")
            if not server.visible_windows(MESSAGE_TITLE):
                try:
                    wait_until(menu_up, timeout=5, what="the menu")
                    server.click(x0 + START_BUTTON[0], y0 + START_BUTTON[1])
                except AssertionError:
                    pass
        if span:
            mean = statistics.mean(intervals)
            print(f"CPU in a game at {PERIOD_MS} ms: {busy / span * 100:.2f} % of a core over {span:.0f} s of play")
            print(f"tick interval: mean {mean:.3f} ms ({(mean / PERIOD_MS - 1) * 100:+.2f} %), "
                  f"stdev {statistics.pstdev(intervals):.3f} ms, max {max(intervals):.2f} ms, {len(intervals)} ticks")
        else:
            print("no steady stretch of play was seen")
        print(f"RSS: {memory_kb(pid, 'VmRSS') / 1024:.1f} MB now, peak {memory_kb(pid, 'VmHWM') / 1024:.1f} MB")
        program.process.send_signal(signal.SIGKILL)
        program.stop()
    finally:
        server.stop()


main()

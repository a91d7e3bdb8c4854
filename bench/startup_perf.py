"""Start-up of the program under Xvfb, with no window manager and under each one installed:
exec to the splash and to the main window on screen (a manager's frame mapped around it), and
how long the two windows overlap (negative: a moment with neither on screen).
  python3 bench/startup_perf.py BUILD_DIR [RUNS]   (needs voidraid and tests/xprobe built)
"""

import os
import shutil
import statistics
import sys
import time

build = os.path.abspath(sys.argv[1])
runs = int(sys.argv[2]) if len(sys.argv) > 2 else 7
os.environ["VR_PROGRAM_DIR"] = os.path.join(build, "bin")
os.environ["VR_XPROBE"] = os.path.join(build, "tests", "xprobe")
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))

from harness import (FULL_SCORE_TABLE, MAIN_TITLE, VIEWER_TITLE, WINDOW_MANAGERS, Program, WindowWatch,  # noqa: E402
                     XServer, wait_until)


def first(events, what, name, after=0.0):
    return next((e["ms"] for e in events if e["what"] == what and e["name"] == name and e["ms"] >= after), None)


def one_start(server):
    program = Program(server, "[HiScores]\n" + FULL_SCORE_TABLE)
    watch = WindowWatch(server)
    started = time.monotonic() * 1000
    program.start()
    try:
        wait_until(lambda: first(watch.snapshot(), "map", MAIN_TITLE), timeout=30, interval=0.01,
                   what="the main window")
        # The splash goes after the main window; a splash never seen has nothing to wait for.
        events = watch.snapshot()
        if first(events, "map", VIEWER_TITLE, started):
            wait_until(lambda: first(watch.snapshot(), "unmap", VIEWER_TITLE, started), timeout=10, interval=0.01,
                       what="the splash to go")
        events = watch.snapshot()
    finally:
        watch.stop()
        program.stop()
    main = first(events, "map", MAIN_TITLE, started) - started
    splash = first(events, "map", VIEWER_TITLE, started)
    gone = first(events, "unmap", VIEWER_TITLE, started)
    return main, splash and splash - started, gone and gone - started - main


def main():
    managers = [None] + [name for name in WINDOW_MANAGERS if shutil.which(WINDOW_MANAGERS[name][0])]
    for manager in managers:
        server = XServer()
        try:
            if manager:
                server.start_window_manager(manager)
            results = [one_start(server) for _ in range(runs)]
        finally:
            server.stop()
        mains = [r[0] for r in results]
        splashes = [r[1] for r in results if r[1] is not None]
        overlaps = [r[2] for r in results if r[2] is not None]
        print(f"{manager or 'no manager':10}  main window: median {statistics.median(mains):7.1f} ms "
              f"(min {min(mains):.1f}, max {max(mains):.1f})  "
              f"splash seen {len(splashes)}/{runs}"
              + (f", up at median {statistics.median(splashes):.1f} ms" if splashes else "")
              + (f"; splash gone after the main window by {min(overlaps):+.1f} .. {max(overlaps):+.1f} ms"
                 if overlaps else ""))


main()

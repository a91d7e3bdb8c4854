"""Drives the built program in a private Xvfb: windows, keys, clicks, screenshots, settings.

Everything waits by polling with a deadline, never by a fixed sleep, so that a loaded machine
only makes the tests slower.
"""

import os
import re
import select
import shutil
import signal
import subprocess
import tempfile
import threading
import time

PROGRAM_DIR = os.environ.get("VR_PROGRAM_DIR", "")
XPROBE = os.environ.get("VR_XPROBE", "xprobe")

MAIN_TITLE = "VR-717 'Void Raider' II"
VIEWER_TITLE = "VR-717 'Void Raider'"  # also the splash and the About box
PREFERENCES_TITLE = "Preferences"
MESSAGE_TITLE = "VR-717 'VoidRaider'"
HELP_TITLE = "VR-717 'Void Raider' II Help"

# A full high-score table: no game of a test earns a place, so no name is asked for.
FULL_SCORE_TABLE = "".join(f"Score{place}={1000000 - place * 1000};Ace {place}\n" for place in range(1, 6))

DEFAULT_TIMEOUT = 20.0

# Each at its defaults, with a home of its own (fluxbox writes its settings there at first start).
WINDOW_MANAGERS = {
    "openbox": ["openbox", "--sm-disable"],
    "fluxbox": ["fluxbox"],
    "twm": ["twm"],
}


class WaitTimeout(AssertionError):
    pass


def wait_until(condition, timeout=DEFAULT_TIMEOUT, interval=0.05, what="condition"):
    """Polls condition until it returns something true; returns that value."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise WaitTimeout(f"timed out after {timeout:.0f} s waiting for {what}")
        time.sleep(interval)


def wait_steady(look, accept=lambda value: True, timeout=DEFAULT_TIMEOUT, what="a steady picture"):
    """Looks until two looks in a row agree and the look is accepted; returns that look. A
    picture caught while the program draws it is not yet the one it means to show."""
    seen = [None]

    def settled():
        now = look()
        previous, seen[0] = seen[0], now
        return now if now is not None and now == previous and accept(now) else None
    return wait_until(settled, timeout, what=what)


class Image:
    """An RGB screenshot."""

    def __init__(self, width, height, data):
        self.width = width
        self.height = height
        self.data = data

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return self.data[i], self.data[i + 1], self.data[i + 2]

    def crop(self, x, y, width, height):
        rows = []
        for row in range(y, y + height):
            i = (row * self.width + x) * 3
            rows.append(self.data[i : i + width * 3])
        return Image(width, height, b"".join(rows))

    def count(self, predicate, x=0, y=0, width=None, height=None):
        width = self.width - x if width is None else width
        height = self.height - y if height is None else height
        total = 0
        for row in range(y, y + height):
            for column in range(x, x + width):
                if predicate(self.pixel(column, row)):
                    total += 1
        return total


def is_yellow(p):
    return p[0] > 180 and p[1] > 180 and p[2] < 100


def is_lit(p):
    return max(p) > 40


class XServer:
    """A private Xvfb on a free display number."""

    def __init__(self, depth=24, width=800, height=600, options=(), wrapper=()):
        """options: further Xvfb options; wrapper: a command Xvfb runs under."""
        self.width, self.height = width, height
        self.window_manager = None
        self.manager_home = None
        read_end, write_end = os.pipe()
        self.process = subprocess.Popen(
            [*wrapper, "Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{width}x{height}x{depth}",
             "-noreset", "-nolisten", "tcp", *options],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        # Xvfb writes its display number once it accepts clients.
        number = b""
        deadline = time.monotonic() + DEFAULT_TIMEOUT
        with os.fdopen(read_end, "rb", buffering=0) as pipe:
            while not number.endswith(b"\n"):
                ready, _, _ = select.select([pipe], [], [], max(0.0, deadline - time.monotonic()))
                chunk = pipe.read(1) if ready else b""
                if not chunk:
                    self.stop()
                    raise RuntimeError("Xvfb did not start")
                number += chunk
        self.display = ":" + number.decode().strip()
        self.env = dict(os.environ, DISPLAY=self.display)
        self.grabber = None

    def run(self, *args, check=True, timeout=DEFAULT_TIMEOUT):
        result = subprocess.run(list(args), env=self.env, capture_output=True, timeout=timeout)
        if check and result.returncode != 0:
            raise RuntimeError(f"{args[0]} failed: {result.stderr.decode(errors='replace')}")
        return result.stdout.decode(errors="replace")

    def screenshot(self):
        return self.grab(0, 0, self.width, self.height)

    def grab(self, x, y, width, height):
        """That part of the screen, through one xprobe kept for the server's life."""
        if self.grabber is None:
            self.grabber = subprocess.Popen([XPROBE, "grab"], env=self.env, stdin=subprocess.PIPE,
                                            stdout=subprocess.PIPE)
            if self.grabber.stdout.readline() != b"ready\n":
                raise RuntimeError("xprobe grab did not start")
        self.grabber.stdin.write(b"%d %d %d %d\n" % (x, y, width, height))
        self.grabber.stdin.flush()
        size = width * height * 3
        data = b""
        while len(data) < size:
            chunk = self.grabber.stdout.read(size - len(data))
            if not chunk:
                raise RuntimeError("xprobe grab ended")
            data += chunk
        return Image(width, height, data)

    def visible_windows(self, title):
        """Ids of the mapped windows whose title is exactly title."""
        pattern = "^" + re.escape(title) + "$"
        result = self.run("xdotool", "search", "--onlyvisible", "--name", pattern, check=False)
        return [int(line) for line in result.split()]

    def wait_window(self, title, timeout=DEFAULT_TIMEOUT):
        return wait_until(lambda: self.visible_windows(title), timeout, what=f"window '{title}'")[0]

    def wait_no_window(self, title, timeout=DEFAULT_TIMEOUT):
        wait_until(lambda: not self.visible_windows(title), timeout, what=f"window '{title}' to go")

    def geometry(self, window):
        """x, y, width and height of the window's client area on the screen."""
        return self._geometries(window)[:4]

    def outer_geometry(self, window):
        """The same of the window with the frame a window manager put around it."""
        return self._geometries(window)[4:]

    def _geometries(self, window):
        # xdotool misplaces a window inside a window manager's frame.
        return tuple(int(value) for value in self.run(XPROBE, "geometry", str(window)).split())

    def frame_extents(self, window):
        """left, right, top, bottom of the frame its window manager says it put around it."""
        out = self.run("xprop", "-id", str(window), "_NET_FRAME_EXTENTS")
        sides = [int(value) for value in re.findall(r"\d+", out.split("=", 1)[-1])] if "=" in out else []
        return tuple(sides) if len(sides) == 4 else None

    def frame_rect(self, window):
        """x, y, width and height of the window with the frame its manager says it has."""
        x, y, width, height = self.geometry(window)
        left, right, top, bottom = wait_until(lambda: self.frame_extents(window), what="the frame's extents")
        return x - left, y - top, width + left + right, height + top + bottom

    def atoms(self, window, name):
        """The names in an atom-list property of the window; empty when it has none."""
        out = self.run("xprop", "-id", str(window), name)
        return set(re.findall(r"[A-Z_]+", out.split("=", 1)[1])) if "=" in out else set()

    def stacking(self):
        """The windows shown on the screen, bottom to top."""
        return [int(line, 16) for line in self.run(XPROBE, "stack").split()]

    def window_class(self, window):
        """The window's WM_CLASS: its resource name and class."""
        out = self.run("xprop", "-id", str(window), "WM_CLASS")
        return tuple(re.findall(r'"([^"]*)"', out))

    def start_window_manager(self, name="openbox"):
        """Runs this window manager on the display; returns once it manages the screen."""
        self.manager_home = tempfile.mkdtemp(prefix="voidraid-wm-")
        if name == "fluxbox":
            # Without a wallpaper of its own: fluxbox would set one, and on failing say so in a window.
            os.makedirs(os.path.join(self.manager_home, ".fluxbox"))
            with open(os.path.join(self.manager_home, ".fluxbox", "init"), "w") as init:
                init.write(f"session.styleOverlay: {self.manager_home}/.fluxbox/overlay\n")
            with open(os.path.join(self.manager_home, ".fluxbox", "overlay"), "w") as overlay:
                overlay.write("background: none\n")
        self.window_manager = subprocess.Popen(WINDOW_MANAGERS[name], env=dict(self.env, HOME=self.manager_home),
                                               cwd=self.manager_home, stdout=subprocess.DEVNULL,
                                               stderr=subprocess.DEVNULL)
        wait_until(lambda: subprocess.run([XPROBE, "managed"], env=self.env).returncode == 0,
                   what=f"{name} to manage the screen")
        if name == "openbox":
            # It takes the screen before it is ready to describe frames.
            wait_until(lambda: self.run(XPROBE, "frame").strip(), what="openbox's frames")

    def focus(self, window):
        self.run("xdotool", "windowfocus", "--sync", str(window))

    def key(self, window, *keys):
        self.focus(window)
        self.run("xdotool", "key", *keys)

    def type(self, text):
        """Types text into the focused window, letters outside the keyboard's map included."""
        # xdotool would otherwise remap one spare key for each such letter in turn, and a
        # program slow to read its keys then sees the letter the key gives by then.
        self.run(XPROBE, "keys", text)
        self.run("xdotool", "type", "--delay", "20", text)

    def key_down(self, window, key):
        self.focus(window)
        self.run("xdotool", "keydown", key)

    def key_up(self, key):
        self.run("xdotool", "keyup", key)

    def click(self, x, y):
        # The X server handles the move before the click; --sync would wait for a move that
        # does not come when the pointer is already there.
        self.run("xdotool", "mousemove", str(x), str(y), "click", "1")

    def close(self, window):
        """The window system's close request, as a close box sends it."""
        self.run(XPROBE, "close", str(window))

    def stop(self):
        if self.grabber is not None:
            self.grabber.stdin.close()
            self.grabber.wait(timeout=10)
            self.grabber.stdout.close()
        if self.window_manager and self.window_manager.poll() is None:
            self.window_manager.terminate()
            try:
                self.window_manager.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.window_manager.kill()
                self.window_manager.wait()
        if self.manager_home:
            shutil.rmtree(self.manager_home, ignore_errors=True)
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()


class WindowWatch:
    """Records every top-level window mapped and unmapped, from before the program starts."""

    # A window of ours that no program makes: mapped to learn when the watch has caught up.
    MARKER = (-9, -9, 3, 3)

    def __init__(self, server):
        self.events = []
        self.lock = threading.Lock()
        self.env = server.env
        self.process = subprocess.Popen([XPROBE, "watch"], env=server.env, stdout=subprocess.PIPE, text=True)
        first = self.process.stdout.readline()
        if not first.startswith("ready"):
            raise RuntimeError("xprobe watch did not start")
        self.thread = threading.Thread(target=self._read, daemon=True)
        self.thread.start()

    def _read(self):
        for line in self.process.stdout:
            parts = line.rstrip("\n").split(" ", 7)
            if len(parts) < 7:
                continue
            event = {"what": parts[0], "ms": float(parts[1]), "id": int(parts[2], 16),
                     "x": int(parts[3]), "y": int(parts[4]), "width": int(parts[5]), "height": int(parts[6]),
                     "name": parts[7] if len(parts) > 7 else ""}
            with self.lock:
                self.events.append(event)

    def snapshot(self):
        with self.lock:
            return list(self.events)

    def settled(self):
        """The record, once it holds every window mapped so far."""
        self.catch_up()
        return self.snapshot()

    def catch_up(self):
        """Waits until the record holds every window mapped so far (on a busy machine the watch
        can lag behind the screen); returns the number of events then. A marker window mapped
        now comes after them all, and stays until it is seen."""
        x, y, width, height = self.MARKER
        before = len(self.snapshot())
        marker = subprocess.Popen([XPROBE, "cover", str(x), str(y), str(width), str(height), "600000"], env=self.env)
        try:
            def seen():
                for at, event in enumerate(self.snapshot()[before:], before):
                    if event["what"] == "map" and (event["x"], event["y"], event["width"], event["height"]) == self.MARKER:
                        return at + 1
                return None
            return wait_until(seen, what="the window watch to catch up")
        finally:
            marker.terminate()
            marker.wait(timeout=10)

    def stop(self):
        self.process.terminate()
        self.process.wait(timeout=10)


class Program:
    """The game, run from a fresh copy of the program directory."""

    def __init__(self, server, settings=None, audio_driver="dummy", folder=None, environment=None, wrapper=(),
                 beside=None):
        """wrapper: a command the program runs under; beside: another Program whose directory
        this second copy runs from."""
        if not PROGRAM_DIR or not os.path.isfile(os.path.join(PROGRAM_DIR, "voidraid")):
            raise RuntimeError("VR_PROGRAM_DIR must name the directory of the built program")
        self.server = server
        # folder: the program directory's own name, inside a fresh scratch directory.
        self.root = tempfile.mkdtemp(prefix="voidraid-e2e-")
        if beside:
            self.directory = beside.directory
        else:
            self.directory = os.path.join(self.root, folder) if folder else self.root
            shutil.copytree(PROGRAM_DIR, self.directory, dirs_exist_ok=True)
        self.log_path = os.path.join(self.root if beside else self.directory, "program.log")
        self.wrapper = tuple(wrapper)
        self.ini_path = os.path.join(self.directory, "VOIDRAID.INI")
        if settings is not None:
            with open(self.ini_path, "w") as ini:
                ini.write(settings)
        self.process = None
        self.log = None
        # SDL's audio driver: "dummy" plays silently; a name SDL does not know fails the start.
        self.audio_driver = audio_driver
        self.environment = environment or {}

    def start(self):
        env = dict(self.server.env, SDL_AUDIODRIVER=self.audio_driver, **self.environment)
        self.log = open(self.log_path, "w")
        # On the clock of the window watch's events.
        self.started_ms = time.monotonic() * 1000
        # Started from elsewhere: the program must find its files by itself.
        self.process = subprocess.Popen([*self.wrapper, os.path.join(self.directory, "voidraid")], env=env, cwd="/",
                                        stdout=self.log, stderr=subprocess.STDOUT)
        return self

    def main_window(self, timeout=DEFAULT_TIMEOUT):
        return self.server.wait_window(MAIN_TITLE, timeout)

    def running(self):
        return self.process is not None and self.process.poll() is None

    def wait_exit(self, timeout=DEFAULT_TIMEOUT):
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise WaitTimeout(f"the program did not end within {timeout:.0f} s")

    def settings_text(self):
        with open(self.ini_path) as ini:
            return ini.read()

    def stop(self):
        if self.process is not None and self.process.poll() is None:
            self.process.send_signal(signal.SIGKILL)
            self.process.wait()
        if self.log:
            self.log.close()
        shutil.rmtree(self.root, ignore_errors=True)


def ini_sections(text):
    """{section: {key: value}} with the names as written."""
    sections = {}
    current = None
    for line in text.splitlines():
        line = line.strip()
        if line.startswith("[") and line.endswith("]"):
            current = sections.setdefault(line[1:-1], {})
        elif "=" in line and current is not None:
            key, value = line.split("=", 1)
            current[key.strip()] = value.strip()
    return sections

"""A headless desktop for the live widget's tests: Xvfb, a window manager (openbox, another, or
one started later), a stub xdg-open that records what it is asked to open, and the widget program
under test. Every process started here is stopped by its pid when the session closes. Waits are
for conditions, each with a deadline."""
import json
import os
import select
import signal
import subprocess
import tempfile
import time


class Timeout(AssertionError):
    pass


def wait_until(condition, timeout, what, interval=0.02):
    deadline = time.monotonic() + timeout
    while True:
        result = condition()
        if result:
            return result
        if time.monotonic() > deadline:
            raise Timeout(f"timed out after {timeout} s waiting for {what}")
        time.sleep(interval)


def stop(process, grace=3.0):
    if process.poll() is None:
        process.send_signal(signal.SIGTERM)
        try:
            process.wait(grace)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


class Widget:
    """One running zuvo-widgets-show, with its window and its trace of frames and reloads."""

    def __init__(self, desktop, process, log_path):
        self.desktop, self.process, self.log_path = desktop, process, log_path
        self.window = None
        self.x = self.y = self.width = self.height = 0

    def trace(self, kind):
        return [float(line.split()[1]) for line in self.stderr().splitlines() if line.startswith(kind + " ")]

    def stderr(self):
        with open(self.log_path) as log:
            return log.read()

    def find_window(self, timeout=10):
        def visible():
            if self.process.poll() is not None:
                raise AssertionError(f"the widget exited with {self.process.returncode}: {self.stderr()}")
            out = self.desktop.run(["xdotool", "search", "--onlyvisible", "--pid", str(self.process.pid)],
                                   check=False).stdout.split()
            return out[0] if out else None
        self.window = wait_until(visible, timeout, "the widget's window")
        wait_until(lambda: self.trace("frame"), timeout, "the first frame")
        self.update_geometry()
        return self

    def update_geometry(self):
        info = self.desktop.run(["xwininfo", "-id", self.window]).stdout
        fields = {key.strip(): value.strip() for key, _, value in (line.partition(":") for line in info.splitlines())}
        self.x, self.y = int(fields["Absolute upper-left X"]), int(fields["Absolute upper-left Y"])
        self.width, self.height = int(fields["Width"]), int(fields["Height"])

    def pixels(self):
        return self.desktop.screenshot(self.x, self.y, self.width, self.height)

    def wait_for_pixels(self, expected, timeout, what):
        last = [None]

        def matches():
            last[0] = pixel_difference(self.pixels(), expected)
            return last[0] <= pixel_tolerance(expected)
        try:
            wait_until(matches, timeout, what, interval=0.05)
        except Timeout as error:
            raise AssertionError(f"{error}; {last[0]} pixels differ") from None

    def click(self, x, y):
        self.desktop.run(["xdotool", "mousemove", str(self.x + x), str(self.y + y), "click", "1"])

    def stop(self):
        stop(self.process)
        return self.process.returncode


# Pixels whose colour differs by more than this in some channel count as different; a few may,
# where antialiased edges land differently (the symbols' outlines do, by a pixel): at most one in
# 400. Tests that tell two statuses apart check first that their pictures differ by more.
CHANNEL_TOLERANCE = 40


def pixel_tolerance(picture):
    return len(picture) // 3 // 400


def pixel_difference(actual, expected):
    if len(actual) != len(expected):
        return max(len(actual), len(expected)) // 3
    far = [abs(a - b) > CHANNEL_TOLERANCE for a, b in zip(actual, expected)]
    return sum(far[i] or far[i + 1] or far[i + 2] for i in range(0, len(far), 3))


# The window managers the tests run under, as their desktops start them on X11.
MANAGERS = {
    "openbox": ["openbox", "--sm-disable"],
    "mutter": ["mutter", "--x11", "--replace", "--sm-disable"],
    "kwin": ["kwin_x11", "--replace"],
    "xfwm4": ["xfwm4", "--replace"],
}


class Desktop:
    def __init__(self, show, router, width=1280, height=800, manager="openbox"):
        self.show, self.router = show, router
        self.processes = []
        self.tmp = tempfile.TemporaryDirectory(prefix="zuvo-live-")
        self.dir = self.tmp.name
        self.opened = os.path.join(self.dir, "opened.txt")
        bin_dir = os.path.join(self.dir, "bin")
        os.mkdir(bin_dir)
        stub = os.path.join(bin_dir, "xdg-open")
        with open(stub, "w") as f:
            f.write(f'#!/bin/sh\nprintf "%s\\n" "$1" >> "{self.opened}"\n')
        os.chmod(stub, 0o755)
        self.env = dict(os.environ)
        self.env["PATH"] = bin_dir + ":" + self.env.get("PATH", "")
        self.env["XDG_DATA_HOME"] = os.path.join(self.dir, "data")
        self.env["XDG_CONFIG_HOME"] = os.path.join(self.dir, "config")
        for variable in ("GTK_THEME", "WAYLAND_DISPLAY", "GDK_BACKEND", "GDK_SCALE", "GSK_RENDERER"):
            self.env.pop(variable, None)
        try:
            self._start_x(width, height, manager)
        except BaseException:
            self.close()
            raise

    def _start_x(self, width, height, manager):
        read_end, write_end = os.pipe()
        xvfb_log = os.path.join(self.dir, "xvfb.log")
        with open(xvfb_log, "w") as log:
            xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{width}x{height}x24",
                                     "-nolisten", "tcp", "-noreset"], pass_fds=[write_end],
                                    stdout=subprocess.DEVNULL, stderr=log)
        self.processes.append(xvfb)
        os.close(write_end)
        # The server writes the number, then a newline; closing the pipe before both arrive kills it.
        text = b""
        deadline = time.monotonic() + 15
        while not text.endswith(b"\n") and time.monotonic() < deadline:
            ready, _, _ = select.select([read_end], [], [], max(0.0, deadline - time.monotonic()))
            chunk = os.read(read_end, 32) if ready else b""
            if not chunk:
                break
            text += chunk
        os.close(read_end)
        number = text.decode().strip()
        if not number:
            raise AssertionError("Xvfb did not start")
        self.env["DISPLAY"] = ":" + number
        # The server may name its display a moment before it takes connections on it.
        def serving():
            if xvfb.poll() is not None:
                with open(xvfb_log) as log:
                    raise AssertionError(f"Xvfb exited with {xvfb.returncode}: {log.read()[-2000:]}")
            return self.run(["xprop", "-root", "-notype", "_NET_NONE"], check=False).returncode == 0
        wait_until(serving, 10, "the X server", interval=0.05)
        if manager:
            self.start_manager(manager)

    def start_manager(self, name):
        """Starts a window manager of MANAGERS and waits until it manages the screen."""
        # KWin has the session bus start helpers that need the display (and fail in a loop without).
        # Only for it: the accessibility bus, once started with the display, announces itself there
        # to programs that have no session bus.
        if name == "kwin" and "DBUS_SESSION_BUS_ADDRESS" in self.env:
            self.run(["dbus-update-activation-environment", "DISPLAY=" + self.env["DISPLAY"]], check=False)
        log_path = os.path.join(self.dir, f"{name}.log")
        with open(log_path, "w") as log:
            process = self.spawn(MANAGERS[name], stdout=log, stderr=log)

        def managing():
            if process.poll() is not None:
                with open(log_path) as log:
                    raise AssertionError(f"{name} exited with {process.returncode}: {log.read()[-2000:]}")
            return "window id" in self.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], check=False).stdout
        wait_until(managing, 20, f"the window manager {name}", interval=0.05)
        return process

    def focus(self):
        return self.run(["xdotool", "getwindowfocus"], check=False).stdout.strip()

    def stacking(self, *windows):
        """The windows from the bottom up, as the server stacks their frames."""
        def frame(window):
            while True:
                info = self.run(["xwininfo", "-id", window, "-tree"]).stdout
                parent, root = (info.split(f"{key} window id: ")[1].split()[0] for key in ("Parent", "Root"))
                if parent == root:
                    return int(window, 0)
                window = parent
        frames = {frame(w): w for w in windows}
        listing = self.run(["xwininfo", "-root", "-children"]).stdout.splitlines()
        children = [int(line.split()[0], 16) for line in listing if line.strip().startswith("0x")]
        return [frames[c] for c in reversed(children) if c in frames]  # xwininfo lists the top first

    def client(self, window_class, timeout=15):
        """The managed window of a class, once the window manager lists it."""
        def listed():
            out = self.run(["xprop", "-root", "_NET_CLIENT_LIST"], check=False).stdout
            for window in out.split("#", 1)[1].replace(",", " ").split() if "#" in out else []:
                if f'"{window_class}"' in self.run(["xprop", "-id", window, "WM_CLASS"], check=False).stdout:
                    return window
        return wait_until(listed, timeout, f"a window of {window_class}")

    def run(self, argv, check=True, env=None, **kwargs):
        kwargs.setdefault("text", True)
        result = subprocess.run(argv, env=env or self.env, capture_output=True, timeout=60, **kwargs)
        if check and result.returncode != 0:
            raise AssertionError(f"{argv} exited with {result.returncode}: {result.stderr}")
        return result

    def spawn(self, argv, env=None, **kwargs):
        process = subprocess.Popen(argv, env=env or self.env, **kwargs)
        self.processes.append(process)
        return process

    def start_widget(self, *args, env=None, find=True):
        log_path = os.path.join(self.dir, f"widget-{len(self.processes)}.log")
        environment = dict(env or self.env)
        environment["ZUVO_SHOW_TRACE"] = "1"
        with open(log_path, "w") as log:
            process = self.spawn([self.show, "show", *args], env=environment, stdout=log, stderr=log)
        widget = Widget(self, process, log_path)
        return widget.find_window() if find else widget

    def screenshot(self, x, y, width, height):
        return self.run(["import", "-silent", "-window", "root", "-crop", f"{width}x{height}+{x}+{y}",
                         "-depth", "8", "rgb:-"], text=False).stdout

    def render(self, *args, scale=1):
        png = os.path.join(self.dir, "expected.png")
        self.run([self.router, "render", *args, "--scale", str(scale), "-o", png])
        return self.run(["convert", png, "-alpha", "off", "-depth", "8", "rgb:-"], text=False).stdout

    def layout(self, *args):
        return json.loads(self.run([self.router, "layout", *args]).stdout)

    def tap(self, *args):
        return self.run([self.router, "tap", *args], check=False).stdout.strip()

    def opened_urls(self):
        if not os.path.exists(self.opened):
            return []
        with open(self.opened) as f:
            return f.read().split()

    def close(self):
        for process in reversed(self.processes):
            stop(process)
        self.processes.clear()
        self.tmp.cleanup()

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()


def session_processes(session_id):
    """Pids of the processes of a session, read from /proc."""
    pids = []
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open(f"/proc/{entry}/stat") as f:
                fields = f.read().rsplit(")", 1)[1].split()
        except OSError:
            continue
        if int(fields[3]) == session_id:  # after the name: state, ppid, pgrp, session
            pids.append(int(entry))
    return pids

#!/usr/bin/env python3
"""The live widget (zuvo-widgets show) on a headless desktop: its pixels, its place on the desktop
under each window manager, its clicks, its reloads, its appearance, what screen readers find in
it, and its start without a display. Run one case: live_test.py --show PROG --router PROG CASE
(the desktop case: --manager openbox|mutter|kwin|xfwm4). The case runs under its own
dbus-run-session in a session of its own; whatever is left of that session afterwards (services
the bus started and that outlive it) is stopped by pid."""
import argparse
import os
import signal
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from live_session import (CHANNEL_TOLERANCE, Desktop, pixel_difference, pixel_tolerance, stop, wait_until,  # noqa: E402
                          session_processes)

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.path.dirname(os.path.dirname(HERE))
EXAMPLE = os.path.join(SOURCE, "examples", "widget-status.json")
CASES = {}


def case(function):
    CASES[function.__name__] = function
    return function


def status_json(n):
    """A status that looks different for every n: its counts, spend and agent row all change."""
    return ('{"waiting": %d, "unread": %d, "weekScore": 0.%d, "weekSpend": %d.25, "limits": [{"agent": "Agent %d", '
            '"updatedAt": 0, "windows": [{"name": "window %d", "used": 0.%d}]}]}' % (n, n + 1, n, n * 3, n, n, n))


def repaint_after(widget, moment):
    """The first frame drawn for the first reload after `moment` (a frame of an earlier reload may
    still come after it)."""
    reloaded = [t for t in widget.trace("reload") if t > moment][0]
    return [t for t in widget.trace("frame") if t > reloaded][0]


def expect_change(desktop, before, after):
    """A test can only tell two pictures apart if they differ by more than the tolerance."""
    assert pixel_difference(before, after) > pixel_tolerance(after), "the two statuses look alike"
    return after


def replace(path, text):
    temporary = path + ".tmp"
    with open(temporary, "w") as f:
        f.write(text)
    os.rename(temporary, path)


@case
def pixels(args):
    """The window shows what render draws, at scale 1 and 2, light and dark, small and medium."""
    for family, appearance, scale in (("medium", "light", 1), ("small", "dark", 1), ("medium", "dark", 2),
                                      ("small", "light", 2)):
        with Desktop(args.show, args.router, 1600, 1000) as desktop:
            env = dict(desktop.env)
            if scale != 1:
                env["GDK_SCALE"] = str(scale)
            widget = desktop.start_widget("--status", EXAMPLE, "--family", family, "--appearance", appearance,
                                          env=env)
            expected = desktop.render("--status", EXAMPLE, "--family", family, "--appearance", appearance,
                                      scale=scale)
            size = (364 if family == "medium" else 170) * scale, 170 * scale
            assert (widget.width, widget.height) == size, (widget.width, widget.height, size)
            widget.wait_for_pixels(expected, 5, f"{family} {appearance} at scale {scale}")
            if args.screenshots:
                os.makedirs(args.screenshots, exist_ok=True)
                desktop.run(["import", "-silent", "-window", "root", "-crop",
                             f"{widget.width}x{widget.height}+{widget.x}+{widget.y}",
                             os.path.join(args.screenshots, f"{family}-{appearance}-{scale}x.png")])
            assert widget.stop() == 0


# One row per window manager, as its desktop starts it on X11: the compositor the row turns on and
# off, in which order (mutter always composites; KWin does from its start), and the program that
# draws the desktop as a window of its own. The openbox row also compares the pixels with render.
class Row:
    def __init__(self, compositor, desktop, steps=(False, True, False), pixels=False):
        self.compositor, self.desktop, self.steps, self.pixels = compositor, desktop, steps, pixels


def xcompmgr(desktop, on):
    if on:
        desktop.compositor_process = desktop.spawn(["xcompmgr"], stderr=subprocess.DEVNULL)
    elif hasattr(desktop, "compositor_process"):
        stop(desktop.compositor_process)


def xfwm4_compositor(desktop, on):
    desktop.run(["xfconf-query", "-c", "xfwm4", "-p", "/general/use_compositing", "-n", "-t", "bool", "-s",
                 "true" if on else "false"])


def kwin_compositor(desktop, on):
    desktop.run(["dbus-send", "--session", "--print-reply", "--dest=org.kde.KWin", "/Compositor",
                 "org.kde.kwin.Compositing." + ("resume" if on else "suspend")])


ROWS = {
    "openbox": Row(xcompmgr, ["pcmanfm", "--desktop"], pixels=True),
    "mutter": Row(None, ["xfdesktop", "--disable-wm-check"], steps=(True,)),
    # KWin keeps its compositor's selection while suspended and says so on the bus; resumed under
    # Xvfb it leaves some windows unpainted, so the row ends suspended.
    "kwin": Row(kwin_compositor, ["pcmanfm", "--desktop"], steps=(True, False)),
    "xfwm4": Row(xfwm4_compositor, ["xfdesktop", "--disable-wm-check"]),
}
MANAGER_DELAY = 6  # seconds between the widget's start and the window manager's, as at a slow login


def desktop_state(desktop, widget):
    """Below, on every workspace, out of the taskbar and pager (a dock is out of them by its type)."""
    out = desktop.run(["xprop", "-id", widget.window, "_NET_WM_STATE", "_NET_WM_DESKTOP", "_NET_WM_WINDOW_TYPE"]).stdout
    skips = "_NET_WM_WINDOW_TYPE_DOCK" in out or \
        all(f"_NET_WM_STATE_{s}" in out for s in ("SKIP_TASKBAR", "SKIP_PAGER"))
    return ("_NET_WM_STATE_BELOW" in out and ("_NET_WM_STATE_STICKY" in out or "4294967295" in out) and skips
            and "_NET_WM_STATE_HIDDEN" not in out)


def apart(a, b):
    """Two widgets in one top-right corner: side by side on one row, not overlapping."""
    a.update_geometry()
    b.update_geometry()
    return a.y == b.y and (a.x >= b.x + b.width or b.x >= a.x + a.width)


@case
def desktop(args):
    """Under one window manager: the desktop-layer state when the manager starts late, focus left
    where it was, below normal windows and above the desktop's window even when clicked and when the
    desktop is shown, two widgets side by side in a corner, corners with and without a compositor."""
    row = ROWS[args.manager]
    with Desktop(args.show, args.router, manager=None) as desktop:
        medium = ("--status", EXAMPLE, "--appearance", "light")
        widget = desktop.start_widget(*medium)
        started = time.monotonic()
        if row.pixels:
            widget.wait_for_pixels(desktop.render(*medium, "--family", "medium"), 5, "the widget as render draws it")
        time.sleep(max(0.0, started + MANAGER_DELAY - time.monotonic()))
        desktop.start_manager(args.manager)
        wait_until(lambda: desktop_state(desktop, widget), 10, f"{args.manager} to take the late widget's state")
        wait_until(lambda: (widget.update_geometry(), (widget.x + widget.width, widget.y) == (1280 - 24, 24))[1], 5,
                   "the widget in its corner")

        # A window of the user's, focused; then the small widget in the same corner.
        desktop.spawn(row.desktop, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wallpaper = desktop.client("xfdesktop" if "xfdesktop" in row.desktop else "pcmanfm")
        desktop.spawn(["xmessage", "-geometry", "400x300+0+0", "the user's window"], stdout=subprocess.DEVNULL,
                      stderr=subprocess.DEVNULL)
        other = desktop.client("xmessage")
        desktop.run(["xdotool", "windowactivate", "--sync", other])
        focused = wait_until(desktop.focus, 5, "the user's window to take the focus")
        small = desktop.start_widget(*medium, "--family", "small")
        wait_until(lambda: desktop_state(desktop, small), 10, "the small widget's state")
        assert desktop.focus() == focused, "a widget took the focus as it started"
        wait_until(lambda: apart(widget, small), 5, "the two widgets side by side")
        assert small.x + small.width < widget.x, "the second widget is not inward of the first"

        def layered():
            order = desktop.stacking(wallpaper, widget.window, small.window, other)
            return order.index(wallpaper) < min(order.index(widget.window), order.index(small.window)) and \
                max(order.index(widget.window), order.index(small.window)) < order.index(other)
        wait_until(layered, 5, "the widgets between the desktop and the user's window")
        widget.click(widget.width - 12, 12)
        time.sleep(0.3)  # a window manager raises on click at once, if at all
        wait_until(layered, 2, "the clicked widget below the user's window again")

        desktop.run(["wmctrl", "-k", "on"])
        wait_until(lambda: "= 1" in desktop.run(["xprop", "-root", "_NET_SHOWING_DESKTOP"]).stdout, 5, "the desktop shown")
        time.sleep(0.3)  # the windows hidden as the manager says the desktop is shown
        if args.screenshots:
            os.makedirs(args.screenshots, exist_ok=True)
            desktop.run(["import", "-silent", "-window", "root",
                         os.path.join(args.screenshots, f"{args.manager}-shown.png")])
        assert "IsViewable" in desktop.run(["xwininfo", "-id", widget.window]).stdout and \
            desktop_state(desktop, widget) and desktop_state(desktop, small), "the desktop shown hid a widget"
        order = desktop.stacking(wallpaper, widget.window)
        assert order.index(wallpaper) < order.index(widget.window), "the widget went under the desktop's window"
        desktop.run(["wmctrl", "-k", "off"])

        # The first one stops, then comes back: each time the two stay apart, the later one inward.
        assert widget.stop() == 0
        wait_until(lambda: (small.update_geometry(), small.x + small.width == 1280 - 24)[1], 5,
                   "the small widget back in the corner")
        again = desktop.start_widget(*medium, "--monitor", "0")  # the first monitor in GDK's order
        wait_until(lambda: apart(again, small) and again.x + again.width < small.x, 5, "the medium one inward")
        again_state = wait_until(lambda: desktop_state(desktop, again), 10, "the restarted widget's state")
        assert again_state
        desktop.start_widget(*medium, find=False).process.wait(10)  # a second start of one family
        assert again.process.poll() is None, "a second start stopped the first"

        # Corners: the widget's own colour without a compositor, what lies below with one.
        def corners(transparent):
            again.update_geometry()
            same = lambda a, b: all(abs(x - y) <= CHANNEL_TOLERANCE for x, y in zip(a, b))
            corner, above, inside = (desktop.screenshot(again.x + x, again.y + y, 1, 1)
                                     for x, y in ((1, 1), (1, -4), (30, 4)))
            return not same(inside, above) and same(corner, above if transparent else inside)
        for on in row.steps:
            if row.compositor:
                row.compositor(desktop, on)
            wait_until(lambda: corners(on), 10, "transparent corners" if on else "corners in the widget's colour")
            if args.screenshots:
                os.makedirs(args.screenshots, exist_ok=True)
                picture = f"{args.manager}-corner-{len(os.listdir(args.screenshots))}-{'on' if on else 'off'}.png"
                desktop.run(["import", "-silent", "-window", "root", "-crop",
                             f"{again.width + 40}x80+{again.x - 20}+{again.y - 20}",
                             os.path.join(args.screenshots, picture)])
        assert again.stop() == 0 and small.stop() == 0
        with open(again.log_path) as log:
            assert "no monitor" not in log.read(), "--monitor 0 named no monitor"



@case
def clicks(args):
    """Clicks open what the tap command says; a transparent corner opens nothing."""
    with Desktop(args.show, args.router) as desktop:
        layout = desktop.layout("--status", EXAMPLE, "--family", "medium")
        buttons = [e for e in layout["accessibilityElements"] if e["link"]]
        assert len(buttons) == 2, buttons
        widget = desktop.start_widget("--status", EXAMPLE, "--family", "medium")
        expected = []
        for button in buttons:
            frame = button["frame"]
            x, y = int(frame["x"] + frame["width"] / 2), int(frame["y"] + frame["height"] / 2)
            expected.append(desktop.tap("--status", EXAMPLE, "--family", "medium", "--at", f"{x},{y}"))
            widget.click(x, y)
            wait_until(lambda: len(desktop.opened_urls()) == len(expected), 5, f"the stub to record {expected[-1]}")
        assert desktop.opened_urls() == expected and set(expected) == {"zuvo://pane/new", "zuvo://pane/activity"}, \
            (desktop.opened_urls(), expected)
        # The keyboard: Tab moves between the two link buttons, Return and space activate them.
        desktop.run(["xdotool", "windowactivate", "--sync", widget.window])
        desktop.run(["xdotool", "key", "--delay", "50", "Tab", "Return", "Tab", "space"])
        wait_until(lambda: len(desktop.opened_urls()) == len(expected) + 2, 5, "the keyboard's two links")
        assert sorted(desktop.opened_urls()[-2:]) == ["zuvo://pane/activity", "zuvo://pane/new"], desktop.opened_urls()
        expected = desktop.opened_urls()
        # The invisible buttons' focus is drawn: the window no longer looks like the plain widget.
        plain = desktop.render("--status", EXAMPLE, "--family", "medium", "--appearance", "light")
        wait_until(lambda: pixel_difference(widget.pixels(), plain) > pixel_tolerance(plain), 5, "the focus ring")
        widget.click(1, 1)
        widget.click(362, 168)
        assert widget.stop() == 0

        small = desktop.start_widget("--status", EXAMPLE, "--family", "small")
        for x, y in ((85, 85), (30, 140)):
            expected.append(desktop.tap("--status", EXAMPLE, "--family", "small", "--at", f"{x},{y}"))
            small.click(x, y)
            wait_until(lambda: len(desktop.opened_urls()) == len(expected), 5, "the stub to record the small tap")
        small.click(0, 169)
        time.sleep(0.5)  # what a corner click would have opened has had time to arrive
        assert desktop.opened_urls() == expected, (desktop.opened_urls(), expected)
        assert small.stop() == 0


@case
def reloads(args):
    """A replaced status file repaints within 500 ms; a burst reloads once; deletion shows the empty
    status; a container created after start is picked up."""
    with Desktop(args.show, args.router) as desktop:
        folder = os.path.join(desktop.dir, "status")
        os.mkdir(folder)
        path = os.path.join(folder, "widget-status.json")
        replace(path, status_json(1))
        render = lambda *a: desktop.render(*a, "--family", "medium", "--appearance", "light")
        shown = render("--status", path)
        widget = desktop.start_widget("--status", path, "--appearance", "light")
        widget.wait_for_pixels(shown, 5, "the first status")

        replace(path, status_json(7))
        renamed = time.monotonic()
        shown = expect_change(desktop, shown, render("--status", path))
        widget.wait_for_pixels(shown, 5, "the replaced status")
        latency = repaint_after(widget, renamed) - renamed
        assert latency < 0.5, f"repainted {latency:.3f} s after the rename"

        burst = time.monotonic()
        for i in range(10):
            replace(path, status_json(10 + i))
        shown = expect_change(desktop, shown, render("--status", path))
        widget.wait_for_pixels(shown, 5, "the burst's last status")
        time.sleep(0.5)  # longer than the debounce: a second reload would have come by now
        assert len([t for t in widget.trace("reload") if t > burst]) == 1, widget.trace("reload")

        # Rewritten in place: the "changed" events mid-write are not answered, the finished file is.
        with open(path, "w") as f:
            f.write(status_json(3)[:20])
            f.flush()
            time.sleep(0.2)
            f.write(status_json(3)[20:])
        shown = expect_change(desktop, shown, render("--status", path))
        widget.wait_for_pixels(shown, 5, "the rewritten status")

        os.remove(path)
        shown = expect_change(desktop, shown, render("--empty"))
        widget.wait_for_pixels(shown, 5, "the empty status")
        assert widget.stop() == 0

        # The shared container, made after the widget started.
        widget = desktop.start_widget("--appearance", "light")
        container = os.path.join(desktop.env["XDG_DATA_HOME"], "group.com.halverdyne.zuvo", "Library",
                                 "Application Support")
        os.makedirs(container)
        replace(os.path.join(container, "widget-status.json"), status_json(4))
        widget.wait_for_pixels(render("--status", os.path.join(container, "widget-status.json")), 5,
                               "the status in the new container")
        assert widget.stop() == 0


@case
def appearance(args):
    """The portal's colour scheme decides at start and when it changes; without a bus the first
    frame comes at once, light."""
    with Desktop(args.show, args.router) as desktop:
        portal = desktop.spawn([sys.executable, os.path.join(HERE, "portal_stub.py"), "1", "2"],
                               stdout=subprocess.PIPE, text=True)
        assert portal.stdout.readline().strip() == "ready"
        widget = desktop.start_widget("--status", EXAMPLE)
        medium = lambda appearance: desktop.render("--status", EXAMPLE, "--family", "medium", "--appearance", appearance)
        widget.wait_for_pixels(medium("dark"), 5, "dark from the portal")
        light = medium("light")
        portal.send_signal(signal.SIGUSR1)
        switched = time.monotonic()
        widget.wait_for_pixels(light, 5, "light after the portal's change")
        frames = [t for t in widget.trace("frame") if t > switched]
        assert frames and frames[0] - switched < 0.5, f"switched {frames[0] - switched:.3f} s after the signal"
        assert not [t for t in widget.trace("reload") if t > switched], "an appearance change lays out, not reloads"
        assert widget.stop() == 0
        stop(portal)

        env = dict(desktop.env)
        env["DBUS_SESSION_BUS_ADDRESS"] = "unix:path=" + os.path.join(desktop.dir, "no-bus")
        env["NO_AT_BRIDGE"] = "1"
        started = time.monotonic()
        widget = desktop.start_widget("--status", EXAMPLE, env=env)
        first = widget.trace("frame")[0]
        assert first - started < 1.0, f"first frame {first - started:.3f} s after start without a bus"
        widget.wait_for_pixels(light, 5, "light without a bus")
        assert widget.stop() == 0


@case
def accessibility(args):
    """Screen readers find exactly the layout's accessibility elements, in reading order, at their
    frames; the link buttons can be activated."""
    import pyatspi
    with Desktop(args.show, args.router) as desktop:
        expected = desktop.layout("--status", EXAMPLE, "--family", "medium")["accessibilityElements"]
        widget = desktop.start_widget("--status", EXAMPLE, "--family", "medium")

        def application():
            for app in pyatspi.Registry.getDesktop(0):
                if app is not None and app.name == "zuvo-widgets":
                    return app
            return None
        app = wait_until(application, 10, "the widget in the accessibility registry", interval=0.1)
        windows = [w for w in app if w is not None]
        assert [w.name for w in windows] == ["Zuvo"], [w.name for w in windows]

        def elements():
            found = []

            def walk(node):
                for child in node:
                    if child is None:
                        continue
                    role = child.getRole()
                    if role in (pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_LABEL):
                        extents = child.queryComponent().getExtents(pyatspi.WINDOW_COORDS)
                        found.append((child, role, child.name, (extents.x, extents.y, extents.width, extents.height)))
                    walk(child)
            walk(windows[0])
            return found
        found = wait_until(lambda: elements() if len(elements()) == len(expected) else None, 5, "every stand-in")
        assert [name for _, _, name, _ in found] == [e["label"] for e in expected], \
            ([name for _, _, name, _ in found], [e["label"] for e in expected])
        for (_, role, name, extents), element in zip(found, expected):
            frame = element["frame"]
            want = (round(frame["x"]), round(frame["y"]), round(frame["width"]), round(frame["height"]))
            assert all(abs(a - b) <= 1 for a, b in zip(extents, want)), (name, extents, want)
            assert (role == pyatspi.ROLE_PUSH_BUTTON) == (element["link"] is not None), (name, role)

        buttons = [(child, e["link"]) for (child, role, _, _), e in zip(found, expected) if e["link"]]
        assert len(buttons) == 2
        for count, (button, link) in enumerate(buttons, start=1):
            action = button.queryAction()
            assert action.nActions >= 1 and action.getName(0) == "click", action.getName(0)
            action.doAction(0)
            wait_until(lambda: len(desktop.opened_urls()) == count, 5, f"the stub to record {link}")
            assert desktop.opened_urls()[-1] == link
        assert widget.stop() == 0


@case
def no_display(args):
    """Without a display, or with one it cannot open, the program says so in one line and exits 1."""
    env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
    # A display that is named but cannot be reached: one line too, not the toolkit's warnings.
    for display, said in ((None, "no graphical display (DISPLAY or WAYLAND_DISPLAY)"),
                          (":4242", "cannot open the display :4242")):
        result = subprocess.run([args.show, "show"], env=dict(env, **({"DISPLAY": display} if display else {})),
                                capture_output=True, text=True, timeout=10)
        assert (result.returncode, result.stdout, result.stderr) == (1, "", f"error: show: {said}\n"), result


@case
def autostart(args):
    """The login entry validates, names the program by its absolute path, quotes what needs it,
    comes off again, and is not written over a file we did not write."""
    with tempfile.TemporaryDirectory() as config:
        env = dict(os.environ, XDG_CONFIG_HOME=config)
        env.pop("DISPLAY", None)
        status = os.path.join(config, "my status $HOME.json")
        run = lambda *a: subprocess.run([args.show, "show", *a], env=env, capture_output=True, text=True, timeout=10)
        result = run("--install-autostart", "--family", "small", "--status", status, "--corner", "bottom-left")
        assert result.returncode == 0, result.stderr
        entry = os.path.join(config, "autostart", "zuvo-widgets-small.desktop")
        validation = subprocess.run(["desktop-file-validate", entry], capture_output=True, text=True)
        assert validation.returncode == 0 and not validation.stdout.strip(), validation.stdout
        # The program's absolute path is checked on the installed program; here, the options given.
        exec_line = [line for line in open(entry) if line.startswith("Exec=")][0].strip()
        assert '"' + status.replace("$", "\\\\$") + '"' in exec_line and "--corner bottom-left" in exec_line, exec_line
        assert run("--remove-autostart", "--family", "small").returncode == 0 and not os.path.exists(entry)
        # Someone else's entry of that name (the unit tests go through the cases and keep it untouched).
        with open(entry, "w") as f:
            f.write("[Desktop Entry]\nType=Application\nName=Mine\nExec=true\n")
        refused = run("--install-autostart", "--family", "small")
        assert refused.returncode == 1 and refused.stderr.startswith("error: show: "), refused.stderr


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--show", required=True)
    parser.add_argument("--router", required=True)
    parser.add_argument("--screenshots", help="keep the pictures of the pixels and desktop cases here")
    parser.add_argument("--manager", choices=sorted(ROWS), default="openbox", help="the desktop case's window manager")
    parser.add_argument("case", choices=sorted(CASES))
    args = parser.parse_args()
    if os.environ.get("ZUVO_LIVE_TEST_INNER") != "1":
        # A bus and a session of the case's own; afterwards, stop whatever of the session is left.
        env = dict(os.environ, ZUVO_LIVE_TEST_INNER="1")
        outer = subprocess.Popen(["dbus-run-session", "--", sys.executable, *sys.argv], env=env,
                                 start_new_session=True)
        try:
            code = outer.wait(600)
        finally:
            for pid in session_processes(outer.pid):
                try:
                    os.kill(pid, signal.SIGKILL)
                except ProcessLookupError:
                    pass
            if outer.poll() is None:
                outer.wait()
        return code
    started = time.monotonic()
    CASES[args.case](args)
    print(f"{args.case}{' under ' + args.manager if args.case == 'desktop' else ''}: ok "
          f"({time.monotonic() - started:.1f} s)")
    return 0


if __name__ == "__main__":
    sys.exit(main())

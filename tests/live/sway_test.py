"""The live widget on sway without layer shell: the README's window rules, as written there, float
it borderless and sticky in the top-right corner, which they find by the window's app id (the
desktop entry's, not the per-family application's), and the program says in one line that
placement is the compositor's. sway runs headless; it refuses root, so as root it runs as nobody
and the widget, as root, still reaches its socket. Exits 77 (skipped) when sway cannot run here.

Usage: sway_test.py --show PATH_OF_ZUVO_WIDGETS"""
import argparse
import json
import os
import shutil
import signal
import subprocess
import sys
import tempfile

from live_session import Timeout, stop, wait_until

SKIP = 77
SOURCE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
APP_ID = "com.halverdyne.zuvo.mac.widgets"
WIDTH, HEIGHT = 1280, 800


def readme_sway_rules():
    """The sway block of the README's "Tiling compositors" section, less its exec line."""
    with open(os.path.join(SOURCE, "README.md")) as readme:
        section = readme.read().split("## Tiling compositors", 1)[1].split("\n## ", 1)[0]
    block = section.split("\nsway (", 1)[1].split("\n\n", 2)[1]
    return [line.strip() for line in block.splitlines() if line.strip() and not line.strip().startswith("exec ")]


def views(node):
    if node.get("pid"):
        yield node
    for child in node.get("nodes", []) + node.get("floating_nodes", []):
        yield from views(child)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--show", required=True)
    args = parser.parse_args()
    if not shutil.which("sway"):
        print("skipped: sway is not installed")
        return SKIP
    with tempfile.TemporaryDirectory(prefix="zuvo-sway-") as work:
        runtime = os.path.join(work, "runtime")
        os.mkdir(runtime, 0o700)
        drop = []
        if os.geteuid() == 0:
            os.chown(runtime, 65534, 65534)
            drop = ["setpriv", "--reuid=65534", "--regid=65534", "--clear-groups", "--"]
        config = os.path.join(work, "config")
        with open(config, "w") as f:
            f.write(f"output HEADLESS-1 resolution {WIDTH}x{HEIGHT}\n" + "\n".join(readme_sway_rules()) + "\n")
        os.chmod(work, 0o755)
        os.chmod(config, 0o644)
        env = {"PATH": os.environ.get("PATH", "/usr/bin:/bin"), "HOME": work, "XDG_RUNTIME_DIR": runtime,
               "WLR_BACKENDS": "headless", "WLR_RENDERER": "pixman", "WLR_LIBINPUT_NO_DEVICES": "1"}
        log_path = os.path.join(work, "sway.log")
        with open(log_path, "w") as log:
            sway = subprocess.Popen(drop + ["sway", "-c", config], env=env, stdout=log, stderr=log,
                                    start_new_session=True)
        widget = None
        try:
            def serving():
                names = os.listdir(runtime)
                ipc = [os.path.join(runtime, n) for n in names if n.startswith("sway-ipc.")]
                return sway.poll() is not None or ("wayland-1" in names and ipc and ipc[0])
            try:
                socket = wait_until(serving, 10, "sway")
            except Timeout:
                socket = True
            if socket is True:
                with open(log_path) as log:
                    print("skipped: sway cannot run here:", log.read()[-500:])
                return SKIP

            widget_log = os.path.join(work, "widget.log")
            with open(widget_log, "w") as log:
                widget = subprocess.Popen(
                    ["dbus-run-session", "--", args.show, "show", "--status",
                     os.path.join(SOURCE, "examples", "widget-status.json")],
                    env=dict(env, WAYLAND_DISPLAY="wayland-1", SWAYSOCK=socket), stdout=log, stderr=log,
                    start_new_session=True)

            # The rules run as the window appears; its state is read until it settles on what they ask.
            expected = (APP_ID, "floating_con", True, "none", (WIDTH - 364 - 24, 24, 364, 170))
            seen = []

            def placed():
                tree = subprocess.run(["swaymsg", "-s", socket, "-t", "get_tree"], capture_output=True, text=True,
                                      timeout=10)
                seen[:] = [(v["app_id"], v["type"], v["sticky"], v["border"],
                            (v["rect"]["x"], v["rect"]["y"], v["rect"]["width"], v["rect"]["height"]))
                           for v in views(json.loads(tree.stdout or "{}"))]
                return seen == [expected]
            try:
                wait_until(placed, 15, "the widget's window on sway", interval=0.1)
            except Timeout:
                with open(widget_log) as log:
                    raise AssertionError(f"sway shows {seen}, not [{expected}]; the widget said: {log.read()}")
            with open(widget_log) as log:
                said = [line for line in log.read().splitlines() if line.startswith("note: show: ")]
            assert len(said) == 1 and "up to the compositor" in said[0] and "Tiling compositors" in said[0], said
            print("sway: ok")
            return 0
        finally:
            for process in (widget, sway):
                if process:
                    try:
                        os.killpg(process.pid, signal.SIGTERM)
                    except ProcessLookupError:
                        pass
                    stop(process)


if __name__ == "__main__":
    sys.exit(main())

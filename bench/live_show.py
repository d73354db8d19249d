#!/usr/bin/env python3
"""Whole-process figures of the live widget (zuvo-widgets show) on a headless X desktop (Xvfb and
openbox): time from exec to the first frame, resident memory after start and after 1,000 reloads,
CPU time while idle, the time from a rename over the status file to the repaint, and a document
with a 7-million-character agent name: its time to the screen, and memory once a small document
is back.

    dbus-run-session -- python3 bench/live_show.py build/libexec/zuvo-widgets/zuvo-widgets-show build/zuvo-widgets

Times come from the program's own trace (ZUVO_SHOW_TRACE: "frame <t>", "reload <t>" on stderr,
CLOCK_MONOTONIC), so they include no screenshot."""
import os
import statistics
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "live"))
from live_session import Desktop, wait_until  # noqa: E402


def status(i):
    return ('{"waiting": %d, "unread": 2, "weekScore": 0.5, "weekSpend": %d.5, "limits": [{"agent": "Scribe", '
            '"updatedAt": 0, "windows": [{"name": "daily", "used": 0.%02d}]}]}' % (i % 50, i % 100, i % 100))


def huge_status(waiting):
    """Within the 16 MiB the widget reads: one agent whose name is 7 million characters."""
    return ('{"waiting": %d, "unread": 0, "weekSpend": 1, "limits": [{"agent": "%s", "updatedAt": 0, '
            '"windows": [{"name": "daily", "used": 0.5}]}]}' % (waiting, "N" * 7_000_000))


def replace(path, text):
    """The moment just before the rename: the widget may reload before a clock reading after it."""
    with open(path + ".tmp", "w") as f:
        f.write(text)
    moment = time.monotonic()
    os.rename(path + ".tmp", path)
    return moment


def memory(pid):
    fields = {}
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            key, _, value = line.partition(":")
            fields[key] = value.strip()
    return f"VmRSS {fields['VmRSS']}, RssAnon {fields['RssAnon']}"


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def main():
    show, router = sys.argv[1], sys.argv[2]
    reloads = int(os.environ.get("RELOADS", "1000"))
    idle_seconds = float(os.environ.get("IDLE_SECONDS", "60"))
    with Desktop(show, router) as desktop:
        desktop.env["GTK_A11Y"] = "none"  # no accessibility bus to start for every run
        path = os.path.join(desktop.dir, "widget-status.json")
        replace(path, status(0))

        firsts = []
        for _ in range(5):
            started = time.monotonic()
            widget = desktop.start_widget("--status", path)
            firsts.append(widget.trace("frame")[0] - started)
            widget.stop()
        print(f"exec to first frame: median {statistics.median(firsts) * 1000:.0f} ms "
              f"(of {', '.join(f'{t * 1000:.0f}' for t in firsts)} ms)")

        widget = desktop.start_widget("--status", path)
        time.sleep(1)
        print(f"after start: {memory(widget.process.pid)}")

        latencies, to_reload = [], []
        for i in range(1, reloads + 1):
            # The timed replaces come half a second apart, as a status file changes in use; the
            # back-to-back replaces after them are there to measure memory.
            if i <= 20:
                time.sleep(0.5)
            renamed = replace(path, status(i))
            reloaded = wait_until(lambda: [t for t in widget.trace("reload") if t > renamed], 5, "a reload")[0]
            repainted = wait_until(lambda: [t for t in widget.trace("frame") if t > reloaded], 5, "a repaint")[0]
            if i <= 20:
                latencies.append(repainted - renamed)
                to_reload.append(reloaded - renamed)
        print(f"rename to repaint: median {statistics.median(latencies) * 1000:.1f} ms, "
              f"max {max(latencies) * 1000:.1f} ms (of 20); of which rename to reload: "
              f"median {statistics.median(to_reload) * 1000:.1f} ms")
        time.sleep(1)
        print(f"after {reloads} reloads: {memory(widget.process.pid)}")

        # The huge document, three times over, each followed by a small one.
        for round in range(1, 4):
            time.sleep(0.5)
            renamed = replace(path, huge_status(round))
            reloaded = wait_until(lambda: [t for t in widget.trace("reload") if t > renamed], 10, "a reload")[0]
            repainted = wait_until(lambda: [t for t in widget.trace("frame") if t > reloaded], 30, "a repaint")[0]
            time.sleep(0.5)
            small = replace(path, status(round))
            wait_until(lambda: [t for t in widget.trace("frame") if t > small], 10, "the small document's repaint")
            time.sleep(0.5)
            print(f"7-million-character name, round {round}: rename to repaint {(repainted - renamed) * 1000:.0f} ms; "
                  f"after a small document: {memory(widget.process.pid)}")

        before = cpu_seconds(widget.process.pid)
        time.sleep(idle_seconds)
        print(f"CPU while idle for {idle_seconds:.0f} s: {cpu_seconds(widget.process.pid) - before:.2f} s")
        widget.stop()


if __name__ == "__main__":
    main()

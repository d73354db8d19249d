#!/usr/bin/env python3
"""Whole-process wall and CPU time of the picture commands, one program beside another.

    scripts/bench-pictures.py OLD_PROGRAM NEW_PROGRAM [RUNS]

Runs alternate between the two programs so both see the same machine; prints the medians, the
ratio old/new and the sizes of the files written. CPU is user + system time of the process, which
a busy machine disturbs less than wall time. Build the old program from an earlier commit in a
worktree of its own, e.g.

    git worktree add /tmp/zuvo-old 4f4c2dd && cmake -S /tmp/zuvo-old -B /tmp/zuvo-old/build -G Ninja \\
      -DCMAKE_BUILD_TYPE=RelWithDebInfo && cmake --build /tmp/zuvo-old/build --target zuvo-widgets
"""
import os
import resource
import statistics
import subprocess
import sys
import tempfile
import time

COMMANDS = [
    ("render --family medium --scale 2", ["render", "--sample", "--family", "medium", "--scale", "2"]),
    ("gallery", ["gallery", "--sample"]),
]


def run(argv):
    """Wall and CPU seconds of one run."""
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.perf_counter()
    subprocess.run(argv, check=True, stdout=subprocess.DEVNULL)
    wall = time.perf_counter() - start
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    return wall, (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)


def main():
    if len(sys.argv) < 3:
        print(f"usage: {sys.argv[0]} OLD_PROGRAM NEW_PROGRAM [RUNS]", file=sys.stderr)
        return 2
    programs = {"old": sys.argv[1], "new": sys.argv[2]}
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 15
    with tempfile.TemporaryDirectory() as out:
        for name, arguments in COMMANDS:
            times = {which: [] for which in programs}
            files = {which: os.path.join(out, which + ".png") for which in programs}
            for which, program in programs.items():  # fonts and files into the page cache
                run([program, *arguments, "-o", files[which]])
            for _ in range(runs):
                for which, program in programs.items():
                    times[which].append(run([program, *arguments, "-o", files[which]]))
            wall = {w: statistics.median(t[0] for t in times[w]) * 1000 for w in programs}
            cpu = {w: statistics.median(t[1] for t in times[w]) * 1000 for w in programs}
            size = {w: os.path.getsize(files[w]) for w in programs}
            print(f"{name:34} wall {wall['old']:5.0f} -> {wall['new']:5.0f} ms ({wall['old'] / wall['new']:.2f}x)"
                  f"  cpu {cpu['old']:5.0f} -> {cpu['new']:5.0f} ms ({cpu['old'] / cpu['new']:.2f}x)"
                  f"  {size['old']} -> {size['new']} bytes")
    return 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Start-up, memory and idle CPU of Marrowby, in a private X server (Xvfb):
    bench/startup.py [--runs N] [--busy N] [BUILD_DIR]     (BUILD_DIR defaults to build)
- start-up: from starting the process to the first painted table (the baize and a card
  on the screen), median of N runs, next to a minimal Qt window built the same way
  (bench/floor.cpp) and watched the same way;
- resident memory (VmRSS) one second after the first paint;
- CPU used while idle: utime + stime over five seconds, two seconds after start-up.
  It must be 0; the script fails otherwise.
--busy N runs N busy loops beside both programs, as on a machine at work."""

import argparse
import os
import statistics
import subprocess
import sys
import tempfile
import time

sys.dont_write_bytecode = True  # keeps the source tree clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from desktop_tools import BAIZE, XServer, missing_tools  # noqa: E402

ORIGIN = (74, 135)   # where the table's client area opens
BARE = (5, 5)        # baize above the first pile
CARD = (44, 59)      # inside pile 0's top card
BLACK = (0, 0, 0)
IDLE_SECONDS = 5


def table_painted(image):
    return image.pixel(*BARE) == BAIZE and image.pixel(*CARD) not in (BAIZE, BLACK)


def floor_painted(image):
    return image.pixel(*BARE) == BAIZE


def cpu_ticks(pid):
    with open(f"/proc/{pid}/stat") as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])  # utime, stime


def rss_kib(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def run_once(x, program, painted, env, idle=False):
    """Seconds to the first paint, resident KiB, and idle CPU ticks (or None)."""
    area = (ORIGIN[0], ORIGIN[1], CARD[0] + 1, CARD[1] + 1)
    started = time.monotonic()
    process = subprocess.Popen([program], env=env, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    try:
        while not painted(x.grab(*area)):
            if time.monotonic() - started > 60 or process.poll() is not None:
                raise RuntimeError(f"{program} painted nothing")
            time.sleep(0.001)
        seconds = time.monotonic() - started
        time.sleep(1)
        rss = rss_kib(process.pid)
        ticks = None
        if idle:
            time.sleep(1)
            before = cpu_ticks(process.pid)
            time.sleep(IDLE_SECONDS)
            ticks = cpu_ticks(process.pid) - before
        return seconds, rss, ticks
    finally:
        process.kill()
        process.wait()
        # The next run starts on a black screen again.
        deadline = time.monotonic() + 10
        while x.grab(ORIGIN[0] + BARE[0], ORIGIN[1] + BARE[1], 1, 1).pixel(0, 0) != BLACK:
            if time.monotonic() > deadline:
                raise RuntimeError("the window stayed on the screen")
            time.sleep(0.01)


def measure(x, program, painted, runs, env):
    run_once(x, program, painted, env)  # warms the file cache and the font cache
    results = [run_once(x, program, painted, env) for _ in range(runs)]
    idle = run_once(x, program, painted, env, idle=True)[2]
    times = [r[0] * 1000 for r in results]
    return {"median": statistics.median(times), "min": min(times), "max": max(times),
            "rss": statistics.median(r[1] for r in results) / 1024, "idle": idle}


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("build_dir", nargs="?", default="build")
    parser.add_argument("--runs", type=int, default=9)
    parser.add_argument("--busy", type=int, default=0)
    args = parser.parse_args()
    missing = missing_tools()
    if missing:
        sys.exit("not installed: " + ", ".join(missing))
    programs = [("Marrowby", os.path.join(args.build_dir, "program", "marrowby"), table_painted),
                ("minimal Qt window", os.path.join(args.build_dir, "bench", "marrowby_bench_floor"),
                 floor_painted)]
    busy = [subprocess.Popen([sys.executable, "-c", "while True: pass"])
            for _ in range(args.busy)]
    try:
        figures = compare(programs, args.runs, args.busy)
    finally:
        for loop in busy:
            loop.kill()
            loop.wait()
    print(f"(idle CPU: clock ticks of 1/{os.sysconf('SC_CLK_TCK')} s used over "
          f"{IDLE_SECONDS} s of doing nothing)")
    if figures["Marrowby"]["idle"] != 0:
        sys.exit("Marrowby used CPU while idle")


def compare(programs, runs, busy):
    with tempfile.TemporaryDirectory(prefix="marrowby-bench-") as config, XServer() as x:
        env = dict(x.env, XDG_CONFIG_HOME=config)
        print(f"Start-up to the first painted table, median of {runs} runs "
              f"(Xvfb, no window manager, {os.cpu_count()} CPUs, {busy} busy loops)")
        print(f"{'':20}{'median':>9}{'min':>9}{'max':>9}{'resident':>12}{'idle CPU':>12}")
        figures = {}
        for name, program, painted in programs:
            f = figures[name] = measure(x, program, painted, runs, env)
            print(f"{name:20}{f['median']:7.0f}ms{f['min']:7.0f}ms{f['max']:7.0f}ms"
                  f"{f['rss']:8.1f} MiB{f['idle']:6d} ticks")
    mine, floor = figures["Marrowby"], figures["minimal Qt window"]
    print(f"ratios: start-up {mine['median'] / floor['median']:.2f}x, "
          f"resident memory {mine['rss'] / floor['rss']:.2f}x")
    return figures


if __name__ == "__main__":
    main()

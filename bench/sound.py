#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""What a song costs, heard through a private PulseAudio server (null sink) in a private X
server:
    bench/sound.py [--runs N] [--song NAME] [BUILD_DIR]     (BUILD_DIR defaults to build)
Each run starts the program, opens the music chooser (which readies the sound engine),
waits a second as a player would, and previews a song:
- to sound: from the click that starts the preview (from starting xdotool) to the server's news of the song's
  stream. The stream opens with its first period rendered and PulseAudio starts it as soon as
  that is in, so this is when the sound starts (the sink's monitor itself arrives far later,
  over a second even for paplay, so it only checks that the song is heard);
- CPU while playing: the program's utime + stime over the whole song, until its stream is
  gone, as a share of one core;
- idle CPU after the song: clock ticks over five seconds (must be 0);
- exit: from File, Exit while the chooser's song plays (chooser closed) to the process's end.
Medians of N runs."""

import argparse
import os
import statistics
import sys
import tempfile
import time

sys.dont_write_bytecode = True  # keeps the source tree clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from desktop_tools import (Marrowby, Recording, StreamWatch, XServer,  # noqa: E402
                           first_sound_time, missing_tools, pulse)

OPTIONS_MENU = (60, -10)
PREVIEW = (194, 176)  # the middle of "Play Preview" in the chooser
SONGS = ["Blue Danube", "Minuet in G", "Ragtime", "Turkish March"]  # the chooser's order
IDLE_SECONDS = 5


def cpu_ticks(pid):
    with open(f"/proc/{pid}/stat") as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])


def open_chooser(game):
    """The chooser's window, once it has the keyboard."""
    game.x.xdotool("mousemove", 0, 0)  # a --sync move to where the pointer is never ends
    game.click(*OPTIONS_MENU)
    game.x.xdotool("key", "m")
    dialog = game.x.find_window("^Music$")
    if dialog is None:
        raise RuntimeError("the music chooser did not open")
    return dialog


def run_once(x, server, program, config, song, whole_song):
    game = Marrowby(x, program, config)
    try:
        game.still_table()
        dialog = open_chooser(game)
        time.sleep(1)
        recording = Recording(server)
        streams = StreamWatch(server)
        game.x.xdotool("key", "Tab", *["Down"] * (SONGS.index(song) + 1))
        # A click, not Alt+P: a button's shortcut is delayed to show the button pressed.
        left, top, _, _ = game.x.geometry(dialog)
        game.x.xdotool("mousemove", "--sync", left + PREVIEW[0], top + PREVIEW[1])
        pressed = time.monotonic()
        game.x.xdotool("click", "1")
        figures = {}
        if whole_song:
            before, started = cpu_ticks(game.process.pid), time.monotonic()
            time.sleep(1)
            while server.stream_properties():
                time.sleep(0.2)
            seconds = time.monotonic() - started
            ticks = cpu_ticks(game.process.pid) - before
            figures["cpu"] = 100 * ticks / os.sysconf("SC_CLK_TCK") / seconds
            figures["song"] = seconds
            time.sleep(1)
            before = cpu_ticks(game.process.pid)
            time.sleep(IDLE_SECONDS)
            figures["idle"] = cpu_ticks(game.process.pid) - before
        else:
            time.sleep(2)
        started = streams.stop()
        if first_sound_time(recording) is None or not started:
            raise RuntimeError("the preview was silent")
        recording.stop()
        figures["to_sound"] = (started[0] - pressed) * 1000
        if not whole_song:
            game.x.xdotool("key", "alt+o")  # the chooser goes, the song with it
            game.x.window_gone("^Music$")
            game.key("alt+f")
            closing = time.monotonic()
            game.x.xdotool("key", "x")
            game.process.wait(30)
            figures["exit"] = (time.monotonic() - closing) * 1000
        return figures
    finally:
        game.kill()


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("build_dir", nargs="?", default="build")
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--song", default="Ragtime", choices=SONGS)
    args = parser.parse_args()
    missing = missing_tools() + pulse.missing_tools()
    if missing:
        sys.exit("not installed: " + ", ".join(missing))
    program = os.path.join(args.build_dir, "program", "marrowby")
    with tempfile.TemporaryDirectory(prefix="marrowby-bench-") as config, XServer() as x, \
            pulse.PulseServer() as server:
        x.env.update(server.env)
        runs = [run_once(x, server, program, config, args.song, False) for _ in range(args.runs)]
        whole = run_once(x, server, program, config, args.song, True)
    to_sound = [r["to_sound"] for r in runs] + [whole["to_sound"]]
    exits = [r["exit"] for r in runs]
    print(f"{args.song}, {len(to_sound)} runs ({os.cpu_count()} CPUs, private PulseAudio)")
    print(f"click to sound:      median {statistics.median(to_sound):5.0f} ms"
          f"  (min {min(to_sound):.0f}, max {max(to_sound):.0f})")
    print(f"File, Exit to end:   median {statistics.median(exits):5.0f} ms"
          f"  (min {min(exits):.0f}, max {max(exits):.0f})")
    print(f"CPU while playing:   {whole['cpu']:.1f}% of one core over {whole['song']:.0f} s")
    print(f"idle CPU after it:   {whole['idle']} ticks over {IDLE_SECONDS} s")
    if whole["idle"] != 0:
        sys.exit("Marrowby used CPU while idle")


if __name__ == "__main__":
    main()

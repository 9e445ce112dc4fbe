#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""End-to-end runs of the real program, each in an X server of its own:
    e2e.py CASE PROGRAM [CMAKE BUILD_DIR]
The game itself is watched from outside: the window's title, the screen's pixels and the
settings file."""

import gzip
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

sys.dont_write_bytecode = True  # keeps the source tree clean
sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "support"))
from xsession import BAIZE, SKIP, Marrowby, XServer, missing_tools  # noqa: E402
import pulse  # noqa: E402

# Points of the table as the window opens it.
BARE = (5, 5)                    # baize above the first pile
BARE_BOTTOM = (170, 380)         # baize between the last pile and the buttons
PILE0_TOP_CARD = (75, 60)        # the middle of pile 0's top card
PILE0_TOP_MARGIN = (44, 59)      # inside its left edge, plain card in any design
OPTIONS_MENU = (60, -10)         # "Options" in the menu bar above the table

CASES = {}


def case(function):
    CASES[function.__name__] = function
    return function


def check(condition, message):
    if not condition:
        raise AssertionError(message)


def config_folder(tmp):
    return os.path.join(tmp, "config")


def start(x, program, tmp):
    return Marrowby(x, program, config_folder(tmp))


def check_dealt_table(game):
    check(game.title() == "Marrowby", f"title {game.title()!r}")
    table = game.still_table()
    check(table.pixel(*BARE) == BAIZE, "no baize on the table")
    check(table.pixel(*PILE0_TOP_MARGIN) not in (BAIZE, (0, 0, 0)), "pile 0 shows no card")
    return table


def check_exit_writes_defaults(game, program):
    check(game.exit_by_menu() == 0, "the program did not exit cleanly")
    folder = os.path.dirname(os.path.realpath(program))
    settings = game.settings()
    check(settings == {"CardBack": "54", "MusicFilename": folder + "/ragtime.mid"},
          f"settings written: {settings}")


@case
def drag_to_bare_table(x, program, tmp):
    with start(x, program, tmp) as game:
        before = game.still_table()
        x.xdotool("mousemove", "--sync", *game.at(*PILE0_TOP_CARD), "mousedown", "1")
        start_x, start_y = PILE0_TOP_CARD
        for step in range(1, 11):
            tx = start_x + (BARE_BOTTOM[0] - start_x) * step // 10
            ty = start_y + (BARE_BOTTOM[1] - start_y) * step // 10
            x.xdotool("mousemove", "--sync", *game.at(tx, ty))
        held = game.changed_table(before)
        x.xdotool("mouseup", "1")
        check(held != before, "no card followed the pointer")
        check(held.pixel(*BARE_BOTTOM) != BAIZE, "the held card is not under the pointer")
        check(game.changed_table(held) == before, "the card did not go back to its pile")


def open_chooser(game, entry_key, title):
    """Options, then an entry by its access key: the chooser then has the keyboard."""
    game.click(*OPTIONS_MENU)
    game.x.xdotool("key", entry_key)
    dialog = game.x.find_window(f"^{title}$")
    check(dialog is not None, f"{title} did not open")
    game.x.xdotool("windowfocus", "--sync", dialog)


def choose_back_60(game):
    """Six tabs from the first back reach the seventh, back 60: Space chooses it, Alt+O
    is OK."""
    open_chooser(game, "d", "Choose a card back")
    game.x.xdotool("key", *["Tab"] * 6, "space", "alt+o")
    check(game.x.window_gone("^Choose a card back$"), "the card-back chooser did not close")


@case
def signals_keep_the_choice(x, program, tmp):
    """The ways a session, a service manager, a terminal or a lost display end a program:
    each closes the window in order, also with a dialog open, and the choice made is written."""
    for name, with_dialog in (("SIGTERM", False), ("SIGINT", False), ("SIGHUP", True),
                              ("display lost", False)):
        with Marrowby(x, program, os.path.join(tmp, name)) as game:
            choose_back_60(game)
            if with_dialog:
                open_chooser(game, "d", "Choose a card back")
            if name == "display lost":  # last: the X server goes with it
                x.crash()
            else:
                game.process.send_signal(getattr(signal, name))
            status = game.ended()
            check(status == 0 or name == "display lost", f"{name}: exit status {status}")
            check(game.settings().get("CardBack") == "60",
                  f"{name}: settings written: {game.settings()}")


def on_accessibility_bus(x, program, mode, timeout=110):
    """screen_reader.py in `mode`, in a D-Bus session of its own."""
    tool_or_skip("dbus-run-session")
    bus = subprocess.run(["dbus-run-session", "--", "true"], env=x.env, capture_output=True,
                         text=True, timeout=30)
    if bus.returncode != 0:
        print("skipped: no D-Bus session can start here: " + bus.stderr.strip())
        sys.exit(SKIP)
    # Debian's pyatspi is for Debian's own Python, which may not be the one running us.
    python = next((p for p in (sys.executable, "/usr/bin/python3") if os.path.exists(p) and
                   subprocess.run([p, "-c", "import pyatspi"], capture_output=True).returncode == 0),
                  None)
    if python is None:
        print("skipped: python3-pyatspi is not installed")
        sys.exit(SKIP)
    script = os.path.join(os.path.dirname(os.path.abspath(__file__)), "screen_reader.py")
    done = subprocess.run(["dbus-run-session", "--", python, script, program, mode],
                          env=x.env, capture_output=True, text=True, timeout=timeout)
    print(done.stdout.strip())
    if done.returncode == SKIP:
        sys.exit(SKIP)
    check(done.returncode == 0, done.stdout + done.stderr)


@case
def screen_reader(x, program, tmp):
    """Random clicks, drags, double clicks, right holds and keys through the X server."""
    on_accessibility_bus(x, program, os.environ.get("MARROWBY_E2E_ACTIONS", "300"), timeout=280)


@case
def wayland_compositor_dies(x, program, tmp):
    tool_or_skip("weston")
    on_accessibility_bus(x, program, "wayland")


def sound_server_or_skip(x):
    """A private PulseAudio server that the program started in `x` will play into."""
    missing = pulse.missing_tools()
    if missing:
        print("skipped: not installed: " + ", ".join(missing))
        sys.exit(SKIP)
    try:
        server = pulse.PulseServer()
    except RuntimeError as failure:
        print(f"skipped: {failure}")
        sys.exit(SKIP)
    x.env.update(server.env)
    return server


def close_music_chooser(x):
    x.xdotool("key", "alt+o")
    check(x.window_gone("^Music$"), "the music chooser did not close")


@case
def sound_server(x, program, tmp):
    """The preview is heard, named as the game, and stops with the chooser; when the server
    stops answering as a song starts, the program still ends at once."""
    with sound_server_or_skip(x) as server, start(x, program, tmp) as game:
        open_chooser(game, "m", "Music")
        # From OK to the list, the first song, Play Preview.
        x.xdotool("key", "Tab", "Down", "alt+p")
        heard = server.record(3)
        streams = server.stream_properties()
        check(pulse.rms(heard) > 300, f"the preview was silent (RMS {pulse.rms(heard):.0f})")
        named = {"application.name": "Marrowby", "application.icon_name": "marrowby",
                 "media.role": "game"}
        check(any(named.items() <= stream.items() for stream in streams),
              f"no stream named as Marrowby: {streams}")
        close_music_chooser(x)
        time.sleep(0.5)
        check(pulse.rms(server.record(1)) < 10, "the song went on after the chooser closed")

        open_chooser(game, "m", "Music")
        server.server.send_signal(signal.SIGSTOP)
        try:
            x.xdotool("key", "Tab", "Down", "alt+p")
            time.sleep(0.3)
            close_music_chooser(x)
            check(game.exit_by_menu(timeout=1) == 0, "the program did not end cleanly")
        finally:
            server.server.send_signal(signal.SIGCONT)


@case
def command_line(x, program, tmp):
    def run(*args, env=x.env):
        return subprocess.run([program, *args], capture_output=True, text=True, timeout=30,
                              env=dict(env, XDG_CONFIG_HOME=config_folder(tmp)))

    # Answered on a terminal without any display, as over ssh.
    headless = {k: v for k, v in x.env.items()
                if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
    for option, answer in (("--help", r"Usage: .*--version.*"), ("-h", r"Usage: .*"),
                           ("--version", r"Marrowby \d+\.\d+\.\d+\n"), ("-v", r"Marrowby .*")):
        done = run(option, env=headless)
        check(done.returncode == 0 and re.fullmatch(answer, done.stdout, re.DOTALL),
              f"{option}: status {done.returncode}, {done.stdout!r} {done.stderr!r}")
    # Qt's own options are still taken, and the help lists them on request.
    done = run("-style", "fusion", "--version")
    check(done.returncode == 0 and done.stdout.startswith("Marrowby "), "-style was refused")
    check("-platform" in run("--help-all").stdout, "--help-all lists no Qt options")
    for wrong in (["--nonsense"], ["-x"], ["a-file"]):
        done = run(*wrong)
        check(done.returncode == 2 and not done.stdout and wrong[0].lstrip("-") in done.stderr
              and "--help" in done.stderr,
              f"{wrong}: status {done.returncode}, {done.stdout!r}, {done.stderr!r}")
    check(not os.path.exists(config_folder(tmp)), "a refused start wrote settings")


@case
def german(x, program, tmp):
    german = dict(x.env, LANGUAGE="de", LC_ALL="de_DE.UTF-8")
    # Someone who asks for English first gets English, even with German next.
    for languages, text in (("de", "Bauen Sie die vier Farben"), ("en_GB:de", "build the four")):
        done = subprocess.run([program, "--help"], capture_output=True, text=True, timeout=30,
                              env=dict(german, LANGUAGE=languages))
        check(text in done.stdout, f"--help for {languages}: {done.stdout!r}")
    x.env = german
    with start(x, program, tmp) as game:
        before = check_dealt_table(game)
        game.key("F2")
        game.changed_table(before)
        check(re.fullmatch(r"Marrowby - \d+ Karten? übrig", game.title() or ""),
              f"title after F2: {game.title()!r}")


def tool_or_skip(name):
    if shutil.which(name) is None:
        print(f"skipped: {name} is not installed")
        sys.exit(SKIP)


def check_layout(prefix, build_dir, commands, programs):
    folder = os.path.join(prefix, programs, "marrowby")
    command = os.path.join(prefix, commands, "marrowby")
    check(os.path.realpath(command) == os.path.realpath(os.path.join(folder, "marrowby")),
          f"{commands}/marrowby does not start the program in {programs}/marrowby")
    check(os.access(command, os.X_OK), f"{commands}/marrowby is not executable")
    built = sorted(os.listdir(os.path.join(build_dir, "program")))
    check(sorted(os.listdir(folder)) == built, f"{programs}/marrowby does not hold {built}")
    share = os.path.join(prefix, "share")
    desktop = os.path.join(share, "applications", "io.github.marrowby.Marrowby.desktop")
    metainfo = os.path.join(share, "metainfo", "io.github.marrowby.Marrowby.metainfo.xml")
    icons = [os.path.join(share, "icons", "hicolor", "scalable", "apps", "marrowby.svg")] + [
        os.path.join(share, "icons", "hicolor", f"{s}x{s}", "apps", "marrowby.png")
        for s in (16, 22, 24, 32, 48, 64, 128, 256)]
    docs = [os.path.join(share, "man", "man6", "marrowby.6.gz")] + [
        os.path.join(share, "doc", "marrowby", name) for name in ("copyright", "changelog.gz")]
    for path in [desktop, metainfo] + icons + docs:
        check(os.path.isfile(path), f"{os.path.relpath(path, prefix)} is missing")
    return desktop, metainfo


def validate(desktop, metainfo):
    for tool, path in (("desktop-file-validate", [desktop]),
                       ("appstreamcli", ["validate", "--no-net", metainfo])):
        if shutil.which(tool) is None:
            print(f"note: {tool} is not installed; not validated")
            continue
        done = subprocess.run([tool, *path], capture_output=True, text=True, timeout=60)
        check(done.returncode == 0, f"{tool}: {done.stdout}{done.stderr}")


def run_installed(x, prefix, tmp, commands, programs):
    program = os.path.join(prefix, commands, "marrowby")
    with start(x, program, tmp) as game:
        check_dealt_table(game)
        check_exit_writes_defaults(game, program)
    folder = os.path.realpath(os.path.join(prefix, programs, "marrowby"))
    check(game.settings()["MusicFilename"].startswith(folder + "/"),
          "the installed program did not find its own folder")


@case
def debian_package(x, program, tmp, cmake, build_dir):
    for tool in ("dpkg-deb", "dpkg-shlibdeps", "lintian"):
        tool_or_skip(tool)
    cpack = os.path.join(os.path.dirname(cmake), "cpack")
    out = os.path.join(tmp, "package")
    done = subprocess.run([cpack, "-G", "DEB", "-B", out,
                           "--config", os.path.join(build_dir, "CPackConfig.cmake")],
                          capture_output=True, text=True, timeout=600)
    check(done.returncode == 0, "cpack failed: " + done.stdout + done.stderr)
    debs = [f for f in os.listdir(out) if f.endswith(".deb")]
    check(len(debs) == 1, f"cpack made {debs}")
    deb = os.path.join(out, debs[0])
    depends = subprocess.run(["dpkg-deb", "-f", deb, "Depends"], capture_output=True,
                             text=True, timeout=60).stdout
    # The libraries come from the executable's and the sound module's links; the rest is
    # loaded at run time.
    for needed in ("libqt6widgets6", "libfluidsynth3", "qt6-qpa-plugins",
                   "fluid-soundfont-gm | timgm6mb-soundfont"):
        check(needed in depends, f"the package does not depend on {needed}: {depends}")
    # Nothing a Debian games maintainer would have to fix: no error, no warning.
    done = subprocess.run(["lintian", "--fail-on", "error,warning", "--display-info", deb],
                          capture_output=True, text=True, timeout=300)
    check(done.returncode == 0, "lintian: " + done.stdout + done.stderr)
    root = os.path.join(tmp, "root")
    subprocess.run(["dpkg-deb", "-x", deb, root], check=True, timeout=120)
    # Debian keeps a game's command in /usr/games and its private files in /usr/lib/games.
    layout = {"commands": "games", "programs": os.path.join("lib", "games")}
    validate(*check_layout(os.path.join(root, "usr"), build_dir, **layout))
    version = subprocess.run(["dpkg-deb", "-f", deb, "Version"], capture_output=True,
                             text=True, timeout=60).stdout.strip()
    with gzip.open(os.path.join(root, "usr", "share", "doc", "marrowby", "changelog.gz"),
                   "rt") as changelog:
        latest = changelog.readline()
    check(latest.startswith(f"marrowby ({version}) "),
          f"the changelog's latest entry is {latest.strip()!r}, the package {version}")
    run_installed(x, os.path.join(root, "usr"), tmp, **layout)


def main():
    name, program, *extra = sys.argv[1:]
    missing = missing_tools()
    if missing:
        print("skipped: not installed: " + ", ".join(missing))
        return SKIP
    started = time.monotonic()
    with tempfile.TemporaryDirectory(prefix="marrowby-e2e-") as tmp, XServer() as x:
        try:
            CASES[name](x, program, tmp, *extra)
        except AssertionError as failure:
            print(f"{name}: FAILED: {failure}")
            return 1
    print(f"{name}: passed in {time.monotonic() - started:.1f} s")
    return 0


if __name__ == "__main__":
    sys.exit(main())

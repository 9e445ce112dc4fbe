#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""What a screen reader finds on the table, over the accessibility bus:
    screen_reader.py PROGRAM ACTIONS | screen_reader.py PROGRAM wayland
Run inside a D-Bus session of its own (dbus-run-session) with DISPLAY set; e2e.py does
both. A player presses random buttons and keys through the X server, and after each
action the names must still hold the 52 cards once each, and each place whose name changed
must have announced it; MARROWBY_E2E_SEED replays a run. With "wayland", the program runs
natively on a headless Weston instead of X. Exits 0 when the checks pass, 1 when one
fails, 77 when the accessibility bus cannot be reached here."""

import os
import random
import re
import subprocess
import sys
import tempfile
import time

SKIP = 77
RANKS = ["Ace", "2", "3", "4", "5", "6", "7", "8", "9", "10", "Jack", "Queen", "King"]
SUITS = ["Clubs", "Diamonds", "Hearts", "Spades"]
PILE = re.compile(r"Pile (\d+): (.*)")
HOME = re.compile(r"(Clubs|Diamonds|Hearts|Spades) home pile: (.*)")


def card(name):
    """(suit, rank) of a card's name, "Queen of Diamonds" -> (1, 12)."""
    rank, _, suit = name.partition(" of ")
    return SUITS.index(suit), RANKS.index(rank) + 1


def table(app, pyatspi):
    """The piles (16 lists of cards, bottom first) and home piles (their top cards), as
    their accessible names give them, and what is described: the window's title and the
    cards the places say are held."""
    piles, homes, described = {}, {}, {}
    stack = [app]
    while stack:
        node = stack.pop()
        try:
            name = node.name or ""
            children = [node.getChildAtIndex(i) for i in range(node.childCount)]
            role = node.getRole()
            held = re.fullmatch(r"Holding (.*)", node.description)
        except Exception:  # an object that went while we looked
            continue
        stack.extend(c for c in children if c is not None)
        if role == pyatspi.ROLE_FRAME:
            described["title"] = name
        if role != pyatspi.ROLE_PUSH_BUTTON:
            continue
        if held:
            described.setdefault("held", set()).add(card(held[1]))
        if m := PILE.fullmatch(name):
            cards = [] if m[2] == "empty" else [card(c) for c in m[2].split(", ")]
            piles[int(m[1]) - 1] = cards
        elif m := HOME.fullmatch(name):
            homes[SUITS.index(m[1])] = card(m[2])
    return piles, homes, described


def find_app(pyatspi, pid, timeout=30):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            try:
                if app is not None and app.get_process_id() == pid:
                    return app
            except Exception:
                pass
        time.sleep(0.2)
    return None


class Heard:
    """The names announced by name-change events, as a screen reader hears of them."""

    def __init__(self, pyatspi):
        from gi.repository import GLib
        self.context = GLib.MainContext.default()
        self.names = []
        pyatspi.Registry.registerEventListener(
            lambda event: self.names.append(event.source.name),
            "object:property-change:accessible-name")

    def pump(self):
        while self.context.iteration(False):
            pass


def until(heard, look, done, timeout=5):
    """What look() gives once done() holds of it; the last seen if it never does."""
    deadline = time.monotonic() + timeout
    while True:
        heard.pump()
        seen = look()
        if done(seen) or time.monotonic() > deadline:
            return seen
        time.sleep(0.05)


def xdotool(*args):
    return subprocess.run(["xdotool", *map(str, args)], check=True, timeout=30,
                          capture_output=True, text=True).stdout


# The table as the window opens it: piles in three rows of five and one beside the home
# piles, 71 x 96 a card and 15 pixels a card of a fan.
PILE_AT = [(10 + 124 * (i % 5), 11 + 107 * (i // 5)) for i in range(15)] + [(10, 332)]
HOME_AT = [(307 + 80 * h, 332) for h in range(4)]
BUTTONS_AT = [(264, 359), (264, 404)]  # Re-Shuffle and Draw
CLIENT_HEIGHT = 431
KEYS = ["Tab", "shift+Tab", "Left", "Right", "Up", "Down", "space", "space", "Return",
        "Escape", "F2", "ctrl+z"]


def accounted(piles, homes, described):
    """Why the names do not hold the 52 cards once each with the caption's count; None
    when they do. A card held from the keyboard is named only by the place it was taken
    from, in that place's description; the keyboard may have moved on since."""
    if sorted(piles) != list(range(16)) or sorted(homes) != list(range(4)):
        return f"the places named are piles {sorted(piles)} and home piles {sorted(homes)}"
    named = [c for cards in piles.values() for c in cards]
    named += [(s, r) for s, (_, top) in homes.items() for r in range(1, top + 1)]
    missing = set((s, r) for s in range(4) for r in range(1, 14)) - set(named)
    if len(named) == 51 and missing <= described.get("held", set()):
        named += missing
    if sorted(named) != sorted((s, r) for s in range(4) for r in range(1, 14)):
        return f"the names hold {len(named)} cards, not the 52 once each"
    out = 52 - sum(top for _, top in homes.values())
    title = described.get("title", "")
    if title != "Marrowby" and title != f"Marrowby - {out} Card{'' if out == 1 else 's'} Left":
        return f"the caption reads {title!r} with {out} cards not home"
    return None


def changed_places(before, after):
    """The beginnings of the names of the places whose cards differ."""
    return [f"Pile {i + 1}:" for i in range(16) if before[0].get(i) != after[0].get(i)] + \
        [f"{SUITS[s]} home pile:" for s in range(4) if before[1].get(s) != after[1].get(s)]


def unheard(heard, beginnings):
    return [b for b in beginnings if not any(name.startswith(b) for name in heard.names)]


def random_input(app, pyatspi, heard, game, window, run):
    actions, seed = run
    print(f"MARROWBY_E2E_SEED={seed} replays this run (its input and its deals)")
    rng = random.Random(seed)
    g = dict(line.split("=") for line in xdotool("getwindowgeometry", "--shell", window).split())
    origin = (int(g["X"]), int(g["Y"]) + int(g["HEIGHT"]) - CLIENT_HEIGHT)

    def point(piles):
        if rng.random() < 0.7:  # mostly on a card
            i = rng.randrange(20)
            x, y = PILE_AT[i] if i < 16 else HOME_AT[i - 16]
            width = 71 + 15 * max(0, len(piles.get(i, [])) - 1) if i < 16 else 71
            x, y = x + rng.randrange(width), y + rng.randrange(96)
        else:
            x, y = rng.randrange(627), rng.randrange(CLIENT_HEIGHT)
        return origin[0] + x, origin[1] + y

    def act(piles):
        kind = rng.choice(["click", "drag", "drag", "double click", "right hold", "key", "button"])
        a, b = point(piles), point(piles)
        if kind == "button":
            x, y = rng.choice(BUTTONS_AT)
            xdotool("mousemove", origin[0] + x, origin[1] + y, "click", "1")
        elif kind == "click":
            xdotool("mousemove", *a, "click", "1")
        elif kind == "drag":
            xdotool("mousemove", *a, "mousedown", "1", "mousemove", *((a[0] + b[0]) // 2,
                    (a[1] + b[1]) // 2), "mousemove", *b, "mouseup", "1")
        elif kind == "double click":
            xdotool("mousemove", *a, "click", "--repeat", "2", "--delay", "60", "1")
        elif kind == "right hold":
            xdotool("mousemove", *a, "mousedown", "3", "sleep", "0.1", "mouseup", "3")
        else:
            key = rng.choice(KEYS + ["l"])
            if key == "l":  # the locate key shows its markers while held
                xdotool("keydown", "l", "sleep", "0.1", "keyup", "l")
            else:
                xdotool("key", key)
            kind = f"key {key}"
        return kind

    def settled():
        return until(heard, lambda: table(app, pyatspi), lambda seen: accounted(*seen) is None)

    xdotool("windowfocus", "--sync", window)
    now, changes = settled(), 0
    for n in range(1, actions + 1):
        heard.pump()
        heard.names.clear()
        what = act(now[0])
        before, now = now, settled()
        if game.poll() is not None:
            print(f"FAILED: the program ended ({game.returncode}) after action {n}, {what}")
            return 1
        if (why := accounted(*now)) is not None:
            print(f"FAILED after action {n}, {what}: {why}")
            return 1
        changed = changed_places(before, now)
        if missing := until(heard, lambda: unheard(heard, changed), lambda left: not left):
            print(f"FAILED after action {n}, {what}: no name change announced for {missing}")
            return 1
        changes += len(changed)
    print(f"{actions} random actions: the 52 cards accounted for after each, and the "
          f"{changes} changes of a place's cards announced")
    return 0


def main():
    program, mode = sys.argv[1:]
    try:
        import pyatspi
    except ImportError:
        print("skipped: python3-pyatspi is not installed")
        return SKIP
    with tempfile.TemporaryDirectory(prefix="marrowby-a11y-") as config:
        env = dict(os.environ, XDG_CONFIG_HOME=config, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                   QT_ACCESSIBILITY="1")
        compositor = weston(env) if mode == "wayland" else None
        run = None
        if compositor is None:  # the program deals from the same seed as the input
            run = int(mode), int(os.environ.get("MARROWBY_E2E_SEED") or random.randrange(2**32))
            env["MARROWBY_SEED"] = str(run[1])
        game = subprocess.Popen([program], env=env, stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL)
        try:
            return check(game, pyatspi, compositor, config, run)
        finally:
            for process in filter(None, (game, compositor)):
                process.kill()
                process.wait()


def weston(env):
    """A headless Weston for the program started with env; exits SKIP where it cannot start."""
    socket = "marrowby-wayland"
    compositor = subprocess.Popen(["weston", "--backend=headless-backend.so", "--use-pixman",
                                   "--socket=" + socket, "--idle-time=0"], env=env,
                                  stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    deadline = time.monotonic() + 15
    while not os.path.exists(os.path.join(env["XDG_RUNTIME_DIR"], socket)):
        if compositor.poll() is not None or time.monotonic() > deadline:
            compositor.kill()
            print("skipped: Weston did not start: " + compositor.communicate()[1][-400:])
            sys.exit(SKIP)
        time.sleep(0.05)
    env.update(QT_QPA_PLATFORM="wayland", WAYLAND_DISPLAY=socket)
    del env["DISPLAY"]
    return compositor


def press(root, role, name, pyatspi, timeout=15):
    """Does the first action of the object of that role and name below root."""
    deadline = time.monotonic() + timeout
    while not (found := pyatspi.findDescendant(
            root, lambda o: o.getRole() == role and o.name == name)):
        if time.monotonic() > deadline:
            raise AssertionError(f"no {name!r} to press")
        time.sleep(0.1)
    found.queryAction().doAction(0)


def compositor_dies(app, game, pyatspi, compositor, config):
    """The card-back chooser's OK is pressed over the bus (a headless Weston has no input),
    then the compositor dies and takes the program with it: the choice is written."""
    from gi.repository import GLib
    pyatspi.setTimeout(1000, 15000)
    try:
        press(app, pyatspi.ROLE_MENU_ITEM, "Deck...", pyatspi)
    except GLib.GError:  # the press answers once the modal chooser it opened closes
        pass
    press(app, pyatspi.ROLE_PUSH_BUTTON, "OK", pyatspi)
    time.sleep(0.5)
    compositor.kill()
    game.wait(15)
    with open(os.path.join(config, "Marrowby", "Marrowby.conf")) as conf:
        written = conf.read()
    if "CardBack=54" not in written:
        print(f"FAILED: the settings hold {written!r}")
        return 1
    print("20 places named on Wayland; the chooser's choice outlived the compositor")
    return 0


def check(game, pyatspi, compositor, config, random_run):
    try:
        app = find_app(pyatspi, game.pid)
    except Exception as error:  # no registry on this bus
        print(f"skipped: the accessibility bus cannot be reached: {error}")
        return SKIP
    if app is None:
        print("skipped: the program did not appear on the accessibility bus")
        return SKIP
    heard = Heard(pyatspi)
    piles, homes, _ = until(heard, lambda: table(app, pyatspi),
                            lambda seen: len(seen[0]) == 16 and len(seen[1]) == 4, timeout=10)
    if len(piles) != 16 or len(homes) != 4:
        print(f"FAILED: {len(piles)} piles and {len(homes)} home piles are named")
        return 1
    if compositor:
        return compositor_dies(app, game, pyatspi, compositor, config)
    window = xdotool("search", "--sync", "--pid", game.pid, "--name", "^Marrowby").split()[0]
    return random_input(app, pyatspi, heard, game, window, random_run)


if __name__ == "__main__":
    sys.exit(main())

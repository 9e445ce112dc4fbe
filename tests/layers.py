#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Fails when a subsystem includes a header of a subsystem above it.

Each folder may use only the folders listed before it; resources/ stands beside them all.
"""
import pathlib
import re
import sys

LAYERS = ["resources", "cards", "platform", "animation", "help", "options", "game"]
ALLOWED = {
    "resources": set(),
    "cards": set(),
    "platform": {"cards"},
    "animation": {"cards", "platform"},
    "help": {"resources", "cards", "platform"},
    "options": {"resources", "cards", "platform"},
    "game": set(LAYERS) - {"game"},
}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([a-z]+)/', re.MULTILINE)


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".")
    faults = []
    for folder in LAYERS:
        for path in sorted((root / folder).glob("*.[ch]*")):
            for used in INCLUDE.findall(path.read_text(encoding="utf-8")):
                if used != folder and used not in ALLOWED[folder]:
                    faults.append(f"{path.relative_to(root)} includes {used}/")
    print("\n".join(faults) or "every folder uses only the folders below it")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Takes README's pictures of the table, at normal size and at twice the size
(QT_SCALE_FACTOR=2), from the built program in a private X server:
    tools/screenshots.py [BUILD_DIR]        (BUILD_DIR defaults to build)
writes docs/table.png and docs/table@2x.png. Every run deals a new game."""

import os
import sys
import tempfile

sys.dont_write_bytecode = True  # keeps the source tree clean
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "bench"))
from desktop_tools import Marrowby, XServer, missing_tools, save_png  # noqa: E402

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")


def main():
    build_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "build")
    missing = missing_tools()
    if missing:
        sys.exit("not installed: " + ", ".join(missing))
    program = os.path.join(build_dir, "program", "marrowby")
    docs = os.path.join(ROOT, "docs")
    os.makedirs(docs, exist_ok=True)
    for scale, name in ((1, "table.png"), (2, "table@2x.png")):
        with tempfile.TemporaryDirectory() as config, XServer(1600, 1200) as x:
            with Marrowby(x, program, config, env={"QT_SCALE_FACTOR": str(scale)}) as game:
                game.still_table()
                window = x.grab(*x.geometry(game.window))
            save_png(window, os.path.join(docs, name))
            print(f"{name}: {window.width} x {window.height}")


if __name__ == "__main__":
    main()

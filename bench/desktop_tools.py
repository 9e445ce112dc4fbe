# SPDX-License-Identifier: GPL-3.0-or-later
"""The end-to-end tests' X server and sound server (tests/support), with what only the
benchmarks and the screenshot tool need besides: a screen picture saved as PNG, when a
recording first turned audible, and when playback streams reached the sound server.
    sys.path.insert(0, <this folder>); from desktop_tools import ..."""

import array
import os
import struct
import subprocess
import sys
import threading
import time
import zlib

sys.dont_write_bytecode = True  # keeps the source tree clean
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests",
                                "support"))
import pulse  # noqa: E402,F401
from xsession import BAIZE, Marrowby, XServer, missing_tools  # noqa: E402,F401


def save_png(image, path):
    """Writes an xsession.Image as an RGB PNG."""
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))
    raw = bytearray()
    for r in range(image.height):
        row = image.data[r * image.stride:r * image.stride + 4 * image.width]
        rgb = bytearray(3 * image.width)
        rgb[0::3], rgb[1::3], rgb[2::3] = row[2::4], row[1::4], row[0::4]
        raw += b"\0" + rgb
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(chunk(b"IHDR", struct.pack(">IIBBBBB", image.width, image.height, 8, 2, 0, 0, 0)))
        out.write(chunk(b"IDAT", zlib.compress(raw, 9)))
        out.write(chunk(b"IEND", b""))


class Recording:
    """Mono 16-bit samples of the null sink, read as they arrive, each block with the time
    it arrived (parec is asked for 10 ms blocks)."""

    def __init__(self, server):
        self.blocks = []
        self.process = subprocess.Popen(
            ["parec", "-d", pulse.SINK + ".monitor", "--raw", "--format=s16le",
             f"--rate={pulse.RATE}", "--channels=1", "--latency-msec=10"],
            env=dict(os.environ, **server.env), stdout=subprocess.PIPE,
            stderr=subprocess.DEVNULL)
        self.reader = threading.Thread(target=self._read, daemon=True)
        self.reader.start()

    def _read(self):
        while True:
            data = self.process.stdout.read1(65536)
            if not data:
                return
            self.blocks.append((time.monotonic(), data))

    def stop(self):
        """All samples heard."""
        self.process.terminate()
        self.process.wait(10)
        self.reader.join(10)
        raw = b"".join(data for _, data in self.blocks)
        return array.array("h", raw[:len(raw) // 2 * 2])


def first_sound_time(recording, threshold=200):
    """When the first clearly audible sample of a Recording arrived
    (time.monotonic()), or None."""
    for arrived, data in list(recording.blocks):
        block = array.array("h", data[:len(data) // 2 * 2])
        if any(abs(s) > threshold for s in block):
            return arrived
    return None


class StreamWatch:
    """The times (time.monotonic()) at which new playback streams reached the server, as
    the server announces them (pactl subscribe)."""

    def __init__(self, server):
        self.times = []
        self.process = subprocess.Popen(["pactl", "subscribe"], env=dict(os.environ, **server.env),
                                        stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                        text=True)
        self.reader = threading.Thread(target=self._read, daemon=True)
        self.reader.start()
        time.sleep(0.3)  # subscribed

    def _read(self):
        for line in self.process.stdout:
            if "'new' on sink-input" in line:
                self.times.append(time.monotonic())

    def stop(self):
        self.process.terminate()
        self.process.wait(10)
        self.reader.join(10)
        return self.times

# SPDX-License-Identifier: GPL-3.0-or-later
"""A private PulseAudio server whose only output is a null sink, for hearing what the
program plays: record the sink's monitor and measure it. ALSA's default device is routed
nowhere for the programs it serves, so that a sound can only have come through the
server. Used by the end-to-end tests, and through bench/desktop_tools.py by the sound
benchmark."""

import array
import math
import os
import shutil
import subprocess
import tempfile
import threading
import time

SINK = "marrowby_test"
RATE = 44100


def missing_tools():
    return [t for t in ("pulseaudio", "parec", "pactl") if shutil.which(t) is None]


class PulseServer:
    """Raises RuntimeError when the server does not start."""

    def __init__(self):
        self.tmp = tempfile.TemporaryDirectory(prefix="marrowby-pulse-")
        runtime = os.path.join(self.tmp.name, "runtime")
        os.mkdir(runtime, 0o700)
        empty_alsa = os.path.join(self.tmp.name, "alsa.conf")
        open(empty_alsa, "w").close()
        socket = os.path.join(runtime, "native")
        # Clients find the server by PULSE_SERVER alone; HOME keeps its cookie and state
        # out of the user's own folder.
        self.env = dict(PULSE_SERVER="unix:" + socket, ALSA_CONFIG_PATH=empty_alsa)
        server_env = dict(os.environ, HOME=self.tmp.name, XDG_RUNTIME_DIR=runtime,
                          PULSE_RUNTIME_PATH=runtime, PULSE_STATE_PATH=self.tmp.name)
        server_env.pop("DISPLAY", None)
        # -n: none of the system's configuration, so no sound card and no D-Bus are
        # needed. Running as root (in CI) is allowed outside system mode, with a warning.
        self.server = subprocess.Popen(
            ["pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1",
             "--use-pid-file=no", "--disable-shm=yes", "--log-target=stderr",
             f"--load=module-null-sink sink_name={SINK} rate={RATE}",
             f"--load=module-native-protocol-unix auth-anonymous=1 socket={socket}"],
            env=server_env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
        deadline = time.monotonic() + 15
        while not self._answers():
            if self.server.poll() is not None or time.monotonic() > deadline:
                log = self.close()
                raise RuntimeError("PulseAudio did not start: " + log[-600:])
            time.sleep(0.05)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    def _answers(self):
        return subprocess.run(["pactl", "info"], env=dict(os.environ, **self.env),
                              capture_output=True, timeout=10).returncode == 0

    def close(self):
        """Stops the server; returns what it logged."""
        log = ""
        if self.server.poll() is None:
            self.server.terminate()
            try:
                log = self.server.communicate(timeout=10)[1]
            except subprocess.TimeoutExpired:
                self.server.kill()
                log = self.server.communicate()[1]
        self.tmp.cleanup()
        return log or ""

    def record(self):
        """Starts recording the sink's monitor; stop it with Recording.stop()."""
        return Recording(self)

    def stream_properties(self):
        """The properties of the streams playing now, one dict each."""
        listing = subprocess.run(["pactl", "list", "sink-inputs"],
                                 env=dict(os.environ, **self.env),
                                 capture_output=True, text=True, timeout=10).stdout
        streams = []
        for line in listing.splitlines():
            if line.startswith("Sink Input #"):
                streams.append({})
            elif " = " in line and streams:
                key, _, value = line.strip().partition(" = ")
                streams[-1][key] = value.strip('"')
        return streams


class Recording:
    """Mono 16-bit samples of the null sink, read as they arrive, each block with the time
    it arrived (parec is asked for 10 ms blocks)."""

    def __init__(self, server):
        self.blocks = []
        self.process = subprocess.Popen(
            ["parec", "-d", SINK + ".monitor", "--raw", "--format=s16le", f"--rate={RATE}",
             "--channels=1", "--latency-msec=10"],
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


def rms(samples):
    return math.sqrt(sum(s * s for s in samples) / len(samples)) if samples else 0.0

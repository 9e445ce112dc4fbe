# SPDX-License-Identifier: GPL-3.0-or-later
"""A private PulseAudio server whose only output is a null sink, for hearing what the
program plays: record the sink's monitor and measure it. ALSA's default device is routed
nowhere for the programs it serves, so that a sound can only have come through the
server. Used by the end-to-end tests, and through bench/desktop_tools.py by the sound
benchmark."""

import array
import json
import math
import os
import shutil
import subprocess
import tempfile
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

    def record(self, seconds):
        """Mono 16-bit samples of what the sink plays in the next `seconds`."""
        path = os.path.join(self.tmp.name, "heard.raw")
        with open(path, "wb") as heard:
            parec = subprocess.Popen(
                ["parec", "-d", SINK + ".monitor", "--raw", "--format=s16le", f"--rate={RATE}",
                 "--channels=1"], env=dict(os.environ, **self.env), stdout=heard,
                stderr=subprocess.DEVNULL)
            time.sleep(seconds)
            parec.terminate()
            parec.wait(10)
        with open(path, "rb") as heard:
            raw = heard.read()
        return array.array("h", raw[:len(raw) // 2 * 2])

    def stream_properties(self):
        """The properties of the streams playing now, one dict each."""
        listing = subprocess.run(["pactl", "--format=json", "list", "sink-inputs"],
                                 env=dict(os.environ, **self.env),
                                 capture_output=True, text=True, timeout=10).stdout
        return [stream["properties"] for stream in json.loads(listing or "[]")]


def rms(samples):
    return math.sqrt(sum(s * s for s in samples) / len(samples)) if samples else 0.0

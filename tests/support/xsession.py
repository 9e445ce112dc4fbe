# SPDX-License-Identifier: GPL-3.0-or-later
"""A private X server (Xvfb) for running Marrowby from the outside: start the program,
find its window, press keys and move the pointer with xdotool, and read the screen's
pixels straight from the server. Used by the end-to-end tests, and through
bench/desktop_tools.py by the benchmarks and the screenshot tool; nothing here needs more
than the Python standard library."""

import configparser
import ctypes
import ctypes.util
import os
import shutil
import subprocess
import tempfile
import time
import typing

# The table's client area as the window opens it, and its baize.
CLIENT_SIZE = (627, 431)
BAIZE = (0, 128, 0)

SKIP = 77  # CTest's SKIP_RETURN_CODE for a missing X server or tool


def missing_tools():
    return [t for t in ("Xvfb", "xdotool") if shutil.which(t) is None]


class _XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int),
                ("xoffset", ctypes.c_int), ("format", ctypes.c_int),
                ("data", ctypes.POINTER(ctypes.c_ubyte)),
                ("byte_order", ctypes.c_int), ("bitmap_unit", ctypes.c_int),
                ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
                ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int),
                ("bits_per_pixel", ctypes.c_int)]


class Image(typing.NamedTuple):
    """A screen rectangle as the server holds it: rows of 32-bit pixels, blue first."""
    width: int
    height: int
    stride: int
    data: bytes

    def pixel(self, x, y):
        i = y * self.stride + 4 * x
        return self.data[i + 2], self.data[i + 1], self.data[i]


def poll(probe, timeout):
    """probe()'s first true answer within `timeout` seconds, or its last answer."""
    deadline = time.monotonic() + timeout
    while not (answer := probe()) and time.monotonic() < deadline:
        time.sleep(0.05)
    return answer


class XServer:
    """An Xvfb of our own on a free display; no window manager, black root."""

    def __init__(self, width=1280, height=1024):
        self.size = (width, height)
        self.tmp = tempfile.TemporaryDirectory(prefix="marrowby-x-")
        read_end, write_end = os.pipe()
        # -displayfd lets the server pick a free display itself: no race between
        # servers started side by side.
        self.server = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{width}x{height}x24",
             "-nolisten", "tcp", "-br", "-noreset"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            number = pipe.readline().strip()
        if not number:
            self.server.kill()
            raise RuntimeError("Xvfb did not start")
        self.display = ":" + number
        runtime = os.path.join(self.tmp.name, "runtime")
        os.mkdir(runtime, 0o700)
        self.env = dict(os.environ, DISPLAY=self.display, QT_QPA_PLATFORM="xcb",
                        XDG_RUNTIME_DIR=runtime)
        # A sanitizer build reports leaks inside the D-Bus library Qt loads: not ours to mend.
        suppressions = os.path.join(self.tmp.name, "lsan.supp")
        with open(suppressions, "w") as supp:
            supp.write("leak:libdbus-1.so\n")
        self.env["LSAN_OPTIONS"] = "suppressions=" + suppressions
        self.env.pop("WAYLAND_DISPLAY", None)
        self.env.pop("QT_SCALE_FACTOR", None)
        # The program speaks English whatever language the machine is set to.
        for variable in ("LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"):
            self.env.pop(variable, None)
        self.env["LC_ALL"] = "C.UTF-8"
        self._xlib = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
        self._xlib.XOpenDisplay.restype = ctypes.c_void_p
        self._xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self._xlib.XDefaultRootWindow.restype = ctypes.c_ulong
        self._xlib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self._xlib.XGetImage.restype = ctypes.POINTER(_XImage)
        self._xlib.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int,
                                         ctypes.c_int, ctypes.c_uint, ctypes.c_uint,
                                         ctypes.c_ulong, ctypes.c_int]
        self._xlib.XDestroyImage.argtypes = [ctypes.POINTER(_XImage)]
        self._xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]
        self._dpy = self._xlib.XOpenDisplay(self.display.encode())
        if not self._dpy:
            self.close()
            raise RuntimeError("cannot open " + self.display)
        self._root = self._xlib.XDefaultRootWindow(self._dpy)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    def close(self):
        self.crash()
        self.tmp.cleanup()

    def crash(self):
        """Ends the server at once, as a server that dies would; only close() may follow."""
        if getattr(self, "_dpy", None):
            self._xlib.XCloseDisplay(self._dpy)
            self._dpy = None
        self.server.kill()
        self.server.wait()

    def grab(self, x=0, y=0, width=None, height=None):
        """The screen's pixels; the rectangle is clipped to the screen."""
        x, y = max(0, x), max(0, y)
        width = min(width or self.size[0], self.size[0] - x)
        height = min(height or self.size[1], self.size[1] - y)
        image = self._xlib.XGetImage(self._dpy, self._root, x, y, width, height,
                                     0xFFFFFFFF, 2)  # ZPixmap: 32 bits a pixel at depth 24
        if not image:
            raise RuntimeError("XGetImage failed")
        try:
            stride = image.contents.bytes_per_line
            return Image(width, height, stride, ctypes.string_at(image.contents.data,
                                                                 stride * height))
        finally:
            self._xlib.XDestroyImage(image)

    def xdotool(self, *args, timeout=10):
        done = subprocess.run(["xdotool", *map(str, args)], env=self.env, timeout=timeout,
                              capture_output=True, text=True)
        return done.stdout.strip() if done.returncode == 0 else None

    def find_window(self, name_pattern, timeout=30, pid=None):
        """The id of the first visible window whose name matches, or None."""
        args = ["search", "--onlyvisible", "--name", name_pattern]
        if pid is not None:
            args[1:1] = ["--pid", pid]
        found = poll(lambda: self.xdotool(*args), timeout)
        return found.split()[0] if found else None

    def window_gone(self, name_pattern, timeout=15):
        """Whether no visible window's name matches, once none does or in time."""
        return poll(lambda: self.xdotool("search", "--onlyvisible", "--name", name_pattern)
                    is None, timeout)

    def geometry(self, window):
        """(x, y, width, height) of a window on the screen."""
        values = {}
        for line in (self.xdotool("getwindowgeometry", "--shell", window) or "").splitlines():
            key, _, value = line.partition("=")
            values[key] = int(value)
        return values["X"], values["Y"], values["WIDTH"], values["HEIGHT"]

    def wait_until_still(self, rect, quiet=0.4, timeout=15):
        """The pixels in rect once they are the same twice, `quiet` seconds apart."""
        def settled():
            before = self.grab(*rect)
            time.sleep(quiet)
            return before if self.grab(*rect) == before else None
        image = poll(settled, timeout)
        if image is None:
            raise TimeoutError("the screen kept changing")
        return image


class Marrowby:
    """The real program, started in an X server with a settings folder of its own."""

    def __init__(self, x, program, config_home, env=None):
        self.x = x
        self.config_home = config_home
        env = dict(x.env, XDG_CONFIG_HOME=config_home, **(env or {}))
        self.process = subprocess.Popen([program], env=env, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.PIPE, text=True)
        self.window = x.find_window("^Marrowby", pid=self.process.pid)
        if self.window is None:
            self.kill()
            raise AssertionError("no window titled Marrowby appeared")
        wx, wy, width, height = x.geometry(self.window)
        # The client area is the window's bottom part, below the menu bar.
        self.client = (wx, wy + height - CLIENT_SIZE[1], width, CLIENT_SIZE[1])

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.kill()

    def title(self):
        return self.x.xdotool("getwindowname", self.window)

    def at(self, tx, ty):
        """Screen coordinates of a point of the table."""
        return self.client[0] + tx, self.client[1] + ty

    def table(self):
        return self.x.grab(*self.client)

    def still_table(self):
        return self.x.wait_until_still(self.client)

    def changed_table(self, before, timeout=15):
        """The table once it differs from `before` and has settled again."""
        return self.still_table() if poll(lambda: self.table() != before, timeout) else before

    def key(self, key):
        self.x.xdotool("windowfocus", "--sync", self.window)
        self.x.xdotool("key", key)

    def click(self, tx, ty):
        self.x.xdotool("mousemove", *self.at(tx, ty), "click", "1")

    def exit_by_menu(self, timeout=15):
        """File, Exit; returns the program's exit code."""
        before = self.still_table()
        self.key("alt+f")
        if self.changed_table(before) == before:
            raise AssertionError("Alt+F opened no menu")
        self.key("x")
        return self.ended(timeout)

    def ended(self, timeout=15):
        """The program's exit code once it ends; it is killed if it has not in time."""
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            self.kill()
            raise AssertionError("the program did not end")

    def kill(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()

    def settings(self):
        """The [Startup] values of the settings file, as text; none without a file."""
        conf = configparser.ConfigParser(interpolation=None)
        conf.optionxform = str  # the keys as written
        conf.read(os.path.join(self.config_home, "Marrowby", "Marrowby.conf"), encoding="utf-8")
        return dict(conf["Startup"]) if conf.has_section("Startup") else {}

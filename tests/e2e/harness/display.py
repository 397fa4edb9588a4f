"""The X display of a session and what it shows: a private Xvfb, and screenshots read pixel by pixel."""

import os
import re
import select
import subprocess
from pathlib import Path

from .process import kill_group, run
from .waiting import HarnessError

ONE_SCREEN = ["-screen", "0", "1024x768x24"]
# Xvfb puts both screens at 0,0; Xinerama joins them into one desktop that Wine splits into monitors.
TWO_SCREENS = ["-screen", "0", "1280x1024x24", "-screen", "1", "1024x768x24", "+xinerama"]


def start_xvfb(screens=1, first=91, count=100, timeout=20):
    """Starts Xvfb on the first display number from first that it can take; returns (process, ":N") once it
    accepts connections. Xvfb says so through -displayfd, or closes it and ends when another server holds the
    number: sessions started side by side never race for one."""
    for number in range(first, first + count):
        if Path(f"/tmp/.X11-unix/X{number}").exists() or Path(f"/tmp/.X{number}-lock").exists():
            continue
        read_end, write_end = os.pipe()
        geometry = ONE_SCREEN if screens == 1 else TWO_SCREENS
        process = subprocess.Popen(["Xvfb", f":{number}", "-displayfd", str(write_end), *geometry, "-nolisten", "tcp",
                                    "-noreset"], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL, pass_fds=(write_end,), start_new_session=True)
        os.close(write_end)
        answer = b""
        try:
            # The whole line: Xvfb ends when it cannot write all of it.
            while not answer.endswith(b"\n") and select.select([read_end], [], [], timeout)[0]:
                chunk = os.read(read_end, 16)
                answer += chunk
                if not chunk:
                    break
        finally:
            os.close(read_end)
        if answer.strip() == str(number).encode():
            return process, f":{number}"
        kill_group(process)
    raise HarnessError(f"Xvfb did not start on any display from :{first} to :{first + count - 1}")


class Screenshot:
    """A PNG of the whole display; its pixels are read once, on the first question."""

    def __init__(self, path):
        self.path = Path(path)
        self.size = None
        self._rgb = None

    def __fspath__(self):
        return str(self.path)

    def __str__(self):
        return str(self.path)

    def _pixels(self):
        if self._rgb is None:
            code, out, err = run(["convert", str(self.path), "-depth", "8", "ppm:-"], dict(os.environ), timeout=30)
            header = re.match(rb"P6\s(\d+)\s(\d+)\s255\s", out)  # a binary PPM
            if code != 0 or not header:
                raise HarnessError(f"cannot read the pixels of {self.path}: {err.decode(errors='replace')}")
            self.size = (int(header.group(1)), int(header.group(2)))
            self._rgb = out[header.end():]
        return self._rgb

    def pixel(self, x, y):
        """The (r, g, b) colour of one pixel."""
        rgb = self._pixels()
        offset = (y * self.size[0] + x) * 3
        return tuple(rgb[offset:offset + 3])

    def region(self, left, top, width, height):
        """The pixels of a rectangle, row by row."""
        rgb, stride = self._pixels(), self.size[0] * 3
        rows = (rgb[y * stride + left * 3:y * stride + (left + width) * 3] for y in range(top, top + height))
        return [[tuple(row[i:i + 3]) for i in range(0, width * 3, 3)] for row in rows]


def screenshot(display, path, env):
    code, _, err = run(["import", "-display", display, "-window", "root", str(path)], env, timeout=30)
    if code != 0 or not Path(path).exists():
        raise HarnessError(f"screenshot {path} failed: {err.decode(errors='replace')}")
    return Screenshot(path)

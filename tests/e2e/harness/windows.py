"""The windows of a session, found and read through tavrexauto."""

import re

from .waiting import HarnessError

_CHILD = re.compile(r'^(-?\d+) (\S+) "((?:[^"\\]|\\.)*)" (-?\d+) (-?\d+) (-?\d+) (-?\d+)$')
_ESCAPES = {"n": "\n", "r": "\r", "t": "\t"}


class WindowsMixin:
    """Needs auto() and run_windows() of ProgramsMixin."""

    # A 32-bit window takes 1.5 to 3 s to appear where 32-bit programs are emulated, 0.3 s natively; the
    # default bound leaves room for a loaded machine and costs nothing when the window comes.
    # Only a visible window is waited for: a dialog exists hidden while it initialises, before its controls
    # and texts are all there. tabs: also its tab control, for a dialog that builds a property sheet.
    def wait_window(self, class_name, title, timeout_ms=30000, tabs=False):
        condition = "tabs" if tabs else "visible"
        return self.auto("wait", class_name, title, timeout_ms, condition, timeout=timeout_ms / 1000 + 30)[0]

    def window_exists(self, class_name, title):
        """Any such window, hidden or not: the stricter answer for a window that must not be there."""
        return self.run_windows("tavrexauto.exe", "wait", class_name, title, 0)[0] == 0

    def info(self, window):
        result = dict(line.partition(" ")[::2] for line in self.auto("info", window))
        for name in ("rect", "client"):
            result[name] = tuple(int(v) for v in result[name].split())
        for name in ("style", "exstyle", "owner"):
            result[name] = int(result[name], 16)
        for name in ("visible", "topmost"):
            result[name] = result[name] == "1"
        return result

    def children(self, window):
        """Every child control as (id, class, text, rect)."""
        result = []
        for line in self.auto("children", window):
            match = _CHILD.match(line)
            if not match:
                raise HarnessError(f"unexpected children line: {line!r}")
            text = re.sub(r"\\(.)", lambda m: _ESCAPES.get(m.group(1), m.group(1)), match.group(3))
            result.append((int(match.group(1)), match.group(2), text, tuple(int(match.group(i)) for i in range(4, 8))))
        return result

    def monitors(self):
        result = []
        for line in self.auto("monitors"):
            name, left, top, right, bottom, primary = line.split()
            result.append((name, (int(left), int(top), int(right), int(bottom)), primary == "1"))
        return result

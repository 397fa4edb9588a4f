"""What the applet's e2e files share: one Wine session per file, the panel opened through our Control Panel
host cplhost.exe, and the registry and driver read back."""

import contextlib
import os
import re
import sys
import time
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import harness  # noqa: E402
from harness import DIALOG, PANEL_TITLE, PARAMETERS_KEY  # noqa: E402,F401

HOST_CLASS = "TavrexCplHost"
MOUSE_KEY = r"HKCU\Control Panel\Mouse"

STATE_REQUEST = harness.request("GET_DRIVER_STATE")
RELOAD_REQUEST = harness.request("RELOAD_SETTINGS")

IDOK = 1
IDCANCEL = 2

session = None


def start():
    """setUpModule of a file: the session its cases share."""
    global session
    session = harness.start_session()
    return session


def stop():
    if session:
        session.stop()


def applet_path():
    return session.windows_path(harness.deliverable("lintara.cpl"))


def parse_answers(text):
    """cplhost's lines as a dict of name -> value; a line may carry several name=value pairs."""
    answers = {}
    for line in text.splitlines():
        for name, value in re.findall(r"(\w+)=(\S*)", line):
            answers.setdefault(name, []).append(value)
    return answers


@contextlib.contextmanager
def serial_ports(links):
    """dosdevices/com1..com10 linked as given (port number -> target), every other one to nothing; put back after.

    Wine maps COMn through these links; without one, or with a dangling one, it falls back on /dev/ttyS(n-1),
    which this machine may have. So an absent port is a link to an empty folder, which never opens as a file.
    """
    folder = Path(session.env["WINEPREFIX"]) / "dosdevices"
    nowhere = harness.OUT / "no-port"
    nowhere.mkdir(exist_ok=True)
    saved = {}
    for n in range(1, 11):
        link = folder / f"com{n}"
        saved[n] = os.readlink(link) if link.is_symlink() else None
        link.unlink(missing_ok=True)
        link.symlink_to(links.get(n, nowhere))
    try:
        yield
    finally:
        for n, target in saved.items():
            link = folder / f"com{n}"
            link.unlink(missing_ok=True)
            if target is not None:
                link.symlink_to(target)


class PanelCase(unittest.TestCase):
    def setUp(self):
        session.ctl("state", "current")
        session.ctl("version", "current")
        session.ctl("log", "--clear")

    def tearDown(self):
        for program in session.programs:
            program.kill()
        session.programs.clear()
        session.ctl_raw("state", "current")

    def open_panel(self, runs=1, cwd=None):
        """cplhost with the .cpl, double-clicking it; returns (program, host window)."""
        program = session.launch("cplhost.exe", applet_path(), "open", runs, cwd=cwd)
        host = session.wait_window(HOST_CLASS, "*", 60000)
        return program, host

    def wait_panel(self):
        return session.wait_window(DIALOG, PANEL_TITLE, 60000, tabs=True)

    def close_panel(self, panel, program, button):
        """OK or Cancel on the panel, then the host's end."""
        session.auto("click", panel, button)
        session.auto("gone", panel, 30000)
        return self.finish(program)

    def finish(self, program, runs=1):
        self.assertEqual(program.wait(60), 0, "cplhost exit code")
        out, _ = program.output()
        answers = parse_answers(harness.gbk(out))
        self.assertEqual(answers.get("dblclk"), ["0"] * runs)
        return answers

    def requests(self):
        return [line.split()[0] for line in session.ctl("log")]

    def query(self, key, name):
        """A value as the deliverables see it: a number for REG_DWORD, the text otherwise; None when absent."""
        kind, data = session.values(key).get(name, (None, None))
        if kind is None:
            return None
        return int(data, 16) if kind == "REG_DWORD" else data.strip()

    def set_sz(self, key, name, value):
        session.reg("add", key, "/v", name, "/t", "REG_SZ", "/d", value, "/f")

    def delete_value(self, key, name):
        session.reg("delete", key, "/v", name, "/f", check=False)

    def wait_for(self, read, expected, what, timeout=20):
        """Polls read() until it answers expected: clicks are posted, so the page takes them later."""
        deadline = time.monotonic() + timeout
        while True:
            value = read()
            if value == expected or time.monotonic() > deadline:
                self.assertEqual(value, expected, what)
                return value
            time.sleep(0.2)

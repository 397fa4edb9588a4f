"""What the applet's e2e files share: the panel opened through our Control Panel host cplhost.exe, and the
registry and driver read back."""

import contextlib
import os
import re
from pathlib import Path

import harness
from harness import DIALOG, PANEL_TITLE

HOST_CLASS = "TavrexCplHost"
STATE_REQUEST = harness.request("GET_DRIVER_STATE")
RELOAD_REQUEST = harness.request("RELOAD_SETTINGS")


def applet_path(session):
    return session.windows_path(session.deliverable("lintara.cpl"))


def parse_answers(text):
    """cplhost's lines as a dict of name -> value; a line may carry several name=value pairs."""
    answers = {}
    for line in text.splitlines():
        for name, value in re.findall(r"(\w+)=(\S*)", line):
            answers.setdefault(name, []).append(value)
    return answers


def client_area(info):
    """A window's client area on the screen, from tavrexauto's info: the frame is as wide at the sides as below."""
    left, top, right, bottom = info["rect"]
    width, height = info["client"][2:]
    border = (right - left - width) // 2
    return left + border, bottom - border - height, right - border, bottom - border


@contextlib.contextmanager
def serial_ports(session, links):
    """dosdevices/com1..com10 linked as given (port number -> target), every other one to nothing; put back after.

    Wine maps COMn through these links; without one, or with a dangling one, it falls back on /dev/ttyS(n-1),
    which this machine may have. So an absent port is a link to an empty folder, which never opens as a file.
    """
    folder = Path(session.env["WINEPREFIX"]) / "dosdevices"
    nowhere = session.config.out / "no-port"
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


class PanelCase(harness.SessionCase):
    """A case on the panel, each starting from a current driver and an empty request log."""

    def setUp(self):
        for setting in (("state", "current"), ("version", "current"), ("log", "--clear")):
            self.session.ctl(*setting)

    def open_panel(self, runs=1, cwd=None):
        """cplhost with the .cpl, double-clicking it; returns (program, host window)."""
        program = self.session.launch("cplhost.exe", applet_path(self.session), "open", runs, cwd=cwd)
        return program, self.session.wait_window(HOST_CLASS, "*", 60000)

    def wait_panel(self):
        return self.session.wait_window(DIALOG, PANEL_TITLE, 60000, tabs=True)

    def close_panel(self, panel, program, button):
        """OK or Cancel on the panel, then the host's end."""
        self.session.auto("click", panel, button)
        self.session.auto("gone", panel, 30000)
        return self.finish(program)

    def finish(self, program, runs=1):
        self.assertEqual(program.wait(60), 0, "cplhost exit code")
        answers = parse_answers(harness.gbk(program.output()[0]))
        self.assertEqual(answers.get("dblclk"), ["0"] * runs)
        return answers

    def assert_visual_styles(self, window, *control_ids):
        """Each button answers BCM_GETIDEALSIZE, which only the common controls 6.0 know. cplhost has no manifest
        of its own, so they come from the applet's."""
        for control_id in control_ids:
            size = self.session.auto("idealsize", window, control_id)[0]
            self.assertNotEqual(size, "0 0", f"button {control_id} of {window}: no common controls 6.0")

    def requests(self):
        return [line.split()[0] for line in self.session.ctl("log")]

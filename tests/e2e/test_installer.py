"""The installer as an administrator deploys it, in a prefix of its own that each run makes anew (a 64-bit or,
with TAVREX_WINEARCH=win32, a 32-bit Windows): silent installs and what each exit code says (a folder it cannot
use, a file it cannot write, a move, a reinstall while the applet is open), the installed applet starting the
installed calibrator, and a quiet uninstall that returns when it is done and leaves the driver's key and the
user's mouse settings as they were."""

import filecmp
import os
import re
import shutil
import sys
import time
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import harness  # noqa: E402
from harness import PARAMETERS_KEY  # noqa: E402

SETUP = Path(os.environ.get("TAVREX_SETUP", ""))
VERSION = os.environ.get("TAVREX_VERSION", "")
TOOLS_KEY = r"HKLM\Software\Manufacturer\Tavrex"
UNINSTALL_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\TavrexTouchTools"
SESSION_MANAGER = r"HKLM\System\CurrentControlSet\Control\Session Manager"
MOUSE_KEY = r"HKCU\Control Panel\Mouse"
PRODUCT = "Tavrex 触摸屏工具"
# A Windows exit code reaches Linux in 8 bits (3010 arrives as 194, 1603 as 67); the silent log has it whole.
REBOOT_REQUIRED, INSTALL_FAILURE = 3010, 1603

session = None


def setUpModule():
    global session
    prefix = harness.BUILD / "wine-prefix"
    if prefix.exists():
        harness.run(["wineserver", "-k"], {**os.environ, "WINEPREFIX": str(prefix)}, timeout=30)
        shutil.rmtree(prefix)
    session = harness.start_session()


def tearDownModule():
    if session:
        session.stop()


class Installer(unittest.TestCase):
    def drive_c(self, windows_path):
        return Path(session.env["WINEPREFIX"], "drive_c", *windows_path[3:].split("\\"))

    def log_lines(self):
        logs = list(Path(session.env["WINEPREFIX"], "drive_c", "users").rglob("tavrex-setup.log"))
        return logs[0].read_text(encoding="utf-16").splitlines() if logs else []

    def run_logged(self, exe, *args):
        """Runs setup.exe or the uninstaller; its full exit code from the silent log, checked against Wine's."""
        before = len(self.log_lines())
        started = time.monotonic()
        code = session.run_windows(exe, *args, timeout=300)[0]
        exits = [line for line in self.log_lines()[before:] if line.startswith("  exit ")]
        harness.log(f"{Path(exe).name} {' '.join(args)} exited {exits} in {time.monotonic() - started:.1f} s")
        self.assertEqual(len(exits), 1, self.log_lines()[before:])
        full = int(exits[0].split()[1])
        self.assertEqual(code, full & 0xFF)
        return full

    def install(self, folder=None):
        # /D takes the rest of the command line unquoted, so the folder's words go as separate arguments.
        return self.run_logged(SETUP, "/S", *(f"/D={folder}".split(" ") if folder else []))

    def entry(self):
        return {name: data for name, (_, data) in session.values(UNINSTALL_KEY).items()}

    def file_path(self):
        return session.values(TOOLS_KEY).get("FilePath", (None, None))[1]

    def pending(self):
        return (session.values(SESSION_MANAGER).get("PendingFileRenameOperations", (None, ""))[1]).lower()

    def assert_installed(self, folder):
        installed, cpl = self.drive_c(folder), self.drive_c(session.system_folder() + r"\lintara.cpl")
        self.assertTrue(filecmp.cmp(installed / "brennick.exe", harness.deliverable("brennick.exe"), shallow=False))
        self.assertTrue(filecmp.cmp(cpl, harness.deliverable("lintara.cpl"), shallow=False))
        self.assertTrue((installed / "uninstall.exe").is_file())
        self.assertEqual(self.file_path(), folder)
        self.assertEqual(self.entry()["InstallLocation"], folder)

    def test_silent_installs_exit_codes_use_move_and_quiet_uninstall(self):
        self.assertTrue(SETUP.is_file(), f"no installer at {SETUP}: build the windows preset with nsis installed")
        self.assertIn(b'level="requireAdministrator"', SETUP.read_bytes(), "setup.exe asks for no administrator")
        folder = session.program_files() + r"\Tavrex Tools"
        cpl = self.drive_c(session.system_folder() + r"\lintara.cpl")
        program = session.launch(SETUP)
        first = session.wait_window(harness.DIALOG, f"{PRODUCT} 安装", 90000)
        welcome = f"此程序将安装 {PRODUCT} {VERSION}"
        deadline = time.monotonic() + 60  # the page comes a moment after its frame
        while not any(welcome in text for _, _, text, _ in session.children(first)):
            self.assertLess(time.monotonic(), deadline, session.children(first))
            time.sleep(0.5)
        session.screenshot("installer_welcome")
        program.kill()

        session.set_dword(PARAMETERS_KEY, "Xc", 2048)
        session.set_dword(PARAMETERS_KEY, "BeepMode", 2)
        session.reg("add", MOUSE_KEY, "/v", "DoubleClickSpeed", "/d", "640", "/f")
        driver_before, mouse_before = session.values(PARAMETERS_KEY), session.values(MOUSE_KEY)

        # A folder it cannot use (a file on its path) is a failure, not an install into the default folder.
        self.drive_c(r"C:\blocked").write_text("a file, not a folder")
        self.assertEqual(self.install(r"C:\blocked"), INSTALL_FAILURE)
        self.assertFalse(session.key_exists(UNINSTALL_KEY) or session.key_exists(TOOLS_KEY) or cpl.exists())
        self.assertFalse(self.drive_c(session.program_files() + r"\Tavrex").exists())

        self.assertEqual(self.install(folder), 0)
        self.assert_installed(folder)
        installed = self.drive_c(folder)
        self.assertFalse(session.wow64 and self.drive_c(r"C:\windows\system32\lintara.cpl").exists())
        self.assertEqual(session.reg("query", TOOLS_KEY, check=False, view=False)[0] == 0, not session.wow64)
        entry = self.entry()
        self.assertEqual((entry["DisplayName"], entry["DisplayVersion"], entry["Publisher"]),
                         (PRODUCT, VERSION, "Halvery"))
        self.assertEqual(entry["QuietUninstallString"], f'"{folder}\\uninstall.exe" /S _?={folder}')
        self.assertEqual((entry["NoModify"], entry["NoRepair"]), ("0x1", "0x1"))
        self.assertGreater(int(entry["EstimatedSize"], 16), 300)  # KiB of the two files and the uninstaller
        for path, description in ((installed / "brennick.exe", "Tavrex 触摸屏校准程序"),
                                  (cpl, "Tavrex 触摸屏控制面板项")):
            shown = dict(line.split(" ", 1) for line in session.auto("version", session.windows_path(path)))
            self.assertEqual(shown["translation"], "2052 936")
            self.assertEqual((shown["fileversion"], shown["FileVersion"], shown["ProductVersion"]), (VERSION,) * 3)
            self.assertEqual((shown["CompanyName"], shown["FileDescription"], shown["OriginalFilename"]),
                             ("Halvery", description, path.name))

        # A file it cannot write (a folder in its place) stops a move before anything of the install goes.
        other = r"C:\Other Tools"
        self.drive_c(other + r"\brennick.exe").mkdir(parents=True)
        self.assertEqual(self.install(other), INSTALL_FAILURE)
        self.assert_installed(folder)
        self.assertFalse(self.drive_c(other + r"\uninstall.exe").exists())

        # The installed item, as the Control Panel opens it, starts the installed calibrator.
        panel_program = session.launch(session.control_exe(), session.system_folder() + r"\lintara.cpl")
        panel = session.wait_window(harness.DIALOG, harness.PANEL_TITLE, 60000)
        session.auto("click", session.auto("page", panel, 0)[0], harness.resource_id("IDC_CALIBRATE"))
        calibrator = session.wait_window(harness.CALIBRATOR_CLASS, harness.CALIBRATOR_TITLE, 60000)
        session.auto("key", calibrator, 27, "up")
        session.auto("gone", calibrator, 30000)

        # Again without /D, while the panel holds lintara.cpl: into the remembered folder, the held file at the
        # restart, and only that waits for it.
        self.assertEqual(self.install(), REBOOT_REQUIRED)
        self.assertTrue(cpl.with_name("lintara.cpl.new").is_file())
        system = session.system_folder().lower()
        self.assertEqual(self.pending(), f"\\??\\{system}\\lintara.cpl.new\\0!\\??\\{system}\\lintara.cpl")
        session.auto("click", panel, 2)
        panel_program.wait(60)
        session.restart_wine()  # Wine carries out pending renames when it starts, as Windows does at boot
        self.assertFalse(cpl.with_name("lintara.cpl.new").exists())
        self.assert_installed(folder)

        # A move: the new install stands, the old folder keeps only the user's file, and nothing waits.
        (installed / "notes.txt").write_text("the user's")
        moved = session.program_files() + r"\Tavrex Moved"
        self.assertEqual(self.install(moved), 0)
        self.assert_installed(moved)
        self.assertEqual(sorted(p.name for p in installed.iterdir()), ["notes.txt"])
        self.assertEqual(self.pending(), "")

        # The quiet uninstall returns when it is done; only its own file outlives it, for a moment. First while
        # the panel holds lintara.cpl (3010, and that file is all that waits), then with nothing held (0).
        panel_program = session.launch(session.control_exe(), session.system_folder() + r"\lintara.cpl")
        panel = session.wait_window(harness.DIALOG, harness.PANEL_TITLE, 60000)
        for expected in (REBOOT_REQUIRED, 0):
            command = re.match(r'^"([^"]+)"\s*(.*)$', self.entry()["QuietUninstallString"])
            self.assertEqual(self.run_logged(command.group(1), *command.group(2).split()), expected)
            self.assertFalse(session.key_exists(UNINSTALL_KEY) or session.key_exists(TOOLS_KEY))
            self.assertFalse(session.key_exists(r"HKLM\Software\Manufacturer"))
            self.assertFalse(self.drive_c(moved + r"\brennick.exe").exists())
            deadline = time.monotonic() + 30
            while self.drive_c(moved).exists():
                self.assertLess(time.monotonic(), deadline, list(self.drive_c(moved).iterdir()))
                time.sleep(0.5)
            if expected:
                self.assertEqual(self.pending(), f"\\??\\{system}\\lintara.cpl\\0")  # removed, not renamed
                session.auto("click", panel, 2)
                panel_program.wait(60)
                session.restart_wine()
            self.assertFalse(cpl.exists())
            self.assertEqual(self.pending(), "")
            if expected:
                self.assertEqual(self.install(moved), 0)
        self.assertEqual(session.values(PARAMETERS_KEY), driver_before)
        self.assertEqual(session.values(MOUSE_KEY), mouse_before)


if __name__ == "__main__":
    harness.skip_if_unavailable(native_32bit=harness.WINEARCH == "win32")
    unittest.main()

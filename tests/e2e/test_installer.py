"""The installer as an administrator deploys it: silently into a fresh prefix, into a folder with blanks; the
installed applet opened by Wine's control.exe starting the installed calibrator; a reinstall while the applet
is open; a silent uninstall that leaves the driver's key and the user's mouse settings as they were."""

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
UNINSTALL_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tavrex"
SESSION_MANAGER = r"HKLM\System\CurrentControlSet\Control\Session Manager"
MOUSE_KEY = r"HKCU\Control Panel\Mouse"
FOLDER = r"C:\Program Files (x86)\Tavrex Tools"
SYSTEM_CPL = r"C:\windows\system32\lintara.cpl"  # as every 32-bit program names it
PRODUCT = "Tavrex 触摸屏工具"
# A Windows exit code reaches Linux in 8 bits: 3010, "done, a restart completes it", arrives as 194.
REBOOT_REQUIRED = 3010 & 0xFF

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
    def drive_c(self, *parts):
        return Path(session.env["WINEPREFIX"], "drive_c", *parts)

    def install(self):
        # /D takes the rest of the command line unquoted, so the folder's words go as separate arguments.
        started = time.monotonic()
        code = session.run_windows(SETUP, "/S", *f"/D={FOLDER}".split(" "), timeout=300)[0]
        harness.log(f"silent install exited {code} in {time.monotonic() - started:.1f} s")
        return code

    def query(self, key, name):
        return session.values(key).get(name, (None, None))[1]

    def test_silent_install_use_reinstall_in_use_and_uninstall(self):
        self.assertTrue(SETUP.is_file(), f"no installer at {SETUP}: build the windows preset with nsis installed")
        self.assertIn(b'level="requireAdministrator"', SETUP.read_bytes(), "setup.exe asks for no administrator")
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

        self.assertEqual(self.install(), 0)
        installed = self.drive_c("Program Files (x86)", "Tavrex Tools")
        cpl = self.drive_c("windows", "syswow64", "lintara.cpl")
        self.assertTrue(filecmp.cmp(installed / "brennick.exe", harness.deliverable("brennick.exe"), shallow=False))
        self.assertTrue(filecmp.cmp(cpl, harness.deliverable("lintara.cpl"), shallow=False))
        self.assertTrue((installed / "uninstall.exe").is_file())
        self.assertFalse(self.drive_c("windows", "system32", "lintara.cpl").exists(), "in the 64-bit system folder")
        self.assertEqual(self.query(TOOLS_KEY, "FilePath"), FOLDER)
        self.assertFalse(session.reg("query", TOOLS_KEY, check=False, view=False)[0] == 0, "in the 64-bit view")
        entry = {name: data for name, (_, data) in session.values(UNINSTALL_KEY).items()}
        self.assertEqual((entry["DisplayName"], entry["DisplayVersion"], entry["Publisher"]),
                         (PRODUCT, VERSION, "Halvery"))
        self.assertEqual(entry["UninstallString"], f'"{FOLDER}\\uninstall.exe"')
        self.assertEqual(entry["QuietUninstallString"], f'"{FOLDER}\\uninstall.exe" /S')
        self.assertEqual((entry["NoModify"], entry["NoRepair"]), ("0x1", "0x1"))
        self.assertGreater(int(entry["EstimatedSize"], 16), 300)  # KiB of the two files and the uninstaller
        for path, description in ((installed / "brennick.exe", "Tavrex 触摸屏校准程序"),
                                  (cpl, "Tavrex 触摸屏控制面板项")):
            shown = dict(line.split(" ", 1) for line in session.auto("version", session.windows_path(path)))
            self.assertEqual(shown["translation"], "2052 936")
            self.assertEqual((shown["fileversion"], shown["FileVersion"], shown["ProductVersion"]), (VERSION,) * 3)
            self.assertEqual((shown["CompanyName"], shown["FileDescription"], shown["OriginalFilename"]),
                             ("Halvery", description, path.name))

        # The installed item, as the Control Panel of 32-bit programs opens it, starts the installed calibrator.
        panel_program = session.launch(session.control_exe(), SYSTEM_CPL)
        panel = session.wait_window(harness.DIALOG, harness.PANEL_TITLE, 60000)
        session.auto("click", session.auto("page", panel, 0)[0], harness.resource_id("IDC_CALIBRATE"))
        calibrator = session.wait_window(harness.CALIBRATOR_CLASS, harness.CALIBRATOR_TITLE, 60000)
        session.auto("key", calibrator, 27, "up")
        session.auto("gone", calibrator, 30000)

        # Installing again while the panel holds lintara.cpl: replaced in place, the held file at the restart.
        self.assertEqual(self.install(), REBOOT_REQUIRED)
        self.assertTrue(cpl.with_name("lintara.cpl.new").is_file())
        pending = self.query(SESSION_MANAGER, "PendingFileRenameOperations") or ""
        self.assertIn(r"\??\C:\windows\SysWOW64\lintara.cpl.new\0!\??\C:\windows\SysWOW64\lintara.cpl", pending)
        session.auto("click", panel, 2)
        panel_program.wait(60)
        session.restart_wine()  # Wine carries out pending renames when it starts, as Windows does at boot
        self.assertFalse(cpl.with_name("lintara.cpl.new").exists())
        self.assertTrue(filecmp.cmp(cpl, harness.deliverable("lintara.cpl"), shallow=False))

        # The uninstaller runs from a copy of itself and returns at once: wait for what it leaves behind.
        command = re.match(r'^"([^"]+)"\s*(.*)$', entry["QuietUninstallString"])
        started = time.monotonic()
        self.assertEqual(session.run_windows(command.group(1), *command.group(2).split(), timeout=120)[0], 0)
        deadline = time.monotonic() + 120
        while session.key_exists(UNINSTALL_KEY) or installed.exists() or cpl.exists():
            self.assertLess(time.monotonic(), deadline, "the uninstall did not finish within 120 s")
            time.sleep(0.5)
        harness.log(f"silent uninstall done in {time.monotonic() - started:.1f} s")
        self.assertFalse(session.key_exists(TOOLS_KEY))
        self.assertFalse(session.key_exists(r"HKLM\Software\Manufacturer"))
        self.assertEqual(session.values(PARAMETERS_KEY), driver_before)
        self.assertEqual(session.values(MOUSE_KEY), mouse_before)


if __name__ == "__main__":
    harness.skip_if_unavailable()
    unittest.main()

"""The installer as an administrator deploys it, in a fresh prefix of its own each run (a 64-bit or,
with TAVREX_WINEARCH=win32, a 32-bit Windows): silent installs and what each exit code says (a folder it cannot
use, a file it cannot write, a failed upgrade, a move, a reinstall while the applet is open, the same folder
spelt otherwise, /D= as deployment tools write it), the installed applet starting the installed calibrator, a
quiet uninstall that returns when it is done and leaves the driver's key and the user's mouse settings as they
were, a restart after it, and an uninstaller left behind in an old folder."""

import filecmp
import os
import re
import shutil
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import harness  # noqa: E402
from harness import MOUSE_KEY, PARAMETERS_KEY, TOOLS_KEY  # noqa: E402

UNINSTALL_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\TavrexTouchTools"
SESSION_MANAGER = r"HKLM\System\CurrentControlSet\Control\Session Manager"
CATEGORY_KEYS = [r"HKLM\Software\Microsoft\Windows\CurrentVersion\Control Panel\Extended Properties" + key
                 for key in (r"\System.ControlPanel.Category", r"\{305CA226-D286-468e-B848-2B2E8E697B74} 2")]
PRODUCT = "Tavrex 触摸屏工具"
# A Windows exit code reaches Linux in 8 bits (3010 arrives as 194, 1603 as 67); the silent log has it whole.
REBOOT_REQUIRED, INSTALL_FAILURE = 3010, 1603


class Installer(harness.SessionCase):
    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.setup, cls.version = Path(os.environ.get("TAVREX_SETUP", "")), os.environ.get("TAVREX_VERSION", "")

    def drive_c(self, windows_path):
        return Path(self.session.env["WINEPREFIX"], "drive_c", *windows_path[3:].split("\\"))

    def log_path(self):
        return next(Path(self.session.env["WINEPREFIX"], "drive_c", "users").rglob("tavrex-setup.log"), None)

    def log_lines(self):
        return self.log_path().read_text(encoding="utf-16").splitlines() if self.log_path() else []

    def run_logged(self, exe, *args):
        """Runs setup.exe or the uninstaller; its full exit code from the silent log, checked against Wine's."""
        before = len(self.log_lines())
        started = time.monotonic()
        code = self.session.run_windows(exe, *args, timeout=300)[0]
        exits = [line for line in self.log_lines()[before:] if line.startswith("  exit ")]
        harness.log(f"{Path(exe).name} {' '.join(args)} exited {exits} in {time.monotonic() - started:.1f} s")
        self.assertEqual(len(exits), 1, self.log_lines()[before:])
        full = int(exits[0].split()[1])
        self.assertEqual(code, full & 0xFF)
        return full

    def install(self, folder=None, switch="/D="):
        # Unquoted, /D= takes the rest of the command line, so the folder's words go as separate arguments; one
        # argument with a blank reaches setup.exe quoted whole, as PowerShell 7 passes it.
        return self.run_logged(self.setup, "/S", *(f"{switch}{folder}".split(" ") if folder else []))

    def entry(self):
        return {name: data for name, (_, data) in self.session.values(UNINSTALL_KEY).items()}

    def file_path(self):
        return self.session.values(TOOLS_KEY).get("FilePath", (None, None))[1]

    def categories(self):
        """The item's Control Panel category values, in both registry views (None where one is absent)."""
        name, found = self.session.system_folder() + r"\lintara.cpl", set()
        for key in CATEGORY_KEYS:
            for view in (True, False):
                code, out = self.session.reg("query", key, "/v", name, check=False, view=view)
                found.add(out.split()[-1] if code == 0 else None)
        return found

    def pending(self):
        return (self.session.values(SESSION_MANAGER).get("PendingFileRenameOperations", (None, ""))[1]).lower()

    def set_pending(self, *strings):
        """PendingFileRenameOperations made of these strings (pairs of paths), as other programs leave it too."""
        data = ",".join(f"{byte:02x}" for byte in ("\0".join(strings) + "\0\0").encode("utf-16-le"))
        path = self.session.config.out / "pending.reg"
        path.write_text(f"Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\{SESSION_MANAGER[5:]}]\r\n"
                        f'"PendingFileRenameOperations"=hex(7):{data}\r\n', encoding="utf-16")
        self.session.import_key(path)

    def assert_installed(self, folder):
        installed, cpl = self.drive_c(folder), self.drive_c(self.session.system_folder() + r"\lintara.cpl")
        for copy, name in ((installed / "brennick.exe", "brennick.exe"), (cpl, "lintara.cpl")):
            self.assertTrue(filecmp.cmp(copy, self.session.deliverable(name), shallow=False), name)
        self.assertTrue((installed / "uninstall.exe").is_file())
        self.assertEqual(self.file_path(), folder)
        self.assertEqual(self.entry()["InstallLocation"], folder)

    def test_silent_installs_exit_codes_use_move_and_quiet_uninstall(self):
        self.assertTrue(self.setup.is_file(), f"no installer at {self.setup}: build the windows preset with nsis")
        self.assertIn(b'level="requireAdministrator"', self.setup.read_bytes(), "setup.exe asks for no administrator")
        folder = self.session.program_files() + r"\Tavrex Tools"
        cpl = self.drive_c(self.session.system_folder() + r"\lintara.cpl")
        program = self.session.launch(self.setup)
        first = self.session.wait_window(harness.DIALOG, f"{PRODUCT} 安装", 90000)
        welcome = f"此程序将安装 {PRODUCT} {self.version}"
        harness.wait_until(lambda: self.session.children(first), 60, "the welcome page",  # a moment after its frame
                           done=lambda children: any(welcome in text for _, _, text, _ in children))
        self.session.screenshot("installer_welcome")
        program.kill()

        self.session.set_dword(PARAMETERS_KEY, "Xc", 2048)
        self.session.set_dword(PARAMETERS_KEY, "BeepMode", 2)
        self.session.reg("add", MOUSE_KEY, "/v", "DoubleClickSpeed", "/d", "640", "/f")
        driver_before, mouse_before = self.session.values(PARAMETERS_KEY), self.session.values(MOUSE_KEY)

        # A folder it cannot use (a file on its path) is a failure, not an install into the default folder.
        self.drive_c(r"C:\blocked").write_text("a file, not a folder")
        self.assertEqual(self.install(r"C:\blocked"), INSTALL_FAILURE)
        self.assertEqual(self.install(r"Q:\Tavrex"), INSTALL_FAILURE)  # a drive that does not exist
        self.assertFalse(self.session.key_exists(UNINSTALL_KEY) or self.session.key_exists(TOOLS_KEY) or cpl.exists())
        self.assertFalse(self.drive_c(self.session.program_files() + r"\Tavrex").exists())

        self.assertEqual(self.install(folder), 0)
        self.assert_installed(folder)
        installed = self.drive_c(folder)
        self.assertFalse(self.session.wow64 and self.drive_c(r"C:\windows\system32\lintara.cpl").exists())
        self.assertEqual(self.session.reg("query", TOOLS_KEY, check=False, view=False)[0] == 0, not self.session.wow64)
        entry = self.entry()
        self.assertEqual((entry["DisplayName"], entry["DisplayVersion"], entry["Publisher"]),
                         (PRODUCT, self.version, "Halvery"))
        self.assertEqual(entry["QuietUninstallString"], f'"{folder}\\uninstall.exe" /S _?={folder}')
        self.assertEqual((entry["NoModify"], entry["NoRepair"]), ("0x1", "0x1"))
        self.assertGreater(int(entry["EstimatedSize"], 16), 300)  # KiB of the two files and the uninstaller
        for path, description in ((installed / "brennick.exe", "Tavrex 触摸屏校准程序"),
                                  (cpl, "Tavrex 触摸屏控制面板项")):
            shown = dict(line.split(" ", 1) for line in self.session.auto("version", self.session.windows_path(path)))
            self.assertEqual(shown["translation"], "2052 936")
            self.assertEqual((shown["fileversion"], shown["FileVersion"], shown["ProductVersion"]),
                             (self.version,) * 3)
            self.assertEqual((shown["CompanyName"], shown["FileDescription"], shown["OriginalFilename"]),
                             ("Halvery", description, path.name))
        self.assertEqual(self.categories(), {"0x2"})

        # The same folder spelt otherwise is the install's own: replaced in place, and remembered as it is.
        self.assertEqual(self.install(folder + "\\."), 0)
        self.assert_installed(folder)
        # Quotes inside the folder: refused, not an install elsewhere.
        self.assertEqual(self.run_logged(self.setup, "/S", '/D="C:\\Quoted', 'Place"'), INSTALL_FAILURE)
        self.assertFalse(self.drive_c(r"C:\Quoted Place").exists())

        # A file it cannot write (a folder in its place) stops a move before anything of the install goes (/d= too).
        other = r"C:\Other Tools"
        self.drive_c(other + r"\brennick.exe").mkdir(parents=True)
        self.assertEqual(self.install(other, switch="/d="), INSTALL_FAILURE)
        self.assert_installed(folder)
        self.assertFalse(self.drive_c(other + r"\uninstall.exe").exists())
        earlier = {}  # the earlier install, told apart from the new one by a byte more
        for path in (installed / "brennick.exe", cpl):
            earlier[path] = path.read_bytes() + b"\0"
            path.write_bytes(earlier[path])

        # The installed item, as the Control Panel opens it, starts the installed calibrator.
        panel_program = self.session.launch(self.session.control_exe(), self.session.system_folder() + r"\lintara.cpl")
        panel = self.session.wait_window(harness.DIALOG, harness.PANEL_TITLE, 60000)
        self.session.auto("click", self.session.auto("page", panel, 0)[0], harness.resource_id("IDC_CALIBRATE"))
        calibrator = self.session.wait_window(harness.CALIBRATOR_CLASS, harness.CALIBRATOR_TITLE, 60000)
        self.session.auto("key", calibrator, 27, "up")
        self.session.auto("gone", calibrator, 30000)

        # An upgrade that fails after it has replaced brennick.exe and queued lintara.cpl (held by the panel) for
        # the restart: the earlier files are back byte for byte, and nothing waits for the restart.
        (installed / "uninstall.exe").unlink()
        (installed / "uninstall.exe").mkdir()
        self.assertEqual(self.install(), INSTALL_FAILURE)
        self.assertEqual([path.name for path, data in earlier.items() if path.read_bytes() != data], [])
        self.assertEqual((self.pending(), cpl.with_name("lintara.cpl.new").exists()), ("", False))
        (installed / "uninstall.exe").rmdir()

        # Again without /D, while the panel holds lintara.cpl: into the remembered folder, the held file at the
        # restart, and only that waits for it.
        self.assertEqual(self.install(), REBOOT_REQUIRED)
        self.assertTrue(cpl.with_name("lintara.cpl.new").is_file())
        system = self.session.system_folder().lower()
        self.assertEqual(self.pending(), f"\\??\\{system}\\lintara.cpl.new\\0!\\??\\{system}\\lintara.cpl")
        self.session.auto("click", panel, 2)
        panel_program.wait(60)
        self.session.restart_wine()  # Wine carries out pending renames when it starts, as Windows does at boot
        self.assertFalse(cpl.with_name("lintara.cpl.new").exists())
        self.assert_installed(folder)

        # A move: the new install stands, the old folder keeps only the user's file, and nothing waits.
        (installed / "notes.txt").write_text("the user's")
        moved = self.session.program_files() + r"\Tavrex Moved"
        self.assertEqual(self.run_logged(self.setup, "/S", f"/D={moved}"), 0)  # quoted whole
        self.assert_installed(moved)
        self.assertEqual(sorted(p.name for p in installed.iterdir()), ["notes.txt"])
        self.assertEqual(self.pending(), "")

        # An uninstaller left in the old folder takes that folder's files of ours, not the current install.
        for name in ("brennick.exe", "uninstall.exe"):
            shutil.copy(self.drive_c(moved) / name, installed / name)
        self.assertEqual(self.run_logged(folder + r"\uninstall.exe", "/S", *f"_?={folder}".split(" ")), 0)
        harness.wait_until(lambda: sorted(p.name for p in installed.iterdir()), 30, "the old folder's files gone",
                           expected=["notes.txt"])
        self.assert_installed(moved)

        # The quiet uninstall returns when it is done; only its own file outlives it, for a moment. First while
        # the panel holds lintara.cpl (3010, and that file is all that waits), then with nothing held (0).
        panel_program = self.session.launch(self.session.control_exe(), self.session.system_folder() + r"\lintara.cpl")
        panel = self.session.wait_window(harness.DIALOG, harness.PANEL_TITLE, 60000)
        for expected in (REBOOT_REQUIRED, 0):
            command = re.match(r'^"([^"]+)"\s*(.*)$', self.entry()["QuietUninstallString"])
            if not expected:  # first with a file of ours it cannot remove: 1603, and a second run finishes the job
                blocker = self.drive_c(moved + r"\brennick.exe")
                blocker.unlink()
                blocker.mkdir()
                self.assertEqual(self.run_logged(command.group(1), *command.group(2).split()), INSTALL_FAILURE)
                self.assertTrue(self.session.key_exists(UNINSTALL_KEY) and self.drive_c(command.group(1)).is_file())
                blocker.rmdir()
            self.assertEqual(self.run_logged(command.group(1), *command.group(2).split()), expected)
            self.assertFalse(self.session.key_exists(UNINSTALL_KEY) or self.session.key_exists(TOOLS_KEY))
            self.assertFalse(self.session.key_exists(r"HKLM\Software\Manufacturer"))
            self.assertFalse(self.drive_c(moved + r"\brennick.exe").exists())
            harness.wait_until(lambda: self.drive_c(moved).exists() and list(self.drive_c(moved).iterdir()), 30,
                               "the installed folder gone", done=lambda left: left is False)
            if expected:
                self.assertEqual(self.pending(), f"\\??\\{system}\\lintara.cpl\\0")  # removed, not renamed
                self.session.auto("click", panel, 2)
                panel_program.wait(60)
                # Installed again before the restart, with another program's rename waiting too: only the
                # removal of what it installs is taken back, and the restart leaves the new install whole.
                theirs = ["\\??\\C:\\theirs.new", "!\\??\\C:\\theirs.txt"]
                self.set_pending(*theirs, f"\\??\\{system}\\lintara.cpl", "")
                self.assertEqual(self.install(moved), 0)
                self.assertEqual(self.pending(), "\\0".join(theirs).lower())
                self.session.restart_wine()
                self.assert_installed(moved)
        self.assertFalse(cpl.exists())
        self.assertEqual((self.pending(), self.categories()), ("", {None}))
        # A log with a second name (a link to a file of a user's choosing) is not written.
        chosen = self.log_path().with_name("chosen.txt")
        chosen.write_bytes(b"theirs")
        self.log_path().unlink()
        os.link(chosen, chosen.with_name("tavrex-setup.log"))
        self.assertEqual(self.session.run_windows(self.setup, "/S", r"/D=C:\blocked", timeout=300)[0],
                         INSTALL_FAILURE & 0xFF)
        self.assertEqual(chosen.read_bytes(), b"theirs")
        self.assertEqual(self.session.values(PARAMETERS_KEY), driver_before)
        self.assertEqual(self.session.values(MOUSE_KEY), mouse_before)


if __name__ == "__main__":
    harness.main(native_32bit=harness.Config.from_env("installer").winearch == "win32")

"""Runs the Windows binaries under Wine on Xvfb against the stand-in driver, for the e2e tests.

One Session per test file: it starts Xvfb and a persistent wineserver, prepares the prefix through
scripts/wine_prefix.sh, and stops everything in stop() however the tests ended. Every child runs in its
own process group and every wait has a timeout, so a hung Windows program fails a test instead of the run.
"""

import errno
import os
import re
import shutil
import signal
import subprocess
import sys
import time
from pathlib import Path

REPO = Path(__file__).resolve().parents[2]
BUILD = Path(os.environ.get("TAVREX_BUILD_DIR", REPO / "build" / "windows"))
BIN = Path(os.environ.get("TAVREX_BIN_DIR", BUILD / "bin"))
OUT = BUILD / "e2e"
SKIP_EXIT = 77  # ctest's SKIP_RETURN_CODE for these tests

SERVICE_KEY = r"HKLM\System\CurrentControlSet\Services\Tavrex"
PARAMETERS_KEY = SERVICE_KEY + r"\Parameters"

ONE_SCREEN = ["-screen", "0", "1024x768x24"]
# Xvfb puts both screens at 0,0; Xinerama joins them into one desktop that Wine can split into monitors.
TWO_SCREENS = ["-screen", "0", "1280x1024x24", "-screen", "1", "1024x768x24", "+xinerama"]


class HarnessError(RuntimeError):
    pass


def log(message):
    print(f"[e2e {time.strftime('%H:%M:%S')}] {message}", file=sys.stderr, flush=True)


def gbk(data):
    """Output of a Windows console program as text: code page 936, CR LF or LF line ends."""
    return data.decode("gbk", errors="strict").replace("\r\n", "\n")


def kill_group(process, grace=2.0):
    if process is None or process.poll() is not None:
        return
    for sig in (signal.SIGTERM, signal.SIGKILL):
        try:
            os.killpg(process.pid, sig)
        except ProcessLookupError:
            return
        try:
            process.wait(timeout=grace)
            return
        except subprocess.TimeoutExpired:
            continue


def run(argv, env, timeout, stdin=subprocess.DEVNULL, capture=True):
    """Runs argv in its own process group; returns (exit code, stdout bytes, stderr bytes)."""
    process = subprocess.Popen(argv, env=env, stdin=stdin,
                               stdout=subprocess.PIPE if capture else subprocess.DEVNULL,
                               stderr=subprocess.PIPE if capture else subprocess.DEVNULL,
                               start_new_session=True)
    try:
        out, err = process.communicate(timeout=timeout)
    except subprocess.TimeoutExpired:
        kill_group(process)
        try:
            process.communicate(timeout=5)
        except subprocess.TimeoutExpired:
            pass  # a Wine background process may still hold the pipes; they close with the session
        raise HarnessError(f"{' '.join(map(str, argv))} did not end within {timeout} s")
    return process.returncode, out or b"", err or b""


def _executes(loader):
    try:
        subprocess.run([str(loader), "--version"], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=30)
    except OSError as error:
        return error.errno != errno.ENOEXEC
    except subprocess.TimeoutExpired:
        return True
    return True


def unavailable_reason():
    """Why this machine cannot run the e2e tests at all, or None.

    Only a machine that can execute neither Wine loader counts; a missing package is a set-up fault and
    fails instead. Without 32-bit user mode the 64-bit build runs under 64-bit Wine (see wine_env.sh).
    """
    if os.environ.get("TAVREX_WINE"):
        return None
    loaders = [Path("/usr/lib/wine/wine"), Path("/usr/lib/wine/wine64")]
    present = [loader for loader in loaders if loader.exists()]
    if present and not any(_executes(loader) for loader in present):
        return "this machine can execute neither Wine loader (ENOEXEC)"
    return None


def skip_if_unavailable():
    reason = unavailable_reason()
    if reason:
        print(f"SKIPPED: {reason}", flush=True)
        sys.exit(SKIP_EXIT)


class Program:
    """A Windows program started under Wine and left running; wait() gives its exit code."""

    def __init__(self, process, name):
        self.process = process
        self.name = name
        self.started = time.monotonic()

    def wait(self, timeout):
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise HarnessError(f"{self.name} still runs after {timeout} s") from None

    def running(self):
        return self.process.poll() is None

    def kill(self):
        kill_group(self.process)
        for stream in (self.process.stdout, self.process.stderr):
            if stream:
                stream.close()

    def output(self):
        """stdout and stderr, once the program has ended."""
        out, err = self.process.communicate(timeout=10)
        return out or b"", err or b""


class Session:
    def __init__(self, screens=1):
        self.screens = screens
        self.xvfb = None
        self.display = None
        self.env = None
        self.programs = []
        self.wine = os.environ.get("TAVREX_WINE", "wine")
        self.wineserver = os.environ.get("TAVREX_WINESERVER", "wineserver")

    # ---- life cycle -------------------------------------------------------------------------

    def start(self):
        global BIN
        OUT.mkdir(parents=True, exist_ok=True)
        self.env = self._environment()
        # wine_env.sh picks the flavour this machine can run: the 32-bit binaries under 32-bit Wine, or
        # the same sources built for x86-64 under 64-bit Wine where 32-bit programs cannot execute.
        if "TAVREX_BIN_DIR" not in os.environ and self.env.get("TAVREX_BIN"):
            BIN = Path(self.env["TAVREX_BIN"])
        if "TAVREX_WINE" not in os.environ and self.env.get("WINE"):
            self.wine = self.env["WINE"]
        log(f"running {BIN} under {self.wine} ({self.env.get('WINEARCH', '?')})")
        for tool in ("Xvfb", "import", "convert", self.wine, self.wineserver):
            if not shutil.which(tool):
                raise HarnessError(f"{tool} is missing: run scripts/setup.sh")
        for exe in ("brennick.exe", "tavrexauto.exe", "tavrexctl.exe"):
            if not (BIN / exe).exists():
                raise HarnessError(f"{BIN / exe} is missing: build the windows (or windows64) preset first")
        self._start_xvfb()
        self._prepare_prefix()
        self._start_wine()

    def stop(self):
        for program in self.programs:
            program.kill()
        self.programs.clear()
        if self.env is not None:
            try:
                if self.screens == 2 and self.display:
                    # The prefix goes back to the one virtual desktop that every other test expects.
                    self._reg(["add", r"HKCU\Software\Wine\Explorer", "/v", "Desktop", "/d", "Default", "/f"])
                    self._reg(["delete", r"HKCU\Software\Wine\X11 Driver", "/v", "Managed", "/f"], check=False)
                    self._reg(["delete", r"HKCU\Software\Wine\X11 Driver", "/v", "UseXRandR", "/f"], check=False)
                    self.set_dword(PARAMETERS_KEY, "ScreenPost", 16)
                run([self.wineserver, "-k"], self.env, timeout=20)
            except HarnessError as error:
                log(f"stop: {error}")
        kill_group(self.xvfb)
        self.xvfb = None

    def _environment(self):
        env = dict(os.environ)
        env.update({
            "LANG": "zh_CN.UTF-8", "LC_ALL": "zh_CN.UTF-8",
            "WINEDEBUG": "-all,err+module",
            "WINEPREFIX": str(BUILD / "wine-prefix"),
            "WINEDLLOVERRIDES": "winemenubuilder.exe=d;mscoree,mshtml=",
        })
        # scripts/wine_env.sh is where the project keeps what every Wine command needs; its variables win.
        script = REPO / "scripts" / "wine_env.sh"
        if script.exists():
            code, out, err = run(["bash", "-c", 'set -a; source "$1" >/dev/null 2>&1; env -0', "_", str(script)],
                                 env, timeout=30)
            if code != 0:
                raise HarnessError(f"sourcing {script} failed: {gbk(err)}")
            for entry in out.split(b"\0"):
                if b"=" in entry:
                    name, value = entry.split(b"=", 1)
                    env[name.decode()] = value.decode(errors="replace")
        env.pop("DISPLAY", None)
        return env

    def _start_xvfb(self):
        for number in range(91, 140):
            if Path(f"/tmp/.X11-unix/X{number}").exists() or Path(f"/tmp/.X{number}-lock").exists():
                continue
            geometry = ONE_SCREEN if self.screens == 1 else TWO_SCREENS
            self.xvfb = subprocess.Popen(["Xvfb", f":{number}", *geometry, "-nolisten", "tcp", "-noreset"],
                                         stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                         stderr=subprocess.DEVNULL, start_new_session=True)
            deadline = time.monotonic() + 10
            while time.monotonic() < deadline:
                if Path(f"/tmp/.X11-unix/X{number}").exists():
                    self.display = f":{number}"
                    self.env["DISPLAY"] = self.display
                    self.env["TAVREX_DISPLAY"] = self.display  # wine_prefix.sh then uses this server
                    log(f"Xvfb {self.display} with {self.screens} screen(s)")
                    return
                if self.xvfb.poll() is not None:
                    break
                time.sleep(0.05)
            kill_group(self.xvfb)
        raise HarnessError("Xvfb did not start")

    def _prepare_prefix(self):
        script = REPO / "scripts" / "wine_prefix.sh"
        if not script.exists():
            raise HarnessError(f"{script} is missing")
        started = time.monotonic()
        code, out, err = run(["bash", str(script)], self.env, timeout=300)
        if code != 0:
            raise HarnessError(f"wine_prefix.sh exited {code}:\n{gbk(out)}{gbk(err)}")
        log(f"prefix ready in {time.monotonic() - started:.1f} s")
        # wine_prefix.sh may leave its own session running; the tests start from a session of their own.
        run([self.wineserver, "-k"], self.env, timeout=30)
        run([self.wineserver, "-w"], self.env, timeout=30)
        if self.screens == 2:
            # Two monitors show only without a virtual desktop, unmanaged, with Xinerama instead of XRandR.
            self._reg(["delete", r"HKCU\Software\Wine\Explorer", "/v", "Desktop", "/f"], check=False)
            self._reg(["add", r"HKCU\Software\Wine\X11 Driver", "/v", "Managed", "/d", "N", "/f"])
            self._reg(["add", r"HKCU\Software\Wine\X11 Driver", "/v", "UseXRandR", "/d", "N", "/f"])
            run([self.wineserver, "-k"], self.env, timeout=30)
            run([self.wineserver, "-w"], self.env, timeout=30)

    def _start_wine(self, driver=True):
        # A persistent server keeps the driver loaded between the programs a test runs.
        # The server goes to the background holding whatever output it was given: give it none.
        run([self.wineserver, "-p"], self.env, timeout=30, capture=False)
        # The first command of a session hands its stdio to Wine's background processes: give it none.
        run([self.wine, "cmd", "/c", "ver"], self.env, timeout=120, capture=False)
        # The first window-station user of a session starts the desktop process, which keeps its stdio.
        # Start it here, with nothing to hold, rather than from a program whose pipes a test reads (two
        # programs racing to start it can also leave both waiting).
        run([self.wine, str(BIN / "tavrexauto.exe"), "zorder"], self.env, timeout=120, capture=False)
        if driver:
            self.start_driver()

    def restart_wine(self, driver=True):
        """A fresh Wine session: the driver reads Parameters again when it loads."""
        for program in self.programs:
            program.kill()
        self.programs.clear()
        run([self.wineserver, "-k"], self.env, timeout=30)
        run([self.wineserver, "-w"], self.env, timeout=30)
        self._start_wine(driver)

    def start_driver(self):
        self.run_windows("net", "start", "Tavrex", timeout=60)  # "already running" is fine
        deadline = time.monotonic() + 15
        while time.monotonic() < deadline:
            code, _, _ = self.ctl_raw("log", "--clear")
            if code == 0:
                return
            time.sleep(0.2)
        raise HarnessError("the stand-in driver did not come up: \\\\.\\tavrex does not open")

    def device_opens(self):
        code, _, _ = self.ctl_raw("log")
        return code == 0

    # ---- running programs ---------------------------------------------------------------------

    def run_windows(self, exe, *args, timeout=60):
        """Runs a Windows program to its end; returns (exit code, stdout text, stderr text)."""
        code, out, err = run([self.wine, str(exe), *map(str, args)], self.env, timeout=timeout)
        return code, gbk(out), err.decode("utf-8", errors="replace")

    def launch(self, exe, *args):
        """Starts a Windows program and leaves it running."""
        # Our binaries by name; anything else ("C:\\windows\\notepad.exe") as Wine finds it.
        path = BIN / exe if (BIN / exe).exists() else exe
        process = subprocess.Popen([self.wine, str(path), *map(str, args)], env=self.env,
                                   stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                                   start_new_session=True)
        program = Program(process, Path(exe).name)
        self.programs.append(program)
        return program

    def auto_raw(self, *args, timeout=60):
        code, out, err = run([self.wine, str(BIN / "tavrexauto.exe"), *map(str, args)], self.env, timeout=timeout)
        return code, gbk(out), gbk(err)

    def auto(self, *args, timeout=60):
        """tavrexauto's answer as lines; a failure of the tool fails the test with its message."""
        code, out, err = self.auto_raw(*args, timeout=timeout)
        if code != 0:
            raise HarnessError(f"tavrexauto {' '.join(map(str, args))} exited {code}: {err.strip()}")
        return out.splitlines()

    def ctl_raw(self, *args, timeout=60):
        code, out, err = run([self.wine, str(BIN / "tavrexctl.exe"), *map(str, args)], self.env, timeout=timeout)
        return code, gbk(out), gbk(err)

    def ctl(self, *args, timeout=60):
        code, out, err = self.ctl_raw(*args, timeout=timeout)
        if code != 0:
            raise HarnessError(f"tavrexctl {' '.join(map(str, args))} exited {code}: {err.strip()}")
        return out.splitlines()

    # ---- windows, read through tavrexauto -----------------------------------------------------

    def wait_window(self, class_name, title, timeout_ms=10000):
        return self.auto("wait", class_name, title, timeout_ms, timeout=timeout_ms / 1000 + 30)[0]

    def window_exists(self, class_name, title):
        code, _, _ = self.auto_raw("wait", class_name, title, 0)
        return code == 0

    def info(self, window):
        result = {}
        for line in self.auto("info", window):
            name, _, value = line.partition(" ")
            result[name] = value
        for name in ("rect", "client"):
            result[name] = tuple(int(v) for v in result[name].split())
        for name in ("style", "exstyle", "owner"):
            result[name] = int(result[name], 16)
        for name in ("visible", "topmost"):
            result[name] = result[name] == "1"
        return result

    _CHILD = re.compile(r'^(-?\d+) (\S+) "((?:[^"\\]|\\.)*)" (-?\d+) (-?\d+) (-?\d+) (-?\d+)$')

    def children(self, window):
        """Every child control as (id, class, text, rect)."""
        result = []
        for line in self.auto("children", window):
            match = self._CHILD.match(line)
            if not match:
                raise HarnessError(f"unexpected children line: {line!r}")
            text = re.sub(r"\\(.)", lambda m: {"n": "\n", "r": "\r", "t": "\t"}.get(m.group(1), m.group(1)),
                          match.group(3))
            result.append((int(match.group(1)), match.group(2), text, tuple(int(match.group(i)) for i in range(4, 8))))
        return result

    def monitors(self):
        result = []
        for line in self.auto("monitors"):
            name, left, top, right, bottom, primary = line.split()
            result.append((name, (int(left), int(top), int(right), int(bottom)), primary == "1"))
        return result

    # ---- registry -----------------------------------------------------------------------------

    def _reg(self, args, check=True):
        code, out, err = self.run_windows("reg", *args, timeout=60)
        if check and code != 0:
            raise HarnessError(f"reg {' '.join(args)} exited {code}: {out}{err}")
        return code

    def set_dword(self, key, name, value):
        self._reg(["add", key, "/v", name, "/t", "REG_DWORD", "/d", str(value), "/f"])

    def key_exists(self, key):
        return self._reg(["query", key], check=False) == 0

    def export_key(self, key, name):
        path = OUT / name
        path.unlink(missing_ok=True)
        self._reg(["export", key, self.windows_path(path)])
        return path

    def import_key(self, path):
        self._reg(["import", self.windows_path(path)])

    def delete_key(self, key):
        self._reg(["delete", key, "/f"])

    @staticmethod
    def windows_path(path):
        return "Z:" + str(Path(path).resolve()).replace("/", "\\")

    # ---- the screen ---------------------------------------------------------------------------

    def screenshot(self, name):
        path = OUT / f"{name}.png"
        code, _, err = run(["import", "-display", self.display, "-window", "root", str(path)], self.env, timeout=30)
        if code != 0 or not path.exists():
            raise HarnessError(f"screenshot {name} failed: {err.decode(errors='replace')}")
        return path


def start_session(screens=1):
    """A started Session; whatever a failed start left running is stopped."""
    session = Session(screens=screens)
    try:
        session.start()
    except BaseException:
        session.stop()
        raise
    return session


def pixel(path, x, y):
    """The (r, g, b) colour of one pixel of an image."""
    code, out, err = run(["convert", str(path), "-crop", f"1x1+{x}+{y}", "-depth", "8", "txt:-"],
                         dict(os.environ), timeout=30)
    match = re.search(rb"#([0-9A-Fa-f]{6})", out)
    if code != 0 or not match:
        raise HarnessError(f"no pixel {x},{y} in {path}: {err.decode(errors='replace')}")
    value = int(match.group(1), 16)
    return (value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF

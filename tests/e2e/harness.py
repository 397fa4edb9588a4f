"""Runs the Windows binaries under Wine on Xvfb against the stand-in driver, for the e2e tests.

One Session per test file: it starts Xvfb and a persistent wineserver, prepares the prefix through
scripts/wine_prefix.sh, and stops everything in stop() however the tests ended. Every child runs in its
own process group and every wait has a timeout, so a hung Windows program fails a test instead of the run.

Two builds meet in one win64 prefix: the deliverables of the build folder under test (TAVREX_BUILD_DIR:
build/windows for the shipped i686 files, build/windows64 for their x86-64 stand-ins) and the stand-in driver
and test tools from the x86-64 build (TAVREX_TOOLS_DIR), which run natively where 32-bit programs are
emulated. Tests name them through deliverable() and tool().
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
TOOLS_BIN = Path(os.environ.get("TAVREX_TOOLS_DIR", REPO / "build" / "windows64" / "bin"))
# win64 (the 32-bit side runs the i686 files) or win32 (a 32-bit Windows: everything i686, the tools too).
WINEARCH = os.environ.get("TAVREX_WINEARCH", "win64")
TOOLS_MACHINE = "i686" if WINEARCH == "win32" else "x86-64"
OUT = BUILD / "e2e"
SKIP_EXIT = 77  # ctest's SKIP_RETURN_CODE for these tests

# The stand-in driver and the programs that steer and read it; everything else is a deliverable.
TOOLS = ("tavrex.sys", "tavrexctl.exe", "tavrexauto.exe")

SERVICE_KEY = r"HKLM\System\CurrentControlSet\Services\Tavrex"
PARAMETERS_KEY = SERVICE_KEY + r"\Parameters"

ONE_SCREEN = ["-screen", "0", "1024x768x24"]
# Xvfb puts both screens at 0,0; Xinerama joins them into one desktop that Wine can split into monitors.
TWO_SCREENS = ["-screen", "0", "1280x1024x24", "-screen", "1", "1024x768x24", "+xinerama"]


class HarnessError(RuntimeError):
    pass


def log(message):
    print(f"[e2e {time.strftime('%H:%M:%S')}] {message}", file=sys.stderr, flush=True)


def _numbers(relative, pattern):
    """The numbers a header of the repository defines, by name: pattern finds (name, number) pairs."""
    header = REPO / relative
    found = re.findall(pattern, header.read_text(encoding="utf-8"), re.MULTILINE)
    if not found:
        raise RuntimeError(f"no numbers in {header}")
    return {name: int(value, 0) for name, value in found}


# The one copy of the request codes on this side, e.g. REQUESTS["SET_CALIBRATION"] == 0x000F2600.
REQUESTS = _numbers("driver/requests.h", r"\bREQ_(\w+)\s*=\s*(0x[0-9A-Fa-f]+)u?\s*;")
# And of lintara.cpl's resource and control ids, e.g. RESOURCE_IDS["IDC_CALIBRATE"] == 4002.
RESOURCE_IDS = _numbers("panel/resource_ids.h", r"^#define (\w+) (\d+)$")


def request(name):
    """A request code as "tavrexctl log" prints it: request("ARM_SAMPLE") == "0x000F2410"."""
    return f"0x{REQUESTS[name]:08X}"


def resource_id(name):
    """An id of lintara.cpl's resources and controls: resource_id("IDC_PORT_LIST") == 4010."""
    return RESOURCE_IDS[name]


# What the deliverables show, as the user sees it.
DIALOG = "#32770"  # dialogs and message boxes
CALIBRATOR_CLASS = "TAVREXCALIBA"
CALIBRATOR_TITLE = "TAVREX CALIBRAY"
CONFIRM_CAPTION = " 校准确认"
PANEL_TITLE = "Halvery控制面板"
TABS = ["校准", "响声设定", "鼠标模式", "串口选择", "屏幕安装位置", "关于"]  # from left to right
# The calibration screen's background, a target's centre, ticks and outer disc, its instruction line; the logo.
SKY = (166, 202, 240)
YELLOW = (255, 255, 0)
ORANGE = (255, 96, 0)
WHITE = (255, 255, 255)
TEXT = (32, 32, 255)
LOGO_INK = (0, 64, 160)


def deliverable(name):
    """A shipped file of the build under test: brennick.exe, lintara.cpl, cplhost.exe."""
    return BIN / name


def tool(name):
    """A test tool or the stand-in driver: tavrexctl.exe, tavrexauto.exe, tavrex.sys (always x86-64)."""
    return TOOLS_BIN / name


_PE_MACHINES = {0x014C: "i686", 0x8664: "x86-64"}


def pe_machine(path):
    """The processor a Windows executable or DLL is built for: "i686", "x86-64" or None."""
    try:
        with open(path, "rb") as image:
            header = image.read(4096)
    except OSError:
        return None
    if header[:2] != b"MZ" or len(header) < 0x40:
        return None
    offset = int.from_bytes(header[0x3C:0x40], "little")
    if header[offset:offset + 4] != b"PE\0\0":
        return None
    return _PE_MACHINES.get(int.from_bytes(header[offset + 4:offset + 6], "little"))


def start_xvfb(screens=1, first=91, count=49):
    """Starts Xvfb on the first free display number from first; returns (process, ":N").

    The only Xvfb starter of the e2e tests and the demo. Both screens of a two-screen display sit at 0,0;
    Xinerama joins them into one desktop that Wine splits into monitors.
    """
    geometry = ONE_SCREEN if screens == 1 else TWO_SCREENS
    for number in range(first, first + count):
        if Path(f"/tmp/.X11-unix/X{number}").exists() or Path(f"/tmp/.X{number}-lock").exists():
            continue
        process = subprocess.Popen(["Xvfb", f":{number}", *geometry, "-nolisten", "tcp", "-noreset"],
                                   stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL, start_new_session=True)
        deadline = time.monotonic() + 10
        while time.monotonic() < deadline and process.poll() is None:
            if Path(f"/tmp/.X11-unix/X{number}").exists():
                return process, f":{number}"
            time.sleep(0.05)
        kill_group(process)  # lost a race for this number, or did not start: try the next
    raise HarnessError(f"Xvfb did not start on any display from :{first} to :{first + count - 1}")


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
    fails instead, and so do i686 deliverables where 32-bit programs cannot run (Session.start says so).
    """
    if os.environ.get("TAVREX_WINE"):
        return None
    loaders = [Path("/usr/lib/wine/wine"), Path("/usr/lib/wine/wine64")]
    present = [loader for loader in loaders if loader.exists()]
    if present and not any(_executes(loader) for loader in present):
        return "this machine can execute neither Wine loader (ENOEXEC)"
    return None


def skip_if_unavailable(native_32bit=False):
    """native_32bit: also skip where 32-bit programs do not run natively (a fully emulated win32 prefix takes
    minutes to make, and its win64 counterpart already runs the same files)."""
    reason = unavailable_reason()
    if not reason and native_32bit:
        mode = Session()._environment()["TAVREX_32BIT"]
        reason = None if mode == "native" else f"32-bit programs do not run natively here ({mode})"
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
        self.wine = os.environ.get("TAVREX_WINE")
        self.wineserver = os.environ.get("TAVREX_WINESERVER", "wineserver")
        self.machine = None  # "i686" or "x86-64": what the deliverables are built for
        self.thirty_two_bit = None  # how 32-bit programs run here: "native", "emulated" or "none"
        self.thirty_two_bit_text = None  # the same in words

    # ---- life cycle -------------------------------------------------------------------------

    def start(self):
        OUT.mkdir(parents=True, exist_ok=True)
        self.env = self._environment()
        self.wine = self.wine or self.env["WINE"]
        self.thirty_two_bit = self.env["TAVREX_32BIT"]
        self.thirty_two_bit_text = self.env["TAVREX_32BIT_TEXT"]
        self.machine = pe_machine(deliverable("brennick.exe"))
        log(f"deliverables: {self.machine or '?'} from {BIN}; driver and test tools: {TOOLS_MACHINE} from "
            f"{TOOLS_BIN}; a {WINEARCH} prefix; {self.thirty_two_bit_text}")
        for program in ("Xvfb", "import", "convert", self.wine, self.wineserver):
            if not shutil.which(program):
                raise HarnessError(f"{program} is missing: run scripts/setup.sh")
        if not deliverable("brennick.exe").exists():
            raise HarnessError(f"{deliverable('brennick.exe')} is missing: build the preset of {BUILD.name} first")
        for name in TOOLS:
            if pe_machine(tool(name)) != TOOLS_MACHINE:
                raise HarnessError(f"{tool(name)} is missing or not {TOOLS_MACHINE}: in a {WINEARCH} prefix the "
                                   f"driver and the test tools come from the {TOOLS_MACHINE} build")
        if self.machine == "i686" and self.thirty_two_bit == "none":
            raise HarnessError("the i686 deliverables cannot run: this machine runs no 32-bit programs. "
                               "scripts/setup.sh makes them run emulated; without that only the x86-64 "
                               "stand-ins can be tested (ctest --preset windows64)")
        self._start_xvfb()
        self._prepare_prefix()
        self._start_wine()

    @property
    def registry_view(self):
        """The reg.exe switch that shows the registry as the deliverables see it (32-bit ones: Wow6432Node)."""
        return ["/reg:32"] if self.wow64 else []

    @property
    def wow64(self):
        """Whether the deliverables run as 32-bit programs on 64-bit Windows (their own folders and views)."""
        return self.machine == "i686" and WINEARCH == "win64"

    def control_exe(self):
        """Wine's Control Panel host of the deliverables' bitness, as a Windows path."""
        return f"{self.system_folder()}\\control.exe"

    def system_folder(self):
        """The system folder the deliverables see, by the name every process gives it."""
        return "C:\\windows\\syswow64" if self.wow64 else "C:\\windows\\system32"

    def program_files(self):
        """The Program Files folder of the deliverables' bitness."""
        return "C:\\Program Files (x86)" if self.wow64 else "C:\\Program Files"

    def stop(self):
        for program in self.programs:
            program.kill()
        self.programs.clear()
        if self.env is not None:
            try:
                if self.screens == 2 and self.display:
                    # The prefix goes back to the one virtual desktop that every other test expects.
                    self.reg("add", r"HKCU\Software\Wine\Explorer", "/v", "Desktop", "/d", "Default", "/f", view=False)
                    self.reg("delete", r"HKCU\Software\Wine\X11 Driver", "/v", "Managed", "/f", check=False, view=False)
                    self.reg("delete", r"HKCU\Software\Wine\X11 Driver", "/v", "UseXRandR", "/f", check=False, view=False)
                    self.set_dword(PARAMETERS_KEY, "ScreenPost", 16)
                run([self.wineserver, "-k"], self.env, timeout=20)
            except HarnessError as error:
                log(f"stop: {error}")
        kill_group(self.xvfb)
        self.xvfb = None

    def _environment(self):
        env = dict(os.environ)
        # The build under test is fixed here; wine_env.sh keeps what is already set and adds the rest.
        env.update({
            "WINEPREFIX": str(BUILD / "wine-prefix"),
            "TAVREX_FLAVOUR_DIR": str(BUILD),
            "TAVREX_BIN": str(BIN),
            "TAVREX_TOOLS_BIN": str(TOOLS_BIN),
            "WINEARCH": WINEARCH,
        })
        if WINEARCH == "win32":
            env["WINE"] = "/usr/lib/wine/wine"
        for name in ("DISPLAY", "TAVREX_DISPLAY", "TAVREX_RUN_DIR"):
            env.pop(name, None)
        script = REPO / "scripts" / "wine_env.sh"
        code, out, err = run(["bash", "-c", 'set -a; source "$1" >/dev/null 2>&1; env -0', "_", str(script)],
                             env, timeout=60)
        if code != 0:
            raise HarnessError(f"sourcing {script} failed: {gbk(err)}")
        for entry in out.split(b"\0"):
            if b"=" in entry:
                name, value = entry.split(b"=", 1)
                env[name.decode()] = value.decode(errors="replace")
        return env

    def _start_xvfb(self):
        self.xvfb, display = start_xvfb(self.screens)
        self._use_display(display)
        log(f"Xvfb {display} with {self.screens} screen(s)")

    def _use_display(self, display):
        self.display = display
        self.env["DISPLAY"] = display
        self.env["TAVREX_DISPLAY"] = display  # wine_prefix.sh then uses this server

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
            self.reg("delete", r"HKCU\Software\Wine\Explorer", "/v", "Desktop", "/f", check=False, view=False)
            self.reg("add", r"HKCU\Software\Wine\X11 Driver", "/v", "Managed", "/d", "N", "/f", view=False)
            self.reg("add", r"HKCU\Software\Wine\X11 Driver", "/v", "UseXRandR", "/d", "N", "/f", view=False)
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
        run([self.wine, str(tool("tavrexauto.exe")), "zorder"], self.env, timeout=120, capture=False)
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
        code, out, err = self._run_started([self.wine, str(self.resolve(exe)), *map(str, args)], timeout)
        return code, gbk(out), err.decode("utf-8", errors="replace")

    def _run_started(self, argv, timeout):
        """run(), once more when Wine did not start the program at all, as happens now and then on a loaded
        machine: exit code 1 with nothing printed (our tools and reg.exe always say why they fail), or start.exe's
        word that ShellExecuteEx failed. A program that ran is never run twice."""
        for attempt in range(3):
            code, out, err = run(argv, self.env, timeout=timeout)
            if code != 1 or (out.strip() or err.strip()) and b"ShellExecuteEx" not in out + err:
                break
            log(f"Wine did not start {Path(argv[1]).name} {' '.join(map(str, argv[2:4]))}: trying again")
        return code, out, err

    @staticmethod
    def resolve(exe):
        """Our binaries by name (the tools from the x86-64 build, the rest from the build under test);
        a path as it is; anything else ("C:\\windows\\notepad.exe", "reg") as Wine finds it."""
        name = str(exe)
        if name in TOOLS:
            return tool(name)
        if "/" not in name and "\\" not in name and deliverable(name).exists():
            return deliverable(name)
        return exe

    def launch(self, exe, *args, cwd=None):
        """Starts a Windows program and leaves it running; cwd: its current folder, a Linux path."""
        path = self.resolve(exe)
        process = subprocess.Popen([self.wine, str(path), *map(str, args)], env=self.env, cwd=cwd,
                                   stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                                   start_new_session=True)
        program = Program(process, Path(exe).name)
        self.programs.append(program)
        return program

    def auto_raw(self, *args, timeout=60):
        code, out, err = self._run_started([self.wine, str(tool("tavrexauto.exe")), *map(str, args)], timeout)
        return code, gbk(out), gbk(err)

    def auto(self, *args, timeout=60):
        """tavrexauto's answer as lines; a failure of the tool fails the test with its message."""
        code, out, err = self.auto_raw(*args, timeout=timeout)
        if code != 0:
            raise HarnessError(f"tavrexauto {' '.join(map(str, args))} exited {code}: {err.strip()}")
        return out.splitlines()

    def ctl_raw(self, *args, timeout=60):
        code, out, err = self._run_started([self.wine, str(tool("tavrexctl.exe")), *map(str, args)], timeout)
        return code, gbk(out), gbk(err)

    def ctl(self, *args, timeout=60):
        code, out, err = self.ctl_raw(*args, timeout=timeout)
        if code != 0:
            raise HarnessError(f"tavrexctl {' '.join(map(str, args))} exited {code}: {err.strip()}")
        return out.splitlines()

    # ---- windows, read through tavrexauto -----------------------------------------------------

    # A 32-bit window takes 1.5 to 3 s to appear where 32-bit programs are emulated, 0.3 s natively; the
    # default bound leaves room for a loaded machine and costs nothing when the window comes.
    # Only a visible window is waited for: a dialog exists hidden while it initialises, before its controls
    # and texts are all there. tabs: also its tab control, for a dialog that builds a property sheet.
    def wait_window(self, class_name, title, timeout_ms=30000, tabs=False):
        condition = "tabs" if tabs else "visible"
        return self.auto("wait", class_name, title, timeout_ms, condition, timeout=timeout_ms / 1000 + 30)[0]

    def window_exists(self, class_name, title):
        """Any such window, hidden or not: the stricter answer for a window that must not be there."""
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

    def reg(self, *args, check=True, view=True):
        """reg.exe on the registry as the deliverables see it (view=False: the 64-bit view, where Wine keeps
        its own settings); returns (exit code, output)."""
        code, out, err = self.run_windows("reg", *args, *(self.registry_view if view else []), timeout=60)
        if check and code != 0:
            raise HarnessError(f"reg {' '.join(args)} exited {code}: {out}{err}")
        return code, out

    def _reg(self, args, check=True):
        return self.reg(*args, check=check)[0]

    def values(self, key):
        """The values of a key as the deliverables see it: {name: (REG_ type, data text)}; {} when absent."""
        code, out = self.reg("query", key, check=False)
        result = {}
        for line in out.splitlines() if code == 0 else []:
            match = re.match(r"^\s+(.*?)\s+(REG_[A-Z_]+)\s*(.*)$", line)
            if match:
                result[match.group(1)] = (match.group(2), match.group(3))
        return result

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

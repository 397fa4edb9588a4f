#!/usr/bin/env python3
"""The demo: brennick calibrates a simulated touch panel under Wine against the stand-in driver; then the release's
setup.exe installs both deliverables silently, and the installed lintara.cpl is opened through Wine's control.exe,
one setting changed on each page and stored with OK (demo_panel.py).

A touch panel whose controller does not answer commands and that is mounted rotated (axes swapped, one
reversed) is calibrated with the corner layout; then, unless --corner-only, an upright panel whose controller
answers is calibrated with the controller layout. Each run touches the targets the way the panel would report
them, answers the confirmation with OK and shows what was stored, the calibration in force, how far from each
target the driver would now put the pointer, and what the driver received.

    scripts/demo.py [--display] [--corner-only]

--display uses the X display in $DISPLAY instead of a private Xvfb. The demo runs the shipped i686 brennick.exe
wherever 32-bit programs run, natively or emulated, and its x86-64 stand-in only where they cannot. It keeps a
Wine prefix of its own (<that build dir>/demo/wine-prefix) and screenshots in build/demo/.
"""

import argparse
import math
import os
import re
import signal
import subprocess
import sys
import time
from collections import Counter
from pathlib import Path

REPO = Path(__file__).resolve().parents[1]
SHOTS = REPO / "build" / "demo"
sys.path.insert(0, str(REPO / "tests" / "e2e"))
import harness  # noqa: E402
import demo_panel  # noqa: E402

CONFIRM_TEXT = "鼠标指针可以准确跟随手指触点了吗?"
ID_OK = 1
VK_ESCAPE = 27


# Where the calibrator stores a confirmed calibration, in the order of the first fields of the record that
# "tavrexctl calibration" prints.
STORED_NAMES = ["Xc", "Yc", "XL", "YL", "Rotate", "Shp", "Shs", "Svp", "Svs"]

# Every wait of the demo is bounded by one of these (seconds).
WINDOW_TIMEOUT = 40       # a silent controller delays the window by five greetings of about 2 s each
FIRST_TARGET_TIMEOUT = 40
PAINT_TIMEOUT = 20        # the target is posted just before the arm request; its paint lands a little later
PROMPT_TIMEOUT = 30
EXIT_TIMEOUT = 30


class DemoError(RuntimeError):
    pass


def say(text=""):
    print(text, flush=True)


def flavour_dir():
    """The build folder of the deliverables that run on this machine, as wine_env.sh decides it."""
    env = {name: value for name, value in os.environ.items()
           if name not in ("WINEPREFIX", "TAVREX_RUN_DIR", "TAVREX_BIN", "TAVREX_FLAVOUR_DIR", "TAVREX_TOOLS_BIN")}
    result = subprocess.run(["bash", "-c", '. "$1" >/dev/null 2>&1; printf %s "$TAVREX_FLAVOUR_DIR"', "_",
                             str(REPO / "scripts" / "wine_env.sh")],
                            env=env, stdin=subprocess.DEVNULL, capture_output=True, timeout=60)
    if result.returncode != 0 or not result.stdout:
        raise DemoError("scripts/wine_env.sh did not name a build flavour")
    return Path(result.stdout.decode())


def own_display():
    """--display: the user's X server, which must answer."""
    display = os.environ.get("DISPLAY")
    if not display:
        raise DemoError("--display needs $DISPLAY")
    code, _, _ = harness.run(["xdpyinfo", "-display", display], dict(os.environ), timeout=10)
    if code != 0:
        raise DemoError(f"no X server answers on {display}")
    return display


CLASS, TITLE, DIALOG = harness.CALIBRATOR_CLASS, harness.CALIBRATOR_TITLE, harness.DIALOG
CONFIRM_CAPTION = harness.CONFIRM_CAPTION
TARGET_COLOUR = harness.YELLOW  # the centre of a target's glyph
READ_SAMPLE = harness.REQUESTS["READ_SAMPLE"]
ARM_SAMPLE = harness.REQUESTS["ARM_SAMPLE"]
CONTROLLER_COMMAND = harness.REQUESTS["CONTROLLER_COMMAND"]
REQUEST_NAMES = {code: name.lower().replace("_", " ") for name, code in harness.REQUESTS.items()}
# What the calibrator polls while a target waits for its touch; every other request is shown in full.
POLLING = {READ_SAMPLE}


# ---- the installer ------------------------------------------------------------------------------------------

UNINSTALL_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\TavrexTouchTools"
TOOLS_KEY = r"HKLM\Software\Manufacturer\Tavrex"
INSTALLED_APPLET = r"C:\windows\system32\lintara.cpl"  # as 32-bit programs name the system folder they see
REBOOT_REQUIRED = 3010 & 0xFF  # Wine hands a Windows exit code to Linux in 8 bits


def release_setup():
    header = (REPO / "packaging" / "version.h").read_text(encoding="utf-8")
    parts = [re.search(rf"#define TAVREX_VERSION_{part} (\d+)", header).group(1)
             for part in ("MAJOR", "MINOR", "PATCH", "BUILD")]
    return REPO / "build" / "dist" / f"tavrex-{'.'.join(parts)}-setup.exe"


def install(session):
    """Installs the release silently, as an administrator deploys it; says where everything went."""
    setup = release_setup()
    if not setup.is_file():
        raise DemoError(f"no installer at {setup}: build the windows preset with nsis installed (scripts/setup.sh)")
    started = time.monotonic()
    code, out, err = session.run_windows(setup, "/S", timeout=300)
    if code not in (0, REBOOT_REQUIRED):
        raise DemoError(f"{setup.name} /S exited {code}: {out}{err}")
    entry = session.values(UNINSTALL_KEY)
    if "InstallLocation" not in entry:
        raise DemoError(f"{setup.name} /S wrote no uninstall entry")
    folder = entry["InstallLocation"][1]
    say(f"== Install: {setup.name} /S, {time.monotonic() - started:.1f} s"
        + (" (a file in use is replaced at the next restart)" if code else ""))
    say(f"   brennick.exe   {folder}\\brennick.exe")
    say(f"   lintara.cpl    {INSTALLED_APPLET} as 32-bit programs see it (drive_c/windows/syswow64 in the prefix)")
    say(f"   FilePath       {session.values(TOOLS_KEY).get('FilePath', ('', '?'))[1]}   ({TOOLS_KEY}, 32-bit view)")
    say(f"   uninstall entry {UNINSTALL_KEY} (32-bit view):")
    for name, (_, data) in entry.items():
        say(f"     {name:<21} {data}")
    say()
    return INSTALLED_APPLET


# ---- the simulated panels -----------------------------------------------------------------------------------

class Panel:
    """A touch panel mounted over the calibration area: what its controller reports for a touch at a pixel."""

    def __init__(self, name, formula, raw):
        self.name = name
        self.formula = formula
        self.raw = raw  # (x, y) in the area's pixels -> raw (x, y)

    def touch(self, x, y):
        raw_x, raw_y = self.raw(x, y)
        return round(raw_x), round(raw_y)


ROTATED = Panel("rotated a quarter turn", "raw x = 3900 - 3.1 * y,  raw y = 250 + 3.4 * x",
                lambda x, y: (3900 - 3.1 * y, 250 + 3.4 * x))
UPRIGHT = Panel("upright", "raw x = 180 + 3.7 * x,  raw y = 320 + 4.6 * y",
                lambda x, y: (180 + 3.7 * x, 320 + 4.6 * y))


class Run:
    def __init__(self, name, controller, panel, targets):
        self.name = name
        self.controller = controller  # what "tavrexctl controller" is told
        self.panel = panel
        self.targets = targets  # target codes in the order the calibrator shows them


CORNER = Run("corner", "silent", ROTATED, [16, 32, 256, 288])
CONTROLLER = Run("controller", "answering", UPRIGHT, [16, 64, 128, 32])


def target_centre(code, width, height):
    """Where a target's centre sits in the area: the calibrator's grid at a quarter and three quarters."""
    x1, x3, y1, y3 = width // 4, 3 * width // 4, height // 4, 3 * height // 4
    centres = {
        16: (x1, y1),
        32: (x3, y3),
        64: ((3 * x1 + x3) // 4, (3 * y1 + y3) // 4),
        128: ((x1 + 3 * x3) // 4, (y1 + 3 * y3) // 4),
        256: (x1, y3),
        288: (x3, y1),
    }
    return centres[code]


# ---- one calibration ----------------------------------------------------------------------------------------

def request_codes(session):
    return [int(line.split()[0], 16) for line in session.ctl("log")]


def stored_values(session):
    return session.dwords(harness.PARAMETERS_KEY)


def forget_stored_values(session):
    """So that what the demo prints afterwards can only have come from this run."""
    for name in STORED_NAMES:
        session.run_windows("reg", "delete", harness.PARAMETERS_KEY, "/v", name, "/f")
    left = sorted(set(stored_values(session)) & set(STORED_NAMES))
    if left:
        raise DemoError(f"could not clear the stored values {left}")


def calibrate(session, run, number):
    say(f"== Run {number}: {run.name} layout, controller {run.controller}, panel {run.panel.name}")
    say(f"   {run.panel.formula}   (x, y: pixels of the calibration area)")
    forget_stored_values(session)
    session.ctl("controller", run.controller)
    session.ctl("log", "--clear")
    started = time.monotonic()
    program = session.launch("brennick.exe")
    try:
        window = session.wait_window(CLASS, TITLE, timeout_ms=WINDOW_TIMEOUT * 1000)
        left, top, right, bottom = session.info(window)["rect"]
        width, height = right - left, bottom - top
        say(f"   calibration area {left},{top} - {right},{bottom} ({width} x {height})")

        touches = []
        for code in run.targets:
            cx, cy = target_centre(code, width, height)
            touches.append((code, (left + cx, top + cy), run.panel.touch(cx, cy)))

        # No touch is queued yet, so the first target stays up until the screenshot is taken.
        harness.wait_until(lambda: ARM_SAMPLE in request_codes(session), FIRST_TARGET_TIMEOUT,
                           "the calibrator asking for the first touch")
        first_shot = harness.wait_until(lambda: session.screenshot(f"demo_{run.name}_first_target"), PAINT_TIMEOUT,
                                        "the first target painted",
                                        done=lambda shot: shot.pixel(*touches[0][1]) == TARGET_COLOUR)
        for _, _, (raw_x, raw_y) in touches:
            session.ctl("touch", raw_x, raw_y)

        prompt = session.wait_window(DIALOG, CONFIRM_CAPTION, timeout_ms=PROMPT_TIMEOUT * 1000)
        texts = [text for _, _, text, _ in session.children(prompt)]
        if CONFIRM_TEXT not in texts:
            raise DemoError(f"the confirmation asks something else: {texts}")
        prompt_shot = session.screenshot(f"demo_{run.name}_confirmation")
        session.auto("click", prompt, ID_OK)
        code = program.wait(EXIT_TIMEOUT)
        if code != 0:
            raise DemoError(f"brennick.exe exited {code}")
        elapsed = time.monotonic() - started
    except BaseException:
        if program.running():
            program.kill()
        raise

    say(f"   brennick.exe exited 0 after {elapsed:.1f} s (touches sent, OK pressed)")
    report(session, run, touches, [first_shot, prompt_shot])


def describe(line):
    """A log line's request by name; a controller command also by the command its frame carries."""
    fields = line.split()
    code = int(fields[0], 16)
    name = REQUEST_NAMES.get(code, "?")
    if code == CONTROLLER_COMMAND and len(fields) > 3:
        frame = bytes(int(b, 16) for b in fields[2:18])  # the frame follows its 0x01 start byte
        command = ""
        for byte in frame:
            if not (0x30 <= byte <= 0x39 or 0x41 <= byte <= 0x5A):
                break
            command += chr(byte)
        name += f" {command}"
    return name


def report(session, run, touches, shots):
    stored = stored_values(session)
    missing = [name for name in STORED_NAMES if name not in stored]
    if missing:
        raise DemoError(f"OK was pressed but these values were not stored: {missing}")
    say("   stored in " + harness.PARAMETERS_KEY + ":")
    say("     " + "  ".join(f"{name}={stored[name]}" for name in STORED_NAMES))

    in_force = [int(v) for v in session.ctl("calibration")[0].split()]
    say("   calibration in force (tavrexctl calibration):")
    say("     " + " ".join(map(str, in_force)))
    differing = [name for i, name in enumerate(STORED_NAMES) if in_force[i] != stored[name]]
    if differing:
        raise DemoError(f"the driver uses other values than were stored: {differing}")
    if run.controller == "answering":
        say("   the controller's linearity values (tavrexctl linearity): " + session.ctl("linearity")[0])

    say("   where the driver now puts the pointer for each touch:")
    say("     target  centre      raw touch      pointer     error")
    worst = 0.0
    for code, (sx, sy), (raw_x, raw_y) in touches:
        px, py = (int(v) for v in session.ctl("map", raw_x, raw_y)[0].split())
        error = math.hypot(px - sx, py - sy)
        worst = max(worst, error)
        say(f"     {code:>5}   {sx:>4},{sy:<4}   {raw_x:>5},{raw_y:<5}   {px:>4},{py:<4}   "
            f"{error:5.2f} px ({px - sx:+d}, {py - sy:+d})")
    say(f"     largest error {worst:.2f} px")

    lines = session.ctl("log")
    counts = Counter(int(line.split()[0], 16) for line in lines)
    say(f"   requests the driver received ({len(lines)}):")
    for code, count in sorted(counts.items()):
        say(f"     0x{code:08X} {REQUEST_NAMES.get(code, '?'):<20} x {count}")
    say("   every request but the polling, in order:")
    for line in lines:
        code = int(line.split()[0], 16)
        if code not in POLLING:
            say(f"     {line}    ({describe(line)})")

    say("   screenshots:")
    for path in shots:
        say(f"     {path}")
    say()


def main():
    parser = argparse.ArgumentParser(description="Calibrates simulated touch panels with brennick.exe under Wine.")
    parser.add_argument("--display", action="store_true", help="use the X display in $DISPLAY instead of Xvfb")
    parser.add_argument("--corner-only", action="store_true", help="only the rotated panel, corner layout")
    args = parser.parse_args()

    reason = harness.unavailable_reason()
    if reason:
        raise DemoError(f"Wine cannot run here: {reason}")
    # A SIGTERM (from timeout, or the user) ends the demo through the same clean-up as any failure.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(143))
    SHOTS.mkdir(parents=True, exist_ok=True)
    for old in SHOTS.glob("demo_*.png"):
        old.unlink()

    started = time.monotonic()
    flavour = flavour_dir()
    # A prefix of the demo's own beside the binaries it runs, never one the e2e tests use.
    config = harness.Config.from_env("demo", build=flavour, out=SHOTS, prefix=flavour / "demo" / "wine-prefix")
    session = harness.Session("demo", config=config)
    try:
        session.start(own_display() if args.display else None)
        say(f"demo: Wine prefix {session.env['WINEPREFIX']} ({session.env.get('WINEARCH', '?')}), "
            f"display {session.display}")
        say(f"demo: brennick.exe {session.machine} from {config.bin}; driver and tools x86-64 from "
            f"{config.tools}; {session.thirty_two_bit_text}")
        if session.machine != "i686":
            say("demo: WARNING: this is NOT the shipped 32-bit brennick.exe but its x86-64 stand-in, because this "
                "machine runs no 32-bit programs (scripts/setup.sh makes them run emulated)")
        say()
        runs = [CORNER] if args.corner_only else [CORNER, CONTROLLER]
        for number, run in enumerate(runs, 1):
            calibrate(session, run, number)
        if session.machine == "i686":
            demo_panel.run(session, SHOTS, install(session))
        else:
            say("demo: the installer is a 32-bit program, which this machine cannot run: the panel opens from the "
                "build folder")
            demo_panel.run(session, SHOTS)
    finally:
        session.stop()
    say(f"demo: done in {time.monotonic() - started:.0f} s")


if __name__ == "__main__":
    try:
        main()
    except (DemoError, demo_panel.PanelDemoError, harness.HarnessError, OSError, subprocess.SubprocessError) as error:
        print(f"demo: FAILED: {error}", file=sys.stderr)
        sys.exit(1)
    except KeyboardInterrupt:
        print("demo: interrupted", file=sys.stderr)
        sys.exit(130)

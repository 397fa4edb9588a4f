#!/usr/bin/env python3
"""Reports how long opening the panel takes under Wine: from CPL_DBLCLK to the panel's OK button
visible, next to a bare modal property sheet of six empty pages measured the same way (the host
notes the time from a thread of its own). Build the windows (or windows64) preset first.

    python3 scripts/measure_panel_open.py [RUNS]
"""
import statistics
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "tests" / "e2e"))
import harness  # noqa: E402


def measure(session, args, title, runs):
    times = []
    for _ in range(runs):
        program = session.launch("cplhost.exe", *args)
        window = session.wait_window(harness.DIALOG, title, 60000)
        session.auto("click", window, 2)
        program.wait(60)
        out, _ = program.output()
        for line in harness.gbk(out).splitlines():
            if line.startswith("visible_ms="):
                times.append(float(line.split("=", 1)[1]))
    return times


def main():
    runs = int(sys.argv[1]) if len(sys.argv) > 1 else 5
    session = harness.start_session("measure")
    try:
        applet = session.windows_path(session.deliverable("lintara.cpl"))
        panel = measure(session, [applet, "time"], harness.PANEL_TITLE, runs)
        bare = measure(session, ["-", "bare"], "bare", runs)
    finally:
        session.stop()
    for name, times in (("panel (CPL_DBLCLK to OK visible)", panel), ("bare property sheet", bare)):
        shown = " ".join(f"{t:.0f}" for t in times)
        print(f"{name}: median {statistics.median(times):.0f} ms over {len(times)} runs ({shown})")


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Reports how long lintara.cpl's serial port tab takes from being chosen to its list filled, under Wine
against the stand-in driver: with all ten ports absent and with all ten present, the driver on no port so
that every one is probed. The screen position tab, first shown the same way, is the reference for a page
that probes nothing. A report, not a test: it prints numbers and fails only when the panel does not run.

    scripts/measure_port_probe.py [RUNS]        (default 5 panels per case)

It runs the flavour the e2e tests would run here; for the x86-64 build under 64-bit Wine:
    TAVREX_BUILD_DIR=build/windows64 scripts/measure_port_probe.py
"""

import statistics
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "tests" / "e2e"))
import harness  # noqa: E402
from harness import DIALOG, IDCANCEL, PANEL_TITLE, PARAMETERS_KEY  # noqa: E402
from panel_case import applet_path, serial_ports  # noqa: E402

PORT_TAB, SCREEN_TAB = harness.TABS.index("串口选择"), harness.TABS.index("屏幕安装位置")
PORT_LIST = harness.resource_id("IDC_PORT_LIST")


def first_showing(session, tab):
    """Opens a panel, chooses tab once; the change's time in ms as tavrexauto measured it, the wall time of
    the whole tavrexauto call, and the page's list when it is the port tab."""
    program = session.launch("cplhost.exe", applet_path(session), "open", 1)
    try:
        panel = session.wait_window(DIALOG, PANEL_TITLE, 60000, tabs=True)
        started = time.monotonic()
        page, took = session.auto("page", panel, tab)
        wall = (time.monotonic() - started) * 1000
        items = session.auto("items", page, PORT_LIST) if tab == PORT_TAB else []
        session.auto("click", panel, IDCANCEL)
        session.auto("gone", panel, 30000)
        program.wait(60)
    finally:
        program.kill()
        session.programs.remove(program)
    return int(took.split()[1]) / 1000, wall, items


def report(name, samples):
    took = [sample[0] for sample in samples]
    wall = [sample[1] for sample in samples]
    print(f"{name:<34} tab change median {statistics.median(took):7.1f} ms (min {min(took):7.1f}, "
          f"max {max(took):7.1f});  tavrexauto call median {statistics.median(wall):7.1f} ms", flush=True)
    return statistics.median(took)


def main():
    runs = int(sys.argv[1]) if len(sys.argv) > 1 else 5
    session = harness.start_session("measure")
    try:
        session.set_dword(PARAMETERS_KEY, "Port", 0)
        session.ctl("reload")
        print(f"{session.config.bin} under {session.wine} ({session.env.get('WINEARCH', '?')}), {runs} panels per case")
        cases = {
            "serial port tab, 10 ports absent": ({}, PORT_TAB, 0),
            "serial port tab, 10 ports present": ({n: "/dev/null" for n in range(1, 11)}, PORT_TAB, 10),
            "screen position tab (no probe)": ({}, SCREEN_TAB, 0),
        }
        medians = {}
        for name, (links, tab, listed) in cases.items():
            with serial_ports(session, links):
                samples = [first_showing(session, tab) for _ in range(runs)]
            if any(len(items) != listed for _, _, items in samples):
                raise harness.HarnessError(f"{name}: the list did not hold {listed} ports")
            medians[name] = report(name, samples)
        absent, present = (medians[name] for name in list(cases)[:2])
        print(f"ten present ports against ten absent: {present - absent:+.1f} ms")
    finally:
        session.stop()


if __name__ == "__main__":
    main()

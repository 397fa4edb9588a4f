"""The panel part of the demo: lintara.cpl opened through Wine's own control.exe, one setting changed on each
page, the beep test pressed, OK, and what was stored. Called by demo.py with its running session."""

import harness
import panel_case

PANEL_TITLE, MOUSE_KEY = harness.PANEL_TITLE, harness.MOUSE_KEY
SETTINGS = ["BeepMode", "BeepFreq1", "BeepTime1", "BeepFreq2", "BeepTime2", "Port", "MouseMode", "ScreenPost",
            "RBNDelay"]
BEEP_REQUESTS = [harness.request(name) for name in ("GET_BEEP", "SET_BEEP", "TEST_BEEP", "SET_BEEP")]

IDC_BEEP_FREQUENCY, IDC_BEEP_TEST, IDC_CLICK_SPEED, IDC_RIGHT_DELAY, IDC_PORT_LIST, IDC_SPAN_RIGHT = (
    harness.resource_id(name) for name in ("IDC_BEEP_FREQUENCY", "IDC_BEEP_TEST", "IDC_CLICK_SPEED",
                                           "IDC_RIGHT_DELAY", "IDC_PORT_LIST", "IDC_SPAN_RIGHT"))


class PanelDemoError(RuntimeError):
    pass


def say(text=""):
    print(text, flush=True)


def item_texts(session, applet):
    """The item's name and description as a Control Panel host reads them (CPL_NEWINQUIRE)."""
    code, out, err = session.run_windows("cplhost.exe", applet, "inquire", timeout=120)
    if code != 0:
        raise PanelDemoError(f"cplhost inquire exited {code}: {out}{err}")
    answers = panel_case.parse_answers(out)
    encoding = "utf-16-le" if answers.get("kind") == ["W"] else "gbk"
    decode = lambda name: bytes.fromhex(answers.get(name, [""])[0]).decode(encoding)  # noqa: E731
    return decode("name"), decode("info"), answers.get("size", ["?"])[0]


def stored(session):
    values = session.values(harness.PARAMETERS_KEY)
    mouse = session.values(MOUSE_KEY)
    settings = {name: int(values[name][1], 16) for name in SETTINGS if name in values}
    return settings, {name: mouse.get(name, ("", "-"))[1] for name in ("DoubleClickSpeed", "DoubleClickHeight",
                                                                      "DoubleClickWidth")}


def run(session, shots, applet=None):
    """The whole panel part, on the applet at the Windows path applet (by default the build's own); screenshots
    go to shots/demo_panel_*.png."""
    applet = applet or panel_case.applet_path(session)
    name, description, size = item_texts(session, applet)
    say(f"panel: the Control Panel lists \"{name}\" ({description}); NEWCPLINFOW of {size} bytes")

    # Settings as an installation might leave them, the driver on COM2, and two more ports that open.
    session.set_values(harness.PARAMETERS_KEY, {"BeepMode": 1, "BeepFreq1": 2000, "BeepTime1": 100, "BeepFreq2": 2000,
                                                 "BeepTime2": 100, "Port": 2, "MouseMode": 3, "ScreenPost": 16,
                                                 "RBNDelay": 48})
    session.set_values(MOUSE_KEY, {"DoubleClickSpeed": "700", "DoubleClickHeight": "40", "DoubleClickWidth": "40"})
    ports = shots / "ports"
    ports.mkdir(exist_ok=True)
    for n in (1, 4):
        (ports / f"com{n}").write_bytes(b"")
    session.ctl("reload")
    settings, mouse = stored(session)
    say("panel: stored before: " + ", ".join(f"{key} {value}" for key, value in settings.items()) + "; " +
        ", ".join(f"{key} \"{value}\"" for key, value in mouse.items()))
    session.ctl("log", "--clear")
    with panel_case.serial_ports(session, {1: ports / "com1", 4: ports / "com4"}):
        program = session.launch(session.control_exe(), applet)
        panel = session.wait_window(harness.DIALOG, PANEL_TITLE, 60000, tabs=True)
        say(f"panel: {applet} opened by {session.control_exe()}; tabs: {' | '.join(session.auto('tabs', panel)[1:])}")

        session.auto("page", panel, 0)
        session.screenshot("demo_panel_1_calibrate")

        beep = session.auto("page", panel, 1)[0]
        session.auto("slider", beep, IDC_BEEP_FREQUENCY, 3000)
        session.ctl("log", "--clear")
        session.auto("click", beep, IDC_BEEP_TEST)
        harness.wait_until(lambda: [line.split()[0] for line in session.ctl("log")], 30,
                           "the beep test's four requests at the driver", expected=BEEP_REQUESTS)
        session.screenshot("demo_panel_2_beep")
        say("panel: beep page: frequency moved to 3000 Hz; the test button sent:")
        for line in session.ctl("log"):
            say(f"   {line}")

        mouse = session.auto("page", panel, 2)[0]
        session.auto("slider", mouse, IDC_CLICK_SPEED, 500)
        session.auto("pick", mouse, IDC_RIGHT_DELAY, 2)
        session.screenshot("demo_panel_3_mouse_mode")
        say("panel: mouse mode page: double-click speed 500 ms, right-click delay \" 1.0s\"")

        serial = session.auto("page", panel, 3)[0]
        items = session.auto("items", serial, IDC_PORT_LIST)
        session.auto("pick", serial, IDC_PORT_LIST, len(items) - 1)
        session.screenshot("demo_panel_4_serial_port")
        say(f"panel: serial port page lists {items}; chose \"{items[-1]}\"")

        position = session.auto("page", panel, 4)[0]
        session.auto("click", position, IDC_SPAN_RIGHT)
        harness.wait_until(lambda: "checked 1" in session.auto("state", position, IDC_SPAN_RIGHT), 20,
                           "the radio button checked after the click")
        session.screenshot("demo_panel_5_screen_position")
        say("panel: screen position page: \"触摸屏居右\"")

        session.auto("page", panel, 5)
        session.screenshot("demo_panel_6_about")

        session.auto("click", panel, 1)
        session.auto("gone", panel, 30000)
        program.wait(60)

    settings, mouse = stored(session)
    say("panel: after OK, stored in " + harness.PARAMETERS_KEY + ":")
    say("   " + ", ".join(f"{key} {value}" for key, value in settings.items()))
    say("   and in HKCU\\Control Panel\\Mouse: " + ", ".join(f"{key} \"{value}\"" for key, value in mouse.items()))
    say(f"   double-click time now in force: {session.auto('doubleclicktime')[0]} ms")
    say(f"panel: screenshots of every tab in {shots}")

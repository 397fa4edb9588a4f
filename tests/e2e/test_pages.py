"""The four settings pages of lintara.cpl under Wine, through their real controls: sliders and their labels,
lists, the beep test as the stand-in driver sees it, the serial ports of the prefix, the screen position
buttons; OK storing what was chosen and Cancel storing nothing."""

import ctypes
import os
import struct
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import harness  # noqa: E402
from harness import (BEEP_MODES, DELAYS, IDCANCEL, IDOK, IN_USE, MOUSE_KEY, MOUSE_MODES, PARAMETERS_KEY,  # noqa: E402
                     RESOLUTIONS)
from panel_case import RELOAD_REQUEST, PanelCase, serial_ports  # noqa: E402

BEEP_TAB, MOUSE_TAB, PORT_TAB, SCREEN_TAB = (harness.TABS.index(tab)
                                            for tab in ("响声设定", "鼠标模式", "串口选择", "屏幕安装位置"))


def ids(*names):
    return tuple(harness.resource_id("IDC_" + name) for name in names)


# Beep page.
BEEP_MODE, BEEP_FREQUENCY, BEEP_DURATION, BEEP_FREQUENCY_TEXT, BEEP_DURATION_TEXT, BEEP_TEST = ids(
    "BEEP_MODE", "BEEP_FREQUENCY", "BEEP_DURATION", "BEEP_FREQUENCY_TEXT", "BEEP_DURATION_TEXT", "BEEP_TEST")
GET_BEEP, SET_BEEP, TEST_BEEP = (harness.request(name) for name in ("GET_BEEP", "SET_BEEP", "TEST_BEEP"))

# Mouse mode page.
MOUSE_MODE, CLICK_SPEED, CLICK_AREA, CLICK_AREA_TEXT, CLICK_SPEED_TEXT, RIGHT_DELAY = ids(
    "MOUSE_MODE", "CLICK_SPEED", "CLICK_AREA", "CLICK_AREA_TEXT", "CLICK_SPEED_TEXT", "RIGHT_DELAY")

# Serial port page.
PORT_LIST = harness.resource_id("IDC_PORT_LIST")
GET_PORT = harness.request("GET_PORT")

# Screen position page.
PRIMARY_RES, SECONDARY_RES = ids("PRIMARY_RES", "SECONDARY_RES")
SINGLE, ON_PRIMARY, ON_SECONDARY, SPAN_LEFT, SPAN_RIGHT, SPAN_TOP, SPAN_BOTTOM = ids(
    "SINGLE", "ON_PRIMARY", "ON_SECONDARY", "SPAN_LEFT", "SPAN_RIGHT", "SPAN_TOP", "SPAN_BOTTOM")

STORED = {"BeepMode": 1, "BeepFreq1": 2000, "BeepTime1": 100, "BeepFreq2": 2000, "BeepTime2": 100,
          "MouseMode": 1, "RBNDelay": 96, "Port": 3, "ScreenPost": 37}
STORED_MOUSE = {"DoubleClickSpeed": "700", "DoubleClickHeight": "4", "DoubleClickWidth": "4"}


def dwords(*values):
    """The log's bytes of little-endian 32-bit values."""
    return " ".join(f"{byte:02X}" for value in values for byte in value.to_bytes(4, "little"))


class OpenWatch:
    """Which of some files were opened by anyone while it was active (inotify's open events)."""

    IN_OPEN = 0x20

    def __init__(self, paths):
        self.paths = paths

    def __enter__(self):
        self.libc = ctypes.CDLL(None, use_errno=True)
        self.fd = self.libc.inotify_init1(os.O_NONBLOCK)
        if self.fd < 0:
            raise OSError(ctypes.get_errno(), "inotify_init1")
        self.watches = {self.libc.inotify_add_watch(self.fd, str(path).encode(), self.IN_OPEN): path
                        for path in self.paths}
        return self.opened

    def opened(self):
        seen = set()
        try:
            data = os.read(self.fd, 65536)
        except BlockingIOError:
            return seen
        offset = 0
        while offset < len(data):
            wd, _, _, length = struct.unpack_from("iIII", data, offset)
            seen.add(self.watches[wd])
            offset += 16 + length
        return seen

    def __exit__(self, *_):
        os.close(self.fd)


class PageCase(PanelCase):
    def setUp(self):
        super().setUp()
        self.session.set_values(PARAMETERS_KEY, STORED)
        self.session.set_values(MOUSE_KEY, STORED_MOUSE)
        self.session.ctl("reload")
        self.session.ctl("log", "--clear")

    def open_page(self, tab):
        """A fresh panel with tab shown; returns (program, panel, page)."""
        program, _ = self.open_panel()
        panel = self.wait_panel()
        return program, panel, self.session.auto("page", panel, tab)[0]

    def state(self, page, control):
        return dict(line.split(" ", 1) for line in self.session.auto("state", page, control))

    def text(self, page, control):
        return self.session.auto("text", page, control)[0]

    def labels(self, page, first, second):
        return self.text(page, first), self.text(page, second)

    def beep_test(self, page):
        """Presses the test button; the driver's requests of the test."""
        self.session.ctl("log", "--clear")
        self.session.auto("click", page, BEEP_TEST)
        harness.wait_until(lambda: len(self.session.ctl("log")), 20, "the test's requests", expected=4)
        return self.session.ctl("log")

    def stored(self):
        return ({name: self.session.value(PARAMETERS_KEY, name) for name in STORED},
                {name: self.session.value(MOUSE_KEY, name) for name in STORED_MOUSE})


class MouseModePage(PageCase):
    def test_sliders_rewrite_both_labels_lists_choose_and_ok_stores(self):
        program, panel, page = self.open_page(MOUSE_TAB)
        self.assertEqual(self.session.auto("items", page, MOUSE_MODE), MOUSE_MODES)
        self.assertEqual(self.session.auto("items", page, RIGHT_DELAY), DELAYS)
        self.assertEqual(self.state(page, MOUSE_MODE)["selected"], "1")
        self.assertEqual(self.state(page, RIGHT_DELAY)["selected"], "2")
        # An area below the slider's range shows at its bound, while the label keeps the stored number.
        self.assertEqual((self.state(page, CLICK_AREA)["pos"], self.state(page, CLICK_SPEED)["pos"]), ("20", "700"))
        self.assertEqual(self.labels(page, CLICK_AREA_TEXT, CLICK_SPEED_TEXT), ("4", "700"))
        # A mode change captures the area as 20, but only a scroll rewrites the label.
        self.session.auto("pick", page, MOUSE_MODE, 3)
        self.assertEqual(self.labels(page, CLICK_AREA_TEXT, CLICK_SPEED_TEXT), ("4", "700"))
        self.assertEqual(self.session.auto("slider", page, CLICK_SPEED, 450), ["450"])
        self.assertEqual(self.labels(page, CLICK_AREA_TEXT, CLICK_SPEED_TEXT), ("20", "450"))
        self.assertEqual(self.session.auto("slider", page, CLICK_AREA, 150), ["150"])
        self.assertEqual(self.labels(page, CLICK_AREA_TEXT, CLICK_SPEED_TEXT), ("150", "450"))
        self.session.auto("pick", page, RIGHT_DELAY, 4)
        self.session.screenshot("pages_mouse_mode")
        self.close_panel(panel, program, IDOK)
        parameters, mouse = self.stored()
        self.assertEqual((parameters["MouseMode"], parameters["RBNDelay"]), (3, 490))
        self.assertEqual(mouse, {"DoubleClickSpeed": "450", "DoubleClickHeight": "150", "DoubleClickWidth": "150"})
        self.assertEqual(self.session.auto("doubleclicktime"), ["450"])


class BeepPage(PageCase):
    def test_sliders_and_mode_feed_the_test_which_leaves_the_driver_as_it_was(self):
        before = self.session.ctl("beep")
        self.assertEqual(before, ["1 2000 100 0 0"])
        program, panel, page = self.open_page(BEEP_TAB)
        self.assertEqual(self.session.auto("items", page, BEEP_MODE), BEEP_MODES)
        self.assertEqual(self.state(page, BEEP_MODE)["selected"], "1")
        self.assertEqual((self.state(page, BEEP_FREQUENCY)["pos"], self.state(page, BEEP_DURATION)["pos"]),
                         ("2000", "100"))
        self.assertEqual(self.labels(page, BEEP_FREQUENCY_TEXT, BEEP_DURATION_TEXT), ("2000", "100"))
        self.session.auto("slider", page, BEEP_FREQUENCY, 3000)
        self.assertEqual(self.labels(page, BEEP_FREQUENCY_TEXT, BEEP_DURATION_TEXT), ("3000", "100"))
        self.session.auto("slider", page, BEEP_DURATION, 250)
        self.assertEqual(self.labels(page, BEEP_FREQUENCY_TEXT, BEEP_DURATION_TEXT), ("3000", "250"))
        self.session.auto("pick", page, BEEP_MODE, 2)

        saved = dwords(1, 2000, 100, 0, 0)
        self.assertEqual(self.beep_test(page), [GET_BEEP, f"{SET_BEEP} {dwords(2, 3000, 250, 3000, 250)}", TEST_BEEP,
                                                f"{SET_BEEP} {saved}"])
        self.assertEqual(self.session.ctl("beep"), before)
        # "No sound" is sent as it is.
        self.session.auto("pick", page, BEEP_MODE, 0)
        self.assertEqual(self.beep_test(page)[1], f"{SET_BEEP} {dwords(0, 3000, 250, 3000, 250)}")
        self.assertEqual(self.session.ctl("beep"), before)
        self.assertEqual(self.state(page, BEEP_TEST)["enabled"], "1")
        self.session.screenshot("pages_beep")

        self.close_panel(panel, program, IDOK)
        parameters, _ = self.stored()
        self.assertEqual([parameters[name] for name in ("BeepMode", "BeepFreq1", "BeepTime1", "BeepFreq2", "BeepTime2")],
                         [0, 3000, 250, 3000, 250])
        self.assertEqual(self.session.ctl("beep"), ["0 3000 250 0 0"], "the driver after the panel's reload")


class SerialPortPage(PageCase):
    def test_ports_that_open_and_the_drivers_own_are_listed_and_a_choice_is_stored(self):
        # Ports are files here, so that their opens can be watched. COM3, the driver's, would open too; another
        # program holds COM7 while the tab is first shown.
        folder = self.session.config.out / "ports"
        folder.mkdir(exist_ok=True)
        present = {n: folder / f"com{n}" for n in (1, 3, 5, 7, 10)}
        for path in present.values():
            path.touch()
        with serial_ports(self.session, present), OpenWatch([present[1], present[3]]) as opened:
            holder = self.session.launch("tavrexauto.exe", "hold", r"\\.\COM7", 120000)
            self.assertEqual(holder.first_line(30), b"held")
            program, panel, page = self.open_page(PORT_TAB)
            holder.kill()
            self.assertEqual(self.session.auto("items", page, PORT_LIST), ["COM1", "COM3" + IN_USE, "COM5", "COM10"])
            self.assertEqual(self.state(page, PORT_LIST)["selected"], "1")
            self.assertEqual(opened(), {present[1]}, "the driver's port was opened, or the probe is not seen")
            self.assertIn(GET_PORT, self.requests())
            self.session.auto("pick", page, PORT_LIST, 3)
            self.session.screenshot("pages_serial_port")
            self.close_panel(panel, program, IDOK)
        self.assertEqual(self.session.value(PARAMETERS_KEY, "Port"), 10)

    def test_no_port_at_all_leaves_the_list_empty_and_the_stored_port_as_it_was(self):
        # The driver reports no port, and none opens: the stored one may just be unplugged right now.
        for stored, after in ((3, 3), (12, 0)):
            self.session.set_dword(PARAMETERS_KEY, "Port", 0)
            self.session.ctl("reload")
            self.session.set_dword(PARAMETERS_KEY, "Port", stored)
            with serial_ports(self.session, {}):
                program, panel, page = self.open_page(PORT_TAB)
                self.assertEqual(self.session.auto("items", page, PORT_LIST), [])
                self.assertEqual(self.state(page, PORT_LIST)["selected"], "-1")
                self.close_panel(panel, program, IDOK)
            self.assertEqual(self.session.value(PARAMETERS_KEY, "Port"), after)


class ScreenPositionPage(PageCase):
    def test_radio_buttons_set_the_code_and_enable_the_hidden_resolution_lists(self):
        program, panel, page = self.open_page(SCREEN_TAB)

        def checked():
            return [button for button in range(SINGLE, SPAN_BOTTOM + 1) if self.state(page, button)["checked"] == "1"]

        def lists():
            return [(self.state(page, res)["enabled"], self.state(page, res)["visible"])
                    for res in (PRIMARY_RES, SECONDARY_RES)]

        self.assertEqual(checked(), [ON_PRIMARY])
        self.assertEqual(lists(), [("1", "0"), ("0", "0")])
        for res in (PRIMARY_RES, SECONDARY_RES):
            self.assertEqual(self.session.auto("items", page, res), RESOLUTIONS)
            self.assertEqual(self.state(page, res)["selected"], "0")
        self.session.auto("click", page, ON_SECONDARY)
        harness.wait_until(checked, 20, "the checked button after a click on the secondary display",
                           expected=[ON_SECONDARY])
        self.assertEqual(lists(), [("0", "0"), ("1", "0")])
        self.session.auto("click", page, SPAN_LEFT)
        harness.wait_until(checked, 20, "the checked button after a click on the left half", expected=[SPAN_LEFT])
        self.assertEqual(lists(), [("0", "0"), ("0", "0")])
        self.session.screenshot("pages_screen_position")
        self.close_panel(panel, program, IDOK)
        self.assertEqual(self.session.value(PARAMETERS_KEY, "ScreenPost"), 17)


class CancelAfterChanges(PageCase):
    def test_cancel_after_changing_every_page_stores_nothing_and_the_beep_test_leaves_no_trace(self):
        before = self.stored()
        beep = self.session.ctl("beep")
        clicks = self.session.auto("doubleclicktime")
        with serial_ports(self.session, {1: "/dev/null", 4: "/dev/null"}):
            program, panel, page = self.open_page(BEEP_TAB)
            self.session.auto("slider", page, BEEP_FREQUENCY, 4500)
            self.session.auto("pick", page, BEEP_MODE, 0)
            self.beep_test(page)
            page = self.session.auto("page", panel, MOUSE_TAB)[0]
            self.session.auto("slider", page, CLICK_SPEED, 300)
            self.session.auto("pick", page, RIGHT_DELAY, 0)
            page = self.session.auto("page", panel, PORT_TAB)[0]
            self.assertEqual(self.session.auto("items", page, PORT_LIST), ["COM1", "COM3" + IN_USE, "COM4"])
            self.session.auto("pick", page, PORT_LIST, 2)
            page = self.session.auto("page", panel, SCREEN_TAB)[0]
            self.session.auto("click", page, SPAN_BOTTOM)
            harness.wait_until(lambda: self.state(page, SPAN_BOTTOM)["checked"], 20, "the bottom half checked",
                               expected="1")
            self.session.screenshot("pages_before_cancel")
            self.close_panel(panel, program, IDCANCEL)
        self.assertEqual(self.stored(), before)
        self.assertEqual(self.session.ctl("beep"), beep)
        self.assertEqual(self.session.auto("doubleclicktime"), clicks)

    def test_escape_and_the_close_box_end_the_panel_like_cancel(self):
        before = self.stored()
        for verb, what in (("key", 27), ("close", "box")):  # Escape, and the title bar's close box
            self.session.ctl("log", "--clear")
            program, panel, page = self.open_page(MOUSE_TAB)
            self.session.auto("slider", page, CLICK_SPEED, 300)
            self.session.auto(verb, panel, what)
            self.session.auto("gone", panel, 30000)
            self.finish(program)
            self.assertEqual((self.stored(), self.requests()[-1]), (before, RELOAD_REQUEST), verb)


if __name__ == "__main__":
    harness.main()

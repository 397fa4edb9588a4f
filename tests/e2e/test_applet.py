"""lintara.cpl under Wine against the stand-in driver, hosted as Windows hosts it (our cplhost.exe) and by
Wine's own control.exe: the item's answers, the three refusals, the panel with its tabs and placement,
OK storing every setting, Cancel storing nothing, the calibrate and about pages."""

import shutil
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import harness  # noqa: E402
from harness import (CALIBRATOR_CLASS, CALIBRATOR_TITLE, DIALOG, LOGO_INK, MOUSE_KEY, PANEL_TITLE,  # noqa: E402
                     PARAMETERS_KEY, SERVICE_KEY, TABS, TOOLS_KEY, VK_ESCAPE)
from panel_case import (RELOAD_REQUEST, STATE_REQUEST, PanelCase, applet_path, client_area,  # noqa: E402
                        parse_answers)

NOT_INSTALLED = "驱动未安装。"
RESTART_AFTER_INSTALL = "驱动安装完成后，必须重启系统，才能成功加载驱动。多谢合作！"
RESTART_AFTER_UPDATE = "驱动已经更新，必须重新启动系统，才能正常使用触摸屏。多谢合作！"
NO_CALIBRATOR = "Can't fine brennick.exe file."

POSITION_REQUEST = harness.request("GET_SCREEN_POSITION")
MOUSE_VALUES = ("DoubleClickSpeed", "DoubleClickHeight", "DoubleClickWidth")
IDC_CALIBRATE = harness.resource_id("IDC_CALIBRATE")
IDC_LOGO = harness.resource_id("IDC_LOGO")


def utf16_hex(text):
    return text.encode("utf-16-le").hex().upper()


class AppletCase(PanelCase):
    def assertBox(self, text, caption, owner, error_icon, name):
        box = self.session.wait_window(DIALOG, caption, 60000)
        info = self.session.info(box)
        self.assertEqual(info["owner"], int(owner, 16) if isinstance(owner, str) else owner, "message box owner")
        children = self.session.children(box)
        self.assertIn(text, [txt for _, cls, txt, _ in children if cls == "Static"])
        # The picture is a static without text, holding an icon only when the box has one.
        pictures = [control_id for control_id, cls, txt, _ in children if cls == "Static" and txt == ""]
        icons = [control_id for control_id in pictures if "icon 1" in self.session.auto("state", box, control_id)]
        self.assertEqual(len(icons), 1 if error_icon else 0, f"icons: {icons} of {pictures}")
        self.assertEqual([(i, txt) for i, cls, txt, _ in children if cls == "Button"], [(1, "确定")])
        self.assert_visual_styles(box, 1)
        self.session.screenshot(name)
        return box


class ItemAnswers(AppletCase):
    def test_the_host_learns_one_item_with_its_name_description_and_icon(self):
        code, out, err = self.session.run_windows("cplhost.exe", applet_path(self.session), "inquire", timeout=120)
        self.assertEqual(code, 0, out + err)
        answers = parse_answers(out)
        self.assertEqual(answers["init"], ["1"])
        self.assertEqual(answers["count"], ["1"])
        self.assertEqual(answers["inquire"], ["0"])
        self.assertEqual(answers["untouched"], ["1"], "CPL_INQUIRE wrote into the host's record")
        self.assertEqual(answers["newinquire"], ["0"])
        self.assertEqual((answers["size"], answers["kind"]), (answers["record"], ["W"]), "not a NEWCPLINFOW")
        if harness.pe_machine(self.session.deliverable("lintara.cpl")) == "i686":
            self.assertEqual(answers["size"], ["468"])
        self.assertEqual((answers["flags"], answers["help"], answers["data"]), (["0"], ["0"], ["0"]))
        self.assertEqual(answers["icon"], ["1"])
        self.assertEqual(answers["iconsize"], ["32x32"])
        self.assertEqual(answers["name"], [utf16_hex("Tavrex 设置")])
        self.assertEqual(answers["info"], [utf16_hex("Tavrex 控制面板")])
        self.assertEqual(answers["helpfile"], [""])
        self.assertEqual((answers["stop"], answers["exit"]), (["1"], ["0"]))


class Refusals(AppletCase):
    def test_updated_driver_is_refused_after_the_state_request_alone(self):
        self.session.ctl("state", "updated")
        self.session.ctl("log", "--clear")
        program, host = self.open_panel()
        box = self.assertBox(RESTART_AFTER_UPDATE, "提示", host, False, "applet_state_updated")
        self.session.auto("click", box, 1)
        self.finish(program)
        self.assertEqual(self.requests(), [STATE_REQUEST])
        self.assertFalse(self.session.window_exists(DIALOG, PANEL_TITLE))


class DriverNotLoaded(AppletCase):
    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.session.stop_driver()

    @classmethod
    def tearDownClass(cls):
        cls.session.start_driver()

    def setUp(self):
        pass

    def test_installed_but_not_loaded_asks_for_a_restart(self):
        self.assertTrue(self.session.key_exists(PARAMETERS_KEY))
        program, host = self.open_panel()
        box = self.assertBox(RESTART_AFTER_INSTALL, "提示", host, False, "applet_not_loaded")
        self.session.auto("click", box, 1)
        self.finish(program)
        self.assertFalse(self.session.window_exists(DIALOG, PANEL_TITLE))

    def test_not_installed_says_so_with_the_error_icon(self):
        saved = self.session.export_key(SERVICE_KEY, "applet_service.reg")
        self.session.delete_key(SERVICE_KEY)
        try:
            program, host = self.open_panel()
            box = self.assertBox(NOT_INSTALLED, "错误", host, True, "applet_not_installed")
            self.session.auto("click", box, 1)
            self.finish(program)
        finally:
            self.session.import_key(saved)
        self.assertFalse(self.session.window_exists(DIALOG, PANEL_TITLE))


class PanelRun(AppletCase):
    STORED = {
        "BeepMode": (3, 2), "BeepFreq1": (999, 2000), "BeepTime1": (751, 32), "BeepFreq2": (7, 2000),
        "BeepTime2": (9, 32), "MouseMode": (4, 3), "Port": (7, 7), "ScreenPost": (99, 99), "RBNDelay": (12345, 12345),
    }

    def store_values(self):
        self.session.set_values(PARAMETERS_KEY, {name: stored for name, (stored, _) in self.STORED.items()})
        self.session.set_values(MOUSE_KEY, dict(zip(MOUSE_VALUES, ("700", "4", "9"))))
        self.session.ctl("reload")
        self.session.ctl("log", "--clear")

    def test_ok_stores_every_setting_with_its_corrections_and_sets_the_double_click_time(self):
        self.store_values()
        program, host = self.open_panel()
        panel = self.wait_panel()
        self.assertEqual(self.session.info(panel)["owner"], int(host, 16))
        lines = self.session.auto("tabs", panel)
        self.assertEqual(lines[0], "selected 0", "the calibrate page is not the one shown")
        self.assertEqual(lines[1:], TABS)
        self.session.screenshot("applet_panel")
        # No settings tab is opened: their copies go back as they were loaded, out of range or not.
        self.session.auto("click", panel, 1)
        self.session.auto("gone", panel, 30000)
        self.finish(program)
        for name, (_, expected) in self.STORED.items():
            self.assertEqual(self.session.value(PARAMETERS_KEY, name), expected, name)
        self.assertEqual(self.session.value(MOUSE_KEY, "DoubleClickSpeed"), "700")
        self.assertEqual(self.session.value(MOUSE_KEY, "DoubleClickHeight"), "4")
        self.assertEqual(self.session.value(MOUSE_KEY, "DoubleClickWidth"), "4")
        self.assertEqual(self.session.auto("doubleclicktime"), ["700"])
        # The state check, the placement's screen position, and the close notice after the save.
        self.assertEqual(self.requests(), [STATE_REQUEST, POSITION_REQUEST, RELOAD_REQUEST])

    def test_mouse_values_that_do_not_read_as_text_go_back_as_their_fallbacks_and_short_texts_stand_alone(self):
        self.store_values()
        self.session.set_sz(MOUSE_KEY, "DoubleClickSpeed", "1234")
        # Two runs in one module load; the second reads shorter texts stored without their terminators.
        program, _ = self.open_panel(runs=2)
        for button, speed, height in ((2, "56", "7"), (1, None, None)):
            panel = self.wait_panel()
            if speed:
                self.session.auto("rawsz", MOUSE_KEY, "DoubleClickSpeed", speed)
                self.session.auto("rawsz", MOUSE_KEY, "DoubleClickHeight", height)
            self.session.auto("click", panel, button)
            self.session.auto("gone", panel, 30000)
        self.finish(program, runs=2)
        self.assertEqual([self.session.value(MOUSE_KEY, name) for name in MOUSE_VALUES], ["56", "7", "7"])
        self.assertEqual(self.session.auto("doubleclicktime"), ["56"])
        # Another type, and none at all: the fallbacks, not 0.
        self.session.set_dword(MOUSE_KEY, "DoubleClickSpeed", 500)
        self.session.delete_value(MOUSE_KEY, "DoubleClickHeight")
        program, _ = self.open_panel()
        self.close_panel(self.wait_panel(), program, 1)
        self.assertEqual([self.session.value(MOUSE_KEY, name) for name in MOUSE_VALUES], ["900", "40", "40"])
        self.assertEqual(self.session.auto("doubleclicktime"), ["900"])
        # A text without a digit: its fallback too, not 0 as the double-click time.
        self.session.set_sz(MOUSE_KEY, "DoubleClickSpeed", "abc")
        self.session.set_sz(MOUSE_KEY, "DoubleClickHeight", "6")
        program, _ = self.open_panel()
        self.close_panel(self.wait_panel(), program, 1)
        self.assertEqual([self.session.value(MOUSE_KEY, name) for name in MOUSE_VALUES], ["900", "6", "6"])
        self.assertEqual(self.session.auto("doubleclicktime"), ["900"])

    def test_cancel_after_visiting_every_tab_stores_nothing_yet_tells_the_driver(self):
        self.store_values()
        before = self.session.auto("doubleclicktime")
        program, _ = self.open_panel()
        panel = self.wait_panel()
        for index in list(range(len(TABS))) + [0]:
            self.session.auto("page", panel, index)
            self.assertEqual(self.session.auto("tabs", panel)[0], f"selected {index}")
            self.session.screenshot(f"applet_tab_{index + 1}")
        self.session.auto("click", panel, 2)
        self.session.auto("gone", panel, 30000)
        self.finish(program)
        for name, (stored, _) in self.STORED.items():
            self.assertEqual(self.session.value(PARAMETERS_KEY, name), stored, name)
        self.assertEqual(self.session.value(MOUSE_KEY, "DoubleClickSpeed"), "700")
        self.assertEqual(self.session.value(MOUSE_KEY, "DoubleClickHeight"), "4")
        self.assertEqual(self.session.value(MOUSE_KEY, "DoubleClickWidth"), "9")
        self.assertEqual(self.session.auto("doubleclicktime"), before)
        self.assertEqual(self.requests()[-1], RELOAD_REQUEST)

    def test_the_panel_moves_over_the_touch_screen(self):
        width, height = 1024, 768
        # On this one display, 18, 20 and 38 come back from beyond its right or bottom edge.
        expected = {17: (width // 8, height // 4), 18: (width - 440, height // 4), 19: (width // 4, height // 8),
                    20: (width // 4, height - 380), 38: (width - 440, height // 4), 16: None, 37: None}
        unmoved = None
        try:
            for code, place in expected.items():
                with self.subTest(code=code):
                    self.session.set_dword(PARAMETERS_KEY, "ScreenPost", code)
                    self.session.ctl("reload")
                    program, _ = self.open_panel()
                    panel = self.wait_panel()
                    left, top, right, bottom = self.session.info(panel)["rect"]
                    if place:
                        self.assertEqual((left, top, right - left, bottom - top), (*place, 440, 380))
                    else:
                        self.assertNotEqual((right - left, bottom - top), (440, 380))
                        unmoved = unmoved or (right - left, bottom - top)
                        self.assertEqual((right - left, bottom - top), unmoved, "a template-sized panel")
                    self.session.screenshot(f"applet_place_{code}")
                    self.session.auto("click", panel, 2)
                    self.session.auto("gone", panel, 30000)
                    self.finish(program)
        finally:
            self.session.set_dword(PARAMETERS_KEY, "ScreenPost", 16)
            self.session.ctl("reload")

    def test_the_sheet_and_every_page_fit_inside_the_panel_above_its_buttons(self):
        program, _ = self.open_panel()
        panel = self.wait_panel()
        page_windows = [self.session.auto("page", panel, index)[0] for index in range(len(TABS))]
        self.assert_visual_styles(panel, 1, 2)
        self.assert_visual_styles(page_windows[0], IDC_CALIBRATE)
        self.session.auto("page", panel, 1)
        self.session.screenshot("applet_fit")
        client = client_area(self.session.info(panel))
        children = self.session.children(panel)
        sheet_at = next(i for i, (_, cls, txt, _) in enumerate(children) if cls == DIALOG and txt == "")
        sheet = children[sheet_at][3]
        # The panel's own buttons come before the sheet; the sheet's hidden ones after its pages.
        buttons = [rect for control_id, cls, _, rect in children[:sheet_at]
                   if cls == "Button" and control_id in (1, 2)]
        self.assertEqual(len(buttons), 2, children)
        tabs = next(rect for _, cls, _, rect in children if cls == "SysTabControl32")
        where = f"sheet {sheet}, tabs {tabs}, client {client}, buttons {buttons}"
        self.assertTrue(client[0] <= sheet[0] and sheet[2] <= client[2] and sheet[3] <= client[3], where)
        self.assertGreaterEqual(tabs[1], client[1], where)
        self.assertLessEqual(sheet[3], min(button[1] for button in buttons), where)
        pages = [(txt, rect) for _, cls, txt, rect in children if cls == DIALOG and txt]
        self.assertEqual(sorted(txt for txt, _ in pages), sorted(TABS))
        for control_id, cls, txt, rect in children[sheet_at + 1:]:
            if cls == "Button" and control_id in (1, 2, 9, 0x3021):
                continue
            self.assertTrue(sheet[0] <= rect[0] and rect[2] <= sheet[2] and rect[3] <= sheet[3],
                            f"{control_id} {cls} {txt!r} at {rect} outside the {where}")
        self.session.auto("click", panel, 2)
        self.session.auto("gone", panel, 30000)
        self.finish(program)

    def test_two_runs_each_open_check_and_release_the_driver(self):
        program, _ = self.open_panel(runs=2)
        for _ in range(2):
            panel = self.wait_panel()
            self.session.auto("click", panel, 2)
            self.session.auto("gone", panel, 30000)
        self.finish(program, runs=2)
        codes = self.requests()
        self.assertEqual(codes.count(STATE_REQUEST), 2)
        self.assertEqual(codes.count(RELOAD_REQUEST), 2)


class Pages(AppletCase):
    def test_about_page_shows_the_logo_and_the_version(self):
        program, _ = self.open_panel()
        panel = self.wait_panel()
        page = self.session.auto("page", panel, 5)[0]
        controls = self.session.children(page)
        texts = [txt for _, cls, txt, _ in controls if cls == "Static"]
        self.assertIn("Halvery 驱动程序", texts)
        self.assertIn("版本 1.5.654", texts)
        logo = [rect for control_id, _, _, rect in controls if control_id == IDC_LOGO]
        self.assertEqual(len(logo), 1)
        shot = self.session.screenshot("applet_about")
        left, top, right, bottom = logo[0]
        inked = any(shot.pixel(x, (top + bottom) // 2) == LOGO_INK for x in range(left, right, 2))
        self.assertTrue(inked, "no logo ink across the picture control")
        self.session.auto("click", panel, 2)
        self.finish(program)

    def test_calibrate_starts_the_calibrator_from_a_folder_with_blanks(self):
        folder = Path(self.session.env["WINEPREFIX"]) / "drive_c" / "Program Files" / "Tavrex Tools"
        folder.mkdir(parents=True, exist_ok=True)
        shutil.copy(self.session.deliverable("brennick.exe"), folder / "brennick.exe")
        decoy = Path(self.session.env["WINEPREFIX"]) / "drive_c" / "Program.exe"
        shutil.copy(self.session.deliverable("cplhost.exe"), decoy)  # would print its usage and end, starting nothing
        self.session.reg("add", TOOLS_KEY, "/v", "FilePath", "/t", "REG_SZ", "/d",
                    r"C:\Program Files\Tavrex Tools", "/f")
        try:
            program, _ = self.open_panel()
            panel = self.wait_panel()
            page = self.session.auto("page", panel, 0)[0]
            self.session.auto("click", page, IDC_CALIBRATE)
            window = self.session.wait_window(CALIBRATOR_CLASS, CALIBRATOR_TITLE, 60000)
            self.session.screenshot("applet_calibrator_started")
            self.session.auto("key", window, VK_ESCAPE, "up")
            self.session.auto("gone", window, 30000)
            self.assertTrue(program.running(), "the panel went away with the calibrator")
            self.session.auto("click", panel, 2)
            self.finish(program)
        finally:
            decoy.unlink(missing_ok=True)

    def test_calibrate_without_a_calibrator_to_start_says_so_each_time_and_starts_nothing(self):
        code, _ = self.session.reg("query", TOOLS_KEY, check=False)
        saved = self.session.export_key(TOOLS_KEY, "applet_tools.reg") if code == 0 else None
        if saved:
            self.session.delete_key(TOOLS_KEY)
        # From C:\, a program planted there is what "\brennick.exe" would start.
        drive = Path(self.session.env["WINEPREFIX"]) / "drive_c"
        shutil.copy(self.session.deliverable("brennick.exe"), drive / "brennick.exe")
        (drive / "Empty").mkdir(exist_ok=True)
        # No key twice; no "FilePath", one of another type, an empty one, a folder without the calibrator.
        file_paths = [None, None, (), ("/t", "REG_DWORD", "/d", "1"), ("/d", ""), ("/d", r"C:\Empty")]
        try:
            program, _ = self.open_panel(cwd=drive)
            panel = self.wait_panel()
            page = self.session.auto("page", panel, 0)[0]
            for attempt, value in enumerate(file_paths):
                if value is not None:
                    self.session.reg("add", TOOLS_KEY, *(("/v", "FilePath", *value) if value else ()), "/f")
                self.session.auto("click", page, IDC_CALIBRATE)
                box = self.assertBox(NO_CALIBRATOR, "lintara", panel, False, f"applet_no_calibrator_{attempt}")
                self.session.auto("click", box, 1)
                self.session.auto("gone", box, 30000)
            self.assertFalse(self.session.window_exists(CALIBRATOR_CLASS, CALIBRATOR_TITLE))
            self.session.auto("click", panel, 2)
            self.finish(program)
        finally:
            (drive / "brennick.exe").unlink()
            self.session.reg("delete", TOOLS_KEY, "/f", check=False)
            if saved:
                self.session.import_key(saved)


class WineControlPanel(AppletCase):
    def test_wines_own_control_exe_opens_the_panel(self):
        program = self.session.launch(self.session.control_exe(), applet_path(self.session))
        panel = self.wait_panel()
        self.assertEqual(self.session.auto("tabs", panel)[1:], TABS)
        self.session.screenshot("applet_control_exe")
        self.session.auto("click", panel, 2)
        self.session.auto("gone", panel, 30000)
        program.wait(60)
        self.assertEqual(self.requests()[-1], RELOAD_REQUEST)


if __name__ == "__main__":
    harness.main()

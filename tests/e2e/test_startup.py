"""brennick's start-up under Wine against the stand-in driver: every refusal the user can meet, a second
instance, a silent controller, and the window over the calibration area."""

import sys
import time
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import harness  # noqa: E402
from harness import CALIBRATOR_CLASS as CLASS, CALIBRATOR_TITLE as TITLE  # noqa: E402
from harness import DIALOG, PARAMETERS_KEY, SERVICE_KEY, VK_ESCAPE, request  # noqa: E402

NOT_INSTALLED = "驱动未安装，无法校正。"
RESTART_AFTER_INSTALL = "驱动安装完成后，必须重启系统，才能成功加载驱动。多谢合作！"
RESTART_AFTER_UPDATE = "驱动已经更新，必须重新启动系统，才能正常使用触摸屏。多谢合作！"
WRONG_VERSION = "已安装的驱动程序版本不正确。"
PROMPT_CAPTION = " 提示"
BOX_CAPTION = "提示"

STATE_REQUEST = request("GET_DRIVER_STATE")
CONTROLLER_REQUEST = request("CONTROLLER_COMMAND")
ARM_REQUEST = request("ARM_SAMPLE")
ET3_FRAME = "01 45 54 33 0D"
GP_FRAME = "01 47 50 0D"

WS_POPUP = 0x80000000
WS_VISIBLE = 0x10000000
WS_CAPTION = 0x00C00000
WS_BORDER = 0x00800000
WS_THICKFRAME = 0x00040000
WS_EX_TOPMOST = 0x00000008


class StartupCase(harness.SessionCase):
    def setUp(self):
        for setting in (("controller", "answering"), ("state", "current"), ("version", "current"), ("log", "--clear")):
            self.session.ctl(*setting)

    def launch(self):
        return self.session.launch("brennick.exe")

    def assertExitsZero(self, program, timeout=30):
        self.assertEqual(program.wait(timeout), 0, f"{program.name} exit code")

    def assertPrompt(self, text, name):
        """The prompt dialog 104 with this text: caption, buttons, text control; OK ends it."""
        dialog = self.session.wait_window(DIALOG, PROMPT_CAPTION)
        controls = {control_id: (cls, txt) for control_id, cls, txt, _ in self.session.children(dialog)}
        self.assertEqual(controls.get(1001, (None, None))[1], text)
        self.assertEqual(controls.get(1), ("Button", "确定"))
        self.assertEqual(controls.get(2), ("Button", "取消"))
        self.session.screenshot(name)
        return dialog

    def assertMessageBox(self, text, name):
        """A message box without owner, with this text, caption "提示" and an OK button only."""
        box = self.session.wait_window(DIALOG, BOX_CAPTION)
        info = self.session.info(box)
        self.assertEqual(info["title"], BOX_CAPTION)
        self.assertEqual(info["owner"], 0)
        children = self.session.children(box)
        self.assertIn(text, [txt for _, cls, txt, _ in children if cls == "Static"])
        buttons = [(control_id, txt) for control_id, cls, txt, _ in children if cls == "Button"]
        self.assertEqual(buttons, [(1, "确定")])
        self.session.screenshot(name)
        return box

    def assertNoCalibrationWindow(self):
        self.assertFalse(self.session.window_exists(CLASS, TITLE), "a calibration window is up")

    def requests(self):
        return self.session.ctl("log")

    def controller_frames(self, frame):
        return [line for line in self.requests() if line.startswith(f"{CONTROLLER_REQUEST} {frame}")]

    def wait_request(self, prefix, count=1, timeout=30):
        """Waits until the driver has received count requests whose log line starts so; returns those."""
        return harness.wait_until(lambda: [line for line in self.requests() if line.startswith(prefix)], timeout,
                                  f"{count} request(s) {prefix}", done=lambda lines: len(lines) >= count)

    def end_calibrator(self, program, window):
        self.session.auto("key", window, VK_ESCAPE, "up")
        self.assertExitsZero(program)
        self.session.auto("gone", window, 5000)


class DriverNotLoaded(StartupCase):
    """The device does not open: what the Parameters key decides."""

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.session.stop_driver()  # as after an installation that has not been followed by a restart

    @classmethod
    def tearDownClass(cls):
        cls.session.start_driver()

    def setUp(self):
        pass  # the driver is not there to be set up

    def test_installed_but_not_loaded_asks_for_a_restart(self):
        self.assertTrue(self.session.key_exists(PARAMETERS_KEY), "the installation left no Parameters key")
        program = self.launch()
        box = self.assertMessageBox(RESTART_AFTER_INSTALL, "startup_not_loaded")
        self.assertNoCalibrationWindow()
        self.session.auto("click", box, 1)
        self.assertExitsZero(program)

    def test_not_installed_prompts_and_any_button_ends_it(self):
        saved = self.session.export_key(SERVICE_KEY, "tavrex_service.reg")
        self.session.delete_key(SERVICE_KEY)
        try:
            for button, shot in ((1, "startup_not_installed"), (2, "startup_not_installed_cancel")):
                with self.subTest(button=button):
                    program = self.launch()
                    dialog = self.assertPrompt(NOT_INSTALLED, shot)
                    self.assertEqual(self.session.info(dialog)["owner"], 0, "the prompt has an owner before any window")
                    self.assertNoCalibrationWindow()
                    self.session.auto("click", dialog, button)
                    self.assertExitsZero(program)
        finally:
            self.session.import_key(saved)
        self.assertTrue(self.session.key_exists(PARAMETERS_KEY))


class DriverLoaded(StartupCase):
    def test_updated_driver_asks_for_a_restart_and_sends_nothing_more(self):
        self.session.ctl("state", "updated")
        self.session.ctl("log", "--clear")
        program = self.launch()
        box = self.assertMessageBox(RESTART_AFTER_UPDATE, "startup_state_updated")
        self.assertNoCalibrationWindow()
        self.session.auto("click", box, 1)
        self.assertExitsZero(program)
        codes = [line.split()[0] for line in self.requests()]
        self.assertIn(STATE_REQUEST, codes)
        self.assertEqual(codes[-1], STATE_REQUEST, f"requests after the state request: {codes}")
        self.assertEqual(codes.count(STATE_REQUEST), 1)

    def test_old_driver_version_prompts(self):
        self.session.ctl("version", "old")
        program = self.launch()
        dialog = self.assertPrompt(WRONG_VERSION, "startup_old_version")
        self.assertNoCalibrationWindow()
        self.session.auto("click", dialog, 1)
        self.assertExitsZero(program)
        self.assertEqual(self.controller_frames(""), [], "a controller command after the refusal")

    def test_second_instance_brings_the_first_to_the_front(self):
        first = self.launch()
        window = self.session.wait_window(CLASS, TITLE)
        # Something else takes the foreground first, so that coming to the front is something that happens.
        notepad = self.session.launch("C:\\windows\\notepad.exe")
        editor = self.session.wait_window("Notepad", "*")
        harness.wait_until(lambda: self.session.auto("foreground")[0], 10, "notepad in the foreground", editor)

        second = self.launch()
        self.assertExitsZero(second)
        self.assertEqual(self.session.auto("foreground")[0], window)
        windows = [line for line in self.session.auto("zorder") if f" {CLASS} " in line]
        self.assertEqual(len(windows), 1, windows)
        self.assertFalse(self.session.window_exists(DIALOG, "*"), "the second instance said something")
        self.session.screenshot("startup_second_instance")
        self.assertTrue(first.running())
        notepad.kill()
        self.end_calibrator(first, window)

    def test_silent_controller_still_opens_the_window_after_five_attempts(self):
        self.session.ctl("controller", "silent")
        self.session.ctl("log", "--clear")
        program = self.launch()
        started = time.monotonic()
        window = self.session.wait_window(CLASS, TITLE)
        # Five attempts, each followed by 2000 + 50 ms: the fifth is sent no sooner than 4 x 2050 ms in.
        self.assertEqual(len(self.wait_request(f"{CONTROLLER_REQUEST} {ET3_FRAME}", 5)), 5)
        self.assertGreaterEqual(time.monotonic() - started, 4 * 2.05)
        # After the last wait the first target shows and asks the driver for a touch.
        self.assertTrue(self.wait_request(ARM_REQUEST), "the first target never asked for a touch")
        self.assertTrue(program.running())
        self.assertEqual(len(self.controller_frames(ET3_FRAME)), 5, "more than five attempts")
        self.assertEqual(self.controller_frames(GP_FRAME), [], "GP sent although ET3 was never acknowledged")
        info = self.session.info(window)
        self.assertTrue(info["visible"])
        self.session.screenshot("startup_silent_controller")
        self.end_calibrator(program, window)


class CalibrationArea(StartupCase):
    """The window stands exactly over the area that the screen-position code names."""

    screen = None

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.screen = next(rect for _, rect, is_primary in cls.session.monitors() if is_primary)

    @classmethod
    def tearDownClass(cls):
        cls.session.set_dword(PARAMETERS_KEY, "ScreenPost", 16)
        cls.session.ctl("reload")

    def check_area(self, code, expected, name):
        self.session.set_dword(PARAMETERS_KEY, "ScreenPost", code)
        self.session.ctl("reload")  # the driver reads the screen position from its key
        self.session.ctl("log", "--clear")
        program = self.launch()
        window = self.session.wait_window(CLASS, TITLE)
        info = self.session.info(window)
        self.assertEqual(info["class"], CLASS)
        self.assertEqual(info["title"], TITLE)
        self.assertEqual(info["rect"], expected)
        self.assertEqual(info["client"], (0, 0, expected[2] - expected[0], expected[3] - expected[1]))
        self.assertTrue(info["topmost"])
        self.assertTrue(info["exstyle"] & WS_EX_TOPMOST)
        self.assertEqual(info["style"] & (WS_POPUP | WS_VISIBLE), WS_POPUP | WS_VISIBLE)
        self.assertEqual(info["style"] & (WS_CAPTION | WS_BORDER | WS_THICKFRAME), 0)
        self.assertEqual(info["owner"], 0)
        # An acknowledging controller: one ET3, then GP once.
        self.wait_request(f"{CONTROLLER_REQUEST} {GP_FRAME}")
        self.assertEqual(len(self.controller_frames(ET3_FRAME)), 1)
        self.assertEqual(len(self.controller_frames(GP_FRAME)), 1)
        self.session.screenshot(name)
        self.end_calibrator(program, window)

    def test_code_16_covers_the_whole_screen(self):
        self.assertEqual(self.screen, (0, 0, 1024, 768))
        self.check_area(16, self.screen, "startup_area_16")

    def test_code_18_covers_the_right_half(self):
        left, top, right, bottom = self.screen
        self.check_area(18, (right // 2, top, right, bottom), "startup_area_18")


class TwoMonitors(StartupCase):
    """Codes 37 and 38 name the monitors DISPLAY1 and DISPLAY2 of a two-screen desktop."""

    screens = 2
    monitors = None

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.monitors = {name: rect for name, rect, _ in cls.session.monitors()}
        if set(cls.monitors) != {"\\\\.\\DISPLAY1", "\\\\.\\DISPLAY2"}:
            raise unittest.SkipTest(f"Wine shows these monitors on two Xvfb screens: {cls.monitors}")

    def check_monitor(self, code, name, shot):
        self.session.set_dword(PARAMETERS_KEY, "ScreenPost", code)
        self.session.ctl("reload")
        program = self.launch()
        window = self.session.wait_window(CLASS, TITLE)
        info = self.session.info(window)
        self.assertEqual(info["rect"], self.monitors[name])
        self.assertTrue(info["topmost"])
        self.session.screenshot(shot)
        self.end_calibrator(program, window)

    def test_code_37_covers_display1(self):
        self.check_monitor(37, "\\\\.\\DISPLAY1", "startup_area_37")

    def test_code_38_covers_display2(self):
        self.check_monitor(38, "\\\\.\\DISPLAY2", "startup_area_38")


if __name__ == "__main__":
    harness.main()

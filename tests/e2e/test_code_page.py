"""The tools on a Western Windows (code page 1252): every text they show reads as their sources write it, read
back as UTF-16, and the calibrate tab starts the calibrator from a folder named in Chinese."""

import shutil
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import harness  # noqa: E402
from harness import (BEEP_MODES, CALIBRATOR_CLASS, CALIBRATOR_TEXTS, CALIBRATOR_TITLE, DELAYS, DIALOG,  # noqa: E402
                     DRIVER_TEXTS, IN_USE, MOUSE_MODES, PANEL_TEXTS, PARAMETERS_KEY, RESOLUTIONS, TABS, TOOLS_KEY,
                     VK_ESCAPE, dialog_texts, resource_id)
from panel_case import PanelCase, applet_path, parse_answers, serial_ports  # noqa: E402

PAGES = ["IDD_CALIBRATE", "IDD_BEEP", "IDD_MOUSE_MODE", "IDD_SERIAL_PORT", "IDD_SCREEN_POSITION", "IDD_ABOUT"]
LISTS = {1: {"IDC_BEEP_MODE": BEEP_MODES}, 2: {"IDC_MOUSE_MODE": MOUSE_MODES, "IDC_RIGHT_DELAY": DELAYS},
         3: {"IDC_PORT_LIST": ["COM1", "COM3" + IN_USE]}, 4: {"IDC_PRIMARY_RES": RESOLUTIONS}}
PROMPT_TEXT = 1001  # the calibrator's prompt, dialog 104
CHINESE_FOLDER = "触摸屏工具"


class WesternWindows(PanelCase):
    lang = "en_US.UTF-8"

    def assertDialog(self, window, template):
        """Every text lintara.rc gives the template's controls, as the window shows it; returns its caption."""
        caption, defined = dialog_texts(template)
        # Every descendant: the panel's own OK and Cancel share their ids with the hidden ones of its sheet.
        children = self.session.children(window)
        for control_id, text in defined:
            shown = [shown for child_id, _, shown, _ in children if control_id in (None, child_id)]
            self.assertIn(text, shown, f"{template}, control {control_id}")
        return caption

    def assertBox(self, program, caption, text):
        """A message box with this caption and text; OK ends it and its program."""
        box = self.session.wait_window(DIALOG, caption)
        self.assertIn(text, [shown for _, _, shown, _ in self.session.children(box)])
        self.session.auto("click", box, 1)
        self.assertEqual(program.wait(60), 0, f"{program.name} exit code")

    def test_every_text_reads_as_written_and_a_folder_named_in_chinese_starts_the_calibrator(self):
        # The session really runs in another code page than the tools' own.
        code, out, _ = self.session.run_windows("cmd", "/c", "chcp")
        self.assertEqual(code, 0)
        self.assertNotIn("936", out, "Wine still runs in code page 936")

        # The calibrator: its prompt, then a message box.
        self.session.ctl("version", "old")
        program = self.session.launch("brennick.exe")
        prompt = self.session.wait_window(DIALOG, CALIBRATOR_TEXTS["kPromptNotice"])
        self.assertEqual({control_id: text for control_id, _, text, _ in self.session.children(prompt)},
                         {PROMPT_TEXT: CALIBRATOR_TEXTS["kWrongDriverVersion"], 1: "确定", 2: "取消"})
        self.session.screenshot("code_page_prompt")
        self.session.auto("click", prompt, 1)
        self.assertEqual(program.wait(60), 0, "brennick.exe exit code")
        self.session.ctl("version", "current")
        self.session.ctl("state", "updated")
        self.assertBox(self.session.launch("brennick.exe"), DRIVER_TEXTS["kNotice"], DRIVER_TEXTS["kRestartAfterUpdate"])

        # The applet: its message box, and the item as the Control Panel lists it.
        program, _ = self.open_panel()
        self.assertBox(program, DRIVER_TEXTS["kNotice"], DRIVER_TEXTS["kRestartAfterUpdate"])
        self.session.ctl("state", "current")
        code, out, err = self.session.run_windows("cplhost.exe", applet_path(self.session), "inquire", timeout=120)
        self.assertEqual(code, 0, out + err)
        answers = parse_answers(out)
        self.assertEqual(answers["kind"], ["W"])
        self.assertEqual([bytes.fromhex(answers[name][0]).decode("utf-16-le") for name in ("name", "info")],
                         [PANEL_TEXTS["kItemName"], PANEL_TEXTS["kItemDescription"]])

        # The panel, every page and its lists, then the calibrator started from a folder named in Chinese.
        folder = Path(self.session.env["WINEPREFIX"]) / "drive_c" / CHINESE_FOLDER
        folder.mkdir(exist_ok=True)
        shutil.copy(self.session.deliverable("brennick.exe"), folder / "brennick.exe")
        self.session.set_values(TOOLS_KEY, {"FilePath": "C:\\" + CHINESE_FOLDER})
        self.session.set_values(PARAMETERS_KEY, {"Port": 3})
        self.session.ctl("reload")
        with serial_ports(self.session, {1: "/dev/null"}):
            program, _ = self.open_panel()
            panel = self.wait_panel()  # found by its title
            self.assertDialog(panel, "IDD_PANEL")
            self.assertEqual(self.session.auto("tabs", panel)[1:], TABS)
            pages = []
            for index, template in enumerate(PAGES):
                pages.append(self.session.auto("page", panel, index)[0])
                self.assertEqual(self.assertDialog(pages[-1], template), TABS[index])
                for name, items in LISTS.get(index, {}).items():
                    self.assertEqual(self.session.auto("items", pages[-1], resource_id(name)), items, name)
            self.session.screenshot("code_page_panel")
            self.session.auto("page", panel, 0)
            self.session.auto("click", pages[0], resource_id("IDC_CALIBRATE"))
            window = self.session.wait_window(CALIBRATOR_CLASS, CALIBRATOR_TITLE, 60000)
            self.session.screenshot("code_page_calibrator")
            self.session.auto("key", window, VK_ESCAPE, "up")
            self.session.auto("gone", window, 30000)
            self.close_panel(panel, program, 2)


if __name__ == "__main__":
    harness.main()

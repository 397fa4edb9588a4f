"""A whole calibration under Wine against the stand-in driver: the targets on screen, the trial the
driver receives, the controller frames, the question, the stored values; Cancel and ESC."""

import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import harness  # noqa: E402
from calibrator_case import CONTROLLER_PASS, CalibratorCase  # noqa: E402
from harness import CONFIRM_CAPTION, DIALOG, PARAMETERS_KEY, SKY, VK_ESCAPE, request  # noqa: E402

CONFIRM_TEXT = "鼠标指针可以准确跟随手指触点了吗?"

SET_CALIBRATION = request("SET_CALIBRATION")
RELOAD = request("RELOAD_SETTINGS")
ARM = request("ARM_SAMPLE")
CONTROLLER = request("CONTROLLER_COMMAND")
SP_FRAME = "01 53 50 B0 0B B0 0B 00 0C 00 0C 0D"
ET0_FRAME = "01 45 54 30 0D"

# Touches of an upright panel, and what the calibrator makes of them on one 1024 x 768 monitor.
CONTROLLER_RECORD = [1960, 1900, 3840, 4000, 0, 4096, 0, 4096, 0] + [0] * 8
CORNER_PASS = [(16, (1000, 900)), (32, (3000, 2900)), (256, (1010, 2890)), (288, (2990, 910))]
CORNER_RECORD = [2000, 1900, 3980, 3980, 0, 4096, 0, 4096, 0, 2000, 1900, 4000, 4000, 2000, 1900, 3960, 3960]
# A panel with swapped axes: the same corners give Rotate 90.
SWAPPED_PASS = [(16, (900, 1000)), (32, (2900, 3000)), (256, (2890, 1010)), (288, (910, 2990))]

STORED_ORDER = ["Xc", "XL", "Yc", "YL", "Shp", "Shs", "Svp", "Svs", "Rotate"]
STORED_FIELD = {"Xc": 0, "Yc": 1, "XL": 2, "YL": 3, "Rotate": 4, "Shp": 5, "Shs": 6, "Svp": 7, "Svs": 8}


def record_bytes(fields):
    return " ".join(f"{b:02X}" for value in fields for b in (value & 0xFFFFFFFF).to_bytes(4, "little"))


class CalibrationCase(CalibratorCase):
    def stored(self):
        """The calibration values of the Parameters key, as signed numbers."""
        return {name: value for name, value in self.session.dwords(PARAMETERS_KEY).items() if name in STORED_FIELD}

    def confirmation(self, name):
        dialog = self.session.wait_window(DIALOG, CONFIRM_CAPTION)
        texts = {control_id: text for control_id, _, text, _ in self.session.children(dialog)}
        self.assertEqual(texts.get(1001), CONFIRM_TEXT)
        self.assertEqual(texts.get(1), "确定")
        self.assertEqual(texts.get(2), "取消")
        shot = self.session.screenshot(name)
        # No target is left on screen behind the question.
        for code, centre in self.centres.items():
            if code != 64:  # the inner-near target sits on the instruction line
                self.assertEqual(shot.pixel(*centre), SKY, f"target {code} behind the question")
        return dialog

    def confirm_and_check_store(self, record, name):
        dialog = self.confirmation(name)
        self.assertEqual(self.stored(), {}, "stored before the answer")
        self.session.auto("click", dialog, 1)
        self.assertEqual(self.program.wait(30), 0)
        stored = self.stored()
        self.assertEqual(stored, {n: record[STORED_FIELD[n]] for n in STORED_ORDER})
        self.assertEqual(self.session.ctl("calibration")[0], " ".join(map(str, record)),
                         "the driver keeps the confirmed trial")
        self.assertNotIn(RELOAD, [line.split()[0] for line in self.requests()])

    def trial_records(self):
        return [line[len(SET_CALIBRATION) + 1:] for line in self.requests() if line.startswith(SET_CALIBRATION)]


class ControllerLayout(CalibrationCase):
    controller = "answering"

    def test_whole_calibration_loads_linearity_and_stores_on_ok(self):
        self.run_pass(CONTROLLER_PASS, "controller")
        dialog = self.session.wait_window(DIALOG, CONFIRM_CAPTION)
        self.assertEqual(self.trial_records(), [record_bytes(CONTROLLER_RECORD)])
        requests = self.requests()
        applied = next(i for i, line in enumerate(requests) if line.startswith(SET_CALIBRATION))
        frames = [line[len(CONTROLLER) + 1:] for line in requests[applied:] if line.startswith(CONTROLLER)]
        self.assertTrue(frames[0].startswith(SP_FRAME), frames)
        self.assertEqual(self.session.ctl("linearity"), ["2992 3072"])
        self.assertTrue(frames[-1].startswith(ET0_FRAME), "the controller leaves calibration mode")
        # The calibrator's own manifest brings the common controls 6.0: only they know a button's ideal size.
        self.assertNotEqual(self.session.auto("idealsize", dialog, 1), ["0 0"])
        self.confirm_and_check_store(CONTROLLER_RECORD, "controller_question")
        # The end sends "ET0" once more and no reload.
        frames = [line for line in self.requests() if line.startswith(f"{CONTROLLER} {ET0_FRAME}")]
        self.assertEqual(len(frames), 2)

    def test_escape_while_a_target_shows_leaves_with_the_stored_calibration(self):
        self.wait_target(16, "escape_first_target")
        self.session.auto("key", self.window, VK_ESCAPE, "up")
        self.assertEqual(self.program.wait(30), 0)
        codes = [line.split()[0] for line in self.requests()]
        et0 = [i for i, line in enumerate(self.requests()) if line.startswith(f"{CONTROLLER} {ET0_FRAME}")]
        self.assertEqual(len(et0), 1)
        self.assertIn(RELOAD, codes[et0[0]:])
        self.assertNotIn(SET_CALIBRATION, codes)
        self.assertEqual(self.stored(), {})
        self.assertEqual(self.session.ctl("calibration")[0].split()[:4], ["892", "520", "1114", "812"])


class CornerLayout(CalibrationCase):
    controller = "silent"

    def test_whole_calibration_in_the_corner_layout(self):
        self.run_pass(CORNER_PASS, "corner")
        # The trial is applied before the question shows; the last touch alone does not mean it has been.
        self.session.wait_window(DIALOG, CONFIRM_CAPTION)
        self.assertEqual(self.trial_records(), [record_bytes(CORNER_RECORD)])
        self.assertFalse([line for line in self.requests() if line.startswith(CONTROLLER) and "53 50" in line],
                         "no linearity values without a controller that answers")
        self.confirm_and_check_store(CORNER_RECORD, "corner_question")

    def test_cancel_withdraws_the_trial_and_starts_a_new_pass(self):
        self.run_pass(CORNER_PASS, "cancel_first")
        dialog = self.confirmation("cancel_question")
        self.session.ctl("log", "--clear")
        self.session.auto("click", dialog, 2)
        # A new pass: the withdrawal, then the first target again.
        self.wait_target(16, "cancel_second_pass")
        codes = [line.split()[0] for line in self.requests()]
        self.assertIn(RELOAD, codes)
        self.assertLess(codes.index(RELOAD), codes.index(ARM))
        self.assertEqual(self.session.ctl("calibration")[0].split()[:4], ["892", "520", "1114", "812"],
                         "the trial was withdrawn")
        self.assertEqual(self.stored(), {})
        # The second pass on a panel with swapped axes is stored as such.
        self.run_pass(SWAPPED_PASS, "cancel_swapped")
        self.confirmation("cancel_second_question")
        dialog = self.session.wait_window(DIALOG, CONFIRM_CAPTION)
        self.session.auto("click", dialog, 1)
        self.assertEqual(self.program.wait(30), 0)
        stored = self.stored()
        self.assertEqual(stored["Rotate"], 90)
        self.assertEqual((stored["Xc"], stored["Yc"], stored["XL"], stored["YL"]), (1900, 2000, 3980, 3980))


if __name__ == "__main__":
    harness.main()

"""What the calibrator's e2e files share: brennick started on a driver key without a calibration, its targets
found on screen and their drawing checked, the driver's requests read back."""

import harness
from harness import CALIBRATOR_CLASS, CALIBRATOR_TITLE, ORANGE, PARAMETERS_KEY, SKY, WHITE, YELLOW

READ = harness.request("READ_SAMPLE")
# Touches of an upright panel in the controller layout, target by target.
CONTROLLER_PASS = [(16, (1000, 900)), (64, (1480, 1400)), (128, (2520, 2400)), (32, (3000, 2900))]
# Where a target's glyph is drawn, from its top left corner, 54 pixels square: ticks, outer disc, background.
GLYPH = [((5, 27), ORANGE, "left tick"), ((27, 5), ORANGE, "top tick"), ((27, 50), ORANGE, "bottom tick"),
         ((39, 39), WHITE, "outer disc"), ((2, 2), SKY, "the glyph's corner"), ((60, 2), SKY, "beside the glyph")]


def targets(area):
    """Target centres in screen coordinates for a calibration area (left, top, right, bottom)."""
    left, top, right, bottom = area
    w, h = right - left, bottom - top
    x1, x3, y1, y3 = w // 4, 3 * w // 4, h // 4, 3 * h // 4
    centres = {16: (x1, y1), 32: (x3, y3), 64: ((3 * x1 + x3) // 4, (3 * y1 + y3) // 4),
               128: ((x1 + 3 * x3) // 4, (y1 + 3 * y3) // 4), 256: (x1, y3), 288: (x3, y1)}
    return {code: (left + x, top + y) for code, (x, y) in centres.items()}


class CalibratorCase(harness.SessionCase):
    """A case on a calibrator started for it, over the area that screen_position names."""

    screen_position = 16
    controller = "answering"

    def setUp(self):
        # A driver key with no calibration in it, read afresh by the driver.
        self.session.delete_key(PARAMETERS_KEY)
        self.session.set_dword(PARAMETERS_KEY, "ScreenPost", self.screen_position)
        for setting in (("reload",), ("controller", self.controller), ("state", "current"), ("version", "current"),
                        ("log", "--clear")):
            self.session.ctl(*setting)
        self.program = self.session.launch("brennick.exe")
        self.window = self.session.wait_window(CALIBRATOR_CLASS, CALIBRATOR_TITLE)
        self.area = self.session.info(self.window)["rect"]
        self.centres = targets(self.area)

    def requests(self):
        """The driver's log without the polling for a touch."""
        return [line for line in self.session.ctl("log") if not line.startswith(READ)]

    # A silent controller holds the first paint back for the five greetings (about 10 s); an emulated
    # 32-bit calibrator paints a few times slower.
    def wait_target(self, code, name, timeout=40):
        """Waits until the target's glyph is on screen; checks its drawing; returns the screenshot."""
        x, y = self.centres[code]
        shot = harness.wait_until(lambda: self.session.screenshot(name), timeout, f"target {code} at {x},{y}",
                                  done=lambda shot: shot.pixel(x, y) == YELLOW)
        for (dx, dy), colour, part in GLYPH:
            self.assertEqual(shot.pixel(x - 27 + dx, y - 27 + dy), colour, f"target {code}: {part}")
        return shot

    def run_pass(self, touches, name):
        """Shows each target, touches it, and checks that the earlier target has gone."""
        previous = None
        for index, (code, (rx, ry)) in enumerate(touches):
            shot = self.wait_target(code, f"{name}_target{index + 1}_{code}")
            if previous is not None:
                self.assertEqual(shot.pixel(*self.centres[previous]), SKY, f"target {previous} still shown")
            self.session.ctl("touch", rx, ry)
            previous = code

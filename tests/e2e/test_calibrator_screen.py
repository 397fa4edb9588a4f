"""The calibration window as the user sees it under Wine: the instruction line and how targets cover
and restore it, a half-display area with its targets and stretched background, and the confirmation
question's keyboard and close box."""

import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import harness  # noqa: E402
from calibrator_case import CONTROLLER_PASS, CalibratorCase  # noqa: E402
from harness import CONFIRM_CAPTION, DIALOG, PARAMETERS_KEY, SKY, TEXT, VK_RETURN  # noqa: E402

RELOAD = harness.request("RELOAD_SETTINGS")
ARM = harness.request("ARM_SAMPLE")

SCREEN = (1024, 768)


def text_pixels(rows, left=0, top=0):
    """The positions that carry the instruction line's exact colour."""
    return {(left + x, top + y) for y, row in enumerate(rows) for x, colour in enumerate(row) if colour == TEXT}


def centring_error(line, left, right):
    """How much more room the line leaves on its right than on its left, in an area's columns [left, right).

    The line ends in a full-width stop whose ink sits at the left of its cell, so a centred line leaves
    up to about half a character more on the right.
    """
    return (right - 1 - max(x for x, _ in line)) - (min(x for x, _ in line) - left)


class ScreenCase(CalibratorCase):
    def instruction_rows(self):
        """Top and bottom rows of the band the instruction line may take: from 3/8 of the area's height."""
        left, top, right, bottom = self.area
        band_top = top + (bottom - top) * 3 // 8
        return band_top, band_top + 24


class InstructionLine(ScreenCase):
    screen_position = 16

    def test_line_sits_at_three_eighths_is_covered_by_a_target_and_restored(self):
        left, top, right, bottom = self.area
        self.assertEqual((left, top, right, bottom), (0, 0) + SCREEN)
        band_top, band_bottom = self.instruction_rows()
        first = self.wait_target(16, "screen_instruction_first")
        # Everything from just above the band to its end, across the whole width.
        above = 8
        rows = first.region(0, band_top - above, SCREEN[0], band_bottom - band_top + above)
        line = text_pixels(rows, 0, band_top - above)
        self.assertGreater(len(line), 200, "the instruction line is drawn in RGB(32, 32, 255)")
        self.assertGreaterEqual(min(y for _, y in line), band_top, "the line starts at 3/8 of the height")
        self.assertLess(max(y for _, y in line), band_top + 20, "one line of a 16-unit font")
        self.assertIn(centring_error(line, 0, SCREEN[0]), range(0, 17), "centred in the width")
        # Nothing else on the screen has that colour.
        whole = text_pixels(first.region(0, 0, SCREEN[0], SCREEN[1]))
        self.assertEqual(whole, line)

        # The inner-near target sits on the line: its 54 x 54 block hides the text it covers.
        self.session.ctl("touch", *CONTROLLER_PASS[0][1])
        x, y = self.centres[64]
        covered = self.wait_target(64, "screen_instruction_covered")
        block = text_pixels(covered.region(x - 27, y - 27, 54, 54), x - 27, y - 27)
        self.assertEqual(block, set(), "no text inside the glyph's block")
        under = {(px, py) for px, py in line if x - 27 <= px < x + 27 and y - 27 <= py < y + 27}
        self.assertTrue(under, "the block does cover part of the line")
        outside = text_pixels(covered.region(0, band_top - above, SCREEN[0], band_bottom - band_top + above),
                              0, band_top - above)
        self.assertEqual(outside, line - under, "the rest of the line stays")

        # The next target restores the whole line.
        self.session.ctl("touch", *CONTROLLER_PASS[1][1])
        restored = self.wait_target(128, "screen_instruction_restored")
        self.assertEqual(text_pixels(restored.region(0, band_top - above, SCREEN[0], band_bottom - band_top + above),
                                     0, band_top - above), line)


class HalfAreaChecks(ScreenCase):
    """Codes 17 to 20 take a half of the display; 17 (left half) and 20 (bottom half) show both axes."""

    def check_half(self, expected, name):
        self.assertEqual(self.area, expected)
        left, top, right, bottom = self.area
        first = self.wait_target(16, f"{name}_first")
        # The background fills exactly the area: its corners are light blue, just outside is not ours.
        for x, y in ((left, top), (right - 1, top), (left, bottom - 1), (right - 1, bottom - 1)):
            self.assertEqual(first.pixel(x, y), SKY, f"area corner {x},{y}")
        if right < SCREEN[0]:
            self.assertNotEqual(first.pixel(right + 1, (top + bottom) // 2), SKY, "right of the area")
        if top > 0:
            self.assertNotEqual(first.pixel((left + right) // 2, top - 2), SKY, "above the area")
        # The instruction line follows the area: 3/8 of its height, centred in its width.
        band_top, band_bottom = self.instruction_rows()
        line = text_pixels(first.region(left, band_top - 8, right - left, band_bottom - band_top + 8),
                           left, band_top - 8)
        self.assertTrue(line, "the instruction line is inside the area")
        self.assertGreaterEqual(min(y for _, y in line), band_top)
        self.assertIn(centring_error(line, left, right), range(0, 17), "centred in the area's width")

        # Each target at its quarter of the area, alone on the screen.
        self.run_pass(CONTROLLER_PASS, name)
        dialog = self.session.wait_window(DIALOG, CONFIRM_CAPTION, 15000)
        self.session.auto("click", dialog, 2)
        self.wait_target(16, f"{name}_second_pass")


class LeftHalf(HalfAreaChecks):
    screen_position = 17

    def test_left_half(self):
        self.check_half((0, 0, SCREEN[0] // 2, SCREEN[1]), "screen_half_17")


class BottomHalf(HalfAreaChecks):
    screen_position = 20

    def test_bottom_half(self):
        self.check_half((0, SCREEN[1] // 2) + SCREEN, "screen_half_20")


class ConfirmationKeys(ScreenCase):
    screen_position = 16

    def confirmation(self, name):
        self.run_pass(CONTROLLER_PASS, name)
        return self.session.wait_window(DIALOG, CONFIRM_CAPTION, 15000)

    def stored(self):
        return self.session.value(PARAMETERS_KEY, "Xc")

    def test_enter_confirms_because_ok_is_the_default_button(self):
        dialog = self.confirmation("screen_enter")
        # The dialog ends as the key goes down: a key-up posted after that would find no window.
        self.session.auto("key", dialog, VK_RETURN, "down")
        self.assertEqual(self.program.wait(15), 0)
        self.assertIsNotNone(self.stored(), "Enter stored the calibration")

    def test_close_box_counts_as_cancel(self):
        dialog = self.confirmation("screen_close_box")
        self.session.ctl("log", "--clear")
        self.session.auto("close", dialog, "box")
        self.wait_target(16, "screen_close_box_next_pass")
        codes = [line.split()[0] for line in self.requests()]
        self.assertIn(RELOAD, codes, "the trial is withdrawn")
        self.assertLess(codes.index(RELOAD), codes.index(ARM), "before the next pass")
        self.assertTrue(self.program.running())
        self.assertIsNone(self.stored(), "nothing stored")


if __name__ == "__main__":
    harness.main()

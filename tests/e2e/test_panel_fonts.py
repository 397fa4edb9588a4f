"""lintara.cpl's panel moved over a touch screen beside or below a display that is not there, at every font
size of the display: its own buttons and its tabs stay inside it, and it stays on the desktop. A file of its
own, since Wine reads the font size only when it starts."""

import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import harness  # noqa: E402
from harness import DIALOG, PARAMETERS_KEY  # noqa: E402
from panel_case import PanelCase, client_area  # noqa: E402


class FontSizes(PanelCase):
    def test_the_moved_panel_shows_its_buttons_and_tabs_at_every_font_size(self):
        width, height = 1024, 768  # the one display
        # Where the codes would put it beside or below a second display that is not there.
        beyond = {18: (5 * width // 8, height // 4), 20: (width // 4, 5 * height // 8),
                  38: (5 * width // 4, height // 4)}
        current_dpi = 96  # a fresh prefix: Wine's own setting
        for dpi, code in ((96, 18), (96, 20), (96, 38), (120, 20), (144, 20)):
            if dpi != current_dpi:
                self.set_dpi(dpi)
                current_dpi = dpi
            self.session.set_dword(PARAMETERS_KEY, "ScreenPost", code)
            self.session.ctl("reload")
            program, _ = self.open_panel()
            panel = self.wait_panel()
            info = self.session.info(panel)
            left, top, right, bottom = info["rect"]
            size = (right - left, bottom - top)
            # The panel's own OK and Cancel come before the sheet, whose hidden ones have the same ids.
            children = self.session.children(panel)
            sheet_at = next(i for i, (_, cls, txt, _) in enumerate(children) if cls == DIALOG and not txt)
            shown = [c[3] for c in children[:sheet_at] if c[0] in (1, 2)]
            shown += [c[3] for c in children if c[1] == "SysTabControl32"]
            area = client_area(info)
            self.assertEqual(len(shown), 3, shown)
            for left_, top_, right_, bottom_ in shown:
                self.assertTrue(area[0] <= left_ and area[1] <= top_ and right_ <= area[2] and bottom_ <= area[3],
                                (dpi, code, info, shown))
            self.assertTrue(0 <= left and 0 <= top and right <= width and bottom <= height, (dpi, code, info))
            self.session.screenshot(f"applet_place_{code}_{dpi}dpi")
            x, y = beyond[code]
            if dpi == 96:  # its fixed size, moved back just enough
                self.assertEqual((left, top, *size), (min(x, width - 440), min(y, height - 380), 440, 380), code)
            else:  # its template's size, moved up into the desktop just enough
                self.assertTrue(size[0] >= 440 and size[1] >= 380 and size != (440, 380), (dpi, info))
                self.assertEqual((left, top, bottom), (x, height - size[1], height), (dpi, info))
            self.close_panel(panel, program, 2)

    def set_dpi(self, dpi):
        """The display's setting for the fonts, which Wine reads when its server starts."""
        for key in (r"HKCU\Control Panel\Desktop", r"HKCC\Software\Fonts"):
            self.session.reg("add", key, "/v", "LogPixels", "/t", "REG_DWORD", "/d", str(dpi), "/f", view=False)
        self.session.restart_wine()


if __name__ == "__main__":
    harness.main()

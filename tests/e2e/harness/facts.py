"""What the deliverables and the stand-in driver define, as the tests look for it: request codes and resource
ids read from the repository's headers, registry keys, window classes and titles, screen colours."""

import re

from .config import REPO


def _numbers(relative, pattern):
    """The numbers a header of the repository defines, by name: pattern finds (name, number) pairs."""
    header = REPO / relative
    found = re.findall(pattern, header.read_text(encoding="utf-8"), re.MULTILINE)
    if not found:
        raise RuntimeError(f"no numbers in {header}")
    return {name: int(value, 0) for name, value in found}


# The one copy of the request codes on this side, e.g. REQUESTS["SET_CALIBRATION"] == 0x000F2600.
REQUESTS = _numbers("driver/requests.h", r"\bREQ_(\w+)\s*=\s*(0x[0-9A-Fa-f]+)u?\s*;")
# And of lintara.cpl's resource and control ids, e.g. RESOURCE_IDS["IDC_CALIBRATE"] == 4002.
RESOURCE_IDS = _numbers("panel/resource_ids.h", r"^#define (\w+) (\d+)$")


def request(name):
    """A request code as "tavrexctl log" prints it: request("ARM_SAMPLE") == "0x000F2410"."""
    return f"0x{REQUESTS[name]:08X}"


def resource_id(name):
    """An id of lintara.cpl's resources and controls: resource_id("IDC_PORT_LIST") == 4010."""
    return RESOURCE_IDS[name]


SERVICE_KEY = r"HKLM\System\CurrentControlSet\Services\Tavrex"
PARAMETERS_KEY = SERVICE_KEY + r"\Parameters"
MOUSE_KEY = r"HKCU\Control Panel\Mouse"
TOOLS_KEY = r"HKLM\Software\Manufacturer\Tavrex"

# What the deliverables show, as the user sees it.
DIALOG = "#32770"  # dialogs and message boxes
CALIBRATOR_CLASS = "TAVREXCALIBA"
CALIBRATOR_TITLE = "TAVREX CALIBRAY"
CONFIRM_CAPTION = " 校准确认"
PANEL_TITLE = "Halvery控制面板"
TABS = ["校准", "响声设定", "鼠标模式", "串口选择", "屏幕安装位置", "关于"]  # from left to right
IDOK, IDCANCEL = 1, 2
VK_RETURN, VK_ESCAPE = 13, 27
# The calibration screen's background, a target's centre, ticks and outer disc, its instruction line; the logo.
SKY = (166, 202, 240)
YELLOW = (255, 255, 0)
ORANGE = (255, 96, 0)
WHITE = (255, 255, 255)
TEXT = (32, 32, 255)
LOGO_INK = (0, 64, 160)

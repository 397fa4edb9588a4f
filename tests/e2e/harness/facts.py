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


def _texts(relative):
    """The texts a header of the repository defines, by name: texts("driver/texts.h")["kNotInstalled"]."""
    header = (REPO / relative).read_text(encoding="utf-8")
    return {name: value for name, value in re.findall(r'\b(k\w+) = u?"((?:[^"\\]|\\.)*)";', header)}


def dialog_texts(template):
    """What lintara.rc gives a dialog template: its caption and (control id or None for IDC_STATIC, text) for each
    control with a text of its own. Texts a page writes itself ("Static") are left out."""
    rc = (REPO / "panel" / "lintara.rc").read_text(encoding="utf-8")
    block = re.search(rf"^{template} DIALOGEX.*?^CAPTION \"(.*?)\".*?^BEGIN\n(.*?)^END", rc, re.MULTILINE | re.DOTALL)
    if not block:
        raise RuntimeError(f"no dialog {template} in lintara.rc")
    controls = []
    for text, name in re.findall(r'^\s+[A-Z]+\s+"((?:[^"\\]|\\.)*)",\s*(\w+)', block.group(2), re.MULTILINE):
        if text and text != "Static":
            control = None if name == "IDC_STATIC" else RESOURCE_IDS.get(name) or {"IDOK": IDOK, "IDCANCEL": IDCANCEL}[name]
            controls.append((control, text.replace("\\n", "\n")))
    return block.group(1), controls


def request(name):
    """A request code as "tavrexctl log" prints it: request("ARM_SAMPLE") == "0x000F2410"."""
    return f"0x{REQUESTS[name]:08X}"


def resource_id(name):
    """An id of lintara.cpl's resources and controls: resource_id("IDC_PORT_LIST") == 4010."""
    return RESOURCE_IDS[name]


# What the deliverables say, as their sources define it (GBK there, UTF-16 on screen).
DRIVER_TEXTS = _texts("driver/texts.h")
CALIBRATOR_TEXTS = _texts("calibrator/texts.h")
PANEL_TEXTS = _texts("panel/texts.h")

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
# The pages' lists.
BEEP_MODES = ["不发声", "触摸时发声", "离开时发声"]
MOUSE_MODES = ["触摸时点击 ", "离开时点击 ", "拖动 ", "拖动和双击"]
DELAYS = [" 禁用右键", " 0.5s", " 1.0s", " 2.0s", " 5.0s"]
IN_USE = " 当前使用的串口"
RESOLUTIONS = ["640×480", "800×600", "1024×768", "1152×864", "1280×768", "1280×800", "1280×1024"]
VK_RETURN, VK_ESCAPE = 13, 27
# The calibration screen's background, a target's centre, ticks and outer disc, its instruction line; the logo.
SKY = (166, 202, 240)
YELLOW = (255, 255, 0)
ORANGE = (255, 96, 0)
WHITE = (255, 255, 255)
TEXT = (32, 32, 255)
LOGO_INK = (0, 64, 160)

"""A session: a private Xvfb, a fresh copy of the template prefix, a persistent wineserver with the stand-in
driver loaded; stop() ends everything however the tests ended."""

import os

from .config import Config
from .display import screenshot, start_xvfb
from .prefix import fresh_copy
from .process import kill_group
from .programs import TOOLS, ProgramsMixin, pe_machine
from .registry import RegistryMixin
from .waiting import HarnessError, log
from .wine import environment, missing_programs, shell
from .windows import WindowsMixin


class Session(ProgramsMixin, WindowsMixin, RegistryMixin):
    """One display, one prefix, one wineserver and the programs started in them."""

    def __init__(self, name, screens=1, config=None, lang=None):
        """name: the test file's stem or "demo", naming its folder; config: by default from the environment; lang:
        the locale Wine runs in instead of zh_CN.UTF-8 (code page 936), e.g. en_US.UTF-8 (code page 1252)."""
        self.config = config or Config.from_env(name)
        self.screens = screens
        self.lang = lang
        self.xvfb = self.display = self.env = self.wine = None
        self.programs = []
        self.machine = None  # "i686" or "x86-64": what the deliverables are built for
        self.thirty_two_bit = None  # how 32-bit programs run here: "native", "emulated" or "none"
        self.thirty_two_bit_text = None  # the same in words
        self.log_path = self.config.out / "session.log"

    def start(self, display=None):
        """display: an X server to use instead of a private Xvfb."""
        config = self.config
        config.out.mkdir(parents=True, exist_ok=True)
        self.env = environment(os.environ, config)
        self.wine = self.env["WINE"]
        self.thirty_two_bit, self.thirty_two_bit_text = self.env["TAVREX_32BIT"], self.env["TAVREX_32BIT_TEXT"]
        self.machine = pe_machine(self.deliverable("brennick.exe"))
        log(f"deliverables: {self.machine or '?'} from {config.bin}; driver and test tools: {config.tools_machine} "
            f"from {config.tools}; a {config.winearch} prefix; {self.thirty_two_bit_text}")
        if missing_programs(self.env):
            raise HarnessError(f"{', '.join(missing_programs(self.env))} missing: run scripts/setup.sh")
        if not self.machine:
            raise HarnessError(f"{self.deliverable('brennick.exe')} is missing: build the preset of "
                               f"{config.build.name} first")
        for name in TOOLS:
            if pe_machine(self.tool(name)) != config.tools_machine:
                raise HarnessError(f"{self.tool(name)} is missing or not {config.tools_machine}: in a "
                                   f"{config.winearch} prefix the driver and the test tools come from that build")
        if self.machine == "i686" and self.thirty_two_bit == "none":
            raise HarnessError("the i686 deliverables cannot run: this machine runs no 32-bit programs. "
                               "scripts/setup.sh makes them run emulated; without that only the x86-64 "
                               "stand-ins can be tested (ctest --preset windows64)")
        if display:
            self.display = display
        else:
            self.xvfb, self.display = start_xvfb(self.screens)
        self.env["DISPLAY"] = self.env["TAVREX_DISPLAY"] = self.display
        log(f"display {self.display} with {self.screens} screen(s)")
        fresh_copy(config, self.env, self.log_path)
        if self.lang:
            # After the copy: the template every session shares is made in the usual locale.
            self.env.update({"TAVREX_LANG": self.lang, "LANG": self.lang, "LC_ALL": self.lang})
        if self.screens == 2:
            # Two monitors show only without a virtual desktop, unmanaged, with Xinerama instead of XRandR.
            self.shell('bash "$TAVREX_ROOT/scripts/wine_prefix.sh" two && tavrex_session_stop')
        self.shell("tavrex_session_start && tavrex_driver_start")
        self.ctl("log", "--clear")

    def shell(self, commands, timeout=300):
        """Shell commands with the functions of scripts/wine_env.sh, in this session's environment."""
        shell(self.env, commands, self.log_path, timeout)

    def restart_wine(self, driver=True):
        """A fresh Wine session, for what Wine itself reads when it starts (the display's settings) and for
        what it does then (pending renames)."""
        self.kill_programs()
        self.shell("tavrex_session_stop; tavrex_session_start" + (" && tavrex_driver_start" if driver else ""))

    def stop_driver(self):
        """Unloads the stand-in driver, as on a machine where it is installed but not loaded."""
        self.shell("tavrex_driver_stop")

    def start_driver(self):
        """Loads it again; it reads its Parameters key as it loads."""
        self.shell("tavrex_driver_start")
        self.ctl("log", "--clear")

    def stop(self):
        self.kill_programs()
        if self.env is not None:
            try:
                self.shell("tavrex_session_stop", timeout=60)
            except HarnessError as error:
                log(f"stop: {error}")
        kill_group(self.xvfb)
        self.xvfb = None

    def screenshot(self, name):
        return screenshot(self.display, self.config.out / f"{name}.png", self.env)


def start_session(name, screens=1, config=None, display=None, lang=None):
    """A started Session; whatever a failed start left running is stopped."""
    session = Session(name, screens, config, lang)
    try:
        session.start(display)
    except BaseException:
        session.stop()
        raise
    return session

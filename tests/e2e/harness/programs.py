"""Running Windows programs in a session: our binaries by name, the tools that steer the driver (tavrexctl) and
the windows (tavrexauto), and where the deliverables find things in the prefix."""

from pathlib import Path

from .process import Program, gbk, run, utf8
from .waiting import HarnessError, log

# The stand-in driver and the programs that steer and read it; everything else is a deliverable.
TOOLS = ("tavrex.sys", "tavrexctl.exe", "tavrexauto.exe")
_PE_MACHINES = {0x014C: "i686", 0x8664: "x86-64"}


def pe_machine(path):
    """The processor a Windows executable or DLL is built for: "i686", "x86-64" or None."""
    try:
        with open(path, "rb") as image:
            header = image.read(4096)
    except OSError:
        return None
    if header[:2] != b"MZ" or len(header) < 0x40:
        return None
    offset = int.from_bytes(header[0x3C:0x40], "little")
    if header[offset:offset + 4] != b"PE\0\0":
        return None
    return _PE_MACHINES.get(int.from_bytes(header[offset + 4:offset + 6], "little"))


class ProgramsMixin:
    """Needs self.config, self.env, self.wine and self.programs (the programs left running)."""

    def deliverable(self, name):
        """A file of the build under test: brennick.exe, lintara.cpl, cplhost.exe, uicontract.exe."""
        return self.config.bin / name

    def tool(self, name):
        """The stand-in driver or a test tool: tavrex.sys, tavrexctl.exe, tavrexauto.exe."""
        return self.config.tools / name

    @property
    def wow64(self):
        """Whether the deliverables run as 32-bit programs on 64-bit Windows (their own folders and views)."""
        return self.machine == "i686" and self.config.winearch == "win64"

    def control_exe(self):
        """Wine's Control Panel host of the deliverables' bitness, as a Windows path."""
        return f"{self.system_folder()}\\control.exe"

    def system_folder(self):
        """The system folder the deliverables see, by the name every process gives it."""
        return "C:\\windows\\syswow64" if self.wow64 else "C:\\windows\\system32"

    def program_files(self):
        """The Program Files folder of the deliverables' bitness."""
        return "C:\\Program Files (x86)" if self.wow64 else "C:\\Program Files"

    @staticmethod
    def windows_path(path):
        return "Z:" + str(Path(path).resolve()).replace("/", "\\")

    def resolve(self, exe):
        """Our binaries by name (the tools from their build, the rest from the build under test); a path as it
        is; anything else ("C:\\windows\\notepad.exe", "reg") as Wine finds it."""
        name = str(exe)
        if name in TOOLS:
            return self.tool(name)
        if "/" not in name and "\\" not in name and self.deliverable(name).exists():
            return self.deliverable(name)
        return exe

    def run_windows(self, exe, *args, timeout=60):
        """Runs a Windows program to its end; returns (exit code, stdout text, stderr text). tavrexauto answers in
        UTF-8, every other program in the code page 936 these sessions run in."""
        argv = [self.wine, str(self.resolve(exe)), *map(str, args)]
        for _ in range(3):
            code, out, err = run(argv, self.env, timeout)
            # Now and then on a loaded machine Wine does not start the program at all: exit code 1 with nothing
            # printed (our tools and reg.exe always say why they fail), or start.exe's word that ShellExecuteEx
            # failed. A program that ran is never run twice.
            if code != 1 or (out.strip() or err.strip()) and b"ShellExecuteEx" not in out + err:
                break
            log(f"Wine did not start {Path(argv[1]).name} {' '.join(map(str, args[:2]))}: trying again")
        if Path(str(exe)).name == "tavrexauto.exe":
            return code, utf8(out), utf8(err)
        return code, gbk(out), gbk(err, errors="replace")  # Wine's own words may be UTF-8

    def launch(self, exe, *args, cwd=None):
        """Starts a Windows program and leaves it running; cwd: its current folder, a Linux path."""
        program = Program([self.wine, str(self.resolve(exe)), *map(str, args)], self.env, cwd, Path(exe).name)
        self.programs.append(program)
        return program

    def kill_programs(self):
        for program in self.programs:
            program.kill()
        self.programs.clear()

    def _tool_lines(self, tool, args, timeout):
        code, out, err = self.run_windows(tool, *args, timeout=timeout)
        if code != 0:
            raise HarnessError(f"{tool} {' '.join(map(str, args))} exited {code}: {err.strip()}")
        return out.splitlines()

    def auto(self, *args, timeout=60):
        """tavrexauto's answer as lines; a failure of the tool fails the test with its message."""
        return self._tool_lines("tavrexauto.exe", args, timeout)

    def ctl(self, *args, timeout=60):
        """tavrexctl's answer as lines, the same way."""
        return self._tool_lines("tavrexctl.exe", args, timeout)

    def device_opens(self):
        return self.run_windows("tavrexctl.exe", "log")[0] == 0

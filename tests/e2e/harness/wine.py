"""Wine for a session, started the one way the scripts start it too: the functions of scripts/wine_env.sh."""

import errno
import shutil
import subprocess
from pathlib import Path

from .config import REPO
from .process import gbk, run
from .waiting import HarnessError

WINE_ENV = REPO / "scripts" / "wine_env.sh"


def environment(base, config):
    """base (the caller's environment) with what wine_env.sh sets for this session's prefix and binaries."""
    env = dict(base)
    for name in ("DISPLAY", "TAVREX_DISPLAY", "TAVREX_RUN_DIR"):
        env.pop(name, None)
    env.update({"WINEPREFIX": str(config.prefix), "TAVREX_FLAVOUR_DIR": str(config.build),
                "TAVREX_BIN": str(config.bin), "TAVREX_TOOLS_BIN": str(config.tools), "WINEARCH": config.winearch})
    if config.winearch == "win32":
        env["WINE"] = "/usr/lib/wine/wine"
    code, out, err = run(["bash", "-c", 'set -a; . "$1" >/dev/null 2>&1; env -0', "_", str(WINE_ENV)], env, 60)
    if code != 0:
        raise HarnessError(f"sourcing {WINE_ENV} failed: {gbk(err)}")
    for entry in out.split(b"\0"):
        if b"=" in entry:
            name, value = entry.split(b"=", 1)
            env[name.decode()] = value.decode(errors="replace")
    return env


def shell(env, commands, log_path, timeout=300):
    """Runs commands of the shell with wine_env.sh's functions, their output appended to log_path. Wine's
    background processes keep whatever output they are started with: a file, never a pipe to wait on."""
    with open(log_path, "ab") as sink:
        code, _, _ = run(["bash", "-c", f'. "$0" && {commands}', str(WINE_ENV)], env, timeout, output=sink)
    if code != 0:
        tail = Path(log_path).read_bytes()[-800:].decode(errors="replace")
        raise HarnessError(f"'{commands}' exited {code}; the end of {log_path}:\n{tail}")


def missing_programs(env):
    return [p for p in ("Xvfb", "import", "convert", env["WINE"], "wineserver") if not shutil.which(p)]


def loader_executes(loader):
    """Whether this machine can execute a Wine loader at all (not: whether Wine is installed)."""
    try:
        subprocess.run([str(loader), "--version"], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=30)
    except OSError as error:
        return error.errno != errno.ENOEXEC
    except subprocess.TimeoutExpired:
        pass
    return True

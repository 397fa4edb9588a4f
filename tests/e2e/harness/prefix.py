"""Each session's own Wine prefix: a copy of one prepared template per build and Windows kind. The first session
that finds the template missing, or made from another driver, script or Wine, makes it with
scripts/wine_prefix.sh, under a lock that sessions started side by side share."""

import fcntl
import hashlib
import shutil
import time
from pathlib import Path

from .config import REPO
from .process import run
from .waiting import HarnessError, log
from .wine import shell

STAMP = ".tavrex-template"
# The system folders hold nearly all of a prefix's 1.3 GB, and nothing writes into the files they come with (new
# ones, such as an installed lintara.cpl, are the copy's own): they are linked. Everything else is copied, the
# registry and the .ini files among it.
_COPY = """set -o pipefail
mkdir -p "$2"
tar -C "$1" --exclude=./drive_c/windows/system32 --exclude=./drive_c/windows/syswow64 -cf - . | tar -C "$2" -xf -
for folder in system32 syswow64; do
    [ ! -d "$1/drive_c/windows/$folder" ] || cp -al "$1/drive_c/windows/$folder" "$2/drive_c/windows/"
done"""


def _inputs(config, env):
    """What the template is made from."""
    digest = hashlib.sha256()
    for path in (config.tools / "tavrex.sys", REPO / "scripts" / "wine_prefix.sh", REPO / "scripts" / "wine_env.sh"):
        digest.update(path.read_bytes())
    wine = Path(shutil.which(env["WINE"]) or env["WINE"])
    # A win64 prefix made where 32-bit programs cannot run has no 32-bit side.
    digest.update(f"{wine} {wine.stat().st_mtime_ns} {env['TAVREX_32BIT'] == 'none'}".encode())
    return digest.hexdigest()


def _make_template(template, env, log_path):
    log(f"making the template prefix {template}")
    started = time.monotonic()
    building = template.with_name(template.name + ".new")
    env = {**env, "WINEPREFIX": str(building), "TAVREX_RUN_DIR": f"{building}.run"}
    # What an interrupted attempt left, its server first.
    shell(env, 'tavrex_session_stop; rm -rf "$WINEPREFIX" "$TAVREX_RUN_DIR" && '
          'bash "$TAVREX_ROOT/scripts/wine_prefix.sh" one && tavrex_session_stop', log_path, timeout=900)
    shutil.rmtree(template, ignore_errors=True)
    building.rename(template)
    log(f"template ready in {time.monotonic() - started:.1f} s")


def fresh_copy(config, env, log_path):
    """Makes the session's prefix (env's WINEPREFIX) a fresh copy of the template, whatever was there."""
    template, prefix = config.template, Path(env["WINEPREFIX"])
    template.parent.mkdir(parents=True, exist_ok=True)
    if prefix.exists():
        shell(env, "tavrex_session_stop", log_path)  # a server that a killed run left on the old copy
        shutil.rmtree(prefix)
    with open(template.parent / f"{template.name}.lock", "w") as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        wanted = _inputs(config, env)
        stamp = template / STAMP
        if not stamp.is_file() or stamp.read_text() != wanted:
            _make_template(template, env, log_path)
            stamp.write_text(wanted)
        fcntl.flock(lock, fcntl.LOCK_SH)  # copies side by side; a new template waits for them
        started = time.monotonic()
        code, out, err = run(["bash", "-c", _COPY, "_", str(template), str(prefix)], env, timeout=300)
    if code != 0:
        raise HarnessError(f"copying {template} failed: {(out + err).decode(errors='replace')}")
    log(f"prefix {prefix} copied in {time.monotonic() - started:.1f} s")

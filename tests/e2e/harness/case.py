"""The base of the e2e cases: the cases of a test file share one session, started by the first class that needs
it and stopped when the file's run ends; a class that needs other screens gets a session of its own."""

import atexit
import os
import signal
import sys
import unittest
from pathlib import Path

from .config import Config
from .session import start_session
from .wine import environment, loader_executes

SKIP_EXIT = 77  # ctest's SKIP_RETURN_CODE for these tests
_shared = []  # the file's running session, if any


def _stop_shared():
    while _shared:
        _shared.pop().stop()


class SessionCase(unittest.TestCase):
    """A case whose class shares the file's session as self.session."""

    screens = 1
    lang = None  # the locale of the file's session: see Session
    session = None

    @classmethod
    def setUpClass(cls):
        if _shared and (_shared[0].screens, _shared[0].lang) != (cls.screens, cls.lang):
            _stop_shared()
        if not _shared:
            name = Path(sys.modules[cls.__module__].__file__).stem.removeprefix("test_")
            _shared.append(start_session(name, cls.screens, lang=cls.lang))
        cls.session = _shared[0]

    def tearDown(self):
        # A case that failed half-way leaves no program to the next one.
        self.session.kill_programs()


def unavailable_reason():
    """Why this machine cannot run the e2e tests at all, or None.

    Only a machine that can execute neither Wine loader counts; a missing package is a set-up fault and
    fails instead, and so do i686 deliverables where 32-bit programs cannot run (Session.start says so).
    """
    present = [loader for loader in ("/usr/lib/wine/wine", "/usr/lib/wine/wine64") if os.path.exists(loader)]
    if present and not any(loader_executes(loader) for loader in present):
        return "this machine can execute neither Wine loader (ENOEXEC)"
    return None


def main(native_32bit=False):
    """A test file's main: skipped (exit 77) where Wine cannot run at all, and with native_32bit also where
    32-bit programs do not run natively (a fully emulated win32 prefix takes minutes to make, and its win64
    counterpart already runs the same files)."""
    reason = unavailable_reason()
    if not reason and native_32bit:
        mode = environment(os.environ, Config.from_env("probe"))["TAVREX_32BIT"]
        reason = None if mode == "native" else f"32-bit programs do not run natively here ({mode})"
    if reason:
        print(f"SKIPPED: {reason}", flush=True)
        sys.exit(SKIP_EXIT)
    # ctest's timeout and an interrupt stop the session too.
    atexit.register(_stop_shared)
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(143))
    unittest.main(verbosity=2)

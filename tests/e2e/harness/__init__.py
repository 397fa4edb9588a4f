"""Runs the Windows binaries under Wine on Xvfb against the stand-in driver, for the e2e tests, the demo and the
report scripts. A Session (session.py) has a display of its own (display.py), a Wine prefix of its own copied
from a prepared template (prefix.py), Wine started through scripts/wine_env.sh (wine.py), and runs Windows
programs (programs.py), reads windows (windows.py) and the registry (registry.py). Test files derive their
cases from SessionCase (case.py) and end with harness.main(). Every wait is bounded (waiting.py).

Two builds meet in one win64 prefix: the deliverables of the build folder under test (TAVREX_BUILD_DIR:
build/windows for the shipped i686 files, build/windows64 for their x86-64 stand-ins) and the stand-in driver
and test tools from the x86-64 build (TAVREX_TOOLS_DIR), which run natively where 32-bit programs are emulated.
"""

from .case import SessionCase, main, unavailable_reason  # noqa: F401
from .config import REPO, Config  # noqa: F401
from .facts import *  # noqa: F401,F403
from .process import gbk, run  # noqa: F401
from .programs import pe_machine  # noqa: F401
from .session import Session, start_session  # noqa: F401
from .waiting import HarnessError, log, wait_until  # noqa: F401

"""Where a session finds the binaries and keeps its files: read from the environment when a session is made,
so that a script can choose them first."""

import dataclasses
import os
from pathlib import Path

REPO = Path(__file__).resolve().parents[3]


@dataclasses.dataclass(frozen=True)
class Config:
    """The folders and the kind of Windows of one session."""

    build: Path  # the build folder under test: its bin/ holds the deliverables
    tools: Path  # the stand-in driver and the test tools: the x86-64 build's, or i686 ones in a win32 prefix
    winearch: str  # win64 (the deliverables on its 32-bit side) or win32 (a 32-bit Windows)
    out: Path  # screenshots, exported keys and logs of this session
    prefix: Path  # this session's own Wine prefix, a copy of the template

    @property
    def bin(self):
        return self.build / "bin"

    @property
    def tools_machine(self):
        return "i686" if self.winearch == "win32" else "x86-64"

    @property
    def template(self):
        """The prepared prefix every session of this build and Windows kind copies."""
        return self.build / "wine-templates" / self.winearch

    @classmethod
    def from_env(cls, name, **chosen):
        """A session called name (a test file's stem, "demo"): TAVREX_BUILD_DIR, TAVREX_TOOLS_DIR and
        TAVREX_WINEARCH, unless chosen here; its files go to <build>/e2e/<name>/ (<name>-win32/ in a win32
        prefix)."""
        build = Path(chosen.pop("build", None) or os.environ.get("TAVREX_BUILD_DIR", REPO / "build" / "windows"))
        winearch = chosen.pop("winearch", None) or os.environ.get("TAVREX_WINEARCH", "win64")
        out = chosen.pop("out", None) or build / "e2e" / (name if winearch == "win64" else f"{name}-{winearch}")
        values = {"build": build, "out": out, "prefix": out / "wine-prefix", "winearch": winearch,
                  "tools": Path(os.environ.get("TAVREX_TOOLS_DIR", REPO / "build" / "windows64" / "bin"))}
        return cls(**{**values, **chosen})

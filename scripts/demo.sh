#!/usr/bin/env bash
# The demo: installs what it needs, builds the Windows binaries and calibrates simulated touch panels with
# brennick.exe under Wine against the stand-in driver (see scripts/demo.py).
#
#   scripts/demo.sh [--display] [--corner-only]
#     --display      show it on the X display in $DISPLAY instead of a private Xvfb
#     --corner-only  only the rotated panel with the silent controller
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

# The stand-in driver and the tools as x86-64, then the deliverables: the demo runs the shipped i686
# brennick.exe wherever 32-bit programs run (natively or emulated) and says so; only where they cannot does
# it run the x86-64 build, and warns.
for preset in windows64 windows; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
done

# demo.py bounds each of its waits; this bounds the whole, and its SIGTERM still stops Xvfb and Wine.
status=0
timeout -k 20 900 python3 scripts/demo.py "$@" || status=$?
if [ "$status" -eq 124 ]; then echo "demo: FAILED: it did not end within 15 minutes" >&2; fi
exit "$status"

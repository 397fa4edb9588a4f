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

# The deliverables, and the same sources for x86-64 for machines whose Wine runs only 64-bit programs;
# the demo runs whichever this machine can execute.
for preset in windows windows64; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
done

# demo.py bounds each of its waits; this bounds the whole, and its SIGTERM still stops Xvfb and Wine.
status=0
timeout -k 20 900 python3 scripts/demo.py "$@" || status=$?
if [ "$status" -eq 124 ]; then echo "demo: FAILED: it did not end within 15 minutes" >&2; fi
exit "$status"

#!/usr/bin/env bash
# The demo: builds the Windows binaries and runs the calibrator under Wine against the stand-in driver.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows
echo "demo: built $(ls build/windows/bin/*.exe | tr '\n' ' ')"

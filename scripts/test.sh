#!/usr/bin/env bash
# Every test: the unit tests on Linux (under the sanitizers), then the Windows binaries under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

cmake --preset host >/dev/null
cmake --build --preset host
ctest --preset host

# The deliverables, and the same sources for x86-64: the e2e tests run whichever this machine's
# Wine can execute (32-bit Wine needs a machine that runs 32-bit Linux programs).
cmake --preset windows >/dev/null
cmake --build --preset windows
cmake --preset windows64 >/dev/null
cmake --build --preset windows64
ctest --preset windows

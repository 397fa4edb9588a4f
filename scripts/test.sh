#!/usr/bin/env bash
# Every test: the unit tests on Linux (under the sanitizers), then the Windows binaries under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

cmake --preset host >/dev/null
cmake --build --preset host
ctest --preset host

cmake --preset windows >/dev/null
cmake --build --preset windows
ctest --preset windows

#!/usr/bin/env bash
# Every test: the unit tests on Linux (under the sanitizers), then the Windows binaries under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

bash scripts/check_format.sh

cmake --preset host >/dev/null
cmake --build --preset host
ctest --preset host

# The worker thread and the window thread share flags: the unit tests again under ThreadSanitizer.
cmake --preset host-tsan >/dev/null
cmake --build --preset host-tsan
ctest --preset host-tsan

# The stand-in driver and the test tools always run as x86-64; the deliverables are tested as shipped (i686)
# wherever 32-bit programs run, natively or emulated, and only otherwise as their x86-64 stand-ins.
cmake --preset windows64 >/dev/null
cmake --build --preset windows64
cmake --preset windows >/dev/null
cmake --build --preset windows

. scripts/wine_env.sh
if [ "$TAVREX_32BIT" = none ]; then
    preset=windows64
    {
        echo "############################################################################################"
        echo "# 32-bit programs cannot run on this machine: the e2e tests run the x86-64 builds, NOT the"
        echo "# shipped i686 brennick.exe and lintara.cpl (scripts/setup.sh could not set up qemu-i386)."
        echo "############################################################################################"
    } >&2
else
    preset=windows
fi
echo "e2e: ctest --preset $preset: $(tavrex_flavour_line)"
started=$SECONDS
ctest --preset "$preset"
echo "e2e: passed in $((SECONDS - started)) s"

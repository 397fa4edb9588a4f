#!/usr/bin/env bash
# Every test: the unit tests on Linux (under the sanitizers), then the Windows binaries under Wine. Each
# phase's wall time is printed at the end.
set -euo pipefail
cd "$(dirname "$0")/.."

. scripts/phases.sh

configure_and_build() { cmake --preset "$1" >/dev/null && cmake --build --preset "$1"; }

phase set-up bash scripts/setup.sh

phase "format check" bash scripts/check_format.sh

phase "host build" configure_and_build host
phase "unit tests" ctest --preset host

# The worker thread and the window thread share flags: the tests that start threads again, under
# ThreadSanitizer (the host-tsan presets build and run only those).
phase "host-tsan build" configure_and_build host-tsan
phase "ThreadSanitizer tests" ctest --preset host-tsan

# The stand-in driver and the test tools always run as x86-64; the deliverables are tested as shipped (i686)
# wherever 32-bit programs run, natively or emulated, and only otherwise as their x86-64 stand-ins.
phase "windows64 build" configure_and_build windows64
phase "windows build" configure_and_build windows

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
phase e2e ctest --preset "$preset"
echo "e2e: passed in $((SECONDS - started)) s"

# Environment and helpers for running the Windows binaries under Wine; safe under "set -e". Source it:
#   . scripts/wine_env.sh
#   tavrex_session_start         # persistent wineserver, so a loaded driver stays loaded
#   ... "$WINE" "$TAVREX_TOOLS_BIN/tavrexctl.exe" log ...
#   tavrex_session_stop
# The X server comes from the caller ($DISPLAY); the e2e harness and the demo start their own Xvfb.
#
# One win64 prefix with its 32-bit side runs everything: the stand-in driver and the test tools as x86-64
# (native, fast), the deliverables as i686 wherever 32-bit programs run, natively or emulated. Only where
# they cannot run at all do the x86-64 builds of the deliverables stand in.
#
# Sets: TAVREX_32BIT (native, emulated or none; TAVREX_32BIT_TEXT in words), TAVREX_TOOLS_BIN (driver and test tools), TAVREX_BIN and
# TAVREX_FLAVOUR_DIR (the deliverables and their build folder), WINEPREFIX, WINEARCH, WINE, WINEDEBUG.
# Each is kept when already set, and so are TAVREX_RUN_DIR (pid files and logs) and TAVREX_DISPLAY.

TAVREX_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# How this machine runs 32-bit Linux programs, and so 32-bit Wine. A binfmt_misc entry takes precedence
# over the kernel's own ELF loader, so a registered emulator means emulation even on a kernel that could
# run them itself.
tavrex_32bit_mode() {
    /usr/lib/wine/wine --version >/dev/null 2>&1 || {
        echo none
        return 0
    }
    local entry
    for entry in /proc/sys/fs/binfmt_misc/*; do
        [ -f "$entry" ] || continue
        if grep -qx enabled "$entry" 2>/dev/null && grep -q '^interpreter .*qemu-i386' "$entry" 2>/dev/null; then
            echo emulated
            return 0
        fi
    done
    echo native
}

tavrex_32bit_describe() {
    case "$1" in
    native) echo "32-bit programs run natively" ;;
    emulated) echo "32-bit programs run emulated (qemu-i386 through binfmt_misc)" ;;
    *) echo "32-bit programs do not run on this machine" ;;
    esac
}

export TAVREX_32BIT="${TAVREX_32BIT:-$(tavrex_32bit_mode)}"
TAVREX_32BIT_TEXT="$(tavrex_32bit_describe "$TAVREX_32BIT")"
export TAVREX_32BIT_TEXT
export TAVREX_TOOLS_BIN="${TAVREX_TOOLS_BIN:-$TAVREX_ROOT/build/windows64/bin}"
if [ -z "${TAVREX_FLAVOUR_DIR:-}" ]; then
    if [ "$TAVREX_32BIT" = none ]; then
        TAVREX_FLAVOUR_DIR="$TAVREX_ROOT/build/windows64"
    else
        TAVREX_FLAVOUR_DIR="$TAVREX_ROOT/build/windows"
    fi
fi
export TAVREX_FLAVOUR_DIR
export TAVREX_BIN="${TAVREX_BIN:-$TAVREX_FLAVOUR_DIR/bin}"
export WINEARCH="${WINEARCH:-win64}"
export WINEPREFIX="${WINEPREFIX:-$TAVREX_FLAVOUR_DIR/wine-prefix}"
# The 64-bit loader hands a 32-bit program to the 32-bit one by itself; starting every program through the
# 32-bit loader instead would emulate the start of each x86-64 tool too.
export WINE="${WINE:-/usr/lib/wine/wine64}"
export WINEDEBUG="${WINEDEBUG:--all,err+module}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-winemenubuilder.exe=d;mscoree,mshtml=}"
# Makes Wine's ANSI code page 936, as on the Chinese Windows the tools were first made for; TAVREX_LANG=en_US.UTF-8
# gives code page 1252, as on a Western Windows.
export LANG="${TAVREX_LANG:-zh_CN.UTF-8}"
export LC_ALL="$LANG"
if [ -n "${TAVREX_DISPLAY:-}" ]; then export DISPLAY="$TAVREX_DISPLAY"; fi
export TAVREX_RUN_DIR="${TAVREX_RUN_DIR:-${WINEPREFIX%/}.run}"

tavrex_log() { echo "[wine] $*" >&2; }

# What a Windows program is built for, from its PE header: i686, x86-64 or "?".
tavrex_pe_machine() {
    local offset
    offset="$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ')"
    case "$([ -n "$offset" ] && od -An -tx2 -j$((offset + 4)) -N2 "$1" 2>/dev/null | tr -d ' ')" in
    014c) echo i686 ;;
    8664) echo x86-64 ;;
    *) echo "?" ;;
    esac
}

# The one line that says what runs here.
tavrex_flavour_line() {
    local deliverables
    deliverables="$(tavrex_pe_machine "$TAVREX_BIN/brennick.exe")"
    echo "deliverables: $deliverables from ${TAVREX_BIN#"$TAVREX_ROOT"/}; driver and test tools: x86-64 from" \
        "${TAVREX_TOOLS_BIN#"$TAVREX_ROOT"/}; $TAVREX_32BIT_TEXT"
}

# A Wine command that can never hang a script; its output goes to the run log.
tavrex_wine() {
    local seconds="$1"
    shift
    mkdir -p "$TAVREX_RUN_DIR"
    timeout -k 5 "$seconds" "$WINE" "$@" </dev/null >>"$TAVREX_RUN_DIR/wine.log" 2>&1
}

# Keeps one wineserver alive for this prefix: Debian's wineserver otherwise exits with the last program and
# takes the loaded driver with it. Returns 0 when a new server was started, 1 when one was already running.
# The one way Wine is started for the e2e tests, the demo and the scripts.
tavrex_session_start() {
    mkdir -p "$TAVREX_RUN_DIR"
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        # Creating the prefix (its 32-bit side emulated, where it is): let that server end before the
        # persistent one starts.
        mkdir -p "$(dirname "$WINEPREFIX")"
        timeout -k 5 600 "$WINE" cmd /c ver </dev/null >>"$TAVREX_RUN_DIR/wine.log" 2>&1
        timeout -k 5 120 wineserver -w >/dev/null 2>&1
    fi
    # "-p" fails when a server already runs for this prefix (then it may not be persistent: nothing to do).
    # Wine's background processes keep the output they were started with: give them none, so that no caller
    # waits on a pipe they hold.
    wineserver -p >/dev/null 2>&1 || return 1
    # The first program of a server hands its stdout and stderr to Wine's background processes.
    timeout -k 5 180 "$WINE" cmd /c ver >/dev/null 2>&1 </dev/null
    # The first window-station user starts the desktop process, which keeps its stdio too; two programs racing
    # to start it can leave both waiting.
    if [ -f "$TAVREX_TOOLS_BIN/tavrexauto.exe" ]; then
        timeout -k 5 180 "$WINE" "$TAVREX_TOOLS_BIN/tavrexauto.exe" zorder >/dev/null 2>&1 </dev/null
    fi
    return 0
}

tavrex_session_stop() {
    timeout -k 5 20 wineserver -k >/dev/null 2>&1 || true
    timeout -k 5 30 wineserver -w >/dev/null 2>&1 || true
}

# True once "\\.\tavrex" opens; waits at most the given seconds (default 10).
tavrex_driver_wait() {
    local seconds="${1:-10}" end
    [ -f "$TAVREX_TOOLS_BIN/tavrexctl.exe" ] || {
        tavrex_log "no tavrexctl.exe in $TAVREX_TOOLS_BIN: cannot check the device"
        return 1
    }
    end=$((SECONDS + seconds))
    while :; do
        timeout -k 5 30 "$WINE" "$TAVREX_TOOLS_BIN/tavrexctl.exe" linearity </dev/null >/dev/null 2>&1 && return 0
        [ "$SECONDS" -lt "$end" ] || return 1
        sleep 0.2
    done
}

# Loads the stand-in driver in the running session; it reads its Parameters key as it loads. A loaded machine
# now and then does not start net.exe at all: then once more.
tavrex_driver_start() {
    local attempt
    for attempt in 1 2; do
        tavrex_wine 60 net start Tavrex || true # "already running" is fine: the device decides
        tavrex_driver_wait 15 && return 0
        tavrex_log "the stand-in driver did not come up (attempt $attempt)"
    done
    return 1
}

# Unloads it: "\\.\tavrex" no longer opens, as on a machine that has not restarted since the installation.
tavrex_driver_stop() {
    tavrex_wine 60 net stop Tavrex
    ! timeout -k 5 30 "$WINE" "$TAVREX_TOOLS_BIN/tavrexctl.exe" linearity </dev/null >/dev/null 2>&1
}

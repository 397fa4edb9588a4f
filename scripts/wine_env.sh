# Environment and helpers for running the Windows binaries under Wine on Xvfb; safe under "set -e". Source it:
#   . scripts/wine_env.sh
#   tavrex_xvfb_start one        # or: two (1280x1024 + 1024x768, Xinerama)
#   tavrex_session_start         # persistent wineserver, so a loaded driver stays loaded
#   ... wine build/windows/bin/tavrexctl.exe log ...
#   tavrex_stop_all
#
# Overridable: WINEPREFIX, WINEARCH (default: win32 where 32-bit programs run, else win64), WINEDEBUG, WINE (the loader), TAVREX_DISPLAY (X display, default :91),
# TAVREX_RUN_DIR (pid files and logs).

TAVREX_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# The deliverables are 32-bit, and run under 32-bit Wine wherever the machine executes 32-bit Linux
# programs. Some machines (hypervisors without 32-bit support) cannot: there the same sources, built
# by the windows64 preset, run under 64-bit Wine instead.
tavrex_can_run_32bit() { /usr/lib/wine/wine --version >/dev/null 2>&1; }
if [ -z "${WINEARCH:-}" ]; then
    if tavrex_can_run_32bit; then WINEARCH=win32; else WINEARCH=win64; fi
fi
export WINEARCH
if [ "$WINEARCH" = win64 ]; then
    TAVREX_FLAVOUR_DIR="$TAVREX_ROOT/build/windows64"
    export WINE="${WINE:-/usr/lib/wine/wine64}"
else
    TAVREX_FLAVOUR_DIR="$TAVREX_ROOT/build/windows"
fi
export TAVREX_FLAVOUR_DIR
export WINEPREFIX="${WINEPREFIX:-$TAVREX_FLAVOUR_DIR/wine-prefix}"
export WINEDEBUG="${WINEDEBUG:--all,err+module}"
# Makes Wine's ANSI code page 936, so the GBK texts of the binaries show as Chinese.
export LANG=zh_CN.UTF-8
export LC_ALL=zh_CN.UTF-8
export TAVREX_DISPLAY="${TAVREX_DISPLAY:-:91}"
export DISPLAY="$TAVREX_DISPLAY"
export WINE="${WINE:-wine}"
export TAVREX_RUN_DIR="${TAVREX_RUN_DIR:-${WINEPREFIX%/}.run}"
export TAVREX_BIN="${TAVREX_BIN:-$TAVREX_FLAVOUR_DIR/bin}"

tavrex_log() { echo "[wine] $*" >&2; }

# A Wine command that can never hang a script; its output goes to the run log.
tavrex_wine() {
    local seconds="$1"
    shift
    mkdir -p "$TAVREX_RUN_DIR"
    timeout -k 5 "$seconds" "$WINE" "$@" </dev/null >>"$TAVREX_RUN_DIR/wine.log" 2>&1
}

tavrex_display_up() { timeout 5 xdpyinfo -display "$DISPLAY" >/dev/null 2>&1; }

# Starts Xvfb on $TAVREX_DISPLAY in the given mode unless an X server already answers there
# (for instance the user's own display). Waits at most 10 s.
tavrex_xvfb_start() {
    local mode="${1:-one}" screens
    case "$mode" in
    one) screens=(-screen 0 1024x768x24) ;;
    two) screens=(-screen 0 1280x1024x24 -screen 1 1024x768x24 +xinerama) ;;
    *)
        tavrex_log "display mode must be 'one' or 'two', not '$mode'"
        return 2
        ;;
    esac
    mkdir -p "$TAVREX_RUN_DIR"
    local pidfile="$TAVREX_RUN_DIR/xvfb.pid" modefile="$TAVREX_RUN_DIR/xvfb.mode"
    if [ -f "$pidfile" ] && kill -0 "$(cat "$pidfile")" 2>/dev/null; then
        if [ "$(cat "$modefile" 2>/dev/null)" = "$mode" ] && tavrex_display_up; then return 0; fi
        tavrex_xvfb_stop
    fi
    if tavrex_display_up; then
        tavrex_log "using the X server already on $DISPLAY"
        return 0
    fi
    Xvfb "$DISPLAY" "${screens[@]}" -nolisten tcp -noreset >"$TAVREX_RUN_DIR/xvfb.log" 2>&1 &
    echo $! >"$pidfile"
    echo "$mode" >"$modefile"
    local tries
    for tries in $(seq 100); do
        tavrex_display_up && return 0
        kill -0 "$(cat "$pidfile")" 2>/dev/null || break
        sleep 0.1
    done
    tavrex_log "Xvfb did not come up on $DISPLAY (see $TAVREX_RUN_DIR/xvfb.log)"
    tavrex_xvfb_stop
    return 1
}

tavrex_xvfb_stop() {
    local pidfile="$TAVREX_RUN_DIR/xvfb.pid" pid tries
    [ -f "$pidfile" ] || return 0
    pid="$(cat "$pidfile")"
    if kill "$pid" 2>/dev/null; then
        for tries in $(seq 50); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -9 "$pid" 2>/dev/null || true
    fi
    rm -f "$pidfile" "$TAVREX_RUN_DIR/xvfb.mode"
}

# Keeps one wineserver alive for this prefix: Debian's wineserver otherwise exits with the last program and
# takes the loaded driver with it. Returns 0 when a new server was started, 1 when one was already running.
tavrex_session_start() {
    mkdir -p "$TAVREX_RUN_DIR"
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        # Creating the prefix: let that server end before the persistent one starts.
        mkdir -p "$(dirname "$WINEPREFIX")"
        timeout -k 5 300 "$WINE" cmd /c ver </dev/null >>"$TAVREX_RUN_DIR/wine.log" 2>&1
        timeout -k 5 60 wineserver -w >/dev/null 2>&1
    fi
    # "-p" fails when a server already runs for this prefix (then it may not be persistent: nothing to do).
    if wineserver -p 2>/dev/null; then
        # The first program of a server hands its stdout and stderr to Wine's background processes, which
        # would hold any pipe open; give them nothing.
        timeout -k 5 180 "$WINE" cmd /c ver >/dev/null 2>&1 </dev/null
        return 0
    fi
    return 1
}

tavrex_session_stop() {
    timeout -k 5 20 wineserver -k >/dev/null 2>&1 || true
    timeout -k 5 30 wineserver -w >/dev/null 2>&1 || true
}

# True once "\\.\tavrex" opens; waits at most the given seconds (default 10).
tavrex_driver_wait() {
    local seconds="${1:-10}" end
    [ -f "$TAVREX_BIN/tavrexctl.exe" ] || {
        tavrex_log "no tavrexctl.exe in $TAVREX_BIN: cannot check the device"
        return 1
    }
    end=$((SECONDS + seconds))
    while :; do
        timeout -k 5 30 "$WINE" "$TAVREX_BIN/tavrexctl.exe" linearity </dev/null >/dev/null 2>&1 && return 0
        [ "$SECONDS" -lt "$end" ] || return 1
        sleep 0.2
    done
}

tavrex_stop_all() {
    tavrex_session_stop
    tavrex_xvfb_stop
}

#!/usr/bin/env bash
# Prepares the Wine prefix that runs the Windows binaries and loads the stand-in driver, so that
# "\\.\tavrex" opens. Leaves a persistent wineserver running (stop it with
#   . scripts/wine_env.sh && tavrex_session_stop).
# It uses the X server in $TAVREX_DISPLAY or $DISPLAY if there is one; none of its steps needs one.
#
#   scripts/wine_prefix.sh [one|two]
#     one  one virtual 1024x768 desktop (default)
#     two  two Xvfb screens, 1280x1024 and 1024x768, joined by Xinerama; no virtual desktop
#
# The first run creates the prefix (a win64 one with its 32-bit side); later runs only refresh tavrex.sys
# and restart the service. Overridable: TAVREX_SYS (the driver to install, by default the x86-64 one) and
# the variables of wine_env.sh.
set -euo pipefail

mode="${1:-one}"
case "$mode" in
one | two) ;;
*)
    echo "usage: $0 [one|two]" >&2
    exit 2
    ;;
esac

. "$(dirname "${BASH_SOURCE[0]}")/wine_env.sh"

die() {
    tavrex_log "$*"
    # A set-up that never got ready leaves nothing running behind it.
    [ -f "$WINEPREFIX/.tavrex-ready" ] || tavrex_session_stop
    exit 1
}

sys="${TAVREX_SYS:-$TAVREX_TOOLS_BIN/tavrex.sys}"
[ -f "$sys" ] || die "no driver at $sys: build it first (cmake --preset windows64 && cmake --build --preset windows64)"
started=$SECONDS

# Without this locale Wine silently falls back to code page 1252 and the GBK texts become "????".
ensure_locale() {
    locale -a 2>/dev/null | grep -qix 'zh_CN\.utf-\?8' && return 0
    [ "$(id -u)" = 0 ] || die "the zh_CN.UTF-8 locale is missing; generating it needs root"
    command -v locale-gen >/dev/null || die "locale-gen is missing: install the 'locales' package"
    tavrex_log "generating the zh_CN.UTF-8 locale"
    if grep -qE '^#\s*zh_CN\.UTF-8 UTF-8' /etc/locale.gen; then
        sed -i -E 's/^#\s*(zh_CN\.UTF-8 UTF-8)/\1/' /etc/locale.gen
    elif ! grep -qE '^zh_CN\.UTF-8 UTF-8' /etc/locale.gen; then
        echo 'zh_CN.UTF-8 UTF-8' >>/etc/locale.gen
    fi
    locale-gen >/dev/null
}

# Everything the prefix needs in the registry, in one regedit run. UTF-16 so that the Chinese font names
# survive whatever code page regedit would assume.
write_settings() {
    local file="$1" desktop desktops xrandr
    if [ "$mode" = one ]; then
        desktop='"Desktop"="Default"'
        desktops='"Default"="1024x768"'
        xrandr='"UseXRandR"=-'
    else
        # A virtual desktop shows one monitor; two need the bare X screens, without RandR.
        desktop='"Desktop"=-'
        desktops='"Default"=-'
        xrandr='"UseXRandR"="N"'
    fi
    printf '%s\r\n' \
        'Windows Registry Editor Version 5.00' '' \
        '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]' \
        '"SimSun"="WenQuanYi Micro Hei"' '"宋体"="WenQuanYi Micro Hei"' \
        '"NSimSun"="WenQuanYi Micro Hei"' '"新宋体"="WenQuanYi Micro Hei"' '' \
        '[HKEY_CURRENT_USER\Software\Wine\WineDbg]' '"ShowCrashDialog"=dword:00000000' '' \
        '[HKEY_CURRENT_USER\Software\Wine\X11 Driver]' '"Managed"="N"' "$xrandr" '' \
        '[HKEY_CURRENT_USER\Software\Wine\Explorer]' "$desktop" '' \
        '[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]' "$desktops" '' \
        '[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\Tavrex\Parameters]' '' |
        iconv -f UTF-8 -t UTF-16 >"$file"
}

ensure_locale
mkdir -p "$TAVREX_RUN_DIR"
: >"$TAVREX_RUN_DIR/wine.log"

ready="$WINEPREFIX/.tavrex-ready"
mode_file="$WINEPREFIX/.tavrex-display"
if [ -f "$ready" ] && [ "$(cat "$mode_file" 2>/dev/null)" != "$mode" ]; then
    # Running programs (the desktop among them) hold on to the old screens.
    tavrex_log "display mode changes to '$mode': restarting Wine"
    tavrex_session_stop
fi

# A prefix of the other kind cannot load this driver (WINEARCH win32: a 32-bit Windows, for the installer's
# test, with the i686 driver), and a win64 one created where 32-bit programs could not run has an empty
# 32-bit side. Making such a prefix anew takes seconds; filling its 32-bit side in place
# (WINEBOOTSTRAPMODE=1 wineboot -u) takes minutes where 32-bit programs are emulated.
wow64=""
[ "$WINEARCH" = win64 ] && [ "$TAVREX_32BIT" != none ] && wow64=yes
if [ -f "$WINEPREFIX/system.reg" ]; then
    stale=""
    if ! grep -q "^#arch=$WINEARCH" "$WINEPREFIX/system.reg"; then
        stale="is not a $WINEARCH one"
    elif [ -n "$wow64" ] && [ ! -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ]; then
        stale="has no 32-bit side"
    fi
    if [ -n "$stale" ]; then
        tavrex_log "prefix $WINEPREFIX $stale: creating it anew"
        tavrex_session_stop
        rm -rf "$WINEPREFIX"
    fi
fi
if [ -f "$ready" ]; then
    tavrex_log "prefix $WINEPREFIX exists: refreshing the driver"
else
    tavrex_log "creating prefix $WINEPREFIX ($WINEARCH)"
fi
tavrex_session_start || tavrex_log "a wineserver already runs for this prefix"
[ -f "$WINEPREFIX/system.reg" ] ||
    die "$WINE could not create $WINEPREFIX; its last words: $(tail -c 300 "$TAVREX_RUN_DIR/wine.log" 2>/dev/null)"
[ -z "$wow64" ] || [ -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ] ||
    die "$WINEPREFIX has no 32-bit side although 32-bit programs run here (see $TAVREX_RUN_DIR/wine.log)"

if [ ! -f "$ready" ]; then
    # Debian's Wine does not find its own fonts (Tahoma, MS Sans Serif, Marlett) without these links.
    fonts="$WINEPREFIX/drive_c/windows/Fonts"
    mkdir -p "$fonts"
    for font in /usr/share/wine/fonts/*; do
        [ -e "$fonts/$(basename "$font")" ] || ln -s "$font" "$fonts/"
    done
fi

if [ ! -f "$ready" ] || [ "$(cat "$mode_file" 2>/dev/null)" != "$mode" ]; then
    settings="$TAVREX_RUN_DIR/settings.reg"
    write_settings "$settings"
    tavrex_wine 60 regedit /S "Z:${settings//\//\\}" ||
        die "regedit failed (see $TAVREX_RUN_DIR/wine.log)"
    echo "$mode" >"$mode_file"
fi

drivers="$WINEPREFIX/drive_c/windows/system32/drivers"
mkdir -p "$drivers"
# The loaded image stays mapped: stop the service before replacing the file. A prefix copied from the e2e
# template shares its system files with the template and the other copies through hard links, and another
# session may have this very file mapped: a changed driver goes in as a new file, never written into the old.
tavrex_wine 60 net stop Tavrex || true
if ! cmp -s "$sys" "$drivers/tavrex.sys"; then
    cp "$sys" "$drivers/tavrex.sys.new"
    mv -f "$drivers/tavrex.sys.new" "$drivers/tavrex.sys"
fi

if [ ! -f "$ready" ]; then
    # Through the service manager, which sees it at once (a key written with "reg add" it would not see
    # before it restarts). An existing entry from an interrupted run is fine.
    tavrex_wine 60 sc create Tavrex type= kernel start= demand \
        binPath= 'C:\windows\system32\drivers\tavrex.sys' ||
        tavrex_wine 60 sc qc Tavrex || die "could not register the service Tavrex (see $TAVREX_RUN_DIR/wine.log)"
fi

tavrex_driver_start ||
    die "the service Tavrex did not start, or \\\\.\\tavrex does not open (see $TAVREX_RUN_DIR/wine.log)"
touch "$ready"
tavrex_log "ready in $((SECONDS - started)) s: \\\\.\\tavrex is served (display ${DISPLAY:-none}, mode $mode)"

#!/usr/bin/env bash
# The one command for a release: builds the windows preset, signs when given a certificate, verifies every
# signature and writes build/dist/SHA256SUMS. See "A release" in README.md.
#
#   scripts/release.sh                                       unsigned
#   TAVREX_SIGN_PFX=cert.pfx TAVREX_SIGN_PASSWORD=... scripts/release.sh   signed (scripts/sign_file.sh)
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
dist=build/dist
log=build/windows/release.log

if [ -n "${TAVREX_SIGN_PFX:-}" ]; then
    [ -r "$TAVREX_SIGN_PFX" ] || {
        echo "release: FAILED: cannot read the certificate file $TAVREX_SIGN_PFX" >&2
        exit 1
    }
    # The build runs the signing from its own folder.
    TAVREX_SIGN_PFX="$(realpath "$TAVREX_SIGN_PFX")"
    export TAVREX_SIGN_PFX
    sign_command="$(printf '%q' "$root/scripts/sign_file.sh")"
    echo "release: signing with $TAVREX_SIGN_PFX"
    if [ -z "${TAVREX_SIGN_TIMESTAMP_URL:-}" ]; then
        echo "release: no TAVREX_SIGN_TIMESTAMP_URL: the signatures carry no timestamp"
    fi
else
    sign_command=""
    echo "release: TAVREX_SIGN_PFX is not set: this release is UNSIGNED"
fi

# The cache keeps what a configure is given: however the release ends, the build is configured unsigned again,
# so that the next plain build (which has no certificate) relinks and packs unsigned files, as a plain build does.
unpacked=""
finish() {
    [ -z "$unpacked" ] || rm -rf "$unpacked"
    [ -z "$sign_command" ] || cmake --preset windows -DTAVREX_SIGN_COMMAND= >/dev/null ||
        echo "release: could not configure build/windows unsigned again: run cmake --preset windows" \
            "-DTAVREX_SIGN_COMMAND= before a plain build" >&2
}
trap finish EXIT

# The deliverables are linked (and signed) anew and packed anew, whatever an earlier build signed or packed;
# dist holds this release only.
rm -rf "$dist" build/windows/bin/brennick.exe build/windows/bin/lintara.cpl
cmake --preset windows -DTAVREX_SIGN_COMMAND="$sign_command" >/dev/null
mkdir -p "$(dirname "$log")"
cmake --build --preset windows 2>&1 | tee "$log"

shopt -s nullglob
setup=("$dist"/tavrex-*-setup.exe)
zip=("$dist"/tavrex-*.zip)
if [ "${#setup[@]}" -ne 1 ] || [ "${#zip[@]}" -ne 1 ]; then
    echo "release: FAILED: the build left no installer and zip in $dist (is makensis installed?)" >&2
    exit 1
fi

if [ -n "$sign_command" ]; then
    unpacked="$(mktemp -d)"
    echo "release: checking the signatures of what ships"
    # What the zip holds is what was signed before packing (setup.exe packs the same signed copies).
    python3 -m zipfile -e "${zip[0]}" "$unpacked"
    for file in "$unpacked"/*/brennick.exe "$unpacked"/*/lintara.cpl "${setup[0]}"; do
        scripts/sign_file.sh --verify "$file"
    done
    # The uninstaller exists only inside setup.exe: its signature was verified by the build, when
    # setup.nsi signed it; the build log names it by the temporary file makensis wrote.
    uninstaller="$(grep '^sign_file: verified ' "$log" |
        grep -v -e '/brennick\.exe$' -e '/lintara\.cpl$' -e '-setup\.exe$' || true)"
    [ "$(printf '%s' "$uninstaller" | grep -c .)" -eq 1 ] || {
        echo "release: FAILED: the build log shows no signed uninstaller (does setup.nsi sign it?)" >&2
        exit 1
    }
    echo "release: the uninstaller in $(basename "${setup[0]}") was signed and verified in the build" \
        "(${uninstaller#sign_file: verified }, see $log)"
fi

(cd "$dist" && files=(*) && sha256sum -- "${files[@]}" >SHA256SUMS)
echo "release: $dist/SHA256SUMS:"
cat "$dist/SHA256SUMS"
if [ -n "$sign_command" ]; then
    echo "release: done, signed: brennick.exe, lintara.cpl, the uninstaller and $(basename "${setup[0]}")"
else
    echo "release: done, UNSIGNED (set TAVREX_SIGN_PFX to sign)"
fi

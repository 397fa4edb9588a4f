#!/usr/bin/env bash
# Proves the signed release: makes a throwaway self-signed code-signing certificate, runs scripts/release.sh
# with it in a clone of the commit, and checks the signatures of brennick.exe and lintara.cpl (as packed in
# the zip), setup.exe and the uninstaller (verified by the build as it was signed, inside setup.exe); then
# that a wrong password fails the release. Nothing of the certificate outlives the run.
#
#   scripts/check_signing.sh [COMMIT]     (default HEAD; uncommitted changes are not in a clone)
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
commit="$(git -C "$root" rev-parse --verify "${1:-HEAD}^{commit}")"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
tree="$work/tree"

fail() {
    echo "check_signing: FAIL: $*" >&2
    exit 1
}

umask 077
password="throwaway-$RANDOM$RANDOM"
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Tavrex throwaway test signer" \
    -addext "keyUsage=critical,digitalSignature" -addext "extendedKeyUsage=codeSigning" \
    -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null
openssl pkcs12 -export -in "$work/cert.pem" -inkey "$work/key.pem" -out "$work/cert.pfx" \
    -passout "pass:$password"
leaf="$(openssl x509 -in "$work/cert.pem" -outform DER | sha256sum | cut -d' ' -f1)"
umask 022

git clone -q --no-checkout "$root" "$tree"
git -C "$tree" checkout -q --detach "$commit"

echo "check_signing: release of $commit signed with a throwaway certificate (leaf sha256 $leaf)"
TAVREX_SIGN_PFX="$work/cert.pfx" TAVREX_SIGN_PASSWORD="$password" "$tree/scripts/release.sh" \
    >"$work/release.log" 2>&1 || {
    tail -n 40 "$work/release.log" >&2
    fail "the signed release failed"
}

# Checked here against the throwaway certificate alone, apart from what release.sh checked.
check() {
    local output
    output="$(osslsigncode verify -in "$1" -CAfile "$work/cert.pem" \
        -require-leaf-hash "sha256:$leaf" 2>&1)" || {
        echo "$output" >&2
        fail "$2 does not verify"
    }
    echo "$2: $(echo "$output" | grep -E 'Signature verification|Leaf hash match|Timestamp' |
        sed 's/^[[:space:]]*//' | paste -sd';' | sed 's/;/; /g')"
}
python3 -m zipfile -e "$tree"/build/dist/tavrex-*.zip "$work/unzipped"
check "$work"/unzipped/*/brennick.exe "brennick.exe (in the zip)"
check "$work"/unzipped/*/lintara.cpl "lintara.cpl (in the zip)"
check "$tree"/build/dist/tavrex-*-setup.exe "setup.exe"
echo "the uninstaller, verified in the build right after setup.nsi signed it:"
uninstaller="$(grep '^sign_file: verified ' "$tree/build/windows/release.log" |
    grep -v -e '/brennick\.exe$' -e '/lintara\.cpl$' -e '-setup\.exe$' || true)"
[ "$(printf '%s' "$uninstaller" | grep -c .)" -eq 1 ] || fail "the build log shows no signed uninstaller"
grep -B 5 -F -x "$uninstaller" "$tree/build/windows/release.log"
(cd "$tree/build/dist" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not match build/dist"

echo "check_signing: the same release with a wrong password must fail"
if TAVREX_SIGN_PFX="$work/cert.pfx" TAVREX_SIGN_PASSWORD="not-$password" "$tree/scripts/release.sh" \
    >"$work/wrong.log" 2>&1; then
    fail "the release with a wrong password succeeded"
fi
grep -m 1 'sign_file: FAILED' "$work/wrong.log" || fail "the failed release does not say why"
[ ! -e "$tree/build/dist/SHA256SUMS" ] || fail "the failed release left checksums behind"
echo "check_signing: PASS"

#!/usr/bin/env bash
# Signs one Windows file in place (Authenticode, SHA-256) with the certificate in TAVREX_SIGN_PFX, then verifies
# the signature; on any failure it exits non-zero and leaves the file as it was. The release build runs it for
# brennick.exe, lintara.cpl, the uninstaller and setup.exe (see scripts/release.sh).
#
#   scripts/sign_file.sh FILE             sign, then verify
#   scripts/sign_file.sh --verify FILE    verify only
#
#   TAVREX_SIGN_PFX            PKCS#12 file: the certificate, its chain and the private key
#   TAVREX_SIGN_PASSWORD       its password (unset or empty: none)
#   TAVREX_SIGN_TIMESTAMP_URL  an RFC 3161 time-stamp authority; unset, the signature carries no timestamp
set -euo pipefail

verify_only=0
if [ "${1:-}" = "--verify" ]; then
    verify_only=1
    shift
fi
[ $# -eq 1 ] || {
    echo "usage: $0 [--verify] FILE" >&2
    exit 2
}
file="$1"
pfx="${TAVREX_SIGN_PFX:?sign_file: TAVREX_SIGN_PFX names no certificate}"
export TAVREX_SIGN_PASSWORD="${TAVREX_SIGN_PASSWORD:-}"

umask 077
work="$(mktemp -d)"
signed="$file.signing"
trap 'rm -rf "$work" "$signed"' EXIT

fail() {
    echo "sign_file: FAILED: $*" >&2
    exit 1
}

openssl pkcs12 -in "$pfx" -nokeys -passin env:TAVREX_SIGN_PASSWORD -out "$work/chain.pem" \
    2>"$work/openssl.log" || fail "cannot open $pfx (wrong password?): $(head -n 1 "$work/openssl.log")"
leaf="$(openssl pkcs12 -in "$pfx" -nokeys -clcerts -passin env:TAVREX_SIGN_PASSWORD 2>/dev/null |
    openssl x509 -outform DER | sha256sum | cut -d' ' -f1)"
# The chain is trusted up to the certificate file's own certificates or a public root, so that a test
# certificate verifies too, and the signer must be that very certificate. Whether Windows trusts it, and
# whether it has been revoked, is for the customer's machine to say, not for this check.
cat "$work/chain.pem" /etc/ssl/certs/ca-certificates.crt >"$work/trusted.pem" 2>/dev/null || true
offline=()
if osslsigncode --help 2>&1 | grep -q -- -ignore-cdp; then
    offline=(-ignore-cdp) # since osslsigncode 2.8, which fetches the revocation lists otherwise
fi

# verify PATH NAME: checks the signature of PATH, reported as NAME's.
verify() {
    osslsigncode verify -in "$1" -CAfile "$work/trusted.pem" -require-leaf-hash "sha256:$leaf" "${offline[@]}" \
        >"$work/verify.log" 2>&1 || {
        cat "$work/verify.log" >&2
        fail "the signature of $2 does not verify"
    }
    grep -E "Calculated message digest|Subject:|Leaf hash match|Timestamp|Signature verification" \
        "$work/verify.log" | awk '!seen[$0]++' | sed 's/^[[:space:]]*/    /'
    echo "sign_file: verified $2"
}

if [ "$verify_only" -eq 1 ]; then
    verify "$file" "$file"
    exit 0
fi

args=(-pkcs12 "$pfx" -h sha256 -n Tavrex)
if [ -n "$TAVREX_SIGN_PASSWORD" ]; then
    printf '%s' "$TAVREX_SIGN_PASSWORD" >"$work/password"
    args+=(-readpass "$work/password")
fi
if [ -n "${TAVREX_SIGN_TIMESTAMP_URL:-}" ]; then
    args+=(-ts "$TAVREX_SIGN_TIMESTAMP_URL")
fi
osslsigncode sign "${args[@]}" -in "$file" -out "$signed" >"$work/sign.log" 2>&1 || {
    cat "$work/sign.log" >&2
    fail "cannot sign $file"
}
verify "$signed" "$file"
# Copied over rather than moved: the file keeps its inode and mode, for whoever reads it back by name.
cp "$signed" "$file"

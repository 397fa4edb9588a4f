#!/usr/bin/env bash
# Proves that two builds of one commit give the same bytes: clones the commit twice, into folders of different
# names, builds the windows preset in each at a different time, in another time zone and with another umask,
# and compares brennick.exe, lintara.cpl, setup.exe and the zip. Unsigned, as a signature dates itself.
#
#   scripts/check_reproducible.sh [COMMIT]     (default HEAD; uncommitted changes are not in a clone)
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
commit="$(git -C "$root" rev-parse --verify "${1:-HEAD}^{commit}")"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
second=a-second-tree-elsewhere

# build FOLDER: a fresh clone of the commit in FOLDER, built with the windows preset.
build() {
    git clone -q --no-checkout "$root" "$1"
    git -C "$1" checkout -q --detach "$commit"
    (cd "$1" && cmake --preset windows >/dev/null && cmake --build --preset windows >"$1.log" 2>&1) || {
        tail -n 30 "$1.log" >&2
        echo "check_reproducible: FAILED: the build in $1 failed" >&2
        exit 1
    }
}

echo "check_reproducible: building $commit twice"
(unset SOURCE_DATE_EPOCH && TZ=UTC build "$work/first")
# Times of day differ by at least the zip's two-second resolution, and the clock reads another zone (UTC+5:45,
# written so that it needs no time zone data).
sleep 3
(unset SOURCE_DATE_EPOCH && umask 027 && TZ=NPT-5:45 build "$work/$second")

version="$(sed -n 's/^#define TAVREX_VERSION_[A-Z]* \([0-9]*\).*/\1/p' "$work/first/packaging/version.h" |
    paste -sd.)"
status=0
for file in build/windows/bin/brennick.exe build/windows/bin/lintara.cpl \
    "build/dist/tavrex-$version-setup.exe" "build/dist/tavrex-$version.zip"; do
    one="$work/first/$file"
    two="$work/$second/$file"
    if cmp -s "$one" "$two"; then
        echo "PASS $(sha256sum "$one" | cut -d' ' -f1)  $(basename "$file")"
    else
        echo "FAIL $(basename "$file"): the two builds differ ($(sha256sum <"$one" | cut -c1-16) against" \
            "$(sha256sum <"$two" | cut -c1-16)); first differing bytes (offset, octal values):"
        cmp -l "$one" "$two" | head -n 10 || true
        status=1
    fi
done
if [ "$status" -eq 0 ]; then
    echo "check_reproducible: PASS: two builds of $commit are byte-identical"
else
    echo "check_reproducible: FAIL: two builds of $commit differ" >&2
fi
exit "$status"

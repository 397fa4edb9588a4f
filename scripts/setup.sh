#!/usr/bin/env bash
# Installs what building and testing need on Debian 12; does nothing that is already done.
set -euo pipefail

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

packages=(cmake ninja-build g++ libgtest-dev python3 g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine32:i386 wine64 xvfb
          fonts-wqy-microhei locales imagemagick xdotool x11-utils clang-format nsis osslsigncode)

# A mirror caught mid-sync, or one extra source out of reach, fails a single index: the others are fresh, and
# what is needed usually installs from them. Only a failing install stops the set-up.
stale_lists=""
apt_update() {
    if ! $SUDO apt-get update -qq; then
        stale_lists=yes
        echo "setup: WARNING: apt-get update could not fetch every package index (a mirror in mid-sync or an" \
            "unreachable source); going on with the lists it has" >&2
    fi
}

apt_install() {
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "$@" >/dev/null
}

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ "${#missing[@]}" -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        $SUDO dpkg --add-architecture i386
    fi
    apt_update
    if ! apt_install "${missing[@]}"; then
        # A stale security index of one architecture (i386) leaves an amd64 library at a version that its i386
        # twin, which wine32 needs, does not have there. The release's own suite holds both twins alike: with
        # it preferred, the install takes matching versions from it.
        codename="$(. /etc/os-release && echo "${VERSION_CODENAME:-}")"
        installed=""
        if [ -n "$stale_lists" ] && [ -n "$codename" ]; then
            echo "setup: trying the install again with the $codename suite preferred over its updates"
            apt_install -o "APT::Default-Release=$codename" "${missing[@]}" && installed=yes
        fi
        if [ -z "$installed" ]; then
            echo "setup: FAILED: apt-get install ${missing[*]}. If the package lists were stale (see the warning" \
                "above), wait for the mirror to finish syncing, then run this command again." >&2
            exit 1
        fi
    fi
fi

# Wine takes its code page from a generated locale: 936 from zh_CN.UTF-8, the tests' usual one, and 1252 from
# en_US.UTF-8, in which one test shows the tools as a Western Windows does. Without it, Wine silently falls back
# on 1252. Never regenerate the locales while Wine programs run.
missing_locales=()
for name in zh_CN en_US; do
    locale -a 2>/dev/null | grep -qi "^$name\.utf-\?8$" || missing_locales+=("$name")
done
if ((${#missing_locales[@]})); then
    echo "setup: generating the ${missing_locales[*]/%/.UTF-8} locale(s)"
    for name in "${missing_locales[@]}"; do
        $SUDO sed -i "s/^# *\($name.UTF-8 UTF-8\)/\1/" /etc/locale.gen
        grep -q "^$name.UTF-8 UTF-8" /etc/locale.gen || echo "$name.UTF-8 UTF-8" | $SUDO tee -a /etc/locale.gen >/dev/null
    done
    $SUDO locale-gen >/dev/null
fi

# The deliverables are 32-bit. Where this machine cannot run 32-bit Linux programs (a kernel without IA-32
# emulation), 32-bit Wine runs under qemu-i386 through binfmt_misc. Debian 12's own qemu (7.2) cannot
# carry Wine; the backports suite's can, so only that one package comes from there.
I386_REGISTRATION=':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386:F'
BINFMT=/proc/sys/fs/binfmt_misc

runs_32bit() { /usr/lib/wine/wine --version >/dev/null 2>&1; }

# The first URI of the configured apt source that serves this release's main suite (deb822 or one-line).
debian_mirror() {
    local codename="$1" file
    for file in /etc/apt/sources.list.d/*.sources; do
        [ -f "$file" ] || continue
        awk -v suite="$codename" '
            BEGIN { RS = ""; FS = "\n" }
            {
                uri = ""; match_suite = 0; deb = 0
                for (i = 1; i <= NF; i++) {
                    if ($i ~ /^[[:space:]]*#/) continue
                    split($i, kv, ":")
                    key = kv[1]; value = substr($i, length(key) + 2); gsub(/^[ \t]+|[ \t]+$/, "", value)
                    if (key == "Types" && value ~ /(^| )deb( |$)/) deb = 1
                    if (key == "URIs") { split(value, uris, " "); uri = uris[1] }
                    if (key == "Suites") { n = split(value, suites, " "); for (j = 1; j <= n; j++) if (suites[j] == suite) match_suite = 1 }
                    if (key == "Enabled" && value == "no") deb = 0
                }
                if (deb && match_suite && uri != "") { print uri; exit }
            }' "$file"
    done
    cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null |
        awk -v suite="$codename" '$1 == "deb" { i = 2; if ($i ~ /^\[/) { while ($i !~ /\]$/) i++; i++ } if ($(i + 1) == suite) print $i }'
}

backports_configured() {
    grep -rqsE "^[^#]*[[:space:]]$1-backports([[:space:]]|$)" /etc/apt/sources.list /etc/apt/sources.list.d/
}

install_backports_qemu() {
    local codename mirror
    codename="$(. /etc/os-release && echo "${VERSION_CODENAME:-}")"
    [ -n "$codename" ] || {
        echo "setup: cannot tell this system's release, so cannot add its backports suite" >&2
        return 1
    }
    if ! backports_configured "$codename"; then
        mirror="$(debian_mirror "$codename" | head -n 1)"
        [ -n "$mirror" ] || {
            echo "setup: no apt source for '$codename' to take the backports mirror from" >&2
            return 1
        }
        printf 'Types: deb\nURIs: %s\nSuites: %s-backports\nComponents: main\nSigned-By: %s\n' \
            "$mirror" "$codename" /usr/share/keyrings/debian-archive-keyring.gpg |
            $SUDO tee /etc/apt/sources.list.d/tavrex-backports.sources >/dev/null
    fi
    # Backports stay opt-in for everything else; qemu-user alone follows them.
    printf 'Package: qemu-user\nPin: release n=%s-backports\nPin-Priority: 990\n' "$codename" |
        $SUDO tee /etc/apt/preferences.d/tavrex-qemu-user >/dev/null
    apt_update
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends \
        "qemu-user/$codename-backports" >/dev/null
}

# qemu 8 and later map with MAP_FIXED_NOREPLACE, which 32-bit Wine needs.
qemu_fit() {
    local major
    major="$(/usr/bin/qemu-i386 --version 2>/dev/null | sed -n 's/^qemu-i386 version \([0-9]*\).*/\1/p')"
    [ -n "$major" ] && [ "$major" -ge 8 ]
}

enable_32bit() {
    runs_32bit && return 0
    [ -e /usr/lib/wine/wine ] || return 0 # no 32-bit Wine to run: the package step above reported why
    local started=$SECONDS did=() summary
    if ! qemu_fit; then
        install_backports_qemu && qemu_fit || return 1
        did+=("installed qemu-user $(/usr/bin/qemu-i386 --version | sed -n 's/^qemu-i386 version \([^ ]*\).*/\1/p') from backports")
    fi
    if [ ! -e "$BINFMT/register" ]; then
        $SUDO mount -t binfmt_misc binfmt_misc "$BINFMT" || return 1
        did+=("mounted binfmt_misc")
    fi
    if [ ! -e "$BINFMT/qemu-i386" ]; then
        printf '%s' "$I386_REGISTRATION" | $SUDO tee "$BINFMT/register" >/dev/null || return 1
        did+=("registered qemu-i386 with binfmt_misc")
    elif ! grep -qx enabled "$BINFMT/qemu-i386"; then
        echo 1 | $SUDO tee "$BINFMT/qemu-i386" >/dev/null || return 1
        did+=("enabled the qemu-i386 registration")
    fi
    summary="$(IFS=';' && echo "${did[*]}")"
    runs_32bit || return 1
    echo "setup: no native 32-bit support, so ${summary//;/, } in $((SECONDS - started)) s: 32-bit Wine runs emulated"
}

if ! enable_32bit; then
    echo "setup: WARNING: 32-bit programs cannot run here and qemu-i386 could not be set up for them;" \
        "the e2e tests and the demo can only run the x86-64 builds" >&2
fi

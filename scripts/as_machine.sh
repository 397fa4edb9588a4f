#!/usr/bin/env bash
# Runs a command as it would run on another kind of machine, to try the other ways of running 32-bit programs
# on one that runs them natively. The command gets a private user and mount namespace with a binfmt_misc of
# its own (Linux 6.7 and later), so nothing outside it changes.
#
#   scripts/as_machine.sh emulated COMMAND...   32-bit programs run under /usr/bin/qemu-i386 (qemu 8 or later)
#   scripts/as_machine.sh no-32bit COMMAND...   32-bit programs cannot start, as on a kernel without IA-32
#                                               emulation; scripts/setup.sh then registers qemu-i386 in there
# For example: scripts/as_machine.sh no-32bit bash .ci/run
set -euo pipefail

usage() {
    sed -n '2,9p' "$0" | sed 's/^# \{0,1\}//' >&2
    exit 2
}
[ "$#" -ge 2 ] || usage
mode="$1"
shift
case "$mode" in
emulated) [ -x /usr/bin/qemu-i386 ] || {
    echo "as_machine: /usr/bin/qemu-i386 is missing: run '$0 no-32bit bash scripts/setup.sh' first" >&2
    exit 1
} ;;
no-32bit) ;;
*) usage ;;
esac

# Magic and mask of a 32-bit x86 ELF executable or shared object.
i386_elf='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'

inner='
    set -e
    read -r _ <"$1"
    mode="$2" magic="$3"
    shift 3
    mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc || {
        echo "as_machine: this kernel has no binfmt_misc of its own per namespace (it needs Linux 6.7)" >&2
        exit 1
    }
    if [ "$mode" = emulated ]; then
        printf "%s" ":qemu-i386:M::$magic:/usr/bin/qemu-i386:F" >/proc/sys/fs/binfmt_misc/register
    else
        # A later registration (the qemu-i386 of setup.sh) is tried before this one.
        printf "%s" ":no-i386:M::$magic:/bin/false:" >/proc/sys/fs/binfmt_misc/register
    fi
    exec "$@"
'

# Every user and group keeps its id inside (apt drops to its own user to download), which only a mapping
# written from outside can give: the command waits on a pipe until it is written.
gate="$(mktemp -u)"
mkfifo -m 600 "$gate"
trap 'rm -f "$gate"' EXIT
unshare --user --mount bash -c "$inner" as_machine "$gate" "$mode" "$i386_elf" "$@" &
child=$!
for _ in $(seq 100); do
    [ "$(readlink "/proc/$child/ns/user")" != "$(readlink /proc/self/ns/user)" ] && break
    sleep 0.05
done
echo '0 0 4294967295' >"/proc/$child/uid_map"
echo '0 0 4294967295' >"/proc/$child/gid_map"
echo go >"$gate"
status=0
wait "$child" || status=$?
exit "$status"

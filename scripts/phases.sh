# Times the phases of a script and prints each one's wall time when the script ends, also when a phase
# fails. Source it, then run each phase as
#   phase NAME COMMAND [ARGUMENT...]
# A failing phase is marked and its exit status returned, so that "set -e" stops the script there.

tavrex_phases=()

phase() {
    local name=$1 started=${EPOCHREALTIME/./} status=0
    shift
    "$@" || status=$?
    local elapsed=$(((${EPOCHREALTIME/./} - started) / 100000))
    tavrex_phases+=("$(printf '  %-26s %5d.%d s%s' "$name" $((elapsed / 10)) $((elapsed % 10)) \
        "$( ((status == 0)) || echo "  FAILED (exit $status)")")")
    return "$status"
}

tavrex_print_phases() {
    ((${#tavrex_phases[@]})) || return 0
    echo "phases (wall time):"
    printf '%s\n' "${tavrex_phases[@]}"
}
trap tavrex_print_phases EXIT

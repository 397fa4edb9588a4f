#!/usr/bin/env bash
# Fails when a C or C++ source differs from what .clang-format makes of it, and lists those files.
# Needs clang-format (Debian package clang-format); CLANG_FORMAT names another binary.
set -euo pipefail
cd "$(dirname "$0")/.."

tool="${CLANG_FORMAT:-clang-format}"
if ! command -v "$tool" >/dev/null 2>&1; then
    echo "check_format: $tool not found (apt-get install clang-format)" >&2
    exit 2
fi

differ=()
while IFS= read -r -d '' file; do
    if ! "$tool" --style=file "$file" | cmp -s - "$file"; then
        differ+=("$file")
    fi
done < <(git ls-files -z -- '*.c' '*.cpp' '*.h')

if ((${#differ[@]})); then
    echo "check_format: ${#differ[@]} file(s) differ from .clang-format (fix with: $tool -i FILE):" >&2
    printf '  %s\n' "${differ[@]}" >&2
    exit 1
fi
echo "check_format: all sources match .clang-format"

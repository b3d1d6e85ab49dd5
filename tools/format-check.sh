#!/bin/bash
# format-check.sh — fails when a C++ file of ours is not formatted as the
# project's .clang-format says, and names each such file.
#   bash tools/format-check.sh [SOURCE_DIR]    (default: this repository)
# `clang-format -i FILE` formats one; the test run calls this script.
set -u
src=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$src" || exit 2
if ! command -v clang-format >/dev/null; then
    echo "format-check: clang-format is not installed (bash tools/bootstrap.sh test installs it)" >&2
    exit 2
fi
mapfile -t files < <(find common platform design painter clock designbrowser remover tools tests bench \
    -type f \( -name '*.cpp' -o -name '*.h' \) | sort)
bad=0
for f in "${files[@]}"; do
    if ! clang-format --dry-run -Werror "$f" >/dev/null 2>&1; then
        echo "not formatted: $f"
        bad=$((bad + 1))
    fi
done
echo "format-check: ${#files[@]} files, $bad not formatted"
[ "$bad" -eq 0 ]
